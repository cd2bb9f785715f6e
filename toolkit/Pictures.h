#pragma once

#include <QPixmap>
#include <QSize>
#include <QString>

namespace toolkit {

// Loads a picture file; from a file of several images (an icon) the image of
// the given size, else its first image.
QPixmap loadPicture(const QString& path, QSize preferred = {});

} // namespace toolkit

#pragma once

#include <QIcon>
#include <QPixmap>
#include <QSize>
#include <QString>

namespace toolkit {

// Loads a picture file; from a file of several images (an icon) the image of
// the given size, else its first image. For a screen of a higher pixel ratio
// the sharper variant drawn beside the file is taken where there is one
// ("Home@1.5x.gif", "Home@2x.gif"): the coarsest at least as fine as the
// screen, else the finest. It has more pixels and the same size in
// device-independent pixels, so layouts stay as they are.
QPixmap loadPicture(const QString& path, QSize preferred, qreal pixelRatio);

// The same for the highest pixel ratio among the system's screens.
QPixmap loadPicture(const QString& path, QSize preferred = {});

// The program's icon in every size a desktop takes, 16 to 256 pixels: window
// managers pick the size of their title bars, task bars and switchers from it.
QIcon programIcon();

} // namespace toolkit

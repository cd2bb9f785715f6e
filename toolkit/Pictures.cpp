#include "toolkit/Pictures.h"

#include <QImageReader>

namespace toolkit {

QPixmap loadPicture(const QString& path, QSize preferred) {
    QImageReader reader(path);
    QImage first;
    do {
        const QImage image = reader.read();
        if (image.isNull())
            break;
        if (first.isNull())
            first = image;
        if (image.size() == preferred)
            return QPixmap::fromImage(image);
    } while (reader.jumpToNextImage());
    return QPixmap::fromImage(first);
}

} // namespace toolkit

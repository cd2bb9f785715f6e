#include "toolkit/Pictures.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QImageReader>

namespace toolkit {

namespace {

// The variants resources/make-pictures draws, coarsest first. Qt's own lookup
// (QIcon) knows whole ratios only and QPixmap's none, so the choice is ours.
constexpr qreal variantRatios[] = {1.5, 2};

QString variantPath(const QString& path, qreal ratio) {
    const QFileInfo file(path);
    return file.path() + u'/' + file.completeBaseName() + u'@' + QString::number(ratio) + u'x' +
           u'.' + file.suffix();
}

struct Variant {
    QString path;
    qreal ratio = 1;
};

Variant variantFor(const QString& path, qreal pixelRatio) {
    Variant chosen{path};
    for (const qreal ratio : variantRatios) {
        if (chosen.ratio >= pixelRatio)
            break;
        const QString candidate = variantPath(path, ratio);
        if (QFileInfo::exists(candidate))
            chosen = {candidate, ratio};
    }
    return chosen;
}

QImage readImage(const QString& path, QSize preferred) {
    QImageReader reader(path);
    QImage first;
    do {
        const QImage image = reader.read();
        if (image.isNull())
            break;
        if (first.isNull())
            first = image;
        if (image.size() == preferred)
            return image;
    } while (reader.jumpToNextImage());
    return first;
}

} // namespace

QPixmap loadPicture(const QString& path, QSize preferred, qreal pixelRatio) {
    const Variant variant = variantFor(path, pixelRatio);
    QImage image = readImage(variant.path, preferred * variant.ratio);
    image.setDevicePixelRatio(variant.ratio);
    return QPixmap::fromImage(image);
}

QPixmap loadPicture(const QString& path, QSize preferred) {
    return loadPicture(path, preferred, qGuiApp->devicePixelRatio());
}

QIcon programIcon() {
    QIcon icon;
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/orvanta-%1.png").arg(size), QSize(size, size));
    return icon;
}

} // namespace toolkit

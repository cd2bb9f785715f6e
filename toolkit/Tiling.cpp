#include "toolkit/Tiling.h"

#include "toolkit/Pictures.h"
#include "toolkit/Twips.h"

#include <QPainter>
#include <QWidget>
#include <cmath>

namespace toolkit {

namespace {
qint64 roundHalfEven(float value) {
    return static_cast<qint64>(std::nearbyint(value));
}
} // namespace

BackgroundTile backgroundTile() {
    return {loadPicture(QStringLiteral(":/pictures/tile.bmp")), 1560, 1455};
}

QList<QPoint> tilePositions(float tileWidth, float tileHeight, float maxX, float maxY) {
    const qint64 stepX = roundHalfEven(tileWidth);
    const qint64 stepY = roundHalfEven(tileHeight);
    const qint64 boundX = roundHalfEven(maxX);
    const qint64 boundY = roundHalfEven(maxY);
    QList<QPoint> positions;
    if (stepX <= 0 || stepY <= 0)
        return positions;
    for (qint64 x = 0; x <= boundX; x += stepX)
        for (qint64 y = 0; y <= boundY; y += stepY)
            positions.append(QPoint(static_cast<int>(x), static_cast<int>(y)));
    return positions;
}

QSizeF outerSizeTwips(const QWidget& window) {
    const QSize outer = window.frameGeometry().size();
    return {twips::fromPixels(outer.width()), twips::fromPixels(outer.height())};
}

void tileWindow(QWidget& window, const BackgroundTile& tile) {
    const QSizeF outer = outerSizeTwips(window);
    QPainter painter(&window);
    const auto positions = tilePositions(tile.width, tile.height, static_cast<float>(outer.width()),
                                         static_cast<float>(outer.height()));
    for (const QPoint& at : positions)
        painter.drawPixmap(twips::toPixels(at.x()), twips::toPixels(at.y()), tile.picture);
}

} // namespace toolkit

#pragma once

#include <QList>
#include <QPixmap>
#include <QPoint>

class QWidget;

namespace toolkit {

// The background picture and the step between tiles, in twips.
struct BackgroundTile {
    QPixmap picture;
    float width = 0;
    float height = 0;
};

// The background picture that the main, search and About windows tile alike.
BackgroundTile backgroundTile();

// Where the tiles go, in twips from the client area's top-left corner: column
// by column from the left, top to bottom within a column, while the position
// is not past the bound. The four values are rounded half to even; the loop
// runs in 64 bits so that no window is too large to be tiled.
QList<QPoint> tilePositions(float tileWidth, float tileHeight, float maxX, float maxY);

// Paints the tile over the window, bounded by the window's outer size.
void tileWindow(QWidget& window, const BackgroundTile& tile);

// The window's outer width and height in twips, frame and caption included.
QSizeF outerSizeTwips(const QWidget& window);

} // namespace toolkit

#pragma once

#include <QImage>
#include <QWidget>

// How much of the find highlight a view shows: Chromium paints the active
// match orange and the other matches yellow.
inline int highlightedPixels(QWidget& view) {
    const QImage shot = view.grab().toImage().convertToFormat(QImage::Format_RGB32);
    int count = 0;
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x) {
            const QRgb pixel = shot.pixel(x, y) & 0xffffff;
            count += pixel == 0xffff00 || pixel == 0xff9632;
        }
    return count;
}

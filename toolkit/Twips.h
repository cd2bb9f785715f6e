#pragma once

#include <QRect>
#include <cmath>

// The window designs measure everything in twips, 15 to a device-independent
// pixel. Design numbers stay in twips in the code; this is the one place that
// converts.
namespace twips {

inline constexpr int perPixel = 15;

inline int toPixels(double value) {
    return static_cast<int>(std::lround(value / perPixel));
}

inline float fromPixels(int pixels) {
    return static_cast<float>(pixels * perPixel);
}

inline QRect toPixels(double left, double top, double width, double height) {
    return {toPixels(left), toPixels(top), toPixels(width), toPixels(height)};
}

} // namespace twips

#include "toolkit/TwipsGeometry.h"

#include "toolkit/Twips.h"

#include <QWidget>

namespace toolkit {

void TwipsGeometry::setLeftTwips(float value) {
    left_ = value;
    apply();
}

void TwipsGeometry::setWidthTwips(float value) {
    width_ = value;
    apply();
}

void TwipsGeometry::setHeightTwips(float value) {
    height_ = value;
    apply();
}

void TwipsGeometry::placeTwips(float left, float top, float width, float height) {
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    apply();
}

void TwipsGeometry::apply() {
    self_.setGeometry(twips::toPixels(left_, top_, width_, height_));
}

} // namespace toolkit

#include "TwipsGeometry.h"

#include "Twips.h"

#include <QWidget>

namespace toolkit {

void TwipsGeometry::setLeft(float value) {
    left_ = value;
    apply();
}

void TwipsGeometry::setTop(float value) {
    top_ = value;
    apply();
}

void TwipsGeometry::setWidth(float value) {
    width_ = value;
    apply();
}

void TwipsGeometry::setHeight(float value) {
    height_ = value;
    apply();
}

void TwipsGeometry::place(float left, float top, float width, float height) {
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

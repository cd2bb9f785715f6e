#include "Image.h"

#include "Click.h"
#include "Twips.h"

#include <QMouseEvent>
#include <QPainter>

namespace toolkit {

namespace {
float twipsOf(double pixels) {
    return static_cast<float>(pixels * twips::perPixel);
}
} // namespace

Image::Image(QWidget* parent) : QWidget(parent), TwipsGeometry(static_cast<QWidget&>(*this)) {
    setFocusPolicy(Qt::NoFocus);
}

void Image::setPicture(const QPixmap& picture) {
    picture_ = picture;
    update();
}

void Image::paintEvent(QPaintEvent*) {
    if (picture_.isNull())
        return;
    QPainter painter(this);
    painter.drawPixmap(0, 0, picture_);
}

void Image::mousePressEvent(QMouseEvent* event) {
    const QPointF at = event->position();
    emit mouseDown(event->button(), event->modifiers(), twipsOf(at.x()), twipsOf(at.y()));
}

void Image::mouseReleaseEvent(QMouseEvent* event) {
    const QPointF at = event->position();
    emit mouseUp(event->button(), event->modifiers(), twipsOf(at.x()), twipsOf(at.y()));
    const bool clickButton =
        event->button() == Qt::LeftButton || event->button() == Qt::RightButton;
    if (clickButton && rect().contains(at.toPoint()))
        emit clicked();
}

} // namespace toolkit

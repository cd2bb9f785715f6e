#include "toolkit/Image.h"

#include "toolkit/Accessibility.h"
#include "toolkit/Click.h"
#include "toolkit/Twips.h"

#include <QMetaMethod>
#include <QMouseEvent>
#include <QPainter>
#include <utility>

namespace toolkit {

namespace {
float twipsOf(double pixels) {
    return static_cast<float>(pixels * twips::perPixel);
}
} // namespace

Image::Image(QWidget* parent) : QWidget(parent), TwipsGeometry(static_cast<QWidget&>(*this)) {
    setFocusPolicy(Qt::NoFocus);
    installAccessibility();
}

bool Image::isButton() const {
    return isSignalConnected(QMetaMethod::fromSignal(&Image::clicked));
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
    releaseEndsDoubleClick_ = false;
    const QPointF at = event->position();
    emit mouseDown(event->button(), event->modifiers(), twipsOf(at.x()), twipsOf(at.y()));
}

// No image button handles a double-click; unlike QWidget's default, the
// second press is not turned into another press and click.
void Image::mouseDoubleClickEvent(QMouseEvent*) {
    releaseEndsDoubleClick_ = true;
}

void Image::mouseReleaseEvent(QMouseEvent* event) {
    const QPointF at = event->position();
    emit mouseUp(event->button(), event->modifiers(), twipsOf(at.x()), twipsOf(at.y()));
    const bool endsDoubleClick = std::exchange(releaseEndsDoubleClick_, false);
    if (!endsDoubleClick && completesClick(*event, *this))
        emit clicked();
}

} // namespace toolkit

#include "toolkit/Image.h"

#include "toolkit/Accessibility.h"
#include "toolkit/Click.h"

#include <QMetaMethod>
#include <QMouseEvent>
#include <QPainter>
#include <utility>

namespace toolkit {

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

void Image::mousePressEvent(QMouseEvent*) {
    releaseEndsDoubleClick_ = false;
    emit mouseDown();
}

// No image button handles a double-click; unlike QWidget's default, the
// second press is not turned into another press and click.
void Image::mouseDoubleClickEvent(QMouseEvent*) {
    releaseEndsDoubleClick_ = true;
}

void Image::mouseReleaseEvent(QMouseEvent* event) {
    emit mouseUp();
    const bool endsDoubleClick = std::exchange(releaseEndsDoubleClick_, false);
    if (!endsDoubleClick && completesClick(*event, *this))
        emit clicked();
}

} // namespace toolkit

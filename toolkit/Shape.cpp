#include "toolkit/Shape.h"

#include <QPainter>

namespace toolkit {

Shape::Shape(QWidget* parent, QColor borderColor, int borderWidth, Qt::PenStyle borderStyle)
    : QWidget(parent), TwipsGeometry(static_cast<QWidget&>(*this)), color_(borderColor),
      width_(borderWidth), style_(borderStyle) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
}

void Shape::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QPen pen(color_, width_, style_);
    pen.setCosmetic(true);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    // The outline lies inside the bounds, as a wide border grows inwards.
    const qreal inset = width_ / 2.0;
    const QRectF box = QRectF(rect()).adjusted(inset, inset, -inset, -inset);
    const qreal radius = std::min(box.width(), box.height()) / 4.0;
    painter.drawRoundedRect(box, radius, radius);
}

} // namespace toolkit

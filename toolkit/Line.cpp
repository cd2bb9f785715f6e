#include "toolkit/Line.h"

#include "toolkit/Twips.h"

#include <QPainter>
#include <cmath>

namespace toolkit {

Line::Line(QWidget* parent, QColor color, int borderWidth)
    : QWidget(parent), color_(color), width_(borderWidth) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
}

void Line::setX1(float value) {
    x1_ = value;
    apply();
}

void Line::setX2(float value) {
    x2_ = value;
    apply();
}

void Line::setPoints(float x1, float y1, float x2, float y2) {
    x1_ = x1;
    y1_ = y1;
    x2_ = x2;
    y2_ = y2;
    apply();
}

// The widget covers the line's bounding box, widened by the pen so that a
// vertical or horizontal line still has an area to draw in.
void Line::apply() {
    const QPoint a(twips::toPixels(x1_), twips::toPixels(y1_));
    const QPoint b(twips::toPixels(x2_), twips::toPixels(y2_));
    const QRect box = QRect(a, b).normalized().adjusted(0, 0, width_ - 1, width_ - 1);
    setGeometry(box.width() > 0 && box.height() > 0 ? box : QRect(a, QSize(width_, width_)));
    update();
}

// The pen spreads right of a vertical line and below a horizontal one, as the
// widget's box does; so the centre line is moved half a pen across the line.
QLineF Line::localLine() const {
    const QPointF a(twips::toPixels(x1_), twips::toPixels(y1_));
    const QPointF b(twips::toPixels(x2_), twips::toPixels(y2_));
    const QPointF along = b - a;
    const qreal length = std::hypot(along.x(), along.y());
    const qreal half = width_ / 2.0;
    const QPointF across = length > 0
                               ? QPointF(std::abs(along.y()), std::abs(along.x())) * (half / length)
                               : QPointF(half, half);
    const QPointF origin = geometry().topLeft();
    return {a + across - origin, b + across - origin};
}

void Line::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(QPen(color_, width_, Qt::SolidLine, Qt::FlatCap));
    painter.drawLine(localLine());
}

} // namespace toolkit

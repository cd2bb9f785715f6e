#pragma once

#include "toolkit/TwipsGeometry.h"

#include <QColor>
#include <QWidget>

namespace toolkit {

// A window-less rounded-rectangle outline. It is transparent inside and to
// the mouse: clicks pass to whatever lies beneath it.
class Shape : public QWidget, public TwipsGeometry {
    Q_OBJECT
public:
    Shape(QWidget* parent, QColor borderColor, int borderWidth, Qt::PenStyle borderStyle);

    QColor BorderColor() const { return color_; }
    int BorderWidth() const { return width_; }
    Qt::PenStyle BorderStyle() const { return style_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor color_;
    int width_;
    Qt::PenStyle style_;
};

} // namespace toolkit

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

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor color_;
    int width_;
    Qt::PenStyle style_;
};

} // namespace toolkit

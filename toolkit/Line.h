#pragma once

#include <QColor>
#include <QWidget>

namespace toolkit {

// A window-less straight line between two points given in twips. Like the
// shapes it is transparent to the mouse.
class Line : public QWidget {
    Q_OBJECT
public:
    Line(QWidget* parent, QColor color, int borderWidth);

    float X1() const { return x1_; }
    float X2() const { return x2_; }
    void setX1(float value);
    void setX2(float value);
    void setPoints(float x1, float y1, float x2, float y2);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void apply();
    QLineF localLine() const;

    QColor color_;
    int width_;
    float x1_ = 0;
    float y1_ = 0;
    float x2_ = 0;
    float y2_ = 0;
};

} // namespace toolkit

#pragma once

#include "toolkit/TwipsGeometry.h"

#include <QPixmap>
#include <QWidget>

namespace toolkit {

// A window-less picture control: draws its picture at natural size from its
// top-left corner, clipped to its own bounds, with the window's background
// showing through transparent pixels. It never takes the keyboard focus.
class Image : public QWidget, public TwipsGeometry {
    Q_OBJECT
public:
    explicit Image(QWidget* parent);

    const QPixmap& Picture() const { return picture_; }
    void setPicture(const QPixmap& picture);
    // Whether anything listens to its clicks: then it is a button, else a picture.
    bool isButton() const;

signals:
    // Press and release reach the control that got the press, wherever the
    // pointer is released.
    void mouseDown();
    void mouseUp();
    // A left or right press released over the control. The second press of a
    // double-click is a double-click, not a press: it makes no click.
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QPixmap picture_;
    bool releaseEndsDoubleClick_ = false;
};

} // namespace toolkit

#pragma once

#include "toolkit/TwipsGeometry.h"

#include <QLabel>

namespace toolkit {

// A window-less text label with a transparent background: the window's
// background shows behind its text. Text wraps at the label's width. It takes
// the clicks on it for itself, so they do not reach what lies beneath.
class Label : public QLabel, public TwipsGeometry {
    Q_OBJECT
public:
    Label(QWidget* parent, const QString& text);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
};

} // namespace toolkit

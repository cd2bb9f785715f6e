#pragma once

#include "toolkit/TwipsGeometry.h"

#include <QFrame>

namespace toolkit {

// A frame without a caption that holds other controls and reports clicks on
// its own area.
class Frame : public QFrame, public TwipsGeometry {
    Q_OBJECT
public:
    explicit Frame(QWidget* parent);

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

} // namespace toolkit

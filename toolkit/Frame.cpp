#include "toolkit/Frame.h"

#include "toolkit/Click.h"

#include <QMouseEvent>

namespace toolkit {

Frame::Frame(QWidget* parent) : QFrame(parent), TwipsGeometry(static_cast<QWidget&>(*this)) {
    setFrameStyle(QFrame::Box | QFrame::Sunken);
}

void Frame::mouseReleaseEvent(QMouseEvent* event) {
    if (completesClick(*event, *this))
        emit clicked();
}

} // namespace toolkit

#pragma once

class QMouseEvent;
class QWidget;

namespace toolkit {

// Whether a mouse release on control completes a click: the left or right
// button released over the control that got the press.
bool completesClick(const QMouseEvent& release, const QWidget& control);

} // namespace toolkit

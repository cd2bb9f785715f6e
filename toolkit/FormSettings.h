#pragma once

#include <QColor>
#include <QRect>

class QWidget;

namespace toolkit {

// A window's back colour, which shows wherever nothing else is drawn.
void setBackColor(QWidget& window, QColor color);

// The back colour of a designed window, and the dark texts and light controls
// of its design: its pictures and tiles are light whatever the desktop's
// palette, so a dark palette would put light text on them.
void setDesignedColours(QWidget& window, QColor back);

// Where a window's frame goes within a screen's available area: in its middle,
// and where it does not fit, from the area's top left, so that its title bar
// and the controls at its top left stay within reach. A resizable frame is
// made no larger than the area.
QRect placeFrame(QSize frame, QRect available, bool resizable);

// Places the window by placeFrame on the screen the program started on, and
// again once the window manager has framed it.
void centreOnScreen(QWidget& window);

} // namespace toolkit

#pragma once

#include <QColor>
#include <QFont>
#include <QRect>
#include <initializer_list>

class QWidget;

namespace toolkit {

// The designs' fonts: "MS Sans Serif" where the system has it, else a sans
// serif face of like proportions with Cyrillic letters.
QFont designFont(double pointSize, bool bold = false);

// The dialog font that controls without a font of their own use.
QFont dialogFont();

// Stacks sibling controls so that each lies in front of the ones listed after it.
void stackFrontToBack(std::initializer_list<QWidget*> frontToBack);

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

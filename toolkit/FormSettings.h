#pragma once

#include <QColor>

class QWidget;

namespace toolkit {

// A window's back colour, which shows wherever nothing else is drawn.
void setBackColor(QWidget& window, QColor color);

// Places the window in the middle of the primary screen's work area.
void centreOnScreen(QWidget& window);

} // namespace toolkit

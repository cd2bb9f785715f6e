#pragma once

#include <QString>

class QWidget;

namespace toolkit {

// Has a screen reader say text at once, wherever its focus is: a load, a count
// that changed. The text is told as a notification of window's; without an
// assistive technology listening nothing is done.
void announce(QWidget* window, const QString& text);

} // namespace toolkit

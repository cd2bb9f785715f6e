#pragma once

#include <QAccessible>

namespace toolkit {

// Installs an accessibility factory the first time it is asked for; later
// calls with the same factory do nothing, so every control can ask.
void installFactoryOnce(QAccessible::InterfaceFactory factory);

// Lets screen readers meet the toolkit's controls as what they do: an image
// whose clicks are listened to as a push button named by its tool tip, with a
// press action that clicks it; the progress bar with its value in its own
// units. The controls call it themselves; later calls do nothing.
void installAccessibility();

} // namespace toolkit

#pragma once

#include <QString>

namespace mdlSubs {

// Opens the page of a topic stem in the main window's HTML view. When the
// main window has to be made for it (it was closed while the search window
// stayed open), it is shown too, so that no hidden window keeps the program
// running.
void ShowTopic(const QString& stem);

} // namespace mdlSubs

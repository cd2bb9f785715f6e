#pragma once

#include <QString>

class HtmlView;

namespace mdlSubs {

// Opens the page of a topic stem, from the Data folder dataFolder, in the
// main window's HTML view. Nothing is checked: a missing page is the view's
// to show.
void ShowTopic(HtmlView& view, const QString& dataFolder, const QString& stem);

} // namespace mdlSubs

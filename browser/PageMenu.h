#pragma once

class HtmlView;
class QMenu;

// The HTML view's own right-click menu, in Bulgarian and with only what works
// here: back and forward (disabled where the history has no page), copy (with
// a selection only), select all, find in the page and print. It deletes
// itself once closed.
QMenu* makePageMenu(HtmlView& view, bool hasSelection);

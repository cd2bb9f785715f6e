#pragma once

class HtmlView;

// The HTML view's keys: find (Ctrl+F, F3, Shift+F3, Escape), print (Ctrl+P),
// zoom (Ctrl and plus, equals, minus or zero) and the history (Alt+Left,
// Alt+Right, silent where refused). They act only while the view, or the
// find bar beside it, has the focus; nothing else in the window has keys.
void addViewKeys(HtmlView& view);

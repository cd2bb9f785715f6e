#pragma once

// What a run asks of its environment, each set only where the user has not set
// it already. All must run before the application object exists.

// Nothing written to the disk and no process left behind: no shader caches,
// no session bus started on our behalf.
void keepRunFromWriting();

// The terminal free of the web engine's reports in a normal run: Qt's report
// of its GL set-up and Chromium's log lines below FATAL. QT_LOGGING_RULES and a
// --log-level of the user's own in QTWEBENGINE_CHROMIUM_FLAGS still win.
void keepTerminalQuiet();

// Pages drawn in software. A reader of still pages needs no GPU, and the GL
// context that the web engine would otherwise have made before the first
// window costs more than showing the splash itself.
void drawPagesInSoftware();

// Qt WebEngine on Linux gives screen readers a page's headings, links, tables
// and text only when asked to.
void exposePagesToScreenReaders();

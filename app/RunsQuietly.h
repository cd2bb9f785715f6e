#pragma once

// Keeps a run from writing anything to the disk or leaving a process behind:
// no shader caches, no session bus started on our behalf. Must run before the
// application object exists; what the user has set in the environment stays.
void keepRunFromWriting();

// Keeps the terminal free of the web engine's reports in a normal run: Qt's
// report of its GL set-up and Chromium's log lines below FATAL. QT_LOGGING_RULES
// and a --log-level of the user's own in QTWEBENGINE_CHROMIUM_FLAGS still win.
// Must run before the application object exists.
void keepTerminalQuiet();

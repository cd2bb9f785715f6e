#pragma once

// What a run asks of its environment, each set only where the user has not set
// it already. All but the last must run before the application object exists.

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

// One render process for all the encyclopedia's pages: the engine would
// otherwise start one for every page of the page scheme, which costs more than
// laying out and drawing the page itself.
void shareOneRendererAmongPages();

// Pages in the desktop's colour scheme: a dark palette at start means that
// pages match prefers-color-scheme: dark. Qt 6.4's engine has no setting for
// it, so this is a Chromium switch, read once when the engine starts: call it
// after the application object has its palette and before the engine starts.
void showPagesInDesktopColourScheme();

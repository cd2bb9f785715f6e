#pragma once

#include <QStringList>
#include <QStringView>
#include <optional>

// Answers the command line before any window system is touched: --help,
// --version and --check-data print their answer, and a wrong command line or
// a session without a display gets a Bulgarian message; all of these end the
// program. Returns the exit code then, nothing when the windows are to open.
// Makes an application object of its own and drops it before returning.
std::optional<int> answerCommandLine(int& argc, char** argv);

// Whether Qt's platform can start: platform is QT_QPA_PLATFORM, a list of
// platforms tried in turn ("wayland;xcb"), or "" for Qt's own choice of X11
// or Wayland; the two flags tell whether DISPLAY and WAYLAND_DISPLAY are set.
bool displayReachable(QStringView platform, bool x11Display, bool waylandDisplay);

// The arguments with those Qt's application object takes for itself left out
// ("-style fusion", "--reverse", "-platform xcb", …), which reach Qt as given,
// and the platform that "-platform" names, if any.
struct ProgramArguments {
    QStringList ours;
    QString platform;
};
ProgramArguments withoutQtOptions(const QStringList& arguments);

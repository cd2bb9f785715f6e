#pragma once

class QCoreApplication;

// Sets up an application object, the command line's or the windows', alike:
// the program's name, version and desktop entry (the windows' WM_CLASS and
// Wayland app id follow them), Bulgarian as the locale, and Qt's own texts,
// such as a message box's buttons, in Bulgarian from Qt's translations.
void setUpApplication(QCoreApplication& app);

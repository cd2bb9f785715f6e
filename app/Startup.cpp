#include "Startup.h"

#include "frmAbout.h"
#include "frmMain.h"
#include "frmSplash.h"

namespace Startup {

namespace {

// Modal, without an owner: the main window's click returns once it has closed.
void openAbout() {
    auto* about = new frmAbout;
    about->exec();
}

void wire(frmMain& main) {
    QObject::connect(&main, &frmMain::aboutRequested, &main, openAbout);
}

} // namespace

frmSplash* start() {
    frmMain::setLoadHook(wire);
    auto* splash = new frmSplash;
    splash->show();
    return splash;
}

} // namespace Startup

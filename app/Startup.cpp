#include "Startup.h"

#include "frmAbout.h"
#include "frmMain.h"
#include "frmSearch.h"
#include "frmSplash.h"

namespace Startup {

namespace {

// Modal, without an owner: the main window's click returns once it has closed.
void openAbout() {
    auto* about = new frmAbout;
    about->exec();
}

// Not modal, without an owner; a second request shows the same window again.
void openSearch() {
    frmSearch* search = frmSearch::instance();
    search->show();
    search->raise();
    search->activateWindow();
}

void wire(frmMain& main) {
    QObject::connect(&main, &frmMain::aboutRequested, &main, openAbout);
    QObject::connect(&main, &frmMain::searchRequested, &main, openSearch);
}

} // namespace

frmSplash* start() {
    frmMain::setLoadHook(wire);
    auto* splash = new frmSplash;
    splash->show();
    return splash;
}

} // namespace Startup

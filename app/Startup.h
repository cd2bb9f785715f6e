#pragma once

class frmSplash;

namespace Startup {

// Wires every main window, whenever one is made, to the search and About
// windows, and shows the splash window the program starts on.
frmSplash* start();

} // namespace Startup

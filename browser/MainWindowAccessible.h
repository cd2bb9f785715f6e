#pragma once

// Presents the main window to screen readers as a window named by its title,
// holding the image buttons, the HTML view and the find bar, a tool bar, while
// it shows.
// The pressed-look shapes, the separator lines and hidden controls are not
// announced. The program installs it before it makes the window; later calls
// do nothing.
void installMainWindowAccessibility();

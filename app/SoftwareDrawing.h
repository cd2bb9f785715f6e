#pragma once

// Has the pages drawn in software, unless the user chose otherwise in the
// environment. A reader of still pages needs no GPU, and the GL context that
// the web engine would otherwise have made before the first window costs
// more than showing the splash itself. Must run before the application object.
void drawPagesInSoftware();

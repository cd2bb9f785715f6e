#pragma once

#include <QtGlobal>

class QWidget;

namespace Misc {

// Makes the window layered with a whole-window alpha (150 translucent, 255
// opaque). A failure is shown in a message box and the call returns normally;
// what was done before the failure stays.
void SetTranslucency(QWidget* hWnd, qint16 alpha);

} // namespace Misc

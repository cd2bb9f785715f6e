#include "toolkit/Misc.h"

#include "toolkit/API.h"
#include "toolkit/MessageBox.h"
#include "toolkit/RuntimeError.h"

namespace Misc {

namespace {

quint8 toByte(qint16 value) {
    if (value < 0 || value > 255)
        throw RuntimeError(QStringLiteral("Препълване"),
                           QString::fromLatin1(toolkit::applicationTitle));
    return static_cast<quint8>(value);
}

} // namespace

void SetTranslucency(QWidget* hWnd, qint16 alpha) {
    try {
        const qint32 style = API::GetWindowLongA(hWnd, API::GWL_EXSTYLE);
        API::SetWindowLongA(hWnd, API::GWL_EXSTYLE, style | API::WS_EX_LAYERED);
        const quint8 alphaByte = toByte(alpha);
        API::SetLayeredWindowAttributes(hWnd, alphaByte, API::LWA_ALPHA);
    } catch (const RuntimeError& error) {
        toolkit::showMessage(hWnd, error.description + QStringLiteral(" Source : ") + error.source);
    }
}

} // namespace Misc

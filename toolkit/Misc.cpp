#include "toolkit/Misc.h"

#include "toolkit/API.h"
#include "toolkit/MessageBox.h"
#include "toolkit/RuntimeError.h"

#include <QColor>

namespace Misc {

namespace {

constexpr int errorOverflow = 6;

quint8 toByte(qint16 value) {
    if (value < 0 || value > 255)
        throw RuntimeError(errorOverflow, QStringLiteral("Препълване"),
                           QString::fromLatin1(toolkit::applicationTitle));
    return static_cast<quint8>(value);
}

// A COLORREF: red in the lowest byte.
constexpr quint32 colorRef(quint32 red, quint32 green, quint32 blue) {
    return red | (green << 8) | (blue << 16);
}

} // namespace

void SetTranslucency(QWidget* hWnd, qint16 alpha) {
    try {
        const qint32 style = API::GetWindowLongA(hWnd, API::GWL_EXSTYLE);
        API::SetWindowLongA(hWnd, API::GWL_EXSTYLE, style | API::WS_EX_LAYERED);
        const quint32 colorKey = colorRef(255, 255, 0);
        const quint8 alphaByte = toByte(alpha);
        API::SetLayeredWindowAttributes(hWnd, colorKey, alphaByte, API::LWA_ALPHA);
    } catch (const RuntimeError& error) {
        toolkit::showMessage(hWnd, error.description + QStringLiteral(" Source : ") + error.source);
    }
}

} // namespace Misc

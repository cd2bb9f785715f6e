#include "toolkit/API.h"

#include "toolkit/MessageBox.h"
#include "toolkit/RuntimeError.h"

#include <QGuiApplication>
#include <QVariant>
#include <QWidget>

#ifdef TELVANE_HAVE_X11
#include <X11/Xlib.h>
#endif

namespace API {

namespace {

constexpr char exStyleProperty[] = "telvaneExStyle";

bool x11HasCompositingManager() {
#ifdef TELVANE_HAVE_X11
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11 || !x11->display())
        return false;
    Display* display = x11->display();
    const QByteArray selection = "_NET_WM_CM_S" + QByteArray::number(DefaultScreen(display));
    const Atom atom = XInternAtom(display, selection.constData(), False);
    return XGetSelectionOwner(display, atom) != None;
#else
    return false;
#endif
}

} // namespace

QString whyWindowsCannotBlend(QStringView platform, bool compositingManager) {
    if (platform.startsWith(u"wayland"))
        return QStringLiteral("Графичната среда Wayland не позволява на програмата да прави "
                              "прозореца си прозрачен.");
    if (platform == u"xcb" && !compositingManager)
        return QStringLiteral("Графичната среда не може да направи прозореца прозрачен (нужен е "
                              "композитор на прозорците).");
    return {};
}

qint32 GetWindowLongA(QWidget* hWnd, int nIndex) {
    if (nIndex != GWL_EXSTYLE)
        return 0;
    return hWnd->property(exStyleProperty).toInt();
}

qint32 SetWindowLongA(QWidget* hWnd, int nIndex, qint32 dwNewLong) {
    if (nIndex != GWL_EXSTYLE)
        return 0;
    const qint32 previous = GetWindowLongA(hWnd, nIndex);
    hWnd->setProperty(exStyleProperty, dwNewLong);
    return previous;
}

qint32 SetLayeredWindowAttributes(QWidget* hWnd, quint8 bAlpha, quint32 dwFlags) {
    if (!(GetWindowLongA(hWnd, GWL_EXSTYLE) & WS_EX_LAYERED) || !(dwFlags & LWA_ALPHA))
        return 0;
    const QString platform = QGuiApplication::platformName();
    const QString refusal =
        whyWindowsCannotBlend(platform, platform == u"xcb" && x11HasCompositingManager());
    if (!refusal.isEmpty())
        throw RuntimeError(refusal, QString::fromLatin1(toolkit::applicationTitle));
    hWnd->setWindowOpacity(bAlpha / 255.0);
    return 1;
}

} // namespace API

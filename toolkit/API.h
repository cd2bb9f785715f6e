#pragma once

#include <QString>

class QWidget;

// Our own layer in place of the platform's window-style calls. A window keeps
// an extended style word of its own; the layered bit in it allows a
// whole-window alpha, which Qt applies.
namespace API {

inline constexpr int GWL_EXSTYLE = -20;
inline constexpr qint32 WS_EX_LAYERED = 0x80000;
inline constexpr quint32 LWA_ALPHA = 2;

qint32 GetWindowLongA(QWidget* hWnd, int nIndex);
qint32 SetWindowLongA(QWidget* hWnd, int nIndex, qint32 dwNewLong);

// Applies the alpha when dwFlags has LWA_ALPHA and the window is layered.
// Throws RuntimeError where the
// platform cannot make a window translucent.
qint32 SetLayeredWindowAttributes(QWidget* hWnd, quint8 bAlpha, quint32 dwFlags);

// Why the platform (Qt's platform name) cannot blend a window with what lies
// beneath it, in Bulgarian; empty where it can. X11 blends only with a
// compositing manager; Wayland's compositor always runs, yet Qt cannot set a
// window's opacity there.
QString whyWindowsCannotBlend(QStringView platform, bool compositingManager);

} // namespace API

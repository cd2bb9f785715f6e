#pragma once

#include <QtGlobal>

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

// Whether the windowing system can blend a window with what lies beneath it.
bool platformCanBlendWindows();

} // namespace API

#include "toolkit/FormSettings.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace toolkit {

void setBackColor(QWidget& window, QColor color) {
    QPalette palette = window.palette();
    palette.setColor(QPalette::Window, color);
    window.setPalette(palette);
}

void centreOnScreen(QWidget& window) {
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        window.move(screen->availableGeometry().center() - window.rect().center());
}

} // namespace toolkit

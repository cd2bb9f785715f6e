#include "toolkit/Click.h"

#include <QMouseEvent>
#include <QWidget>

namespace toolkit {

bool completesClick(const QMouseEvent& release, const QWidget& control) {
    const bool clickButton =
        release.button() == Qt::LeftButton || release.button() == Qt::RightButton;
    return clickButton && control.rect().contains(release.position().toPoint());
}

} // namespace toolkit

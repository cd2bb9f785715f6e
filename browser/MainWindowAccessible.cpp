#include "browser/MainWindowAccessible.h"

#include "browser/FindBar.h"
#include "browser/frmMain.h"
#include "toolkit/Accessibility.h"
#include "toolkit/Line.h"
#include "toolkit/Shape.h"

#include <QAccessibleWidget>
#include <algorithm>

namespace {

class MainWindowAccessible : public toolkit::ListedWidgetsAccessible<QAccessibleWidget> {
public:
    explicit MainWindowAccessible(QWidget* window)
        : ListedWidgetsAccessible(window, QAccessible::Window) {}

    // Laid out behind the splash, the window is not yet there for a listener.
    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        if (widget()->testAttribute(Qt::WA_DontShowOnScreen))
            state.invisible = true;
        return state;
    }

private:
    // In reading order, top to bottom and left to right: the stacking order
    // of the window's children says nothing to a listener.
    QWidgetList listed() const override {
        QWidgetList children;
        for (QObject* object : widget()->children()) {
            auto* control = qobject_cast<QWidget*>(object);
            if (control && !control->isWindow() && !control->isHidden() &&
                !qobject_cast<toolkit::Shape*>(control) && !qobject_cast<toolkit::Line*>(control))
                children << control;
        }
        std::stable_sort(children.begin(), children.end(), [](QWidget* a, QWidget* b) {
            return std::pair(a->y(), a->x()) < std::pair(b->y(), b->x());
        });
        return children;
    }
};

// A QFrame would be announced as a border, which reads as a window of its own.
QAccessibleInterface* accessibleFor(const QString& className, QObject* object) {
    if (className == QLatin1String(frmMain::staticMetaObject.className()))
        return new MainWindowAccessible(static_cast<QWidget*>(object));
    if (className == QLatin1String(FindBar::staticMetaObject.className()))
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::ToolBar);
    return nullptr;
}

} // namespace

void installMainWindowAccessibility() {
    toolkit::installFactoryOnce(&accessibleFor);
}

#pragma once

#include <QAccessible>
#include <QWidget>

namespace toolkit {

// An accessible whose children are the widgets it chooses (listed()), in its
// order, rather than its object's children.
template <typename Base> class ListedWidgetsAccessible : public Base {
public:
    using Base::Base;

    int childCount() const override { return int(listed().size()); }
    QAccessibleInterface* child(int index) const override {
        const QWidgetList widgets = listed();
        return index >= 0 && index < widgets.size()
                   ? QAccessible::queryAccessibleInterface(widgets.at(index))
                   : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        return child ? int(listed().indexOf(qobject_cast<QWidget*>(child->object()))) : -1;
    }

protected:
    virtual QWidgetList listed() const = 0;
};

// Installs an accessibility factory the first time it is asked for; later
// calls with the same factory do nothing, so every control can ask.
void installFactoryOnce(QAccessible::InterfaceFactory factory);

// Lets screen readers meet the toolkit's controls as what they do: an image
// whose clicks are listened to as a push button named by its tool tip, with a
// press action that clicks it; the progress bar with its value in its own
// units. The controls call it themselves; later calls do nothing.
void installAccessibility();

} // namespace toolkit

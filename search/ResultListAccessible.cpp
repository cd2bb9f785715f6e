#include "search/ResultListAccessible.h"

#include "toolkit/Accessibility.h"

#include <QAccessibleWidget>
#include <QListWidget>
#include <QPointer>

namespace {

class ResultAccessible : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    ResultAccessible(QListWidget* list, int row) : list_(list), row_(row) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this)
                                                    : nullptr;
    }
    bool isValid() const override { return item(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return list_ ? list_->window()->windowHandle() : nullptr; }
    QAccessibleInterface* parent() const override {
        return QAccessible::queryAccessibleInterface(list_);
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QString text(QAccessible::Text t) const override {
        return t == QAccessible::Name && item() ? item()->text() : QString();
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override {
        if (!item())
            return {};
        const QRect place = list_->visualItemRect(item());
        return {list_->viewport()->mapToGlobal(place.topLeft()), place.size()};
    }
    QAccessible::Role role() const override { return QAccessible::ListItem; }
    QAccessible::State state() const override {
        QAccessible::State state;
        state.selectable = state.focusable = true;
        state.selected = item() && item()->isSelected();
        state.focused = list_ && list_->hasFocus() && list_->currentRow() == row_;
        return state;
    }

    QStringList actionNames() const override { return {pressAction()}; }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }
    QString localizedActionDescription(const QString& name) const override {
        return name == pressAction() ? QStringLiteral("Отваря темата в енциклопедията") : QString();
    }
    // As a double-click does, through the event loop: the page opens in
    // another window, which must not hold up the screen reader that asked.
    void doAction(const QString& name) override {
        if (name != pressAction() || !item())
            return;
        list_->setCurrentRow(row_);
        QMetaObject::invokeMethod(
            list_.data(),
            [list = list_, row = row_] {
                if (list && list->item(row))
                    emit list->itemDoubleClicked(list->item(row));
            },
            Qt::QueuedConnection);
    }

private:
    QListWidgetItem* item() const { return list_ ? list_->item(row_) : nullptr; }

    QPointer<QListWidget> list_;
    int row_;
};

// The items are the list's rows, one screen-reader object each for as long as
// the row is there, so that a reader's focus on a row stays that row's.
class ResultListAccessible : public QAccessibleWidget {
public:
    explicit ResultListAccessible(QListWidget* list) : QAccessibleWidget(list, QAccessible::List) {}
    ~ResultListAccessible() override { resize(0); }

    int childCount() const override { return list()->count(); }
    QAccessibleInterface* child(int index) const override {
        resize(list()->count());
        return items_.value(index);
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        return int(items_.indexOf(const_cast<QAccessibleInterface*>(child)));
    }

private:
    QListWidget* list() const { return static_cast<QListWidget*>(widget()); }

    void resize(int count) const {
        while (items_.size() > count)
            QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(items_.takeLast()));
        while (items_.size() < count) {
            items_ << new ResultAccessible(list(), int(items_.size()));
            QAccessible::registerAccessibleInterface(items_.last());
        }
    }

    mutable QList<QAccessibleInterface*> items_;
};

// The page listing is a list too, but never seen and opens nothing.
QAccessibleInterface* accessibleFor(const QString& className, QObject* object) {
    if (className == QLatin1String(QListWidget::staticMetaObject.className()) &&
        !object->inherits("toolkit::FileList"))
        return new ResultListAccessible(static_cast<QListWidget*>(object));
    return nullptr;
}

} // namespace

void installResultListAccessibility() {
    toolkit::installFactoryOnce(&accessibleFor);
}

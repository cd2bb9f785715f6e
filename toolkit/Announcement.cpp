#include "toolkit/Announcement.h"

#include <QAccessibleObject>
#include <QTimer>
#include <QWidget>

namespace toolkit {

namespace {

// A notification that no one sees, shown once: screen readers say a
// notification when it shows. Each announcement has its own, for a reader
// asks for the text only later, when an announcement may have followed.
class Notice : public QAccessibleObject {
public:
    Notice(QObject* anchor, QString text) : QAccessibleObject(anchor), text_(std::move(text)) {}

    QWindow* window() const override { return owner()->windowHandle(); }
    QAccessibleInterface* parent() const override {
        return QAccessible::queryAccessibleInterface(owner());
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QString text(QAccessible::Text t) const override {
        return t == QAccessible::Name ? text_ : QString();
    }
    QAccessible::Role role() const override { return QAccessible::Notification; }
    QAccessible::State state() const override {
        QAccessible::State state;
        state.invisible = true;
        return state;
    }

private:
    QWidget* owner() const { return static_cast<QWidget*>(object()->parent()); }

    QString text_;
};

// Long enough for a reader busy with what came before to ask for the text.
constexpr int noticeLifeMs = 60'000;

} // namespace

void announce(QWidget* window, const QString& text) {
    if (!QAccessible::isActive() || !window)
        return;
    auto* anchor = new QObject(window->window());
    auto* notice = new Notice(anchor, text);
    QAccessible::registerAccessibleInterface(notice);
    QAccessibleEvent shown(notice, QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&shown);
    QTimer::singleShot(noticeLifeMs, anchor, &QObject::deleteLater);
}

} // namespace toolkit

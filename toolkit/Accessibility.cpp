#include "toolkit/Accessibility.h"

#include "toolkit/Image.h"
#include "toolkit/ProgressBar.h"

#include <QAccessibleWidget>
#include <QLocale>
#include <QSet>

namespace toolkit {

namespace {

class ImageAccessible : public QAccessibleWidget {
public:
    explicit ImageAccessible(Image* image) : QAccessibleWidget(image) {}

    QAccessible::Role role() const override {
        return image()->isButton() ? QAccessible::PushButton : QAccessible::Graphic;
    }

    // The tool tip is the name; repeated as a description it would be read twice.
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name && image()->accessibleName().isEmpty())
            return image()->toolTip();
        if (t == QAccessible::Description)
            return image()->accessibleDescription();
        return QAccessibleWidget::text(t);
    }

    QStringList actionNames() const override {
        return image()->isButton() ? QStringList{pressAction()} : QStringList{};
    }

    // Through the event loop, as a click comes: a button that opens a menu or
    // a modal window must not hold up the screen reader that pressed it.
    void doAction(const QString& name) override {
        if (name == pressAction() && image()->isButton())
            QMetaObject::invokeMethod(image(), &Image::clicked, Qt::QueuedConnection);
    }

    QStringList keyBindingsForAction(const QString&) const override { return {}; }

private:
    Image* image() const { return static_cast<Image*>(widget()); }
};

// The underlying bar counts in tenths; a screen reader gets the bar's own units.
class ProgressBarAccessible : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit ProgressBarAccessible(ProgressBar* bar)
        : QAccessibleWidget(bar, QAccessible::ProgressBar) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::ValueInterface)
            return static_cast<QAccessibleValueInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QString text(QAccessible::Text t) const override {
        if (t != QAccessible::Value)
            return QAccessibleWidget::text(t);
        const float span = bar()->Max() - bar()->Min();
        const float done = span > 0 ? (bar()->Value() - bar()->Min()) / span : 0;
        return QLocale().toString(qRound(100 * done)) + QStringLiteral(" %");
    }

    QVariant currentValue() const override { return double(bar()->Value()); }
    void setCurrentValue(const QVariant&) override {} // only the search moves it
    QVariant maximumValue() const override { return double(bar()->Max()); }
    QVariant minimumValue() const override { return double(bar()->Min()); }
    QVariant minimumStepSize() const override { return 0.0; }

private:
    ProgressBar* bar() const { return static_cast<ProgressBar*>(widget()); }
};

QAccessibleInterface* accessibleFor(const QString& className, QObject* object) {
    if (className == QLatin1String(Image::staticMetaObject.className()))
        return new ImageAccessible(static_cast<Image*>(object));
    if (className == QLatin1String(ProgressBar::staticMetaObject.className()))
        return new ProgressBarAccessible(static_cast<ProgressBar*>(object));
    return nullptr;
}

} // namespace

void installFactoryOnce(QAccessible::InterfaceFactory factory) {
    static QSet<QAccessible::InterfaceFactory> installed;
    if (!installed.contains(factory)) {
        installed.insert(factory);
        QAccessible::installFactory(factory);
    }
}

void installAccessibility() {
    installFactoryOnce(&accessibleFor);
}

} // namespace toolkit

#include "toolkit/Accessibility.h"

#include "toolkit/Image.h"
#include "toolkit/ProgressBar.h"

#include <QAccessibleObject>
#include <QAccessibleWidget>
#include <QApplication>
#include <QLocale>
#include <QSet>
#include <algorithm>

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

// The program's windows that are on the screen: neither the web engine's
// offscreen drawing window nor a window laid out behind the splash.
class ApplicationAccessible : public ListedWidgetsAccessible<QAccessibleApplication> {
private:
    QWidgetList listed() const override {
        QWidgetList shown;
        for (QWidget* window : QApplication::topLevelWidgets())
            if (window->isVisible() && !window->testAttribute(Qt::WA_DontShowOnScreen))
                shown << window;
        // In the order they were made, whatever order Qt keeps them in.
        std::sort(shown.begin(), shown.end(),
                  [](QWidget* a, QWidget* b) { return a->winId() < b->winId(); });
        return shown;
    }
};

QAccessibleInterface* accessibleFor(const QString& className, QObject* object) {
    if (className == QLatin1String(QApplication::staticMetaObject.className()))
        return new ApplicationAccessible;
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
    static const bool installed = [] {
        installFactoryOnce(&accessibleFor);
        // The application may have been presented already, before this was installed.
        if (QAccessible::isActive() && qApp)
            QAccessible::deleteAccessibleInterface(
                QAccessible::uniqueId(QAccessible::queryAccessibleInterface(qApp)));
        return true;
    }();
    Q_UNUSED(installed);
}

} // namespace toolkit

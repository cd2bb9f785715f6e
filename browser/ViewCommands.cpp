#include "browser/ViewCommands.h"

#include "browser/FindBar.h"
#include "browser/PagePrinter.h"
#include "browser/PageZoom.h"

#include <QAction>
#include <QMenu>
#include <QWebEngineHistory>
#include <QWebEngineView>

ViewCommands::ViewCommands(QWebEngineView& view, FindBar& findBar, PageZoom& zoom,
                           PagePrinter& printer)
    : QObject(&view), view_(view) {
    QWebEngineView* v = &view;
    FindBar* bar = &findBar;
    back_ = add("pageBack", QStringLiteral("Назад"), {Qt::ALT | Qt::Key_Left});
    connect(back_, &QAction::triggered, v, &QWebEngineView::back);
    forward_ = add("pageForward", QStringLiteral("Напред"), {Qt::ALT | Qt::Key_Right});
    connect(forward_, &QAction::triggered, v, &QWebEngineView::forward);
    copy_ = add("pageCopy", QStringLiteral("Копирай"), {});
    connect(copy_, &QAction::triggered, v, [v] { v->triggerPageAction(QWebEnginePage::Copy); });
    selectAll_ = add("pageSelectAll", QStringLiteral("Избери всичко"), {});
    connect(selectAll_, &QAction::triggered, v,
            [v] { v->triggerPageAction(QWebEnginePage::SelectAll); });
    find_ = add("pageFind", QStringLiteral("Търсене в страницата…"), {Qt::CTRL | Qt::Key_F});
    connect(find_, &QAction::triggered, bar, &FindBar::open);
    print_ = add("pagePrint", QStringLiteral("Печат…"), {Qt::CTRL | Qt::Key_P});
    connect(print_, &QAction::triggered, &printer, &PagePrinter::print);
    // Keys without a menu entry.
    connect(add("findNext", {}, {Qt::Key_F3}), &QAction::triggered, bar, &FindBar::findNext);
    connect(add("findPrevious", {}, {Qt::SHIFT | Qt::Key_F3}), &QAction::triggered, bar,
            &FindBar::findPrevious);
    connect(add("findDismiss", {}, {Qt::Key_Escape}), &QAction::triggered, bar, &FindBar::dismiss);
    connect(add("zoomIn", {}, {Qt::CTRL | Qt::Key_Plus, Qt::CTRL | Qt::Key_Equal}),
            &QAction::triggered, &zoom, &PageZoom::zoomIn);
    connect(add("zoomOut", {}, {Qt::CTRL | Qt::Key_Minus}), &QAction::triggered, &zoom,
            &PageZoom::zoomOut);
    connect(add("zoomReset", {}, {Qt::CTRL | Qt::Key_0}), &QAction::triggered, &zoom,
            &PageZoom::reset);
    for (QAction* action : findChildren<QAction*>(QString(), Qt::FindDirectChildrenOnly))
        findBar.addAction(action);
    connect(&view, &QWebEngineView::urlChanged, this, &ViewCommands::followPage);
    connect(&view, &QWebEngineView::selectionChanged, this, &ViewCommands::followPage);
    connect(&view, &QWebEngineView::loadFinished, this, &ViewCommands::followPage);
    followPage();
}

QAction* ViewCommands::add(const char* name, const QString& text,
                           std::initializer_list<QKeyCombination> keys) {
    auto* action = new QAction(text, this);
    action->setObjectName(QLatin1String(name));
    QList<QKeySequence> sequences;
    for (const QKeyCombination key : keys)
        sequences << QKeySequence(key);
    action->setShortcuts(sequences);
    action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    view_.addAction(action);
    return action;
}

void ViewCommands::followPage() {
    back_->setEnabled(view_.history()->canGoBack());
    forward_->setEnabled(view_.history()->canGoForward());
    copy_->setEnabled(view_.hasSelection());
}

QMenu* ViewCommands::makeMenu(QWidget* parent, bool hasSelection) const {
    copy_->setEnabled(hasSelection);
    auto* menu = new QMenu(parent);
    menu->setObjectName(QStringLiteral("pageMenu"));
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->addActions({back_, forward_});
    menu->addSeparator();
    menu->addActions({copy_, selectAll_});
    menu->addSeparator();
    menu->addActions({find_, print_});
    return menu;
}

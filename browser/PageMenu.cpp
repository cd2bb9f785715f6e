#include "browser/PageMenu.h"

#include "browser/FindBar.h"
#include "browser/HtmlView.h"

#include <QMenu>
#include <QWebEngineHistory>

namespace {

template <typename Act>
void addEntry(QMenu* menu, const char* name, const QString& text, bool enabled, Act act) {
    QAction* entry = menu->addAction(text, act);
    entry->setObjectName(QLatin1String(name));
    entry->setEnabled(enabled);
}

} // namespace

QMenu* makePageMenu(HtmlView& view, bool hasSelection) {
    auto* menu = new QMenu(&view);
    menu->setObjectName(QStringLiteral("pageMenu"));
    menu->setAttribute(Qt::WA_DeleteOnClose);
    HtmlView* v = &view;
    addEntry(menu, "pageBack", QStringLiteral("Назад"), view.history()->canGoBack(),
             [v] { v->GoBack(); });
    addEntry(menu, "pageForward", QStringLiteral("Напред"), view.history()->canGoForward(),
             [v] { v->GoForward(); });
    menu->addSeparator();
    addEntry(menu, "pageCopy", QStringLiteral("Копирай"), hasSelection,
             [v] { v->triggerPageAction(QWebEnginePage::Copy); });
    addEntry(menu, "pageSelectAll", QStringLiteral("Избери всичко"), true,
             [v] { v->triggerPageAction(QWebEnginePage::SelectAll); });
    menu->addSeparator();
    addEntry(menu, "pageFind", QStringLiteral("Търсене в страницата…"), true,
             [v] { v->findBar().open(); });
    addEntry(menu, "pagePrint", QStringLiteral("Печат…"), true, [v] { v->printPage(); });
    return menu;
}

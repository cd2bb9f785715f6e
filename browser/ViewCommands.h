#pragma once

#include <QObject>

class FindBar;
class PagePrinter;
class PageZoom;
class QAction;
class QMenu;
class QWebEngineView;

// The HTML view's commands, one action each, which both its keys and its own
// right-click menu trigger. The keys act only while the view, or the find bar
// over it, has the focus; nothing else in the window has keys. Back, Forward
// and Copy are enabled only where they would do something.
class ViewCommands : public QObject {
    Q_OBJECT
public:
    ViewCommands(QWebEngineView& view, FindBar& findBar, PageZoom& zoom, PagePrinter& printer);

    // The menu in Bulgarian with only what works here, Copy as the selection
    // under the pointer allows; it deletes itself once closed.
    QMenu* makeMenu(QWidget* parent, bool hasSelection) const;

private:
    QAction* add(const char* name, const QString& text,
                 std::initializer_list<QKeyCombination> keys);
    void followPage();

    QWebEngineView& view_;
    QAction* back_;
    QAction* forward_;
    QAction* copy_;
    QAction* selectAll_;
    QAction* find_;
    QAction* print_;
};

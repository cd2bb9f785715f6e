#pragma once

#include "toolkit/TwipsGeometry.h"

#include <QPointer>
#include <QUrl>
#include <QWebEngineView>

class FindBar;
class PageFind;
class PageSource;
class PagePrinter;
class PageZoom;
class QLabel;
class ViewCommands;

// The main window's HTML view. It keeps the history of visited pages itself;
// the program only navigates, steps back and forward, and sizes it. It shows
// only what its page source serves, runs no page scripts, and comes back by
// itself when its render process dies. The reader finds in the page, zooms,
// prints and steps through the history with its keys and its own menu.
class HtmlView : public QWebEngineView, public toolkit::TwipsGeometry {
    Q_OBJECT
public:
    HtmlView(QWidget* parent, const PageSource& source);
    ~HtmlView() override;

    // Opens a page file path or a web address; returns before it has loaded.
    void Navigate(const QString& target);
    // Each returns false, and does nothing, when the history has no page in
    // that direction.
    bool GoBack();
    bool GoForward();

    // Highlights every occurrence of key once the page last navigated to has
    // loaded; the highlight goes with another page or Escape.
    void highlightOnLoad(const QString& key);

    FindBar& findBar() const;
    PageZoom& zoom() const { return *zoom_; }

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void recoverFromCrash();
    void showEngineFailure();

    const PageSource& source_;
    int crashesSinceLoad_ = 0;
    QUrl navigatedTo_;
    PageFind* find_;
    QPointer<FindBar> findBar_;
    PageZoom* zoom_;
    PagePrinter* printer_;
    ViewCommands* commands_;
    // Said by the view itself when no renderer can show even a notice.
    QLabel* failure_;
};

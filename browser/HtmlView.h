#pragma once

#include "toolkit/TwipsGeometry.h"

#include <QWebEngineView>

class QWebEngineProfile;

// The main window's HTML view. It keeps the history of visited pages itself;
// the program only navigates, steps back and forward, and sizes it. It shows
// only what lies inside the Data folder or on the web, runs no page scripts,
// and comes back by itself when its render process dies.
class HtmlView : public QWebEngineView, public toolkit::TwipsGeometry {
    Q_OBJECT
public:
    HtmlView(QWidget* parent, const QString& dataFolder);
    ~HtmlView() override;

    // Opens a page file path or a web address; returns before it has loaded.
    void Navigate(const QString& target);
    // Each returns false, and does nothing, when the history has no page in
    // that direction.
    bool GoBack();
    bool GoForward();

private:
    void recoverFromCrash();

    QWebEngineProfile* profile_;
    int crashesSinceLoad_ = 0;
};

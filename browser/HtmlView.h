#pragma once

#include "TwipsGeometry.h"

#include <QWebEngineView>

class QWebEngineProfile;

// The main window's HTML view. It keeps the history of visited pages itself;
// the program only navigates, steps back and forward, and sizes it.
class HtmlView : public QWebEngineView, public toolkit::TwipsGeometry {
    Q_OBJECT
public:
    explicit HtmlView(QWidget* parent);
    ~HtmlView() override;

    // Opens a page file path or a web address; returns before it has loaded.
    void Navigate(const QString& target);
    // Each returns false, and does nothing, when the history has no page in
    // that direction.
    bool GoBack();
    bool GoForward();

private:
    QWebEngineProfile* profile_;
};

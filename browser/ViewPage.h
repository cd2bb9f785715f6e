#pragma once

#include <QWebEnginePage>

// The HTML view's page. A page opened by a file address is opened through the
// page scheme instead, which shows it only if it lies inside the Data folder;
// a frame gets no file address at all.
class ViewPage : public QWebEnginePage {
    Q_OBJECT
public:
    ViewPage(QWebEngineProfile* profile, QObject* parent) : QWebEnginePage(profile, parent) {}

protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override;
};

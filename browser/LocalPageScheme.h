#pragma once

#include <QUrl>
#include <QWebEngineUrlSchemeHandler>

// Serves the encyclopedia's local pages to the HTML view under a scheme of
// our own. Only files inside the Data folder are served; a missing page gets
// our short Bulgarian page instead of the engine's error page, and an address
// that leads out of the folder gets another. Either takes its place in the
// history like any page.
class LocalPageScheme : public QWebEngineUrlSchemeHandler {
    Q_OBJECT
public:
    static constexpr char name[] = "orvanta";

    // Must run before the application object exists.
    static void registerScheme();

    static QUrl urlForFile(const QString& path);

    LocalPageScheme(QObject* parent, QString dataFolder);

    void requestStarted(QWebEngineUrlRequestJob* job) override;

private:
    QString dataFolder_;
};

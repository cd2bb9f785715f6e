#pragma once

#include <QUrl>
#include <QWebEngineUrlSchemeHandler>

// Serves the encyclopedia's local pages to the HTML view under a scheme of
// our own, so that a missing page gets our short Bulgarian page instead of
// the engine's error page, and still takes its place in the history.
class LocalPageScheme : public QWebEngineUrlSchemeHandler {
    Q_OBJECT
public:
    static constexpr char name[] = "orvanta";

    // Must run before the application object exists.
    static void registerScheme();

    static QUrl urlForFile(const QString& path);

    explicit LocalPageScheme(QObject* parent) : QWebEngineUrlSchemeHandler(parent) {}

    void requestStarted(QWebEngineUrlRequestJob* job) override;
};

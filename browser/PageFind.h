#pragma once

#include <QObject>
#include <QString>
#include <QUrl>

class QWebEngineLoadingInfo;
class QWebEnginePage;

// The one find session of the HTML view's page, through the engine's own find,
// which ignores letter case, highlights every match in the page's visible
// text and scrolls to the active one. The find bar's text and the search key
// of a page opened from the search window's results share it. Another page
// ends it, with its highlight.
class PageFind : public QObject {
    Q_OBJECT
public:
    explicit PageFind(QWebEnginePage& page);

    const QString& text() const { return text_; }

    // The same text steps to the next or previous match; a new one is sought
    // from the last match found, or from the top of a page just opened. An
    // empty text ends the session.
    void find(const QString& text, bool backward = false);
    void stop();
    // Finds key once the page at url has loaded; asking again replaces the key.
    void findWhenLoaded(const QString& key, const QUrl& url);

signals:
    // What the page holds of text: no matches, or the active one (from 1) of all.
    void found(const QString& text, int matches, int active);

private:
    void loadingChanged(const QWebEngineLoadingInfo& load);

    QWebEnginePage& page_;
    QString text_;
    QString pendingKey_;
    QUrl pendingUrl_;
};

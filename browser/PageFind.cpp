#include "browser/PageFind.h"

#include <QWebEngineFindTextResult>
#include <QWebEnginePage>
#include <utility>

PageFind::PageFind(QWebEnginePage& page) : QObject(&page), page_(page) {
    connect(&page_, &QWebEnginePage::findTextFinished, this,
            [this](const QWebEngineFindTextResult& result) {
                emit found(text_, result.numberOfMatches(), result.activeMatch());
            });
    connect(&page_, &QWebEnginePage::loadStarted, this, &PageFind::stop);
    connect(&page_, &QWebEnginePage::loadFinished, this, &PageFind::pageLoaded);
}

void PageFind::find(const QString& text, bool backward) {
    text_ = text;
    page_.findText(text, backward ? QWebEnginePage::FindBackward : QWebEnginePage::FindFlags());
}

void PageFind::stop() {
    find(QString());
}

void PageFind::findWhenLoaded(const QString& key, const QUrl& url) {
    pendingKey_ = key;
    pendingUrl_ = url;
}

// A load that ends on another address belongs to an earlier request.
void PageFind::pageLoaded(bool ok) {
    if (pendingUrl_.isEmpty() || page_.url() != pendingUrl_)
        return;
    pendingUrl_.clear();
    const QString key = std::exchange(pendingKey_, QString());
    if (ok)
        find(key);
}

#include "browser/PageFind.h"

#include <QWebEngineFindTextResult>
#include <QWebEngineLoadingInfo>
#include <QWebEnginePage>
#include <utility>

PageFind::PageFind(QWebEnginePage& page) : QObject(&page), page_(page) {
    connect(&page_, &QWebEnginePage::findTextFinished, this,
            [this](const QWebEngineFindTextResult& result) {
                emit found(text_, result.numberOfMatches(), result.activeMatch());
            });
    connect(&page_, &QWebEnginePage::loadingChanged, this, &PageFind::loadingChanged);
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

// Each load says which address it is for: the end of an earlier page's load
// can come after the view has been asked for the next.
void PageFind::loadingChanged(const QWebEngineLoadingInfo& load) {
    if (load.status() == QWebEngineLoadingInfo::LoadStartedStatus) {
        stop();
        return;
    }
    if (pendingUrl_.isEmpty() || load.url() != pendingUrl_)
        return;
    pendingUrl_.clear();
    const QString key = std::exchange(pendingKey_, QString());
    if (load.status() == QWebEngineLoadingInfo::LoadSucceededStatus)
        find(key);
}

#include "browser/ViewPage.h"

#include "browser/LocalPageScheme.h"

#include <QTimer>

bool ViewPage::acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) {
    if (!url.isLocalFile())
        return QWebEnginePage::acceptNavigationRequest(url, type, isMainFrame);
    if (isMainFrame) {
        const QUrl local = LocalPageScheme::urlForFile(url.toLocalFile());
        // Not from inside the request: the engine is still deciding on this one.
        QTimer::singleShot(0, this, [this, local] { setUrl(local); });
    }
    return false;
}

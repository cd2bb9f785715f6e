#include "HtmlView.h"

#include "LocalPageScheme.h"

#include <QUrl>
#include <QWebEngineHistory>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineSettings>

HtmlView::HtmlView(QWidget* parent)
    : QWebEngineView(parent), TwipsGeometry(static_cast<QWidget&>(*this)),
      // A profile without a storage name is off the record: nothing reaches the disk.
      profile_(new QWebEngineProfile(this)) {
    profile_->setHttpCacheType(QWebEngineProfile::MemoryHttpCache);
    profile_->setPersistentCookiesPolicy(QWebEngineProfile::NoPersistentCookies);
    profile_->installUrlSchemeHandler(LocalPageScheme::name, new LocalPageScheme(profile_));
    // Pages that declare no charset were written in the Windows-1251 code page.
    profile_->settings()->setDefaultTextEncoding(QStringLiteral("windows-1251"));
    setPage(new QWebEnginePage(profile_, this));
}

HtmlView::~HtmlView() {
    // The page must go before the profile it was made with.
    delete page();
}

void HtmlView::Navigate(const QString& target) {
    const QUrl url(target);
    if (url.isLocalFile())
        setUrl(LocalPageScheme::urlForFile(url.toLocalFile()));
    else if (url.scheme().size() > 1) // a one-letter "scheme" is a drive letter
        setUrl(url);
    else
        setUrl(LocalPageScheme::urlForFile(target));
}

bool HtmlView::GoBack() {
    if (!history()->canGoBack())
        return false;
    back();
    return true;
}

bool HtmlView::GoForward() {
    if (!history()->canGoForward())
        return false;
    forward();
    return true;
}

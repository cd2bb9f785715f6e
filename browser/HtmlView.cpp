#include "browser/HtmlView.h"

#include "browser/LocalPageScheme.h"
#include "browser/NoticePages.h"
#include "browser/ViewPage.h"

#include <QTimer>
#include <QUrl>
#include <QWebEngineHistory>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <QWebEngineUrlRequestInterceptor>

namespace {

// No resource of any page comes from a file address.
class FileRequestBlocker : public QWebEngineUrlRequestInterceptor {
public:
    using QWebEngineUrlRequestInterceptor::QWebEngineUrlRequestInterceptor;
    void interceptRequest(QWebEngineUrlRequestInfo& info) override {
        if (info.requestUrl().isLocalFile())
            info.block(true);
    }
};

// A page that kills its renderer at once would otherwise be reloaded forever.
constexpr int reloadsBeforeNotice = 2;

} // namespace

HtmlView::HtmlView(QWidget* parent, const QString& dataFolder)
    : QWebEngineView(parent), TwipsGeometry(static_cast<QWidget&>(*this)),
      // A profile without a storage name is off the record: nothing reaches the disk.
      profile_(new QWebEngineProfile(this)) {
    profile_->setHttpCacheType(QWebEngineProfile::MemoryHttpCache);
    profile_->setPersistentCookiesPolicy(QWebEngineProfile::NoPersistentCookies);
    profile_->installUrlSchemeHandler(LocalPageScheme::name,
                                      new LocalPageScheme(profile_, dataFolder));
    profile_->setUrlRequestInterceptor(new FileRequestBlocker(profile_));
    QWebEngineSettings* settings = profile_->settings();
    // Pages that declare no charset were written in the Windows-1251 code page.
    settings->setDefaultTextEncoding(QStringLiteral("windows-1251"));
    // Our calls into a page run in the application's own script world, which this leaves on.
    settings->setAttribute(QWebEngineSettings::JavascriptEnabled, false);
    settings->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, false);
    settings->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, false);
    auto* page = new ViewPage(profile_, this);
    setPage(page);
    connect(page, &QWebEnginePage::loadFinished, this, [this](bool ok) {
        if (ok)
            crashesSinceLoad_ = 0;
    });
    connect(page, &QWebEnginePage::renderProcessTerminated, this,
            [this](QWebEnginePage::RenderProcessTerminationStatus status) {
                if (status != QWebEnginePage::NormalTerminationStatus)
                    QTimer::singleShot(0, this, &HtmlView::recoverFromCrash);
            });
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

void HtmlView::recoverFromCrash() {
    if (++crashesSinceLoad_ <= reloadsBeforeNotice)
        reload();
    else
        setHtml(QString::fromUtf8(brokenPageHtml()));
}

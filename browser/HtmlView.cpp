#include "browser/HtmlView.h"

#include "browser/FindBar.h"
#include "browser/LocalPageScheme.h"
#include "browser/NoticePages.h"
#include "browser/PageFind.h"
#include "browser/PageMenu.h"
#include "browser/PagePrinter.h"
#include "browser/PageZoom.h"
#include "browser/ViewKeys.h"
#include "browser/ViewPage.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QTimer>
#include <QUrl>
#include <QWebEngineContextMenuRequest>
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
    // Screen readers meet the view between the window and the page's own document.
    setAccessibleName(QStringLiteral("Страница"));
    find_ = new PageFind(*page);
    findBar_ = new FindBar(*this, *find_);
    zoom_ = new PageZoom(*this);
    printer_ = new PagePrinter(*this);
    addViewKeys(*this);
}

HtmlView::~HtmlView() {
    // The bar lives beside the view and finds in its page; the window may have
    // deleted it already, for raising the view puts it last among its children.
    delete findBar_.data();
    // The page must go before the profile it was made with.
    delete page();
}

void HtmlView::Navigate(const QString& target) {
    const QUrl url(target);
    if (url.isLocalFile())
        navigatedTo_ = LocalPageScheme::urlForFile(url.toLocalFile());
    else if (url.scheme().size() > 1) // a one-letter "scheme" is a drive letter
        navigatedTo_ = url;
    else
        navigatedTo_ = LocalPageScheme::urlForFile(target);
    setUrl(navigatedTo_);
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

void HtmlView::highlightOnLoad(const QString& key) {
    findBar_->setText(key);
    find_->findWhenLoaded(key, navigatedTo_);
}

FindBar& HtmlView::findBar() const {
    return *findBar_;
}

void HtmlView::printPage() {
    printer_->print();
}

// Chromium tells what lies under the pointer; a menu asked for by Qt alone
// has no request behind it.
void HtmlView::contextMenuEvent(QContextMenuEvent* event) {
    const QWebEngineContextMenuRequest* request = lastContextMenuRequest();
    const bool selection = request ? !request->selectedText().isEmpty() : hasSelection();
    makePageMenu(*this, selection)->popup(event->globalPos());
}

void HtmlView::recoverFromCrash() {
    if (++crashesSinceLoad_ <= reloadsBeforeNotice)
        reload();
    else
        setHtml(QString::fromUtf8(brokenPageHtml()));
}

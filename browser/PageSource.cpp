#include "browser/PageSource.h"

#include "browser/NoticePages.h"
#include "catalogue/PageFiles.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QTimer>
#include <QWebEngineDownloadRequest>
#include <QWebEngineLoadingInfo>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <QWebEngineUrlRequestInterceptor>
#include <QWebEngineUrlRequestJob>
#include <QWebEngineUrlScheme>
#include <QWebEngineUrlSchemeHandler>

#include <utility>

namespace {

constexpr char scheme[] = "orvanta";
// Where a file path outside the Data folder leads: a notice, not the file.
const QUrl outsideAddress(QStringLiteral("orvanta:outside"));

void replyWith(QWebEngineUrlRequestJob* job, const QByteArray& html) {
    auto* page = new QBuffer(job);
    page->setData(html);
    page->open(QIODevice::ReadOnly);
    job->reply("text/html", page);
}

// Serves "orvanta:/<path inside Data>". A missing or unreadable page gets our
// short Bulgarian page instead of the engine's error page, and an address that
// leads out of the folder gets another; either takes its place in the history.
class DataScheme : public QWebEngineUrlSchemeHandler {
public:
    DataScheme(const QString& dataFolder, QObject* parent)
        : QWebEngineUrlSchemeHandler(parent), dataFolder_(dataFolder) {}

    void requestStarted(QWebEngineUrlRequestJob* job) override {
        const QUrl url = job->requestUrl();
        const QString path = url.path(QUrl::FullyDecoded);
        if (!url.host().isEmpty() || !path.startsWith(u'/')) {
            replyWith(job, outsidePageHtml());
            return;
        }
        catalogue::OpenedPage page = catalogue::openPage(dataFolder_, path);
        const QString mime =
            QMimeDatabase().mimeTypeForFile(path, QMimeDatabase::MatchExtension).name();
        // Only what the view shows itself: anything else would become a download.
        const bool viewable = mime.startsWith(u"text/") || mime.startsWith(u"image/");
        const catalogue::PageStatus status = page.status();
        switch (status == catalogue::PageStatus::Found && !viewable
                    ? catalogue::PageStatus::Unreadable
                    : status) {
        case catalogue::PageStatus::Found: {
            auto* file = new QFile(job);
            file->open(page.takeDescriptor(), QIODevice::ReadOnly, QFileDevice::AutoCloseHandle);
            job->reply(mime.toLatin1(), file);
            return;
        }
        case catalogue::PageStatus::Missing:
            replyWith(job, missingPageHtml(path));
            return;
        case catalogue::PageStatus::Unreadable:
            replyWith(job, unreadablePageHtml(path));
            return;
        case catalogue::PageStatus::Outside:
            replyWith(job, outsidePageHtml());
            return;
        }
    }

private:
    QString dataFolder_;
};

// No resource of any page comes from a file address.
class FileRequestBlocker : public QWebEngineUrlRequestInterceptor {
public:
    using QWebEngineUrlRequestInterceptor::QWebEngineUrlRequestInterceptor;
    void interceptRequest(QWebEngineUrlRequestInfo& info) override {
        if (info.requestUrl().isLocalFile())
            info.block(true);
    }
};

// A page opened by a file address is opened through the page scheme instead,
// which shows it only if it lies inside the Data folder; a frame gets no file
// address at all.
class PolicyPage : public QWebEnginePage {
public:
    PolicyPage(const PageSource& source, QWebEngineProfile* profile, QObject* parent)
        : QWebEnginePage(profile, parent), source_(source) {
        connect(this, &QWebEnginePage::loadingChanged, this, &PolicyPage::noticeUnreachable);
    }

protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override {
        if (!url.isLocalFile())
            return QWebEnginePage::acceptNavigationRequest(url, type, isMainFrame);
        if (isMainFrame) {
            const QUrl address = source_.addressOf(url.toLocalFile());
            // Not from inside the request: the engine is still deciding on this one.
            QTimer::singleShot(0, this, [this, address] { setUrl(address); });
        }
        return false;
    }

private:
    // The engine's own error page needs page scripts, which are off: a site that
    // cannot be reached gets our notice in its place, a history entry like any page.
    void noticeUnreachable(const QWebEngineLoadingInfo& load) {
        const QUrl url = load.url();
        const bool web = url.scheme() == u"http" || url.scheme() == u"https";
        constexpr int aborted = -3; // a load the reader or the program replaced
        if (web && load.status() == QWebEngineLoadingInfo::LoadFailedStatus &&
            load.errorCode() != aborted)
            setHtml(QString::fromUtf8(unreachableSiteHtml(url)), url);
    }

    const PageSource& source_;
};

// Before the first profile exists, or the engine does not take the scheme.
void registerSchemeOnce() {
    static bool registered = false;
    if (std::exchange(registered, true))
        return;
    QWebEngineUrlScheme pageScheme(scheme);
    pageScheme.setSyntax(QWebEngineUrlScheme::Syntax::Path);
    // Local: remote pages may not link here. Local access lets our pages load
    // their own pictures and stylesheet; file addresses stay barred.
    pageScheme.setFlags(QWebEngineUrlScheme::LocalScheme | QWebEngineUrlScheme::LocalAccessAllowed);
    QWebEngineUrlScheme::registerScheme(pageScheme);
}

} // namespace

PageSource::PageSource(QString dataFolder, QObject* parent)
    : QObject(parent), dataFolder_(std::move(dataFolder)),
      // A profile without a storage name is off the record: nothing reaches the disk.
      profile_((registerSchemeOnce(), new QWebEngineProfile(this))) {
    profile_->setHttpCacheType(QWebEngineProfile::MemoryHttpCache);
    profile_->setPersistentCookiesPolicy(QWebEngineProfile::NoPersistentCookies);
    profile_->installUrlSchemeHandler(scheme, new DataScheme(dataFolder_, profile_));
    profile_->setUrlRequestInterceptor(new FileRequestBlocker(profile_));
    // An offline reader saves nothing and hands nothing to other programs.
    connect(profile_, &QWebEngineProfile::downloadRequested, profile_,
            [](QWebEngineDownloadRequest* download) { download->cancel(); });
    QWebEngineSettings* settings = profile_->settings();
    settings->setUnknownUrlSchemePolicy(QWebEngineSettings::DisallowUnknownUrlSchemes);
    // Without the engine's error page a failed load leaves no entry of its own in the
    // history, only the notice that takes its place.
    settings->setAttribute(QWebEngineSettings::ErrorPageEnabled, false);
    // Pages that declare no charset were written in the Windows-1251 code page.
    settings->setDefaultTextEncoding(QStringLiteral("windows-1251"));
    // Our calls into a page run in the application's own script world, which this leaves on.
    settings->setAttribute(QWebEngineSettings::JavascriptEnabled, false);
    settings->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, false);
    settings->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, false);
}

PageSource::~PageSource() = default;

QWebEnginePage* PageSource::newPage(QObject* parent) const {
    return new PolicyPage(*this, profile_, parent);
}

QUrl PageSource::addressOf(const QString& target) const {
    const QUrl url(target);
    if (url.isLocalFile())
        return addressOfFile(url.toLocalFile());
    if (url.scheme().size() > 1) // a one-letter "scheme" is a drive letter
        return url;
    return addressOfFile(target);
}

QUrl PageSource::addressOfFile(const QString& path) const {
    const QString absolute = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    for (const QString& root : {QDir::cleanPath(QFileInfo(dataFolder_).absoluteFilePath()),
                                QFileInfo(dataFolder_).canonicalFilePath()}) {
        if (!root.isEmpty() && absolute.startsWith(root + u'/')) {
            QUrl address;
            address.setScheme(QString::fromLatin1(scheme));
            address.setPath(absolute.mid(root.size()));
            return address;
        }
    }
    return outsideAddress;
}

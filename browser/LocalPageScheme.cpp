#include "browser/LocalPageScheme.h"

#include "browser/NoticePages.h"
#include "catalogue/PageFiles.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QWebEngineUrlRequestJob>
#include <QWebEngineUrlScheme>

namespace {

void replyWith(QWebEngineUrlRequestJob* job, const QByteArray& html) {
    auto* page = new QBuffer(job);
    page->setData(html);
    page->open(QIODevice::ReadOnly);
    job->reply("text/html", page);
}

// A path that would lie inside the folder if it existed, judged on its text.
bool namesInside(const QString& folder, const QString& path) {
    const QString root = QDir::cleanPath(QFileInfo(folder).canonicalFilePath()) + u'/';
    return root.size() > 1 && QDir::cleanPath(path).startsWith(root);
}

} // namespace

void LocalPageScheme::registerScheme() {
    QWebEngineUrlScheme scheme(name);
    scheme.setSyntax(QWebEngineUrlScheme::Syntax::Path);
    // Local: remote pages may not link here. Local access lets our pages load
    // their own pictures and stylesheet; file addresses stay barred by the view.
    scheme.setFlags(QWebEngineUrlScheme::LocalScheme | QWebEngineUrlScheme::LocalAccessAllowed);
    QWebEngineUrlScheme::registerScheme(scheme);
}

QUrl LocalPageScheme::urlForFile(const QString& path) {
    QUrl url;
    url.setScheme(QString::fromLatin1(name));
    url.setPath(QFileInfo(path).absoluteFilePath());
    return url;
}

LocalPageScheme::LocalPageScheme(QObject* parent, QString dataFolder)
    : QWebEngineUrlSchemeHandler(parent), dataFolder_(std::move(dataFolder)) {}

// The decoded path is resolved (dots, escapes, symbolic links) before the
// check, and an address with a host part names no file of ours.
void LocalPageScheme::requestStarted(QWebEngineUrlRequestJob* job) {
    const QUrl url = job->requestUrl();
    const QString path = url.path(QUrl::FullyDecoded);
    const QFileInfo info(path);
    if (!url.host().isEmpty() || !info.isAbsolute()) {
        replyWith(job, outsidePageHtml());
        return;
    }
    if (catalogue::liesInside(dataFolder_, path)) {
        auto* file = new QFile(info.canonicalFilePath(), job);
        if (info.isFile() && file->open(QIODevice::ReadOnly)) {
            const QByteArray mime = QMimeDatabase().mimeTypeForFile(info).name().toLatin1();
            job->reply(mime, file);
            return;
        }
        delete file;
        replyWith(job, missingPageHtml(path));
        return;
    }
    replyWith(job, namesInside(dataFolder_, path) && !info.exists() ? missingPageHtml(path)
                                                                    : outsidePageHtml());
}

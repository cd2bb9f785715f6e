#include "LocalPageScheme.h"

#include "MissingPage.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QWebEngineUrlRequestJob>
#include <QWebEngineUrlScheme>

void LocalPageScheme::registerScheme() {
    QWebEngineUrlScheme scheme(name);
    scheme.setSyntax(QWebEngineUrlScheme::Syntax::Path);
    scheme.setFlags(QWebEngineUrlScheme::LocalScheme | QWebEngineUrlScheme::LocalAccessAllowed);
    QWebEngineUrlScheme::registerScheme(scheme);
}

QUrl LocalPageScheme::urlForFile(const QString& path) {
    QUrl url;
    url.setScheme(QString::fromLatin1(name));
    url.setPath(QFileInfo(path).absoluteFilePath());
    return url;
}

void LocalPageScheme::requestStarted(QWebEngineUrlRequestJob* job) {
    const QString path = job->requestUrl().path();
    const QFileInfo info(path);
    auto* file = new QFile(path, job);
    if (info.isFile() && file->open(QIODevice::ReadOnly)) {
        const QByteArray mime = QMimeDatabase().mimeTypeForFile(info).name().toLatin1();
        job->reply(mime, file);
        return;
    }
    delete file;
    auto* page = new QBuffer(job);
    page->setData(missingPageHtml(path));
    page->open(QIODevice::ReadOnly);
    job->reply("text/html", page);
}

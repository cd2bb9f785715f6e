// Reference: a minimal web view of the reader's geometry whose button opens a
// menu of pages of a Data folder, shown through file: addresses or through a
// custom scheme whose handler answers each request with the file, as the
// engine's own examples do.
// Usage: switcher file|scheme DATA STEM...
#include <QApplication>
#include <QFile>
#include <QMenu>
#include <QMimeDatabase>
#include <QToolButton>
#include <QUrl>
#include <QWebEngineProfile>
#include <QWebEngineUrlRequestJob>
#include <QWebEngineUrlScheme>
#include <QWebEngineUrlSchemeHandler>
#include <QWebEngineView>
#include <QWidget>

namespace {

class FolderScheme : public QWebEngineUrlSchemeHandler {
public:
    FolderScheme(QString folder, QObject* parent)
        : QWebEngineUrlSchemeHandler(parent), folder_(std::move(folder)) {}

    void requestStarted(QWebEngineUrlRequestJob* job) override {
        const QString path = folder_ + job->requestUrl().path();
        auto* file = new QFile(path, job);
        if (!file->open(QIODevice::ReadOnly)) {
            job->fail(QWebEngineUrlRequestJob::UrlNotFound);
            return;
        }
        job->reply(
            QMimeDatabase().mimeTypeForFile(path, QMimeDatabase::MatchExtension).name().toLatin1(),
            file);
    }

private:
    QString folder_;
};

} // namespace

int main(int argc, char** argv) {
    if (argc < 4)
        return 2;
    const bool viaScheme = qstrcmp(argv[1], "scheme") == 0;
    if (viaScheme) {
        QWebEngineUrlScheme scheme("ref");
        scheme.setSyntax(QWebEngineUrlScheme::Syntax::Path);
        scheme.setFlags(QWebEngineUrlScheme::LocalScheme | QWebEngineUrlScheme::LocalAccessAllowed);
        QWebEngineUrlScheme::registerScheme(scheme);
    }
    QApplication app(argc, argv);
    const QString data = QString::fromLocal8Bit(argv[2]);
    if (viaScheme)
        QWebEngineProfile::defaultProfile()->installUrlSchemeHandler("ref",
                                                                     new FolderScheme(data, &app));
    auto address = [&](const QString& stem) {
        return viaScheme ? QUrl(QStringLiteral("ref:/") + stem + QStringLiteral(".htm"))
                         : QUrl::fromLocalFile(data + u'/' + stem + QStringLiteral(".htm"));
    };

    // The reader's window: a 32-pixel button at (312, 8), the view at (8, 56).
    QWidget window;
    window.resize(728, 518);
    auto* view = new QWebEngineView(&window);
    view->setGeometry(8, 56, 710, 449);
    auto* button = new QToolButton(&window);
    button->setGeometry(312, 8, 32, 32);
    auto* menu = new QMenu(&window);
    for (int i = 3; i < argc; ++i) {
        const QUrl url = address(QString::fromLocal8Bit(argv[i]));
        menu->addAction(QString::fromLocal8Bit(argv[i]), view, [view, url] { view->setUrl(url); });
    }
    QObject::connect(button, &QToolButton::clicked, menu, [menu] { menu->exec(QCursor::pos()); });
    view->setUrl(address(QStringLiteral("welcome")));
    window.show();
    return QApplication::exec();
}

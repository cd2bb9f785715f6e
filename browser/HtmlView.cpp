#include "browser/HtmlView.h"

#include "browser/FindBar.h"
#include "browser/NoticePages.h"
#include "browser/PageFind.h"
#include "browser/PagePrinter.h"
#include "browser/PageReader.h"
#include "browser/PageSource.h"
#include "browser/PageZoom.h"
#include "browser/ViewCommands.h"

#include <QContextMenuEvent>
#include <QLabel>
#include <QMenu>
#include <QTimer>
#include <QWebEngineContextMenuRequest>
#include <QWebEngineHistory>

namespace {

// A page that kills its renderer at once would otherwise be reloaded forever;
// after these reloads the notice is shown, and if even that fails, the view's own text.
constexpr int reloadsBeforeNotice = 2;

} // namespace

HtmlView::HtmlView(QWidget* parent, const PageSource& source)
    : QWebEngineView(parent), TwipsGeometry(static_cast<QWidget&>(*this)), source_(source) {
    QWebEnginePage* page = source.newPage(this);
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
    commands_ = new ViewCommands(*this, *findBar_, *zoom_, *printer_);
    new PageReader(*this);
    failure_ = new QLabel(QStringLiteral("<h2>Страницата не може да бъде показана</h2>"
                                         "<p>Частта, която рисува страниците, спира при всеки "
                                         "опит.</p><p>Натиснете „Начало“, за да опитате "
                                         "отново.</p>"),
                          this);
    failure_->setObjectName(QStringLiteral("engineFailure"));
    failure_->setAlignment(Qt::AlignCenter);
    failure_->setWordWrap(true);
    failure_->setAutoFillBackground(true);
    failure_->hide();
}

HtmlView::~HtmlView() {
    // The bar lives beside the view and finds in its page; the window may have
    // deleted it already, for raising the view puts it last among its children.
    delete findBar_.data();
}

void HtmlView::Navigate(const QString& target) {
    failure_->hide();
    navigatedTo_ = source_.addressOf(target);
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

// Chromium tells what lies under the pointer; a menu asked for by Qt alone
// has no request behind it.
void HtmlView::contextMenuEvent(QContextMenuEvent* event) {
    const QWebEngineContextMenuRequest* request = lastContextMenuRequest();
    const bool selection = request ? !request->selectedText().isEmpty() : hasSelection();
    commands_->makeMenu(this, selection)->popup(event->globalPos());
}

void HtmlView::resizeEvent(QResizeEvent* event) {
    QWebEngineView::resizeEvent(event);
    failure_->setGeometry(rect());
}

void HtmlView::recoverFromCrash() {
    ++crashesSinceLoad_;
    if (crashesSinceLoad_ <= reloadsBeforeNotice)
        reload();
    else if (crashesSinceLoad_ == reloadsBeforeNotice + 1)
        setHtml(QString::fromUtf8(brokenPageHtml()));
    else
        showEngineFailure();
}

// The notice needs a renderer too: once it has failed, nothing more is started
// until the reader asks for another page.
void HtmlView::showEngineFailure() {
    failure_->setGeometry(rect());
    failure_->raise();
    failure_->show();
}

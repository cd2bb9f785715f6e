#include "app/Program.h"

#include "app/frmAbout.h"
#include "browser/HtmlView.h"
#include "browser/MainWindowAccessible.h"
#include "browser/frmMain.h"
#include "search/frmSearch.h"

#include <QCoreApplication>
#include <QTimer>
#include <QWindow>

Program::Program(QString dataFolder) : pages_(std::move(dataFolder)) {}

Program::~Program() {
    delete search_;
    delete main_;
}

// Shown without reaching the screen: the view and the engine lay out and
// render the start page now, so that showing the window later only maps it.
void Program::warmUp() {
    frmMain& main = mainWindow();
    main.setAttribute(Qt::WA_DontShowOnScreen);
    main.show();
}

frmMain& Program::mainWindow() {
    if (!main_) {
        installMainWindowAccessibility();
        main_ = new frmMain(pages_);
        connect(main_, &frmMain::searchRequested, this, &Program::openSearch);
        connect(main_, &frmMain::aboutRequested, this, &Program::openAbout);
        connect(main_, &frmMain::exitRequested, this, &Program::exit);
    }
    return *main_;
}

void Program::showMainWindow() {
    frmMain& main = mainWindow();
    if (main.testAttribute(Qt::WA_DontShowOnScreen)) {
        main.hide();
        main.setAttribute(Qt::WA_DontShowOnScreen, false);
    }
    main.show();
}

void Program::ShowTopic(const QString& stem, const QString& key) {
    const bool created = !main_;
    mainWindow().showTopic(stem);
    main_->view().highlightOnLoad(key);
    if (created) {
        main_->show();
        // The user is still choosing among the results, so their window stays in front.
        if (search_) {
            search_->raise();
            search_->activateWindow();
        }
    }
}

// Not modal, without an owner; a second request shows the same window again.
void Program::openSearch() {
    if (!search_) {
        search_ = new frmSearch(pages_.dataFolder(), main_ && main_->translucent());
        connect(search_, &frmSearch::topicRequested, this, &Program::ShowTopic);
    }
    search_->show();
    search_->raise();
    search_->activateWindow();
}

// Modal, without an owner: the main window's click returns once it has closed.
// The main window is its transient parent all the same, which window systems
// that place windows themselves (Wayland) place it by.
void Program::openAbout() {
    auto* about = new frmAbout;
    about->winId();
    about->windowHandle()->setTransientParent(mainWindow().windowHandle());
    connect(about, &frmAbout::siteRequested, this,
            [this](const QString& address) { mainWindow().view().Navigate(address); });
    about->exec();
}

// Ends the program at once, whatever windows are open. The windows are hidden
// now and deleted, in order, from the event loop rather than inside this
// click: the HTML view's engine must be torn down while the loop still runs.
void Program::exit() {
    for (QWidget* window : {static_cast<QWidget*>(search_), static_cast<QWidget*>(main_)})
        if (window)
            window->hide();
    QTimer::singleShot(0, this, [this] {
        delete search_;
        delete main_;
        QCoreApplication::exit(0);
    });
}

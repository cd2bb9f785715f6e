#include "app/StartUp.h"

#include "toolkit/MessageBox.h"

#include <QGuiApplication>

StartUp::StartUp(ReaderOpener opener) : openReader_(std::move(opener)), splash_(new frmSplash) {
    // Queued, so that the painted splash reaches the screen before the engine loads.
    connect(
        splash_, &frmSplash::firstPainted, this, [this] { this->openReader(); },
        Qt::QueuedConnection);
    connect(splash_, &frmSplash::dismissed, this, &StartUp::showMainWindow);
    splash_->show();
}

// The splash may still be up when the program ends early (a failed start, a test).
StartUp::~StartUp() {
    delete splash_;
}

bool StartUp::openReader() {
    if (reader_ || failed_)
        return reader_ != nullptr;
    OpenedReader opened = openReader_();
    reader_ = std::move(opened.reader);
    if (reader_)
        return true;
    // Without its reader the program has nothing to show: the splash goes, and
    // no later dismissal can ask again.
    failed_ = true;
    if (splash_) {
        splash_->disconnect(this);
        splash_->hide();
    }
    // The status is ours to give, not the closing message box's as the last window.
    QGuiApplication::setQuitOnLastWindowClosed(false);
    toolkit::showMessage(nullptr, opened.failure);
    QCoreApplication::exit(1);
    return false;
}

void StartUp::showMainWindow() {
    if (openReader())
        reader_->showMainWindow();
}

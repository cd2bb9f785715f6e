#include "app/StartUp.h"

#include "app/frmSplash.h"

#include <QCoreApplication>
#include <QTimer>

StartUp::StartUp(ReaderOpener opener) : openReader_(std::move(opener)), splash_(new frmSplash) {
    // Queued, so that the painted splash reaches the screen before the engine loads.
    connect(
        splash_, &frmSplash::firstPainted, this, [this] { this->openReader(); },
        Qt::QueuedConnection);
    connect(splash_, &frmSplash::dismissed, this, &StartUp::showMainWindow);
    splash_->show();
}

// The reader's windows go before the module that holds their code.
StartUp::~StartUp() {
    delete splash_;
    reader_.reset();
}

bool StartUp::openReader() {
    if (!reader_)
        reader_ = openReader_();
    return reader_ != nullptr;
}

void StartUp::showMainWindow() {
    if (openReader())
        QMetaObject::invokeMethod(reader_.get(), "showMainWindow");
    else
        QCoreApplication::exit(1);
}

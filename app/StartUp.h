#pragma once

#include "app/Reader.h"
#include "app/frmSplash.h"

#include <QObject>
#include <QPointer>
#include <functional>

// The program's start: the splash window first, then the reader (the windows
// that need the web engine), opened once the splash has been painted so that
// the splash never waits for the engine. Dismissing the splash shows the
// reader's main window, opening the reader first if it is not open yet. A
// reader that cannot be opened is reported once, in a message box, and ends
// the event loop with status 1.
class StartUp : public QObject {
    Q_OBJECT
public:
    using ReaderOpener = std::function<OpenedReader()>;
    explicit StartUp(ReaderOpener opener);
    ~StartUp() override;

    frmSplash* splash() const { return splash_; }
    // The reader once it is open; null before, or when it could not be opened.
    Reader* reader() const { return reader_.get(); }

private:
    bool openReader();
    void showMainWindow();

    ReaderOpener openReader_;
    QPointer<frmSplash> splash_;
    std::unique_ptr<Reader> reader_;
    bool failed_ = false;
};

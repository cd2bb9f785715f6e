#pragma once

#include <QObject>
#include <QPointer>
#include <functional>
#include <memory>

#include "app/frmSplash.h"

// The program's start: the splash window first, then the reader (the windows
// that need the web engine), opened once the splash has been painted so that
// the splash never waits for the engine. Dismissing the splash shows the
// reader's main window, opening the reader first if it is not open yet.
class StartUp : public QObject {
    Q_OBJECT
public:
    using ReaderOpener = std::function<std::unique_ptr<QObject>()>;
    explicit StartUp(ReaderOpener opener);
    ~StartUp() override;

    frmSplash* splash() const { return splash_; }
    // The reader once it is open; null before, or when it could not be opened.
    QObject* reader() const { return reader_.get(); }

private:
    bool openReader();
    void showMainWindow();

    ReaderOpener openReader_;
    QPointer<frmSplash> splash_;
    std::unique_ptr<QObject> reader_;
};

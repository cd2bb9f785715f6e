#pragma once

#include "browser/HtmlView.h"
#include "browser/MainWindowAccessible.h"
#include "browser/PageSource.h"
#include "browser/frmMain.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWebEngineHistory>

// What the widget tests share. A Data folder of their own lets tests run side by side.
class FixtureData {
public:
    FixtureData() { QDir().mkpath(folder_); }

    const QString& folder() const { return folder_; }
    QString path(const QString& name) const { return folder_ + u'/' + name; }

    void write(const QString& name, const QByteArray& bytes) const {
        QFile file(path(name));
        if (file.open(QIODevice::WriteOnly))
            file.write(bytes);
    }

    void writePage(const QString& name, const QString& title, const QString& body = {}) const {
        write(name, QStringLiteral("<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>%1"
                                   "</title></head><body><p>%1</p>%2</body></html>")
                        .arg(title, body)
                        .toUtf8());
    }

private:
    QTemporaryDir root_;
    QString folder_ = root_.filePath(QStringLiteral("Data"));
};

template <typename Control = QWidget> Control* control(const QObject* window, const char* name) {
    return window->findChild<Control*>(QLatin1String(name));
}

inline void click(const QObject* window, const char* name) {
    QTest::mouseClick(control(window, name), Qt::LeftButton, {}, QPoint(5, 5));
}

// Runs act on the pop-up or modal Window once open: the call that opens it blocks until
// it closes, so the act is scheduled before. After ten seconds the test fails on its own.
template <typename Window, typename Act>
void whenShown(QObject* context, Act act, int triesLeft = 200) {
    QTimer::singleShot(50, context, [context, act, triesLeft] {
        QWidget* active = QApplication::activePopupWidget();
        if (auto* window =
                qobject_cast<Window*>(active ? active : QApplication::activeModalWidget()))
            act(window);
        else if (triesLeft > 0)
            whenShown<Window>(context, act, triesLeft - 1);
    });
}

// Whether done() comes true within a time long enough for a loaded machine; asked every
// few milliseconds, as a loading web engine keeps the event loop busy for seconds.
template <typename Done> bool eventually(Done done, int milliseconds = 20000) {
    const QDeadlineTimer deadline(milliseconds);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QTest::qWait(10);
    }
    return true;
}

inline bool settles(const HtmlView& view, const QString& title, int historyIndex = -1) {
    return eventually([&] {
        return view.title() == title && !view.page()->isLoading() &&
               (historyIndex < 0 || view.history()->currentItemIndex() == historyIndex);
    });
}

// Chromium paints the active find match orange, the others yellow.
inline int highlightedPixels(QWidget& view) {
    const QImage shot = view.grab().toImage().convertToFormat(QImage::Format_RGB32);
    int count = 0;
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x)
            count += (shot.pixel(x, y) & 0xffffff) == 0xffff00 ||
                     (shot.pixel(x, y) & 0xffffff) == 0xff9632;
    return count;
}

// A main window of its own, settled on its start page; the test writes its pages first.
class MainWindowTest : public QObject {
protected:
    std::unique_ptr<FixtureData> data_ = std::make_unique<FixtureData>();
    std::unique_ptr<PageSource> pages_;
    std::unique_ptr<frmMain> main_;

    HtmlView& view() const { return main_->view(); }

    void openMainWindow(const QString& startTitle) {
        installMainWindowAccessibility();
        pages_ = std::make_unique<PageSource>(data_->folder());
        main_ = std::make_unique<frmMain>(*pages_);
        main_->setAttribute(Qt::WA_DeleteOnClose, false);
        main_->show();
        QVERIFY(QTest::qWaitForWindowActive(main_.get()));
        QVERIFY(settles(view(), startTitle, 0));
    }
    void closeMainWindow() {
        main_.reset();
        pages_.reset();
        data_ = std::make_unique<FixtureData>();
    }
};

#define TELVANE_TEST_MAIN(TestClass)                                                               \
    int main(int argc, char** argv) {                                                              \
        QApplication app(argc, argv);                                                              \
        app.setAttribute(Qt::AA_Use96Dpi, true);                                                   \
        TestClass test;                                                                            \
        return QTest::qExec(&test, argc, argv);                                                    \
    }

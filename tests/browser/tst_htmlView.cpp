#include "browser/HtmlView.h"
#include "browser/frmMain.h"
#include "tests/Controls.h"
#include "tests/FindHighlight.h"
#include "tests/FixtureData.h"
#include "tests/TestMain.h"
#include "tests/WhenShown.h"

#include <QAccessible>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPrintDialog>
#include <QSignalSpy>
#include <QToolButton>
#include <QWebEngineHistory>
#include <QWebEngineScript>
#include <QWheelEvent>

namespace {

constexpr int loadTimeout = 20000;

// Typed key by key; QTest::keyClicks passes Latin-1 only.
void type(QWidget* box, const QString& text) {
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

void ctrlWheel(QWidget* page, int delta) {
    QWheelEvent wheel(QPointF(20, 20), page->mapToGlobal(QPointF(20, 20)), {}, QPoint(0, delta),
                      Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(page, &wheel);
}

} // namespace

// The reader's side of the HTML view: find, keys, zoom, its menu, print, and
// what screen readers are told of the main window.
class TestHtmlView : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void findCountsMatchesInAnyCase_data();
    void findCountsMatchesInAnyCase();
    void findStepsBothWays();
    void escapeEndsTheFindAndItsHighlight();
    void keysActOnlyWhileTheViewHasTheFocus();
    void zoomStepsWithinItsRangeAndHoldsAcrossPages_data();
    void zoomStepsWithinItsRangeAndHoldsAcrossPages();
    void altArrowsWalkTheHistorySilently();
    void itsMenuOffersOnlyWhatWorks_data();
    void itsMenuOffersOnlyWhatWorks();
    void printsToAPdfFileChosenInTheDialog();
    void screenReadersMeetAWindowOfButtons();

private:
    HtmlView& view() const { return main_->view(); }
    QWidget* page() const { return view().focusProxy(); }
    QLabel* count() const { return control<QLabel>(main_.get(), "findCount"); }
    QLineEdit* findText() const { return control<QLineEdit>(main_.get(), "findText"); }
    QWidget* findBar() const { return control<QWidget>(main_.get(), "findBar"); }
    void press(QKeyCombination key) const;
    void open(const QString& stem, const QString& title);
    QVariant evaluate(const QString& script) const;

    std::unique_ptr<FixtureData> data_;
    std::unique_ptr<frmMain> main_;
};

void TestHtmlView::init() {
    data_ = std::make_unique<FixtureData>();
    data_->writePage("welcome.htm", "welcome",
                     QStringLiteral("<h1>Памет</h1><p>ПАМЕТ и памет, пАмЕт. AGP или agp.</p>"
                                    "<p hidden>памет</p>"));
    data_->writePage("AGP.htm", "AGP", QStringLiteral("<p>памет</p>"));
    main_ = std::make_unique<frmMain>(data_->folder());
    main_->setAttribute(Qt::WA_DeleteOnClose, false);
    main_->show();
    QVERIFY(QTest::qWaitForWindowActive(main_.get()));
    open(QString(), QStringLiteral("welcome"));
    QVERIFY(view().hasFocus());
}

void TestHtmlView::cleanup() {
    main_.reset();
    data_.reset();
}

void TestHtmlView::press(QKeyCombination key) const {
    QTest::keyClick(QApplication::focusWidget(), key.key(), key.keyboardModifiers());
}

// An empty stem waits for the page already asked for.
void TestHtmlView::open(const QString& stem, const QString& title) {
    if (!stem.isEmpty())
        main_->showTopic(stem);
    QTRY_VERIFY_WITH_TIMEOUT(view().title() == title && !view().page()->isLoading(), loadTimeout);
}

QVariant TestHtmlView::evaluate(const QString& script) const {
    QVariant answer;
    bool done = false;
    view().page()->runJavaScript(script, QWebEngineScript::ApplicationWorld,
                                 [&](const QVariant& value) {
                                     answer = value;
                                     done = true;
                                 });
    if (!QTest::qWaitFor([&] { return done; }, loadTimeout))
        return QStringLiteral("(no answer)");
    return answer;
}

void TestHtmlView::findCountsMatchesInAnyCase_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("count");
    // The hidden paragraph is not counted.
    QTest::newRow("Cyrillic, lower case") << "памет"
                                          << "1 от 4";
    QTest::newRow("Cyrillic, upper case") << "ПАМЕТ"
                                          << "1 от 4";
    QTest::newRow("Cyrillic, mixed case") << "пАМет"
                                          << "1 от 4";
    QTest::newRow("Latin") << "Agp"
                           << "1 от 2";
    QTest::newRow("nowhere") << "липсва"
                             << "Няма съвпадения";
}

void TestHtmlView::findCountsMatchesInAnyCase() {
    QFETCH(QString, typed);
    QFETCH(QString, count);
    QVERIFY(!findBar()->isVisible());
    press(Qt::CTRL | Qt::Key_F);
    QVERIFY(findBar()->isVisible());
    QVERIFY(findText()->hasFocus());
    type(findText(), typed);
    QTRY_COMPARE(this->count()->text(), count);
    // Over the view's lower edge, inside it.
    const QRect bar = findBar()->geometry();
    QCOMPARE(bar.bottom(), view().geometry().bottom());
    QCOMPARE(bar.width(), view().width());
}

void TestHtmlView::findStepsBothWays() {
    press(Qt::CTRL | Qt::Key_F);
    type(findText(), QStringLiteral("памет"));
    QTRY_COMPARE(count()->text(), QStringLiteral("1 от 4"));
    const std::pair<QKeyCombination, const char*> steps[] = {{Qt::Key_F3, "2 от 4"},
                                                             {Qt::Key_Return, "3 от 4"},
                                                             {Qt::SHIFT | Qt::Key_F3, "2 от 4"},
                                                             {Qt::SHIFT | Qt::Key_Return, "1 от 4"},
                                                             {Qt::SHIFT | Qt::Key_F3, "4 от 4"},
                                                             {Qt::Key_F3, "1 от 4"}};
    for (const auto& [key, expected] : steps) {
        press(key);
        QTRY_COMPARE(count()->text(), QString::fromUtf8(expected));
    }
    QTest::mouseClick(control<QToolButton>(main_.get(), "findNext"), Qt::LeftButton);
    QTRY_COMPARE(count()->text(), QStringLiteral("2 от 4"));
    QTest::mouseClick(control<QToolButton>(main_.get(), "findPrevious"), Qt::LeftButton);
    QTRY_COMPARE(count()->text(), QStringLiteral("1 от 4"));
    // From the page too, with the bar left open.
    view().setFocus();
    press(Qt::Key_F3);
    QTRY_COMPARE(count()->text(), QStringLiteral("2 от 4"));
}

void TestHtmlView::escapeEndsTheFindAndItsHighlight() {
    press(Qt::CTRL | Qt::Key_F);
    type(findText(), QStringLiteral("памет"));
    QTRY_VERIFY(highlightedPixels(view()) > 0);
    press(Qt::Key_Escape);
    QVERIFY(!findBar()->isVisible());
    QVERIFY(view().hasFocus());
    QTRY_COMPARE(highlightedPixels(view()), 0);
    // Opened again, it offers the same text and finds it again.
    press(Qt::CTRL | Qt::Key_F);
    QCOMPARE(findText()->selectedText(), QStringLiteral("памет"));
    QTRY_VERIFY(count()->text().endsWith(QStringLiteral(" от 4")));
    QTRY_VERIFY(highlightedPixels(view()) > 0);
    QTest::mouseClick(control<QToolButton>(main_.get(), "findClose"), Qt::LeftButton);
    QVERIFY(!findBar()->isVisible());
    QTRY_COMPARE(highlightedPixels(view()), 0);
}

// Nothing else in the window takes keys: the image buttons have none.
void TestHtmlView::keysActOnlyWhileTheViewHasTheFocus() {
    view().clearFocus();
    QVERIFY(!QApplication::focusWidget());
    for (const QKeyCombination key : {Qt::CTRL | Qt::Key_F, Qt::CTRL | Qt::Key_Plus})
        QTest::keyClick(main_.get(), key.key(), key.keyboardModifiers());
    QVERIFY(!findBar()->isVisible());
    QCOMPARE(view().zoomFactor(), 1.0);
    view().setFocus();
    press(Qt::CTRL | Qt::Key_F);
    QVERIFY(findBar()->isVisible());
    // From the find bar the view's keys act as well.
    press(Qt::CTRL | Qt::Key_Plus);
    QCOMPARE(view().zoomFactor(), 1.1);
}

void TestHtmlView::zoomStepsWithinItsRangeAndHoldsAcrossPages_data() {
    QTest::addColumn<QString>("steps"); // + = - 0 keys with Ctrl, w W the wheel up and down
    QTest::addColumn<double>("zoom");
    QTest::newRow("plus") << "+" << 1.1;
    QTest::newRow("equals") << "=" << 1.1;
    QTest::newRow("minus") << "-" << 0.9;
    QTest::newRow("browser steps") << "+++=" << 1.75;
    QTest::newRow("zero resets") << "++0" << 1.0;
    QTest::newRow("no further than 300 %") << QString(20, u'+') << 3.0;
    QTest::newRow("no further than 50 %") << QString(20, u'-') << 0.5;
    QTest::newRow("down from the top") << QString(20, u'+') + u'-' << 2.5;
    QTest::newRow("wheel") << "ww" << 1.25;
    QTest::newRow("wheel back") << "wWW" << 0.9;
}

void TestHtmlView::zoomStepsWithinItsRangeAndHoldsAcrossPages() {
    QFETCH(QString, steps);
    QFETCH(double, zoom);
    const QHash<QChar, QKeyCombination> keys{{u'+', Qt::CTRL | Qt::Key_Plus},
                                             {u'=', Qt::CTRL | Qt::Key_Equal},
                                             {u'-', Qt::CTRL | Qt::Key_Minus},
                                             {u'0', Qt::CTRL | Qt::Key_0}};
    for (const QChar step : steps)
        if (keys.contains(step))
            press(keys[step]);
        else
            ctrlWheel(page(), step == u'w' ? 120 : -120);
    QCOMPARE(view().zoomFactor(), zoom);
    // The page itself is drawn at that zoom, here and on the next pages.
    const auto drawnAt = [&] {
        return qAbs(evaluate("window.devicePixelRatio").toDouble() - zoom) < 1e-6;
    };
    QTRY_VERIFY(drawnAt());
    open(QStringLiteral("AGP"), QStringLiteral("AGP"));
    QTRY_VERIFY(drawnAt());
    QVERIFY(view().GoBack());
    open(QString(), QStringLiteral("welcome"));
    QTRY_VERIFY(drawnAt());
}

// Each step waits until the history has settled where it should be, so that a
// refused key is told from one whose step has not arrived yet.
void TestHtmlView::altArrowsWalkTheHistorySilently() {
    const auto settledAt = [this](int index, const QString& title) {
        return QTest::qWaitFor(
            [&] {
                return view().history()->currentItemIndex() == index && view().title() == title &&
                       !view().page()->isLoading();
            },
            loadTimeout);
    };
    press(Qt::ALT | Qt::Key_Left);
    press(Qt::ALT | Qt::Key_Right);
    QCOMPARE(view().history()->count(), 1);
    open(QStringLiteral("AGP"), QStringLiteral("AGP"));
    QVERIFY(settledAt(1, QStringLiteral("AGP")));
    press(Qt::ALT | Qt::Key_Left);
    QVERIFY(settledAt(0, QStringLiteral("welcome")));
    press(Qt::ALT | Qt::Key_Left); // refused
    QTest::qWait(300);
    QVERIFY(settledAt(0, QStringLiteral("welcome")));
    press(Qt::ALT | Qt::Key_Right);
    QVERIFY(settledAt(1, QStringLiteral("AGP")));
    press(Qt::ALT | Qt::Key_Right); // refused
    QTest::qWait(300);
    QVERIFY(settledAt(1, QStringLiteral("AGP")));
    QCOMPARE(view().history()->count(), 2);
}

void TestHtmlView::itsMenuOffersOnlyWhatWorks_data() {
    QTest::addColumn<bool>("selection");
    QTest::newRow("without a selection") << false;
    QTest::newRow("with a selection") << true;
}

// After a page has been opened: back, but no forward.
void TestHtmlView::itsMenuOffersOnlyWhatWorks() {
    QFETCH(bool, selection);
    open(QStringLiteral("AGP"), QStringLiteral("AGP"));
    if (selection) {
        view().triggerPageAction(QWebEnginePage::SelectAll);
        QTRY_VERIFY(view().hasSelection());
    }
    QGuiApplication::clipboard()->clear();
    QStringList entries;
    whenShown<QMenu>(this, [&](QMenu* menu) {
        for (const QAction* entry : menu->actions())
            if (!entry->isSeparator())
                entries << QStringLiteral("%1 %2 %3")
                               .arg(entry->objectName(), entry->text())
                               .arg(entry->isEnabled() ? "on" : "off");
        menu->findChild<QAction*>("pageCopy")->trigger();
        menu->close();
    });
    QTest::mouseClick(page(), Qt::RightButton, {}, QPoint(30, 30));
    QTRY_VERIFY(!entries.isEmpty());
    const QStringList expected{QStringLiteral("pageBack Назад on"),
                               QStringLiteral("pageForward Напред off"),
                               QStringLiteral("pageCopy Копирай ") + (selection ? "on" : "off"),
                               QStringLiteral("pageSelectAll Избери всичко on"),
                               QStringLiteral("pageFind Търсене в страницата… on"),
                               QStringLiteral("pagePrint Печат… on")};
    QCOMPARE(entries, expected);
    if (selection)
        QTRY_VERIFY(QGuiApplication::clipboard()->text().contains(QStringLiteral("памет")));
    else
        QCOMPARE(QGuiApplication::clipboard()->text(), QString());
}

// A window closed while the engine prints leaves a whole file too.
void TestHtmlView::printsToAPdfFileChosenInTheDialog() {
    QTemporaryDir folder;
    const auto printTo = [&](const QString& pdf) {
        whenShown<QPrintDialog>(this, [pdf](QPrintDialog* dialog) {
            dialog->findChild<QLineEdit*>(QStringLiteral("filename"))->setText(pdf);
            dialog->accept();
        });
        press(Qt::CTRL | Qt::Key_P);
    };
    const auto whole = [](const QString& pdf) {
        QFile file(pdf);
        if (!file.open(QIODevice::ReadOnly))
            return false;
        const QByteArray bytes = file.readAll();
        return bytes.startsWith("%PDF-") && bytes.trimmed().endsWith("%%EOF");
    };
    QSignalSpy printed(&view(), &QWebEngineView::printFinished);
    printTo(folder.filePath("page.pdf"));
    QTRY_COMPARE_WITH_TIMEOUT(printed.count(), 1, loadTimeout);
    QCOMPARE(printed.at(0).at(0).toBool(), true);
    QVERIFY(whole(folder.filePath("page.pdf")));

    // The offscreen platform gives the window back no focus, as a window manager would.
    main_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(main_.get()));
    printTo(folder.filePath("closed.pdf"));
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(folder.filePath("closed.pdf")), loadTimeout);
    main_.reset();
    QTRY_VERIFY_WITH_TIMEOUT(whole(folder.filePath("closed.pdf")), loadTimeout);
}

// In reading order; the shapes, lines and the hidden tile are left out, the
// find bar while it shows is in.
void TestHtmlView::screenReadersMeetAWindowOfButtons() {
    QAccessibleInterface* window = QAccessible::queryAccessibleInterface(main_.get());
    QCOMPARE(window->role(), QAccessible::Window);
    QCOMPARE(window->text(QAccessible::Name), QStringLiteral("Orvanta 1.3"));
    const auto children = [window] {
        QStringList names;
        for (int i = 0; i < window->childCount(); ++i)
            names << window->child(i)->object()->objectName();
        return names;
    };
    const QStringList buttons{"GoBack",    "GoForw",     "Home",        "imgSearch",
                              "Transpe",   "cmdHistory", "cmdHardware", "cmdPeri",
                              "cmdInterf", "cmdNet",     "cmdAbout",    "cmdExit"};
    QCOMPARE(children(), buttons + QStringList{"RTFInfo"});
    for (const QString& name : buttons) {
        QAccessibleInterface* button =
            QAccessible::queryAccessibleInterface(control<QWidget>(main_.get(), qPrintable(name)));
        QCOMPARE(button->role(), QAccessible::PushButton);
        QCOMPARE(button->text(QAccessible::Name), button->object()->property("toolTip"));
        QCOMPARE(window->indexOfChild(button), buttons.indexOf(name));
    }
    press(Qt::CTRL | Qt::Key_F);
    QCOMPARE(children(), buttons + QStringList({"RTFInfo", "findBar"}));
    QCOMPARE(window->child(13)->role(), QAccessible::ToolBar);
    // Pressed from a screen reader, Home does what its click does.
    open(QStringLiteral("AGP"), QStringLiteral("AGP"));
    QAccessible::queryAccessibleInterface(control<QWidget>(main_.get(), "Home"))
        ->actionInterface()
        ->doAction(QAccessibleActionInterface::pressAction());
    open(QString(), QStringLiteral("welcome"));
    QCOMPARE(view().history()->count(), 3);
}

TELVANE_TEST_MAIN(TestHtmlView)
#include "tst_htmlView.moc"

#include "browser/frmMain.h"
#include "browser/frmMainDesign.h"
#include "tests/WidgetTest.h"

#include <QAccessible>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPrintDialog>

// The reader's side of the HTML view: find, keys, its menu, print, and what
// screen readers are told of the main window. Zoom and the history keys are
// tested end to end.
class TestHtmlView : public QObject {
    Q_OBJECT

    std::unique_ptr<FixtureData> data_;
    std::unique_ptr<frmMain> main_;

    HtmlView& view() const { return main_->view(); }
    QWidget* page() const { return view().focusProxy(); }
    QString count() const { return control<QLabel>(main_.get(), "findCount")->text(); }
    void click(const char* name) const { ::click(main_.get(), name); }
    QLineEdit* findText() const { return control<QLineEdit>(main_.get(), "findText"); }
    QWidget* findBar() const { return control<QWidget>(main_.get(), "findBar"); }

    void press(QKeyCombination key) const {
        QTest::keyClick(QApplication::focusWidget(), key.key(), key.keyboardModifiers());
    }

    // Typed key by key; QTest::keyClicks passes Latin-1 only.
    void find(const QString& text) const {
        press(Qt::CTRL | Qt::Key_F);
        for (const QChar c : text)
            QTest::sendKeyEvent(QTest::Click, findText(), Qt::Key_unknown, QString(c), {});
    }

    void open(const QString& stem, const QString& title) const {
        const int next = view().history()->currentItemIndex() + 1;
        main_->showTopic(stem);
        QVERIFY(settles(view(), title, next));
    }

private slots:
    void init() {
        data_ = std::make_unique<FixtureData>();
        data_->writePage("welcome.htm", "welcome",
                         QStringLiteral("<h1>Памет</h1><p>ПАМЕТ и памет, пАмЕт. AGP или agp.</p>"
                                        "<p hidden>памет</p>"));
        data_->writePage("AGP.htm", "AGP", QStringLiteral("<p>памет</p>"));
        main_ = std::make_unique<frmMain>(data_->folder());
        main_->setAttribute(Qt::WA_DeleteOnClose, false);
        main_->show();
        QVERIFY(QTest::qWaitForWindowActive(main_.get()));
        QVERIFY(settles(view(), "welcome", 0));
        QVERIFY(view().hasFocus());
    }

    void cleanup() {
        main_.reset();
        data_.reset();
    }

    // In any case, the hidden paragraph not counted; round in both directions,
    // by key, by button and from the page. The bar lies over the view's lower
    // edge, inside it.
    void findStepsBothWays() {
        find(QStringLiteral("пАМет"));
        QVERIFY(findText()->hasFocus());
        QTRY_COMPARE(count(), QStringLiteral("1 от 4"));
        QCOMPARE(findBar()->geometry().bottom(), view().geometry().bottom());
        QCOMPARE(findBar()->width(), view().width());
        const std::pair<QKeyCombination, const char*> steps[] = {
            {Qt::Key_F3, "2 от 4"},
            {Qt::Key_Return, "3 от 4"},
            {Qt::SHIFT | Qt::Key_F3, "2 от 4"},
            {Qt::SHIFT | Qt::Key_Return, "1 от 4"},
            {Qt::SHIFT | Qt::Key_F3, "4 от 4"},
            {Qt::Key_F3, "1 от 4"}};
        for (const auto& [key, expected] : steps) {
            press(key);
            QTRY_COMPARE(count(), QString::fromUtf8(expected));
        }
        click("findNext");
        QTRY_COMPARE(count(), QStringLiteral("2 от 4"));
        click("findPrevious");
        QTRY_COMPARE(count(), QStringLiteral("1 от 4"));
        view().setFocus();
        press(Qt::Key_F3);
        QTRY_COMPARE(count(), QStringLiteral("2 от 4"));
        find(QStringLiteral("липсва"));
        QTRY_COMPARE(count(), QStringLiteral("Няма съвпадения"));
    }

    // Opened again, the bar offers the same text and finds it again.
    void escapeAndTheCloseButtonEndTheFindAndItsHighlight() {
        find(QStringLiteral("памет"));
        QTRY_VERIFY(highlightedPixels(view()) > 0);
        press(Qt::Key_Escape);
        QVERIFY(!findBar()->isVisible());
        QVERIFY(view().hasFocus());
        QTRY_COMPARE(highlightedPixels(view()), 0);
        press(Qt::CTRL | Qt::Key_F);
        QCOMPARE(findText()->selectedText(), QStringLiteral("памет"));
        QTRY_VERIFY(highlightedPixels(view()) > 0);
        click("findClose");
        QVERIFY(!findBar()->isVisible());
        QTRY_COMPARE(highlightedPixels(view()), 0);
    }

    // Nothing else in the window takes keys: the image buttons have none.
    // From the find bar the view's keys act as well.
    void keysActOnlyWhileTheViewHasTheFocus() {
        view().clearFocus();
        QVERIFY(!QApplication::focusWidget());
        for (const QKeyCombination key : {Qt::CTRL | Qt::Key_F, Qt::CTRL | Qt::Key_Plus})
            QTest::keyClick(main_.get(), key.key(), key.keyboardModifiers());
        QVERIFY(!findBar()->isVisible());
        QCOMPARE(view().zoomFactor(), 1.0);
        view().setFocus();
        press(Qt::CTRL | Qt::Key_F);
        QVERIFY(findBar()->isVisible());
        press(Qt::CTRL | Qt::Key_Plus);
        QCOMPARE(view().zoomFactor(), 1.1);
    }

    // After a page has been opened: back, but no forward; copy only with a selection.
    void itsMenuOffersOnlyWhatWorks() {
        open(QStringLiteral("AGP"), QStringLiteral("AGP"));
        for (const bool selection : {false, true}) {
            if (selection) // asked again until it takes: a page just loaded may not select yet
                QTRY_VERIFY(
                    (view().triggerPageAction(QWebEnginePage::SelectAll), view().hasSelection()));
            QGuiApplication::clipboard()->clear();
            QStringList entries;
            whenShown<QMenu>(this, [&](QMenu* menu) {
                for (const QAction* entry : menu->actions())
                    if (!entry->isSeparator() && entry->isEnabled())
                        entries << entry->objectName();
                menu->findChild<QAction*>("pageCopy")->trigger();
                menu->close();
            });
            QTest::mouseClick(page(), Qt::RightButton, {}, QPoint(30, 30));
            QTRY_VERIFY(!entries.isEmpty());
            QStringList expected{"pageBack", "pageSelectAll", "pageFind", "pagePrint"};
            if (selection)
                expected.insert(1, "pageCopy");
            QCOMPARE(entries, expected);
            QTRY_COMPARE(QGuiApplication::clipboard()->text().contains(u"памет"), selection);
        }
    }

    // A window closed while the engine prints leaves a whole file too.
    void printsToAPdfFileChosenInTheDialog() {
        QTemporaryDir folder;
        const auto printTo = [&](const QString& pdf) {
            whenShown<QPrintDialog>(this, [pdf](QPrintDialog* dialog) {
                dialog->findChild<QLineEdit*>(QStringLiteral("filename"))->setText(pdf);
                dialog->accept();
            });
            press(Qt::CTRL | Qt::Key_P);
        };
        const auto whole = [&](const char* name) {
            QFile file(folder.filePath(name));
            const QByteArray bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : "";
            return bytes.startsWith("%PDF-") && bytes.trimmed().endsWith("%%EOF");
        };
        QSignalSpy printed(&view(), &QWebEngineView::printFinished);
        printTo(folder.filePath("page.pdf"));
        QTRY_COMPARE_WITH_TIMEOUT(printed.count(), 1, 20000);
        QVERIFY(printed.at(0).at(0).toBool() && whole("page.pdf"));
        // The offscreen platform gives the window back no focus, as a window manager would.
        main_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(main_.get()));
        printTo(folder.filePath("closed.pdf"));
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(folder.filePath("closed.pdf")), 20000);
        main_.reset();
        QTRY_VERIFY_WITH_TIMEOUT(whole("closed.pdf"), 20000);
    }

    // The buttons left to right, then the view; the shapes, lines and the
    // hidden tile are left out, the find bar while it shows is in. Home pressed
    // from a screen reader does what its click does.
    void screenReadersMeetAWindowOfButtons() {
        QAccessibleInterface* window = QAccessible::queryAccessibleInterface(main_.get());
        QCOMPARE(window->role(), QAccessible::Window);
        QCOMPARE(window->text(QAccessible::Name), QStringLiteral("Orvanta 1.3"));
        const auto children = [window] {
            QStringList names;
            for (int i = 0; i < window->childCount(); ++i)
                names << window->child(i)->object()->objectName();
            return names;
        };
        auto buttons = std::to_array(frmMainDesign::imageButtons);
        std::ranges::sort(buttons, {}, &frmMainDesign::ImageButton::left);
        QStringList expected;
        for (const frmMainDesign::ImageButton& button : buttons)
            expected << button.name;
        QCOMPARE(children(), expected << "RTFInfo");
        press(Qt::CTRL | Qt::Key_F);
        QCOMPARE(children(), expected << "findBar");
        QCOMPARE(window->child(13)->role(), QAccessible::ToolBar);
        open(QStringLiteral("AGP"), QStringLiteral("AGP"));
        QAccessible::queryAccessibleInterface(control<QWidget>(main_.get(), "Home"))
            ->actionInterface()
            ->doAction(QAccessibleActionInterface::pressAction());
        QVERIFY(settles(view(), "welcome", 2));
    }
};

TELVANE_TEST_MAIN(TestHtmlView)
#include "tst_htmlView.moc"

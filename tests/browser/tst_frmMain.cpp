#include "browser/frmMain.h"
#include "catalogue/Catalogue.h"
#include "tests/WidgetTest.h"
#include "toolkit/Image.h"
#include "toolkit/Shape.h"

#include <QAction>

class TestMainWindow : public MainWindowTest {
    Q_OBJECT

    template <typename Control = toolkit::Image> Control* get(const QString& name) const {
        return control<Control>(main_.get(), qPrintable(name));
    }

    // Which pressed-look shape pairs show, as "E5,T5".
    QString visiblePairs() const {
        QStringList shown;
        for (int i = 0; i < 12; ++i)
            for (const QString array : {"Element", "Tops"})
                if (get<toolkit::Shape>(QStringLiteral("%1(%2)").arg(array).arg(i))->isVisible())
                    shown << array.left(1) + QString::number(i);
        return shown.join(u',');
    }

private slots:
    void init() {
        for (const catalogue::Topic& topic : catalogue::topics())
            data_->writePage(topic.pageFile(), topic.pageFile());
        openMainWindow(QStringLiteral("welcome.htm"));
    }

    void cleanup() { closeMainWindow(); }

    // A press with any button shows that button's pair; a release off the button hides
    // it and makes no click; the left and right buttons click.
    void pressShowsOnlyThatButtonsPair() {
        const QStringList byPair{"GoBack",    "GoForw",     "Home",        "imgSearch",
                                 "Transpe",   "cmdHistory", "cmdHardware", "cmdPeri",
                                 "cmdInterf", "cmdAbout",   "cmdExit",     "cmdNet"};
        for (int pair = 0; pair < 12; ++pair)
            for (const Qt::MouseButton mouse : {Qt::LeftButton, Qt::MiddleButton}) {
                const QString& name = byPair[pair];
                QSignalSpy clicks(get(name), &toolkit::Image::clicked);
                QTest::mousePress(get(name), mouse);
                QCOMPARE(visiblePairs(), QStringLiteral("E%1,T%1").arg(pair));
                QTest::mouseRelease(get(name), mouse, {}, QPoint(40, 10));
                QCOMPARE(visiblePairs(), QString());
                QCOMPARE(clicks.count(), 0);
            }
        // A double-click (press, release, press with double-click, release) is one click.
        QSignalSpy clicks(get("Home"), &toolkit::Image::clicked);
        QTest::mouseClick(get("Home"), Qt::MiddleButton);
        QCOMPARE(clicks.count(), 0);
        QTest::mouseClick(get("Home"), Qt::RightButton);
        QCOMPARE(clicks.count(), 1);
        QTest::mousePress(get("Home"), Qt::LeftButton);
        QTest::mouseDClick(get("Home"), Qt::LeftButton);
        QTest::mouseRelease(get("Home"), Qt::LeftButton);
        QCOMPARE(clicks.count(), 1);
        QTest::mouseClick(get("Home"), Qt::LeftButton);
        QCOMPARE(clicks.count(), 2);
    }

    // Back and Forward are refused where there is nowhere to go; Home adds to the history.
    // An item opens the page of its own stem ("Chipset" reaches "chipset.htm"), also
    // from a submenu; the catalogue's tests hold every other stem.
    void menuItemsAndTheHistoryButtons() {
        QVERIFY(!view().GoBack() && !view().GoForward());
        for (const char* button : {"GoBack", "GoForw"})
            QTest::mouseClick(get(button), Qt::LeftButton);
        QCOMPARE(view().history()->count(), 1);
        get<QAction>("mnuChipSet")->trigger();
        QVERIFY(settles(view(), "chipset.htm", 1));
        for (const auto& [button, title, index] : {std::tuple{"Home", "welcome.htm", 2},
                                                   {"GoBack", "chipset.htm", 1},
                                                   {"GoForw", "welcome.htm", 2}}) {
            QTest::mouseClick(get(button), Qt::LeftButton);
            QVERIFY(settles(view(), title, index));
        }
        get<QAction>("mnuLCD")->trigger();
        QVERIFY(settles(view(), "LCD.htm", 3));
        QCOMPARE(view().history()->count(), 4);
    }

    // The view and the right-hand buttons follow, the pressed look with them. At or
    // below a threshold (9000 twips wide, 6990 high) everything keeps its place.
    void layoutFollowsTheOuterSizeAboveTheThresholds() {
        const std::tuple<QSize, QRect, int, int> cases[] = {
            // outer size; the view, About's and Exit's x, or none where all stays
            {QSize(601, 467), QRect(8, 56, 578, 375), 492, 540},
            {QSize(600, 534), QRect(), 0, 0},
            {QSize(800, 466), QRect(), 0, 0},
            {QSize(2600, 1500), QRect(8, 56, 2577, 1408), 2491, 2539}};
        for (auto [outer, area, about, exit] : cases) {
            if (area.isNull())
                std::tie(area, about, exit) =
                    std::tuple(view().geometry(), get("cmdAbout")->x(), get("cmdExit")->x());
            main_->resize(outer - (main_->frameGeometry().size() - main_->size()));
            QTRY_COMPARE(main_->frameGeometry().size(), outer);
            QCOMPARE(view().geometry(), area);
            QCOMPARE(get("cmdAbout")->x(), about);
            QCOMPARE(get("cmdExit")->x(), exit);
            QCOMPARE(get("cmdNet")->x(), 504);
            QCOMPARE(get<toolkit::Shape>("Tops(10)")->x(), exit - 8); // the pressed look
        }
    }
};

TELVANE_TEST_MAIN(TestMainWindow)
#include "tst_frmMain.moc"

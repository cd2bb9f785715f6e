#include "FixtureData.h"
#include "HtmlView.h"
#include "Image.h"
#include "Line.h"
#include "Shape.h"
#include "StackingOrder.h"
#include "TestMain.h"
#include "frmMain.h"
#include "mdlSubs.h"

#include <QAction>
#include <QEventLoop>
#include <QMenu>
#include <QSignalSpy>
#include <QTimer>
#include <QWebEngineHistory>
#include <QWebEnginePage>

namespace {

QString shownPath(const frmMain* main) {
    return main->RTFInfo->url().path();
}

QString shownTitle(const frmMain* main) {
    return main->RTFInfo->title();
}

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void buttonsStandAtTheirDesignPlaces_data();
    void buttonsStandAtTheirDesignPlaces();
    void atStartNoShapeNorTileNorFirstLightLineShows();
    void controlsAreStackedAsDesigned();
    void onlyTheHtmlViewTakesTheFocus();
    void opensTheStartPageWhenItLoads();
    void topicItemsOpenTheirPages_data();
    void topicItemsOpenTheirPages();
    void backAndForwardWalkTheHistory();
    void backAndForwardRightAfterStartDoNothing();
    void aMissingPageShowsOurPageAndBackReturns();
    void showTopicShowsAMainWindowItHadToMake();
    void exitEndsTheProgram();

private:
    void waitFor(const QString& file);
    std::unique_ptr<FixtureData> data_;
    frmMain* main_ = nullptr;
};

void TestMainWindow::init() {
    data_ = std::make_unique<FixtureData>();
    for (const char* name : {"welcome", "AGP", "chipset", "grid", "processors"})
        data_->writePage(QString::fromLatin1(name) + ".htm", QString::fromLatin1(name));
    main_ = frmMain::instance();
    main_->show();
    waitFor("welcome.htm");
}

void TestMainWindow::cleanup() {
    delete frmMain::existing();
    data_.reset();
}

void TestMainWindow::waitFor(const QString& file) {
    QTRY_COMPARE_WITH_TIMEOUT(shownPath(frmMain::existing()), data_->path(file), 20000);
    QTRY_COMPARE_WITH_TIMEOUT(shownTitle(frmMain::existing()), QFileInfo(file).completeBaseName(),
                              20000);
}

void TestMainWindow::buttonsStandAtTheirDesignPlaces_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("left"); // pixels
    QTest::addColumn<QString>("toolTip");
    QTest::newRow("back") << "GoBack" << 16 << "Върни се една страница назад";
    QTest::newRow("forward") << "GoForw" << 64 << "Отиди една страница напред";
    QTest::newRow("home") << "Home" << 128 << "Главна страница";
    QTest::newRow("search") << "imgSearch" << 176 << "Търсене";
    QTest::newRow("translucency") << "Transpe" << 224 << "Прозрачност";
    QTest::newRow("history") << "cmdHistory" << 312 << "История";
    QTest::newRow("hardware") << "cmdHardware" << 360 << "Хардуер";
    QTest::newRow("peripherals") << "cmdPeri" << 408 << "Периферни устройства";
    QTest::newRow("interfaces") << "cmdInterf" << 456 << "Интерфейси";
    QTest::newRow("networks") << "cmdNet" << 504 << "Мрежи";
}

// The ten buttons left of the About button never move with the window.
void TestMainWindow::buttonsStandAtTheirDesignPlaces() {
    QFETCH(QString, name);
    QFETCH(int, left);
    QFETCH(QString, toolTip);
    const auto* button = main_->findChild<toolkit::Image*>(name);
    QVERIFY(button);
    QCOMPARE(button->geometry(), QRect(left, 8, 32, 32));
    QCOMPARE(button->toolTip(), toolTip);
    QCOMPARE(button->Picture().size(), QSize(32, 32));
    QVERIFY(button->isVisible());
}

void TestMainWindow::atStartNoShapeNorTileNorFirstLightLineShows() {
    for (int i = 0; i < 12; ++i) {
        QVERIFY(!main_->Element[i]->isVisible());
        QVERIFY(!main_->Tops[i]->isVisible());
    }
    QVERIFY(!main_->Image1->isVisible());
    QCOMPARE(main_->Image1->Picture().size(), QSize(104, 97));
    for (int i = 0; i < 14; ++i)
        QCOMPARE(main_->Line1[i]->isVisible(), i != 0);
    QCOMPARE(main_->Line1[6]->X1(), 2520.f);
    QCOMPARE(main_->Line1[13]->X1(), 7440.f);
    QCOMPARE(main_->RTFInfo->geometry().topLeft(), QPoint(8, 56));
    QCOMPARE(main_->windowTitle(), QStringLiteral("Orvanta 1.3"));
}

void TestMainWindow::controlsAreStackedAsDesigned() {
    using toolkit::isInFrontOf;
    const toolkit::Image* buttons[12] = {main_->GoBack,      main_->GoForw,  main_->Home,
                                         main_->imgSearch,   main_->Transpe, main_->cmdHistory,
                                         main_->cmdHardware, main_->cmdPeri, main_->cmdInterf,
                                         main_->cmdAbout,    main_->cmdExit, main_->cmdNet};
    for (int pair = 0; pair < 12; ++pair) {
        const bool hardware = pair == 6;
        QCOMPARE(isInFrontOf(buttons[pair], main_->Tops[pair]), !hardware);
        QVERIFY(isInFrontOf(buttons[pair], main_->Element[pair]));
        QVERIFY(isInFrontOf(main_->Tops[pair], main_->Element[pair]) || pair <= 1);
        QVERIFY(isInFrontOf(main_->RTFInfo, buttons[pair]));
    }
    QVERIFY(isInFrontOf(main_->Tops[6], main_->cmdHardware));
    for (int light : {0, 1, 2, 3, 4})
        QVERIFY(isInFrontOf(main_->Line1[light + 6], main_->Line1[light]));
    QVERIFY(isInFrontOf(main_->Line1[13], main_->Line1[12]));
    QVERIFY(isInFrontOf(main_->Line1[11], main_->Line1[5]));
    QVERIFY(isInFrontOf(main_->Element[0], main_->Line1[11]));
    QVERIFY(isInFrontOf(main_->Line1[0], main_->Image1));
}

void TestMainWindow::onlyTheHtmlViewTakesTheFocus() {
    for (const auto* image : main_->findChildren<toolkit::Image*>())
        QCOMPARE(image->focusPolicy(), Qt::NoFocus);
    main_->activateWindow();
    main_->RTFInfo->setFocus();
    QTest::keyClick(main_, Qt::Key_Tab);
    QVERIFY(!qobject_cast<toolkit::Image*>(QApplication::focusWidget()));
}

void TestMainWindow::opensTheStartPageWhenItLoads() {
    QCOMPARE(main_->Transp, false);
    QCOMPARE(main_->RTFInfo->history()->count(), 1);
}

void TestMainWindow::topicItemsOpenTheirPages_data() {
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("file");
    QTest::newRow("agp") << "mnuAGP"
                         << "AGP.htm";
    QTest::newRow("chipset item spells Chipset") << "mnuChipSet"
                                                 << "chipset.htm";
    QTest::newRow("laptops open grid") << "mnuLaptop"
                                       << "grid.htm";
    QTest::newRow("cpu opens processors") << "mnuCPU"
                                          << "processors.htm";
}

void TestMainWindow::topicItemsOpenTheirPages() {
    QFETCH(QString, item);
    QFETCH(QString, file);
    auto* action = main_->findChild<QAction*>(item);
    QVERIFY(action);
    action->trigger();
    waitFor(file);
    QCOMPARE(main_->RTFInfo->history()->count(), 2);
}

void TestMainWindow::backAndForwardWalkTheHistory() {
    main_->findChild<QAction*>("mnuAGP")->trigger();
    waitFor("AGP.htm");
    QTest::mouseClick(main_->Home, Qt::LeftButton);
    waitFor("welcome.htm");
    QCOMPARE(main_->RTFInfo->history()->count(), 3); // Home adds to the history
    QTest::mouseClick(main_->GoBack, Qt::LeftButton);
    waitFor("AGP.htm");
    QTest::mouseClick(main_->GoBack, Qt::LeftButton);
    waitFor("welcome.htm");
    QTest::mouseClick(main_->GoForw, Qt::LeftButton);
    waitFor("AGP.htm");
    QTest::mouseClick(main_->GoForw, Qt::LeftButton);
    waitFor("welcome.htm");
    QCOMPARE(main_->RTFInfo->history()->currentItemIndex(), 2);
}

void TestMainWindow::backAndForwardRightAfterStartDoNothing() {
    QVERIFY(!main_->RTFInfo->GoBack());
    QVERIFY(!main_->RTFInfo->GoForward());
    QTest::mouseClick(main_->GoBack, Qt::LeftButton);
    QTest::mouseClick(main_->GoForw, Qt::LeftButton);
    QTest::qWait(300);
    QVERIFY(!QApplication::activeModalWidget());
    QCOMPARE(shownPath(main_), data_->path("welcome.htm"));
    QCOMPARE(main_->RTFInfo->history()->count(), 1);
}

void TestMainWindow::aMissingPageShowsOurPageAndBackReturns() {
    main_->findChild<QAction*>("mnuUSB")->trigger();
    QTRY_COMPARE_WITH_TIMEOUT(shownPath(main_), data_->path("USB.htm"), 20000);
    QTRY_COMPARE_WITH_TIMEOUT(shownTitle(main_), QStringLiteral("Страницата липсва"), 20000);
    QString text;
    main_->RTFInfo->page()->toPlainText([&text](const QString& t) { text = t; });
    QTRY_VERIFY(text.contains(QStringLiteral("USB.htm")));
    QVERIFY(main_->RTFInfo->GoBack());
    waitFor("welcome.htm");
}

// A page request after the main window was closed must bring a window back
// on screen, not leave a hidden one that keeps the program running.
void TestMainWindow::showTopicShowsAMainWindowItHadToMake() {
    main_->close();
    QTRY_VERIFY(!frmMain::existing());
    mdlSubs::ShowTopic(QStringLiteral("AGP"));
    QVERIFY(frmMain::existing());
    QVERIFY(frmMain::existing()->isVisible());
    waitFor("AGP.htm");
}

void TestMainWindow::exitEndsTheProgram() {
    QEventLoop program;
    bool timedOut = false;
    QTimer::singleShot(0, this, [this] { QTest::mouseClick(main_->cmdExit, Qt::LeftButton); });
    QTimer::singleShot(10000, &program, [&] {
        timedOut = true;
        program.exit(1);
    });
    QCOMPARE(program.exec(), 0);
    QVERIFY(!timedOut);
}

TELVANE_TEST_MAIN(TestMainWindow)
#include "tst_frmMain.moc"

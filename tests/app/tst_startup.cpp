#include "Credits.h"
#include "FixtureData.h"
#include "Frame.h"
#include "HtmlView.h"
#include "Image.h"
#include "Label.h"
#include "Line.h"
#include "Startup.h"
#include "TestMain.h"
#include "WhenShown.h"
#include "frmAbout.h"
#include "frmMain.h"
#include "frmSearch.h"
#include "frmSplash.h"

#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QWebEngineHistory>

namespace {

QString shownTitle() {
    return frmMain::existing() ? frmMain::existing()->RTFInfo->title() : QString();
}

} // namespace

class TestStartUp : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void theProgramStartsOnTheSplash();
    void clicksAndCharacterKeysPassToTheMainWindow_data();
    void clicksAndCharacterKeysPassToTheMainWindow();
    void labelsAndSilentKeysDoNothing_data();
    void labelsAndSilentKeysDoNothing();
    void aboutShowsItsTextsOverTheMainWindowsTile();
    void aboutIsModal();
    void aboutKeysAndButtons_data();
    void aboutKeysAndButtons();
    void aboutStaysOpaqueOverATranslucentMainWindow();
    void paintingWithoutAMainWindowMakesNone();
    void theSearchButtonShowsOneSearchWindowAndExitEndsAll();

private:
    void dismissSplash();
    std::unique_ptr<FixtureData> data_;
    QPointer<frmSplash> splash_;
};

void TestStartUp::init() {
    data_ = std::make_unique<FixtureData>();
    data_->writePage("welcome.htm", "welcome");
    data_->writePage("AGP.htm", "AGP");
    splash_ = Startup::start();
    QVERIFY(QTest::qWaitForWindowExposed(splash_));
}

void TestStartUp::cleanup() {
    delete splash_;
    delete frmMain::existing();
    data_.reset();
}

void TestStartUp::dismissSplash() {
    QTest::mouseClick(splash_->imgLogo, Qt::LeftButton);
    QTRY_VERIFY(!splash_);
    QTRY_COMPARE_WITH_TIMEOUT(shownTitle(), QStringLiteral("welcome"), 20000);
}

void TestStartUp::theProgramStartsOnTheSplash() {
    QVERIFY(splash_->isVisible());
    QVERIFY(!frmMain::existing());
    QVERIFY(splash_->windowFlags() & Qt::FramelessWindowHint);
    QCOMPARE(splash_->windowFlags() & Qt::WindowType_Mask, Qt::SplashScreen);
    QCOMPARE(splash_->size(), QSize(513, 319));
    QCOMPARE(splash_->Frame1->geometry(), QRect(10, 3, 495, 309));
    QCOMPARE(splash_->imgLogo->Picture().size(), QSize(489, 300));
    QCOMPARE(splash_->Label1->text(), QStringLiteral("Orvanta"));
    QCOMPARE(splash_->Label2->text(), QStringLiteral("Версия : 1.3"));
    QCOMPARE(splash_->Label3->text(), QStringLiteral("Автор : Екипът на Orvanta"));
    QCOMPARE(splash_->Label1->font().pointSizeF(), 13.5);
    QVERIFY(splash_->Label1->font().bold());
    // The labels lie in front of the picture, on its blank upper right part.
    QCOMPARE(splash_->childAt(splash_->Frame1->mapTo(splash_, QPoint(230, 20))), splash_->Label1);
}

void TestStartUp::clicksAndCharacterKeysPassToTheMainWindow_data() {
    QTest::addColumn<QString>("target"); // a control, or "key"
    QTest::addColumn<int>("key");
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::addColumn<QPoint>("at");
    QTest::newRow("picture, left") << "imgLogo" << 0 << Qt::LeftButton << QPoint(40, 200);
    QTest::newRow("picture, right") << "imgLogo" << 0 << Qt::RightButton << QPoint(40, 200);
    QTest::newRow("frame border") << "Frame1" << 0 << Qt::LeftButton << QPoint(200, 3);
    QTest::newRow("window margin") << "frmSplash" << 0 << Qt::LeftButton << QPoint(4, 150);
    QTest::newRow("margin, right") << "frmSplash" << 0 << Qt::RightButton << QPoint(508, 150);
    for (const auto& [name, key] : {std::pair{"letter", int(Qt::Key_A)},
                                    {"digit", int(Qt::Key_5)},
                                    {"space", int(Qt::Key_Space)},
                                    {"enter", int(Qt::Key_Return)},
                                    {"escape", int(Qt::Key_Escape)},
                                    {"backspace", int(Qt::Key_Backspace)}})
        QTest::newRow(name) << "key" << key << Qt::NoButton << QPoint();
}

void TestStartUp::clicksAndCharacterKeysPassToTheMainWindow() {
    QFETCH(QString, target);
    QFETCH(int, key);
    QFETCH(Qt::MouseButton, button);
    QFETCH(QPoint, at);
    if (target == QLatin1String("key")) {
        QTest::keyClick(splash_, Qt::Key(key));
    } else {
        auto* control = target == QLatin1String("frmSplash") ? splash_.data()
                                                             : splash_->findChild<QWidget*>(target);
        QTest::mouseClick(control, button, {}, at);
    }
    QTRY_VERIFY(!splash_);
    QVERIFY(frmMain::existing());
    QVERIFY(frmMain::existing()->isVisible());
    QTRY_COMPARE_WITH_TIMEOUT(shownTitle(), QStringLiteral("welcome"), 20000);
}

void TestStartUp::labelsAndSilentKeysDoNothing_data() {
    QTest::addColumn<QString>("label");
    QTest::addColumn<int>("key");
    QTest::newRow("title label") << "Label1" << 0;
    QTest::newRow("version label") << "Label2" << 0;
    QTest::newRow("author label") << "Label3" << 0;
    QTest::newRow("arrow") << "" << int(Qt::Key_Left);
    QTest::newRow("function key") << "" << int(Qt::Key_F1);
    QTest::newRow("shift alone") << "" << int(Qt::Key_Shift);
}

void TestStartUp::labelsAndSilentKeysDoNothing() {
    QFETCH(QString, label);
    QFETCH(int, key);
    if (!label.isEmpty()) {
        QTest::mouseClick(splash_->findChild<QWidget*>(label), Qt::LeftButton, {}, QPoint(5, 5));
        QTest::mouseClick(splash_->findChild<QWidget*>(label), Qt::RightButton, {}, QPoint(5, 5));
    } else {
        QTest::keyClick(splash_, Qt::Key(key));
    }
    QTest::qWait(100);
    QVERIFY(splash_);
    QVERIFY(splash_->isVisible());
    QVERIFY(!frmMain::existing());
}

void TestStartUp::aboutShowsItsTextsOverTheMainWindowsTile() {
    dismissSplash();
    frmAbout about;
    about.show();
    QVERIFY(QTest::qWaitForWindowExposed(&about));
    QCOMPARE(about.windowTitle(), QStringLiteral("Относно \"Orvanta\""));
    QCOMPARE(about.size(), QSize(382, 235));
    QCOMPARE(about.cmdOK->text(), QStringLiteral("Затвори"));
    QCOMPARE(about.cmdSite->text(), QStringLiteral("WEB сайт"));
    QCOMPARE(about.lblTitle->text(), QStringLiteral("Orvanta"));
    QCOMPARE(about.lblVersion->text(), QStringLiteral("Версия : 1.3"));
    QCOMPARE(about.lblDescription->text(),
             QStringLiteral("Виртуална енциклопедия, за компютрите, компютърният хардуер, "
                            "компонените им и Orvanta. Навлезте в компютърният свят по "
                            "най-лесният, интересен и удобен начин. "));
    QCOMPARE(about.lblDisclaimer->text(),
             QStringLiteral("Автор : Екипът на Orvanta") + QString(18, ' ') +
                 QString::fromUtf8(Credits::origin) + QString(15, ' ') +
                 QStringLiteral("Внимание : Авторът не носи отговорност за щети причинени от "
                                "програмата. "));
    QCOMPARE(about.cmdSite->geometry(), QRect(280, 176, 92, 23));
    QCOMPARE(about.Image1->Picture().size(), QSize(32, 32));
    QVERIFY(about.Image1->Picture().toImage() != frmMain::existing()->Image1->Picture().toImage());
    // The etched separator: grey above, white 15 twips (one pixel) below.
    QCOMPARE(about.Line1[1]->BorderColor(), QColor(128, 128, 128));
    QCOMPARE(about.Line1[0]->Y1() - about.Line1[1]->Y1(), 15.f);
    // Where no control lies, the main window's tile shows, from the top-left corner.
    const QImage tile = frmMain::existing()->Image1->Picture().toImage();
    const QImage shot = about.grab().toImage();
    for (const QPoint at : {QPoint(2, 2), QPoint(110, 10), QPoint(300, 100), QPoint(250, 150)})
        QCOMPARE(shot.pixel(at), tile.pixel(at.x() % 104, at.y() % 97));
}

void TestStartUp::aboutIsModal() {
    dismissSplash();
    frmMain* main = frmMain::existing();
    bool wasModal = false;
    int historyWhileOpen = -1;
    whenShown<frmAbout>(this, [&](frmAbout* about) {
        wasModal = about->isModal();
        QTest::mouseClick(main->Home, Qt::LeftButton); // blocked by the About window
        QTest::qWait(200);
        historyWhileOpen = main->RTFInfo->history()->count();
        QTest::mouseClick(about->cmdOK, Qt::LeftButton);
    });
    QTest::mouseClick(main->cmdAbout, Qt::LeftButton);
    // The click returns only after the About window has closed.
    QVERIFY(!QApplication::activeModalWidget());
    QVERIFY(wasModal);
    QCOMPARE(historyWhileOpen, 1);
}

void TestStartUp::aboutKeysAndButtons_data() {
    QTest::addColumn<QString>("action");
    QTest::addColumn<bool>("opensSite");
    QTest::newRow("escape") << "escape" << true;
    QTest::newRow("enter right after opening") << "enter" << true;
    QTest::newRow("site button") << "site" << true;
    QTest::newRow("close button") << "ok" << false;
    QTest::newRow("tab, then enter") << "tab enter" << false;
    QTest::newRow("tab, then space") << "tab space" << false;
    QTest::newRow("close box") << "close" << false;
}

void TestStartUp::aboutKeysAndButtons() {
    QFETCH(QString, action);
    QFETCH(bool, opensSite);
    dismissSplash();
    frmMain* main = frmMain::existing();
    main->findChild<QAction*>("mnuAGP")->trigger();
    QTRY_COMPARE_WITH_TIMEOUT(shownTitle(), QStringLiteral("AGP"), 20000);
    QPointer<frmAbout> opened;
    whenShown<frmAbout>(this, [&](frmAbout* about) {
        opened = about;
        QCOMPARE(QApplication::focusWidget(), about->cmdSite);
        if (action == QLatin1String("escape"))
            QTest::keyClick(about, Qt::Key_Escape);
        else if (action == QLatin1String("enter"))
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        else if (action == QLatin1String("site"))
            QTest::mouseClick(about->cmdSite, Qt::LeftButton);
        else if (action == QLatin1String("ok"))
            QTest::mouseClick(about->cmdOK, Qt::LeftButton);
        else if (action == QLatin1String("close"))
            about->close();
        else {
            QTest::keyClick(about, Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), about->cmdOK);
            QTest::keyClick(about->cmdOK,
                            action.endsWith("space") ? Qt::Key_Space : Qt::Key_Return);
        }
    });
    QTest::mouseClick(main->cmdAbout, Qt::LeftButton);
    QTRY_VERIFY(!opened);
    const QUrl site(QString::fromUtf8(Credits::siteUrl));
    if (!opensSite) {
        QTest::qWait(200);
        QCOMPARE(main->RTFInfo->history()->count(), 2);
        QCOMPARE(shownTitle(), QStringLiteral("AGP"));
        return;
    }
    QTRY_COMPARE_WITH_TIMEOUT(main->RTFInfo->url(), site, 20000);
    QTRY_COMPARE_WITH_TIMEOUT(main->RTFInfo->history()->count(), 3, 20000);
    QVERIFY(main->RTFInfo->GoBack());
    QTRY_COMPARE_WITH_TIMEOUT(shownTitle(), QStringLiteral("AGP"), 20000);
}

void TestStartUp::aboutStaysOpaqueOverATranslucentMainWindow() {
    dismissSplash();
    QTest::mouseClick(frmMain::existing()->Transpe, Qt::LeftButton);
    QVERIFY(frmMain::existing()->Transp);
    frmAbout about;
    about.show();
    QCOMPARE(about.windowOpacity(), 1.0);
}

// Painting a secondary window must not make a hidden main window that would
// keep the program running.
void TestStartUp::paintingWithoutAMainWindowMakesNone() {
    delete splash_;
    frmAbout about;
    about.show();
    QVERIFY(QTest::qWaitForWindowExposed(&about));
    const QImage shot = about.grab().toImage();
    QVERIFY(!frmMain::existing());
    const QImage tile = frmMain::backgroundTile().picture.toImage();
    QCOMPARE(tile.size(), QSize(104, 97));
    QCOMPARE(shot.pixel(120, 5), tile.pixel(16, 5));
}

void TestStartUp::theSearchButtonShowsOneSearchWindowAndExitEndsAll() {
    dismissSplash();
    frmMain* main = frmMain::existing();
    QTest::mouseClick(main->imgSearch, Qt::LeftButton);
    frmSearch* search = frmSearch::existing();
    QVERIFY(search && search->isVisible());
    QVERIFY(!search->isModal());
    QTest::mouseClick(main->imgSearch, Qt::LeftButton);
    QCOMPARE(frmSearch::existing(), search);
    int searchWindows = 0;
    for (const QWidget* window : QApplication::topLevelWidgets())
        searchWindows += qobject_cast<const frmSearch*>(window) != nullptr;
    QCOMPARE(searchWindows, 1);

    QEventLoop program;
    QTimer::singleShot(0, main, [main] { QTest::mouseClick(main->cmdExit, Qt::LeftButton); });
    QTimer::singleShot(10000, &program, [&program] { program.exit(1); });
    QCOMPARE(program.exec(), 0);
    delete search;
}

TELVANE_TEST_MAIN(TestStartUp)
#include "tst_startup.moc"

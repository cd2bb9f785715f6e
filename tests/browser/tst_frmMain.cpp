#include "browser/API.h"
#include "browser/HtmlView.h"
#include "browser/Misc.h"
#include "browser/frmMain.h"
#include "catalogue/Catalogue.h"
#include "tests/Controls.h"
#include "tests/FixtureData.h"
#include "tests/TestMain.h"
#include "tests/WhenShown.h"
#include "toolkit/Image.h"
#include "toolkit/Line.h"
#include "toolkit/MessageBox.h"
#include "toolkit/Shape.h"

#include <QAction>
#include <QMenu>
#include <QSignalSpy>
#include <QWebEngineHistory>

namespace {

// Which pressed-look shapes show, as "E5,T5", or "" for none.
QString visiblePairs(const frmMain& main) {
    QStringList shown;
    for (int i = 0; i < 12; ++i)
        for (const char* array : {"Element", "Tops"})
            if (control<toolkit::Shape>(&main,
                                        qPrintable(QStringLiteral("%1(%2)").arg(array).arg(i)))
                    ->isVisible())
                shown << QStringLiteral("%1%2").arg(QChar::fromLatin1(array[0])).arg(i);
    return shown.join(u',');
}

QString pageText(HtmlView& view) {
    QString text;
    bool done = false;
    view.page()->toPlainText([&](const QString& t) {
        text = t;
        done = true;
    });
    if (!QTest::qWaitFor([&] { return done; }, 10000))
        return QStringLiteral("(no answer)");
    return text;
}

bool resizeOuter(QWidget& window, QSize outer) {
    window.resize(outer - (window.frameGeometry().size() - window.size()));
    return QTest::qWaitFor([&] { return window.frameGeometry().size() == outer; });
}

constexpr int loadTimeout = 20000;

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void pressShowsOnlyThatButtonsPair_data();
    void pressShowsOnlyThatButtonsPair();
    void releaseOffTheButtonHidesThePairWithoutAClick();
    void everyTopicItemOpensItsPage();
    void categoryButtonsPopUpTheirMenus_data();
    void categoryButtonsPopUpTheirMenus();
    void backForwardAndHome();
    void layoutFollowsTheOuterSizeAboveTheThresholds_data();
    void layoutFollowsTheOuterSizeAboveTheThresholds();
    void translucencyTogglesAndReportsABadAlpha();
    void aMissingPageShowsOurPage();

private:
    void waitForTitle(const QString& title);
    std::unique_ptr<FixtureData> data_;
    std::unique_ptr<frmMain> main_;
};

void TestMainWindow::init() {
    data_ = std::make_unique<FixtureData>();
    for (const catalogue::Topic& topic : catalogue::topics())
        data_->writePage(topic.pageFile(), topic.pageFile());
    main_ = std::make_unique<frmMain>(data_->folder());
    main_->setAttribute(Qt::WA_DeleteOnClose, false);
    main_->show();
    QVERIFY(QTest::qWaitForWindowExposed(main_.get()));
    waitForTitle(QStringLiteral("welcome.htm"));
}

void TestMainWindow::cleanup() {
    main_.reset();
    data_.reset();
}

void TestMainWindow::waitForTitle(const QString& title) {
    QTRY_COMPARE_WITH_TIMEOUT(main_->view().title(), title, loadTimeout);
}

void TestMainWindow::pressShowsOnlyThatButtonsPair_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("pair");
    QTest::addColumn<Qt::MouseButton>("button");
    const std::pair<const char*, int> buttons[] = {
        {"GoBack", 0},    {"GoForw", 1},     {"Home", 2},        {"imgSearch", 3},
        {"Transpe", 4},   {"cmdHistory", 5}, {"cmdHardware", 6}, {"cmdPeri", 7},
        {"cmdInterf", 8}, {"cmdAbout", 9},   {"cmdExit", 10},    {"cmdNet", 11}};
    for (const auto& [name, pair] : buttons)
        for (const auto& [label, mouse] : {std::pair{"left", Qt::LeftButton},
                                           {"right", Qt::RightButton},
                                           {"middle", Qt::MiddleButton}})
            QTest::addRow("%s %s", name, label) << QString::fromLatin1(name) << pair << mouse;
}

void TestMainWindow::pressShowsOnlyThatButtonsPair() {
    QFETCH(QString, name);
    QFETCH(int, pair);
    QFETCH(Qt::MouseButton, button);
    auto* image = control<toolkit::Image>(main_.get(), qPrintable(name));
    QVERIFY(image);
    QCOMPARE(visiblePairs(*main_), QString());
    QTest::mousePress(image, button);
    QCOMPARE(visiblePairs(*main_), QStringLiteral("E%1,T%1").arg(pair));
    // A release off the button: no click, so no menu or window to close.
    QTest::mouseRelease(image, button, {}, QPoint(-50, -50));
    QCOMPARE(visiblePairs(*main_), QString());
}

void TestMainWindow::releaseOffTheButtonHidesThePairWithoutAClick() {
    auto* home = control<toolkit::Image>(main_.get(), "Home");
    QSignalSpy clicks(home, &toolkit::Image::clicked);
    QTest::mousePress(home, Qt::LeftButton);
    QTest::mouseRelease(home, Qt::LeftButton, {}, QPoint(40, 10));
    QCOMPARE(clicks.count(), 0);
    QTest::mouseClick(home, Qt::MiddleButton);
    QCOMPARE(clicks.count(), 0);
    QTest::mouseClick(home, Qt::RightButton);
    QCOMPARE(clicks.count(), 1);
}

// Each item opens the page of its own stem; "Chipset" reaches "chipset.htm".
void TestMainWindow::everyTopicItemOpensItsPage() {
    int opened = 1;
    for (const catalogue::Topic& topic : catalogue::topics()) {
        if (topic.item.isEmpty())
            continue;
        auto* item = control<QAction>(main_.get(), qPrintable(topic.item.toString()));
        QVERIFY2(item, qPrintable(topic.item.toString()));
        item->trigger();
        waitForTitle(topic.pageFile());
        QCOMPARE(main_->view().history()->count(), ++opened);
    }
    QCOMPARE(opened, 47);
}

void TestMainWindow::categoryButtonsPopUpTheirMenus_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<Qt::MouseButton>("mouse");
    for (const catalogue::Category& category : catalogue::categories())
        for (Qt::MouseButton mouse : {Qt::LeftButton, Qt::RightButton})
            QTest::addRow("%s %d", qPrintable(category.button.toString()), int(mouse))
                << category.button.toString() << mouse;
}

// The menu opens at the pointer; closing it without a choice changes nothing.
void TestMainWindow::categoryButtonsPopUpTheirMenus() {
    QFETCH(QString, button);
    QFETCH(Qt::MouseButton, mouse);
    const auto& category =
        *std::find_if(catalogue::categories().begin(), catalogue::categories().end(),
                      [&](const catalogue::Category& c) { return c.button == button; });
    auto* image = control<toolkit::Image>(main_.get(), qPrintable(button));
    QString shown;
    QPoint at;
    whenShown<QMenu>(this, [&](QMenu* popup) {
        shown = popup->objectName();
        at = popup->pos();
        QCOMPARE(visiblePairs(*main_), QString());
        QTest::keyClick(popup, Qt::Key_Escape);
    });
    QCursor::setPos(image->mapToGlobal(QPoint(10, 10)));
    QTest::mouseClick(image, mouse, {}, QPoint(10, 10));
    QCOMPARE(shown, category.menu.toString());
    QVERIFY((at - QCursor::pos()).manhattanLength() <= 2);
    QCOMPARE(main_->view().history()->count(), 1);
}

void TestMainWindow::backForwardAndHome() {
    auto* back = control<toolkit::Image>(main_.get(), "GoBack");
    auto* forward = control<toolkit::Image>(main_.get(), "GoForw");
    // Refused right after start, silently.
    QVERIFY(!main_->view().GoBack());
    QVERIFY(!main_->view().GoForward());
    QTest::mouseClick(back, Qt::LeftButton);
    QTest::mouseClick(forward, Qt::LeftButton);
    QCOMPARE(main_->view().history()->count(), 1);
    main_->showTopic(QStringLiteral("AGP"));
    waitForTitle(QStringLiteral("AGP.htm"));
    QTest::mouseClick(control<toolkit::Image>(main_.get(), "Home"), Qt::LeftButton);
    waitForTitle(QStringLiteral("welcome.htm"));
    QCOMPARE(main_->view().history()->count(), 3); // Home adds to the history
    QTest::mouseClick(back, Qt::LeftButton);
    waitForTitle(QStringLiteral("AGP.htm"));
    QTest::mouseClick(forward, Qt::LeftButton);
    waitForTitle(QStringLiteral("welcome.htm"));
    QCOMPARE(main_->view().history()->currentItemIndex(), 2);
}

void TestMainWindow::layoutFollowsTheOuterSizeAboveTheThresholds_data() {
    QTest::addColumn<QSize>("outer");
    QTest::addColumn<QRect>("view");
    QTest::addColumn<int>("about");
    QTest::addColumn<int>("exit");
    // Below a threshold, what the layout at the first show made stays.
    QTest::newRow("just above") << QSize(601, 467) << QRect(8, 56, 578, 375) << 492 << 540;
    QTest::newRow("9000 wide is not above") << QSize(600, 534) << QRect() << 0 << 0;
    QTest::newRow("6990 high is not above") << QSize(800, 466) << QRect() << 0 << 0;
    QTest::newRow("large") << QSize(2600, 1500) << QRect(8, 56, 2577, 1408) << 2491 << 2539;
}

// The view and the right-hand buttons follow; below a threshold everything
// keeps its place. Each line and shape moves with its button.
void TestMainWindow::layoutFollowsTheOuterSizeAboveTheThresholds() {
    QFETCH(QSize, outer);
    QFETCH(QRect, view);
    QFETCH(int, about);
    QFETCH(int, exit);
    if (view.isNull()) {
        view = main_->view().geometry();
        about = control<toolkit::Image>(main_.get(), "cmdAbout")->x();
        exit = control<toolkit::Image>(main_.get(), "cmdExit")->x();
    }
    QVERIFY(resizeOuter(*main_, outer));
    QCOMPARE(main_->view().geometry(), view);
    QCOMPARE(control<toolkit::Image>(main_.get(), "cmdAbout")->x(), about);
    QCOMPARE(control<toolkit::Image>(main_.get(), "cmdExit")->x(), exit);
    QCOMPARE(control<toolkit::Image>(main_.get(), "cmdNet")->x(), 504);
    for (const char* shape : {"Tops(10)", "Element(10)"})
        QCOMPARE(control<toolkit::Shape>(main_.get(), shape)->x(), exit - 8);
    for (const char* shape : {"Tops(9)", "Element(9)"})
        QCOMPARE(control<toolkit::Shape>(main_.get(), shape)->x(), about - 8);
    for (const char* line : {"Line1(5)", "Line1(11)"}) {
        const auto* separator = control<toolkit::Line>(main_.get(), line);
        QCOMPARE(separator->X1(), separator->X2());
        QCOMPARE(qRound(separator->X1() / 15), exit - 8);
    }
}

void TestMainWindow::translucencyTogglesAndReportsABadAlpha() {
    auto* toggle = control<toolkit::Image>(main_.get(), "Transpe");
    QTest::mouseClick(toggle, Qt::LeftButton);
    QVERIFY(main_->translucent());
    QCOMPARE(main_->windowOpacity(), 150 / 255.0);
    QTest::mouseClick(toggle, Qt::LeftButton);
    QVERIFY(!main_->translucent());
    QCOMPARE(main_->windowOpacity(), 1.0);
    QVERIFY(API::GetWindowLongA(main_.get(), API::GWL_EXSTYLE) & API::WS_EX_LAYERED);
    // An alpha that is not a byte is reported; the layered bit set before stays.
    QWidget window;
    API::SetWindowLongA(&window, API::GWL_EXSTYLE, 0x8);
    QStringList messages;
    const auto previous = toolkit::setMessageHandler(
        [&](const QString& caption, const QString& text) { messages << caption + u'|' + text; });
    Misc::SetTranslucency(&window, 256);
    Misc::SetTranslucency(&window, -1);
    toolkit::setMessageHandler(previous);
    QCOMPARE(messages, QStringList(2, QStringLiteral("Telvane|Препълване Source : Telvane")));
    QCOMPARE(API::GetWindowLongA(&window, API::GWL_EXSTYLE), 0x8 | API::WS_EX_LAYERED);
    QCOMPARE(window.windowOpacity(), 1.0);
}

void TestMainWindow::aMissingPageShowsOurPage() {
    QFile::remove(data_->path("USB.htm"));
    main_->showTopic(QStringLiteral("USB"));
    waitForTitle(QStringLiteral("Страницата липсва"));
    QVERIFY(pageText(main_->view()).contains(QStringLiteral("USB.htm")));
    QVERIFY(main_->view().GoBack());
    waitForTitle(QStringLiteral("welcome.htm"));
}

TELVANE_TEST_MAIN(TestMainWindow)
#include "tst_frmMain.moc"

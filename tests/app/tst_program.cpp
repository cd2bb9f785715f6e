#include "app/Credits.h"
#include "app/Program.h"
#include "app/RunEnvironment.h"
#include "app/StartUp.h"
#include "app/frmAbout.h"
#include "app/frmSplash.h"
#include "browser/HtmlView.h"
#include "tests/Controls.h"
#include "tests/FindHighlight.h"
#include "tests/FixtureData.h"
#include "tests/TestMain.h"
#include "tests/WhenShown.h"
#include "toolkit/Image.h"
#include "toolkit/MessageBox.h"

#include <QAccessible>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>
#include <QWebEngineFindTextResult>
#include <QWebEngineHistory>
#include <QWindow>

namespace {

QString shownTitle(const Program* program) {
    const frmMain* main = program ? program->existingMainWindow() : nullptr;
    return main ? main->view().title() : QString();
}

// On screen, that is: the warm-up lays the window out without showing it there.
bool mainWindowShown(const Program* program) {
    const frmMain* main = program ? program->existingMainWindow() : nullptr;
    return main && main->windowHandle() && main->windowHandle()->isVisible();
}

void click(const QWidget* window, const char* name) {
    QTest::mouseClick(control<QWidget>(window, name), Qt::LeftButton, {}, QPoint(5, 5));
}

constexpr int loadTimeout = 20000;

// Runs the application's own event loop, as main() does, with act at its
// start, and gives the status the program ends it with. Only this loop, not
// a QEventLoop, is ready for more loops after the program has asked to end.
template <typename Act> int runProgram(QObject* context, Act act) {
    QTimer::singleShot(0, context, act);
    QTimer::singleShot(10000, context, [] { QCoreApplication::exit(-2); });
    return QApplication::exec();
}

// As main() does, before the application object.
[[maybe_unused]] const bool startedAsTheProgramIs = (exposePagesToScreenReaders(), true);

bool loaded(const frmMain& main, const QString& title) {
    return QTest::qWaitFor(
        [&] { return main.view().title() == title && !main.view().page()->isLoading(); },
        loadTimeout);
}

// A reader of its own, shown without the splash: the tests of the pages need
// only its windows.
frmMain* showReader(Program& program) {
    frmMain& main = program.mainWindow();
    main.show();
    return loaded(main, "welcome") ? &main : nullptr;
}

QStringList rolesUnder(QAccessibleInterface* node) {
    QStringList roles;
    for (int i = 0; node && i < node->childCount(); ++i) {
        QAccessibleInterface* child = node->child(i);
        roles << QString::number(child->role()) << rolesUnder(child);
    }
    return roles;
}

} // namespace

class TestProgram : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void theReaderWarmsUpWhileTheSplashWaits();
    void aDismissalBeforeTheReaderIsOpenStillShowsIt();
    void aReaderThatCannotOpenEndsTheProgram();
    void clicksAndCharacterKeysPassTheSplash_data();
    void clicksAndCharacterKeysPassTheSplash();
    void labelsAndSilentKeysLeaveTheSplash_data();
    void labelsAndSilentKeysLeaveTheSplash();
    void aboutIsModalOverTheMainWindowsTile();
    void aboutKeysAndButtons_data();
    void aboutKeysAndButtons();
    void oneSearchWindowFollowingTranslucencyAtLoad();
    void aResultReopensAClosedMainWindow();
    void aResultPageHighlightsItsKeyUntilAnotherPageOpens_data();
    void aResultPageHighlightsItsKeyUntilAnotherPageOpens();
    void pagesReachScreenReaders();

private:
    void passSplash();
    Program* program() const { return qobject_cast<Program*>(startUp_->reader()); }
    std::unique_ptr<FixtureData> data_;
    std::unique_ptr<StartUp> startUp_;
    QPointer<frmSplash> splash_;
};

void TestProgram::init() {
    data_ = std::make_unique<FixtureData>();
    data_->writePage("welcome.htm", "welcome", QStringLiteral("дошли"));
    data_->writePage("AGP.htm", "AGP");
    startUp_ = std::make_unique<StartUp>([this] {
        auto program = std::make_unique<Program>(data_->folder());
        program->warmUp();
        return std::unique_ptr<QObject>(std::move(program));
    });
    splash_ = startUp_->splash();
    QVERIFY(QTest::qWaitForWindowExposed(splash_));
}

void TestProgram::cleanup() {
    startUp_.reset();
    data_.reset();
}

void TestProgram::passSplash() {
    click(splash_, "imgLogo");
    QTRY_VERIFY(!splash_);
    QTRY_COMPARE_WITH_TIMEOUT(shownTitle(program()), QStringLiteral("welcome"), loadTimeout);
}

// The start page loads behind the splash; nothing shows until it is dismissed.
void TestProgram::theReaderWarmsUpWhileTheSplashWaits() {
    QTRY_COMPARE_WITH_TIMEOUT(shownTitle(program()), QStringLiteral("welcome"), loadTimeout);
    QVERIFY(!mainWindowShown(program()));
    QVERIFY(splash_->isVisible());
}

void TestProgram::aDismissalBeforeTheReaderIsOpenStillShowsIt() {
    startUp_.reset();
    startUp_ = std::make_unique<StartUp>(
        [this] { return std::unique_ptr<QObject>(new Program(data_->folder())); });
    QTest::keyClick(startUp_->splash(), Qt::Key_A);
    QVERIFY(mainWindowShown(program()));
    QTRY_COMPARE_WITH_TIMEOUT(shownTitle(program()), QStringLiteral("welcome"), loadTimeout);
}

void TestProgram::aReaderThatCannotOpenEndsTheProgram() {
    startUp_.reset();
    startUp_ = std::make_unique<StartUp>([] { return std::unique_ptr<QObject>(); });
    QCOMPARE(runProgram(this, [this] { QTest::keyClick(startUp_->splash(), Qt::Key_A); }), 1);
}

void TestProgram::clicksAndCharacterKeysPassTheSplash_data() {
    QTest::addColumn<QString>("target"); // a control, or "" for a key
    QTest::addColumn<int>("key");
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::addColumn<QPoint>("at");
    QTest::newRow("picture, left") << "imgLogo" << 0 << Qt::LeftButton << QPoint(40, 200);
    QTest::newRow("picture, right") << "imgLogo" << 0 << Qt::RightButton << QPoint(40, 200);
    QTest::newRow("frame border") << "Frame1" << 0 << Qt::LeftButton << QPoint(200, 3);
    QTest::newRow("window margin") << "frmSplash" << 0 << Qt::LeftButton << QPoint(4, 150);
    for (const auto& [name, key] : {std::pair{"letter", int(Qt::Key_A)},
                                    {"space", int(Qt::Key_Space)},
                                    {"enter", int(Qt::Key_Return)},
                                    {"escape", int(Qt::Key_Escape)},
                                    {"backspace", int(Qt::Key_Backspace)}})
        QTest::newRow(name) << "" << key << Qt::NoButton << QPoint();
}

void TestProgram::clicksAndCharacterKeysPassTheSplash() {
    QFETCH(QString, target);
    QFETCH(int, key);
    QFETCH(Qt::MouseButton, button);
    QFETCH(QPoint, at);
    QVERIFY(!mainWindowShown(program()));
    if (target.isEmpty())
        QTest::keyClick(splash_, Qt::Key(key));
    else
        QTest::mouseClick(target == QLatin1String("frmSplash")
                              ? splash_.data()
                              : control<QWidget>(splash_, qPrintable(target)),
                          button, {}, at);
    QTRY_VERIFY(!splash_);
    QVERIFY(mainWindowShown(program()));
    QTRY_COMPARE_WITH_TIMEOUT(shownTitle(program()), QStringLiteral("welcome"), loadTimeout);
    QCOMPARE(program()->existingMainWindow()->view().history()->count(), 1);
}

void TestProgram::labelsAndSilentKeysLeaveTheSplash_data() {
    QTest::addColumn<QString>("label");
    QTest::addColumn<int>("key");
    for (const char* label : {"Label1", "Label2", "Label3"})
        QTest::newRow(label) << label << 0;
    QTest::newRow("arrow") << "" << int(Qt::Key_Left);
    QTest::newRow("function key") << "" << int(Qt::Key_F1);
    QTest::newRow("shift alone") << "" << int(Qt::Key_Shift);
}

void TestProgram::labelsAndSilentKeysLeaveTheSplash() {
    QFETCH(QString, label);
    QFETCH(int, key);
    if (label.isEmpty())
        QTest::keyClick(splash_, Qt::Key(key));
    else
        click(splash_, qPrintable(label));
    QTest::qWait(100);
    QVERIFY(splash_ && splash_->isVisible());
    QVERIFY(!mainWindowShown(program()));
}

// Nothing else takes input while it is open; where no control lies, the main
// window's tile shows from the About window's own corner.
void TestProgram::aboutIsModalOverTheMainWindowsTile() {
    passSplash();
    frmMain* main = program()->existingMainWindow();
    QImage shot;
    int historyWhileOpen = -1;
    whenShown<frmAbout>(this, [&](frmAbout* about) {
        QVERIFY(about->isModal());
        QTest::mouseClick(control<toolkit::Image>(main, "Home"), Qt::LeftButton);
        QTest::qWait(200);
        historyWhileOpen = main->view().history()->count();
        shot = about->grab().toImage();
        click(about, "cmdOK");
    });
    QTest::mouseClick(control<toolkit::Image>(main, "cmdAbout"), Qt::LeftButton);
    // The click returns only after the About window has closed.
    QVERIFY(!QApplication::activeModalWidget());
    QCOMPARE(historyWhileOpen, 1);
    const QImage tile = frmMain::backgroundTile().picture.toImage();
    for (const QPoint at : {QPoint(2, 2), QPoint(110, 10), QPoint(300, 100)})
        QCOMPARE(shot.pixel(at), tile.pixel(at.x() % tile.width(), at.y() % tile.height()));
}

void TestProgram::aboutKeysAndButtons_data() {
    QTest::addColumn<QString>("action");
    QTest::addColumn<bool>("opensSite");
    QTest::newRow("escape") << "escape" << true;
    QTest::newRow("enter right after opening") << "enter" << true;
    QTest::newRow("site button") << "site" << true;
    QTest::newRow("close button") << "ok" << false;
    QTest::newRow("tab, then enter") << "tab" << false;
    QTest::newRow("close box") << "close" << false;
}

// The site opens in the main window's view as a new history entry.
void TestProgram::aboutKeysAndButtons() {
    QFETCH(QString, action);
    QFETCH(bool, opensSite);
    passSplash();
    frmMain* main = program()->existingMainWindow();
    QPointer<frmAbout> opened;
    whenShown<frmAbout>(this, [&](frmAbout* about) {
        opened = about;
        if (action == QLatin1String("escape"))
            QTest::keyClick(about, Qt::Key_Escape);
        else if (action == QLatin1String("enter")) {
            // The site button has the focus once the window is active.
            QTRY_COMPARE(QApplication::focusWidget(), control<QWidget>(about, "cmdSite"));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        } else if (action == QLatin1String("site"))
            click(about, "cmdSite");
        else if (action == QLatin1String("ok"))
            click(about, "cmdOK");
        else if (action == QLatin1String("close"))
            about->close();
        else {
            QTest::keyClick(about, Qt::Key_Tab);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        }
    });
    QTest::mouseClick(control<toolkit::Image>(main, "cmdAbout"), Qt::LeftButton);
    QTRY_VERIFY(!opened);
    if (opensSite)
        QTRY_COMPARE_WITH_TIMEOUT(main->view().url(), QUrl(QString::fromUtf8(Credits::siteUrl)),
                                  loadTimeout);
    QTest::qWait(200);
    QCOMPARE(main->view().history()->count(), opensSite ? 2 : 1);
}

void TestProgram::oneSearchWindowFollowingTranslucencyAtLoad() {
    passSplash();
    frmMain* main = program()->existingMainWindow();
    auto* searchButton = control<toolkit::Image>(main, "imgSearch");
    QTest::mouseClick(control<toolkit::Image>(main, "Transpe"), Qt::LeftButton);
    QTest::mouseClick(searchButton, Qt::LeftButton);
    QPointer<frmSearch> search = program()->existingSearchWindow();
    QVERIFY(search && search->isVisible() && !search->isModal());
    QCOMPARE(search->windowOpacity(), 150 / 255.0);
    QTest::mouseClick(searchButton, Qt::LeftButton);
    QCOMPARE(program()->existingSearchWindow(), search.data());
    // Opaque again: the open window keeps its alpha; a new one follows.
    QTest::mouseClick(control<toolkit::Image>(main, "Transpe"), Qt::LeftButton);
    QCOMPARE(search->windowOpacity(), 150 / 255.0);
    search->close();
    QTRY_VERIFY(!search);
    QTest::mouseClick(searchButton, Qt::LeftButton);
    QCOMPARE(program()->existingSearchWindow()->windowOpacity(), 1.0);
}

// A page asked for after the main window was closed brings one back on
// screen, not a hidden one that keeps the program running.
void TestProgram::aResultReopensAClosedMainWindow() {
    passSplash();
    QTest::mouseClick(control<toolkit::Image>(program()->existingMainWindow(), "imgSearch"),
                      Qt::LeftButton);
    frmSearch* search = program()->existingSearchWindow();
    program()->existingMainWindow()->close();
    QTRY_VERIFY(!program()->existingMainWindow());
    emit search->topicRequested(QStringLiteral("AGP"), QString());
    QVERIFY(program()->existingMainWindow()->isVisible());
    QTRY_COMPARE_WITH_TIMEOUT(shownTitle(program()), QStringLiteral("AGP"), loadTimeout);
}

void TestProgram::aResultPageHighlightsItsKeyUntilAnotherPageOpens_data() {
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("body");
    QTest::addColumn<int>("matches");
    QTest::newRow("in the text") << "памет"
                                 << "<p>Памет, ПАМЕТ и памет.</p>" << 3;
    QTest::newRow("in the markup only") << "rezerva"
                                        << "<p class=\"rezerva\">памет</p>" << 0;
}

// The key is no error where the page shows it nowhere; the start page holds
// it too, yet shows no highlight when opened afterwards.
void TestProgram::aResultPageHighlightsItsKeyUntilAnotherPageOpens() {
    QFETCH(QString, key);
    QFETCH(QString, body);
    QFETCH(int, matches);
    data_->writePage("AGP.htm", "AGP", body);
    data_->writePage("welcome.htm", "welcome", QStringLiteral("памет rezerva"));
    QStringList messages;
    toolkit::setMessageHandler([&](const QString&, const QString& text) { messages << text; });
    Program program(data_->folder());
    frmMain* main = showReader(program);
    QVERIFY(main);
    QSignalSpy found(main->view().page(), &QWebEnginePage::findTextFinished);
    QTest::mouseClick(control<toolkit::Image>(main, "imgSearch"), Qt::LeftButton);
    frmSearch* search = program.existingSearchWindow();
    control<QLineEdit>(search, "txtKey")->setText(key);
    click(search, "Search");
    auto* results = control<QListWidget>(search, "lstRezults");
    const QList<QListWidgetItem*> agp = results->findItems("AGP портът", Qt::MatchExactly);
    QCOMPARE(agp.size(), 1);
    const QPoint at = results->visualItemRect(agp.first()).center();
    QTest::mouseClick(results->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(results->viewport(), Qt::LeftButton, {}, at);
    QVERIFY(loaded(*main, "AGP"));
    // The find bar, hidden, counts for the key as the engine does.
    QTRY_COMPARE(control<QLabel>(main, "findCount")->text(),
                 matches ? QStringLiteral("1 от %1").arg(matches) : "Няма съвпадения");
    QCOMPARE(found.last().at(0).value<QWebEngineFindTextResult>().numberOfMatches(), matches);
    if (matches)
        QTRY_VERIFY(highlightedPixels(main->view()) > 0);
    QCOMPARE(messages, QStringList());
    QVERIFY(!control<QWidget>(main, "findBar")->isVisible());

    QTest::mouseClick(control<toolkit::Image>(main, "Home"), Qt::LeftButton);
    QVERIFY(loaded(*main, "welcome"));
    QTest::qWait(500);
    QCOMPARE(highlightedPixels(main->view()), 0);
    QCOMPARE(control<QLabel>(main, "findCount")->text(), QString());
    // Nor does it come back with the page.
    QVERIFY(main->view().GoBack());
    QVERIFY(loaded(*main, "AGP"));
    QTest::qWait(500);
    QCOMPARE(highlightedPixels(main->view()), 0);
    toolkit::setMessageHandler({});
}

// Headings, links, tables and text, as the engine gives them; only when the
// program has asked for them before the application object.
void TestProgram::pagesReachScreenReaders() {
    data_->writePage("AGP.htm", "AGP",
                     QStringLiteral("<h2>Версии</h2><a href=\"welcome.htm\">начало</a><table>"
                                    "<tr><th>Версия</th><th>Скорост</th></tr>"
                                    "<tr><td>1x</td><td>266 MB/s</td></tr></table>"));
    Program program(data_->folder());
    frmMain* main = showReader(program);
    QVERIFY(main);
    QAccessible::setActive(true);
    program.ShowTopic("AGP", QString());
    QVERIFY(loaded(*main, "AGP"));
    QAccessibleInterface* view = QAccessible::queryAccessibleInterface(&main->view());
    QTRY_VERIFY_WITH_TIMEOUT(view->childCount() == 1 && view->child(0)->childCount() > 0,
                             loadTimeout);
    QAccessibleInterface* page = view->child(0);
    QCOMPARE(page->role(), QAccessible::WebDocument);
    QCOMPARE(page->text(QAccessible::Name), QStringLiteral("AGP"));
    const QStringList roles = rolesUnder(page);
    QAccessible::setActive(false);
    for (const QAccessible::Role role :
         {QAccessible::Heading, QAccessible::Link, QAccessible::Table, QAccessible::StaticText})
        QVERIFY2(roles.contains(QString::number(role)), qPrintable(roles.join(u' ')));
}

TELVANE_TEST_MAIN(TestProgram)
#include "tst_program.moc"

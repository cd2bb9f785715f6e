#include "app/ProgramReader.h"
#include "app/StartUp.h"
#include "app/frmSplash.h"
#include "tests/WidgetTest.h"
#include "toolkit/MessageBox.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QWindow>

class TestProgram : public QObject {
    Q_OBJECT

    std::unique_ptr<FixtureData> data_;
    std::unique_ptr<StartUp> startUp_;
    QPointer<frmSplash> splash_;

    Program* program() const { return dynamic_cast<Program*>(startUp_->reader()); }
    frmMain* main() const { return program() ? program()->existingMainWindow() : nullptr; }

    bool mainWindowShown() const {
        return main() && main()->windowHandle() && main()->windowHandle()->isVisible();
    }

    bool shows(const QString& title) const {
        return eventually([&] { return main(); }) && settles(main()->view(), title);
    }

    // warmUp, as the program does: the start page loads behind the splash.
    void start(bool warmUp) {
        startUp_.reset();
        startUp_ = std::make_unique<StartUp>([this, warmUp] {
            auto program = std::make_unique<ProgramReader>(data_->folder());
            if (warmUp)
                program->warmUp();
            return OpenedReader{std::move(program), {}};
        });
        splash_ = startUp_->splash();
    }

    void passSplash() {
        click(splash_, "imgLogo");
        QTRY_VERIFY(!splash_);
        QVERIFY(shows("welcome"));
    }

private slots:
    void init() {
        data_ = std::make_unique<FixtureData>();
        data_->writePage("welcome.htm", "welcome", QStringLiteral("памет rezerva"));
        data_->writePage("AGP.htm", "AGP");
        start(true);
        QVERIFY(QTest::qWaitForWindowExposed(splash_));
    }

    void cleanup() { startUp_.reset(); }

    void aDismissalBeforeTheReaderIsOpenStillShowsIt() {
        start(false);
        QTest::keyClick(splash_, Qt::Key_A);
        QVERIFY(mainWindowShown());
        QVERIFY(shows("welcome"));
    }

    // On screen again (not hidden, keeping the program running), behind the search window.
    void aResultReopensAClosedMainWindow() {
        passSplash();
        click(main(), "imgSearch");
        frmSearch* search = program()->existingSearchWindow();
        main()->close();
        QTRY_VERIFY(!main());
        emit search->topicRequested(QStringLiteral("AGP"), QString());
        QVERIFY(main()->isVisible());
        QVERIFY(shows("AGP"));
        QTRY_COMPARE(QApplication::activeWindow(), search);
    }

    void aResultPageHighlightsItsKeyUntilAnotherPageOpens_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("body");
        QTest::addColumn<int>("matches");
        QTest::newRow("in the text") << "памет"
                                     << "<p>Памет, ПАМЕТ и памет.</p>" << 3;
        QTest::newRow("in the markup only") << "rezerva"
                                            << "<p class=rezerva>памет</p>" << 0;
    }

    // A key the page shows nowhere is no error. The start page holds it too, yet shows
    // no highlight, nor does the result page when it comes back; the search window stays.
    void aResultPageHighlightsItsKeyUntilAnotherPageOpens() {
        QFETCH(QString, key);
        QFETCH(QString, body);
        QFETCH(int, matches);
        data_->writePage("AGP.htm", "AGP", body);
        QStringList messages;
        toolkit::setMessageHandler([&](const QString&, const QString& text) { messages << text; });
        passSplash();
        click(main(), "imgSearch");
        frmSearch* search = program()->existingSearchWindow();
        control<QLineEdit>(search, "txtKey")->setText(key);
        click(search, "Search");
        auto* results = control<QListWidget>(search, "lstRezults");
        const QList<QListWidgetItem*> agp = results->findItems("AGP портът", Qt::MatchExactly);
        QCOMPARE(agp.size(), 1);
        control<QLineEdit>(search, "txtKey")->setText("друго"); // the key is the one searched
        const QPoint at = results->visualItemRect(agp.first()).center();
        QTest::mouseDClick(results->viewport(), Qt::LeftButton, {}, QPoint(20, 150));
        QTest::mouseClick(results->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(results->viewport(), Qt::LeftButton, {}, at);
        HtmlView& view = main()->view();
        QVERIFY(settles(view, "AGP", 1)); // nothing opened for the click on no title
        // The hidden find bar counts for the key as the engine does.
        QTRY_COMPARE(control<QLabel>(main(), "findCount")->text(),
                     matches ? QStringLiteral("1 от %1").arg(matches) : "Няма съвпадения");
        QTRY_COMPARE(highlightedPixels(view) > 0, matches > 0);
        QVERIFY(!control<QWidget>(main(), "findBar")->isVisible());
        toolkit::setMessageHandler({});
        QCOMPARE(messages, QStringList());
        click(main(), "Home");
        QVERIFY(settles(view, "welcome"));
        QVERIFY(view.GoBack() && settles(view, "AGP"));
        QTest::qWait(500);
        QCOMPARE(highlightedPixels(view), 0);
        QCOMPARE(control<QLabel>(main(), "findCount")->text(), QString());
        QVERIFY(search->isVisible());
    }
};

TELVANE_TEST_MAIN(TestProgram)
#include "tst_program.moc"

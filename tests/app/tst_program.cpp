#include "app/ProgramReader.h"
#include "app/RunEnvironment.h"
#include "app/StartUp.h"
#include "app/frmAbout.h"
#include "app/frmSplash.h"
#include "tests/WidgetTest.h"
#include "toolkit/MessageBox.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QWindow>
#include <algorithm>
#include <cmath>
#include <functional>

namespace {

// On screen, that is: the warm-up lays the window out without showing it there.
bool mainWindowShown(const Program* program) {
    const frmMain* main = program ? program->existingMainWindow() : nullptr;
    return main && main->windowHandle() && main->windowHandle()->isVisible();
}

// WCAG 2's relative luminance.
double luminance(QRgb colour) {
    const auto linear = [](int channel) {
        const double value = channel / 255.0;
        return value <= 0.03928 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(qRed(colour)) + 0.7152 * linear(qGreen(colour)) +
           0.0722 * linear(qBlue(colour));
}

// The visible text controls whose text colour has a WCAG contrast ratio under
// 4.5 with what lies behind it: the median of the control's area as drawn,
// which its text covers only in part.
QStringList poorlyContrasted(QWidget& window) {
    const QImage shot = window.grab().toImage();
    QStringList poor;
    for (QWidget* control : window.findChildren<QWidget*>()) {
        const QRect area = QRect(control->mapTo(&window, QPoint()), control->size()) & shot.rect();
        if (!control->isVisible() || area.isEmpty() ||
            !(qobject_cast<QLabel*>(control) || qobject_cast<QAbstractButton*>(control)))
            continue;
        std::vector<double> behind;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                behind.push_back(luminance(shot.pixel(x, y)));
        const auto median = behind.begin() + std::ssize(behind) / 2;
        std::nth_element(behind.begin(), median, behind.end());
        const double text = luminance(control->palette().color(control->foregroundRole()).rgb());
        const double ratio = (std::max(text, *median) + 0.05) / (std::min(text, *median) + 0.05);
        if (ratio < 4.5)
            poor << QStringLiteral("%1.%2:%3")
                        .arg(window.objectName(), control->objectName())
                        .arg(ratio, 0, 'f', 1);
    }
    return poor;
}

} // namespace

class TestProgram : public QObject {
    Q_OBJECT

    std::unique_ptr<FixtureData> data_;
    std::unique_ptr<StartUp> startUp_;
    QPointer<frmSplash> splash_;

    Program* program() const { return dynamic_cast<Program*>(startUp_->reader()); }
    frmMain* main() const { return program() ? program()->existingMainWindow() : nullptr; }

    // The main window, made on its own time, settles on that page.
    bool shows(const QString& title) const {
        return eventually([&] { return main(); }) && settles(main()->view(), title);
    }

    void startWith(StartUp::ReaderOpener openReader) {
        startUp_.reset();
        startUp_ = std::make_unique<StartUp>(std::move(openReader));
        splash_ = startUp_->splash();
    }

    // As the program starts: the reader warms up behind the splash.
    void startWarmingUp() {
        startWith([this] {
            auto program = std::make_unique<ProgramReader>(data_->folder());
            program->warmUp();
            return OpenedReader{std::move(program), {}};
        });
        QVERIFY(QTest::qWaitForWindowExposed(splash_));
    }

    void passSplash() {
        click(splash_, "imgLogo");
        QTRY_VERIFY(!splash_);
        QVERIFY(shows("welcome"));
    }

    // A reader of its own, shown without the splash.
    frmMain* showReader(Program& program) {
        program.mainWindow().show();
        return settles(program.mainWindow().view(), "welcome") ? &program.mainWindow() : nullptr;
    }

private slots:
    void init() {
        data_ = std::make_unique<FixtureData>();
        data_->writePage("welcome.htm", "welcome", QStringLiteral("памет rezerva"));
        data_->writePage("AGP.htm", "AGP");
        startWarmingUp();
    }

    void cleanup() {
        startUp_.reset();
        data_.reset();
    }

    // The start page loads behind the splash; nothing shows until it is dismissed.
    void theReaderWarmsUpWhileTheSplashWaits() {
        QVERIFY(shows("welcome"));
        QVERIFY(!mainWindowShown(program()));
        QVERIFY(splash_->isVisible());
    }

    void aDismissalBeforeTheReaderIsOpenStillShowsIt() {
        startWith([this] {
            return OpenedReader{std::make_unique<ProgramReader>(data_->folder()), {}};
        });
        QTest::keyClick(splash_, Qt::Key_A);
        QVERIFY(mainWindowShown(program()));
        QVERIFY(shows("welcome"));
    }

    // Where no control lies, the main window's tile shows from the About
    // window's own corner; the main window is its owner, its icon in every size.
    void aboutShowsTheMainWindowsTile() {
        passSplash();
        QImage shot;
        QWindow* owner = nullptr;
        qsizetype iconSizes = 0;
        whenShown<frmAbout>(this, [&](frmAbout* about) {
            shot = about->grab().toImage();
            owner = about->windowHandle()->transientParent();
            iconSizes = about->windowIcon().availableSizes().size();
            click(about, "cmdOK");
        });
        click(main(), "cmdAbout"); // returns once the About window has closed
        QCOMPARE(owner, main()->windowHandle());
        QCOMPARE(iconSizes, 8);
        const QImage tile = toolkit::backgroundTile().picture.toImage();
        for (const QPoint at : {QPoint(2, 2), QPoint(110, 10), QPoint(300, 100)})
            QCOMPARE(shot.pixel(at), tile.pixel(at.x() % tile.width(), at.y() % tile.height()));
    }

    void designedTextsStandOutUnderAnyPalette_data() {
        QTest::addColumn<QPalette>("palette");
        QTest::newRow("light") << QApplication::style()->standardPalette();
        QTest::newRow("dark") << QPalette(QColor(53, 53, 53), QColor(42, 42, 42));
    }

    // The designed windows keep their dark texts on their light pictures; the
    // find bar of the reading view takes the desktop's colours.
    void designedTextsStandOutUnderAnyPalette() {
        QFETCH(QPalette, palette);
        const QPalette desktop = QApplication::palette();
        QApplication::setPalette(palette); // as the desktop's, before any window
        startWarmingUp();
        QStringList poor = poorlyContrasted(*splash_);
        passSplash();
        program()->ShowTopic("welcome", QStringLiteral("памет"));
        QTRY_COMPARE(control<QLabel>(main(), "findCount")->text(), QStringLiteral("1 от 1"));
        main()->findChild<QAction*>("pageFind")->trigger();
        poor << poorlyContrasted(*control<QWidget>(main(), "findBar"));
        click(main(), "imgSearch");
        poor << poorlyContrasted(*program()->existingSearchWindow());
        whenShown<frmAbout>(this, [&](frmAbout* about) {
            poor << poorlyContrasted(*about);
            click(about, "cmdOK");
        });
        click(main(), "cmdAbout");
        QApplication::setPalette(desktop);
        QVERIFY2(poor.isEmpty(), qPrintable(poor.join(u' ')));
    }

    // Opaque again, the open window keeps its alpha; a new one follows.
    void oneSearchWindowFollowingTranslucencyAtLoad() {
        passSplash();
        click(main(), "Transpe");
        click(main(), "imgSearch");
        QPointer<frmSearch> search = program()->existingSearchWindow();
        QVERIFY(search && search->isVisible() && !search->isModal());
        QCOMPARE(search->windowOpacity(), 150 / 255.0);
        click(main(), "imgSearch");
        QCOMPARE(program()->existingSearchWindow(), search.data());
        click(main(), "Transpe");
        QCOMPARE(search->windowOpacity(), 150 / 255.0);
        search->close();
        QTRY_VERIFY(!search);
        click(main(), "imgSearch");
        QCOMPARE(program()->existingSearchWindow()->windowOpacity(), 1.0);
    }

    // On screen again, not a hidden one that keeps the program running; behind
    // the search window, where the user goes on choosing.
    void aResultReopensAClosedMainWindow() {
        passSplash();
        click(main(), "imgSearch");
        frmSearch* search = program()->existingSearchWindow();
        main()->close();
        QTRY_VERIFY(!main());
        emit search->topicRequested(QStringLiteral("AGP"), QString());
        QVERIFY(main()->isVisible());
        QTRY_COMPARE(QApplication::activeWindow(), search);
        QVERIFY(shows("AGP"));
        QCOMPARE(QApplication::activeWindow(), search);
    }

    void aResultPageHighlightsItsKeyUntilAnotherPageOpens_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("body");
        QTest::addColumn<int>("matches");
        QTest::newRow("in the text") << "памет"
                                     << "<p>Памет, ПАМЕТ и памет.</p>" << 3;
        QTest::newRow("in the markup only") << "rezerva"
                                            << "<p class=\"rezerva\">памет</p>" << 0;
    }

    // A key the page shows nowhere is no error; the start page holds it too,
    // yet shows no highlight when opened afterwards, nor does the result page
    // when it comes back.
    void aResultPageHighlightsItsKeyUntilAnotherPageOpens() {
        QFETCH(QString, key);
        QFETCH(QString, body);
        QFETCH(int, matches);
        data_->writePage("AGP.htm", "AGP", body);
        QStringList messages;
        toolkit::setMessageHandler([&](const QString&, const QString& text) { messages << text; });
        Program program(data_->folder());
        frmMain* main = showReader(program);
        QVERIFY(main);
        click(main, "imgSearch");
        frmSearch* search = program.existingSearchWindow();
        control<QLineEdit>(search, "txtKey")->setText(key);
        click(search, "Search");
        auto* results = control<QListWidget>(search, "lstRezults");
        const QList<QListWidgetItem*> agp = results->findItems("AGP портът", Qt::MatchExactly);
        QCOMPARE(agp.size(), 1);
        const QPoint at = results->visualItemRect(agp.first()).center();
        QTest::mouseClick(results->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(results->viewport(), Qt::LeftButton, {}, at);
        QVERIFY(settles(main->view(), "AGP"));
        // The find bar, hidden, counts for the key as the engine does.
        QTRY_COMPARE(control<QLabel>(main, "findCount")->text(),
                     matches ? QStringLiteral("1 от %1").arg(matches) : "Няма съвпадения");
        QTRY_COMPARE(highlightedPixels(main->view()) > 0, matches > 0);
        QVERIFY(!control<QWidget>(main, "findBar")->isVisible());
        toolkit::setMessageHandler({});
        QCOMPARE(messages, QStringList());
        click(main, "Home");
        QVERIFY(settles(main->view(), "welcome"));
        QVERIFY(main->view().GoBack());
        QVERIFY(settles(main->view(), "AGP"));
        QTest::qWait(500);
        QCOMPARE(highlightedPixels(main->view()), 0);
        QCOMPARE(control<QLabel>(main, "findCount")->text(), QString());
    }
};

TELVANE_TEST_MAIN(TestProgram)
#include "tst_program.moc"

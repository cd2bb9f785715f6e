#include "browser/API.h"
#include "browser/frmMain.h"
#include "tests/Controls.h"
#include "tests/FixtureData.h"
#include "tests/TestMain.h"
#include "toolkit/Image.h"
#include "toolkit/MessageBox.h"

#include <QProcess>
#include <QStandardPaths>

class TestTranslucencyOnX11 : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void withoutACompositorEachClickReportsAndStillFlips();
    void withACompositorTheWindowTakesTheAlpha();

private:
    void clickToggle() {
        QTest::mouseClick(control<toolkit::Image>(main_.get(), "Transpe"), Qt::LeftButton);
    }
    FixtureData data_;
    std::unique_ptr<frmMain> main_;
    QProcess compositor_;
};

void TestTranslucencyOnX11::initTestCase() {
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        QSKIP("needs an X server");
    data_.writePage("welcome.htm", "welcome");
    main_ = std::make_unique<frmMain>(data_.folder());
    main_->setAttribute(Qt::WA_DeleteOnClose, false);
    main_->show();
    QVERIFY(QTest::qWaitForWindowExposed(main_.get()));
}

void TestTranslucencyOnX11::cleanupTestCase() {
    main_.reset();
    compositor_.kill();
    compositor_.waitForFinished();
}

void TestTranslucencyOnX11::withoutACompositorEachClickReportsAndStillFlips() {
    QVERIFY(!API::platformCanBlendWindows());
    for (const bool expected : {true, false}) {
        QStringList messages;
        const auto previous = toolkit::setMessageHandler(
            [&](const QString& caption, const QString& text) { messages << caption << text; });
        clickToggle();
        toolkit::setMessageHandler(previous);
        QCOMPARE(messages.size(), 2);
        QCOMPARE(messages[0], QStringLiteral("Telvane"));
        QVERIFY(messages[1].endsWith(QStringLiteral(" Source : Telvane")));
        QVERIFY(messages[1].contains(QStringLiteral("прозрачен")));
        QCOMPARE(main_->translucent(), expected);
        QCOMPARE(main_->windowOpacity(), 1.0);
    }
}

void TestTranslucencyOnX11::withACompositorTheWindowTakesTheAlpha() {
    const QString xcompmgr = QStandardPaths::findExecutable(QStringLiteral("xcompmgr"));
    if (xcompmgr.isEmpty())
        QSKIP("xcompmgr is not installed");
    compositor_.start(xcompmgr, {});
    QVERIFY(compositor_.waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(API::platformCanBlendWindows(), 10000);
    clickToggle();
    QVERIFY(main_->translucent());
    QCOMPARE(main_->windowOpacity(), 150 / 255.0);
    clickToggle();
    QCOMPARE(main_->windowOpacity(), 1.0);
}

TELVANE_TEST_MAIN(TestTranslucencyOnX11)
#include "tst_translucencyX11.moc"

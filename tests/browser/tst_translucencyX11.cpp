#include "API.h"
#include "FixtureData.h"
#include "HtmlView.h"
#include "Image.h"
#include "TestMain.h"
#include "frmMain.h"

#include <QMessageBox>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>

// Runs on a real X server (Xvfb): first without a compositing manager, where
// no window can be translucent, then with one.
class TestTranslucencyOnX11 : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void withoutACompositorEachClickReportsAndStillFlips();
    void withACompositorTheWindowTakesTheAlpha();

private:
    std::unique_ptr<FixtureData> data_;
    frmMain* main_ = nullptr;
    QProcess compositor_;
};

void TestTranslucencyOnX11::initTestCase() {
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        QSKIP("needs an X server");
    data_ = std::make_unique<FixtureData>();
    data_->writePage("welcome.htm", "welcome");
    main_ = frmMain::instance();
    main_->show();
    QVERIFY(QTest::qWaitForWindowExposed(main_));
}

void TestTranslucencyOnX11::cleanupTestCase() {
    delete main_;
    compositor_.kill();
    compositor_.waitForFinished();
}

void TestTranslucencyOnX11::withoutACompositorEachClickReportsAndStillFlips() {
    QVERIFY(!API::platformCanBlendWindows());
    for (const bool expected : {true, false}) {
        QString text;
        QString caption;
        QTimer::singleShot(100, this, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box)
                return;
            text = box->text();
            caption = box->windowTitle();
            box->accept();
        });
        QTest::mouseClick(main_->Transpe, Qt::LeftButton);
        QVERIFY(text.endsWith(QStringLiteral(" Source : Telvane")));
        QVERIFY(text.contains(QStringLiteral("прозрачен")));
        QCOMPARE(caption, QStringLiteral("Telvane"));
        QCOMPARE(main_->Transp, expected);
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
    QTest::mouseClick(main_->Transpe, Qt::LeftButton);
    QVERIFY(!QApplication::activeModalWidget());
    QCOMPARE(main_->Transp, true);
    QCOMPARE(main_->windowOpacity(), 150 / 255.0);
    QTest::mouseClick(main_->Transpe, Qt::LeftButton);
    QCOMPARE(main_->windowOpacity(), 1.0);
}

TELVANE_TEST_MAIN(TestTranslucencyOnX11)
#include "tst_translucencyX11.moc"

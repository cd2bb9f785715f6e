#include "browser/API.h"
#include "browser/frmMain.h"
#include "tests/WidgetTest.h"
#include "toolkit/MessageBox.h"

#include <QProcess>
#include <QStandardPaths>

// Without a compositing manager each click says so and still flips the flag;
// with one the window takes the alpha.
class TestTranslucencyOnX11 : public QObject {
    Q_OBJECT
private slots:
    void translucencyWithAndWithoutACompositor() {
        if (QGuiApplication::platformName() != QLatin1String("xcb"))
            QSKIP("needs an X server");
        FixtureData data;
        data.writePage("welcome.htm", "welcome");
        frmMain main(data.folder());
        main.setAttribute(Qt::WA_DeleteOnClose, false);
        main.show();
        QVERIFY(QTest::qWaitForWindowExposed(&main));
        QVERIFY(!API::platformCanBlendWindows());
        for (const bool expected : {true, false}) {
            QStringList messages;
            const auto previous = toolkit::setMessageHandler(
                [&](const QString& caption, const QString& text) { messages << caption << text; });
            click(&main, "Transpe");
            toolkit::setMessageHandler(previous);
            QCOMPARE(messages.value(0), QStringLiteral("Telvane"));
            QVERIFY(messages.value(1).contains(QStringLiteral("прозрачен")));
            QVERIFY(messages.value(1).endsWith(QStringLiteral(" Source : Telvane")));
            QCOMPARE(main.translucent(), expected);
            QCOMPARE(main.windowOpacity(), 1.0);
        }
        QProcess compositor;
        compositor.start(QStandardPaths::findExecutable(QStringLiteral("xcompmgr")), {});
        QVERIFY2(compositor.waitForStarted(), "xcompmgr is needed");
        QTRY_VERIFY_WITH_TIMEOUT(API::platformCanBlendWindows(), 10000);
        for (const double opacity : {150 / 255.0, 1.0}) {
            click(&main, "Transpe");
            QCOMPARE(main.windowOpacity(), opacity);
        }
        compositor.kill();
        compositor.waitForFinished();
    }
};

TELVANE_TEST_MAIN(TestTranslucencyOnX11)
#include "tst_translucencyX11.moc"

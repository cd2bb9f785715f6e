#include "app/Program.h"
#include "app/RunEnvironment.h"
#include "tests/WidgetTest.h"

#include <QWebEngineScript>

// Pages take the desktop's colour scheme from its palette at start. The web
// engine takes it once, when it starts, so each scheme is a run of its own:
// CTest sets SCHEME to light or dark.
class TestColourScheme : public QObject {
    Q_OBJECT
private slots:
    void pagesTakeTheDesktopsColourScheme() {
        const QByteArray scheme = qgetenv("SCHEME");
        QVERIFY(scheme == "light" || scheme == "dark");
        if (scheme == "dark")
            QApplication::setPalette(QPalette(QColor(53, 53, 53), QColor(42, 42, 42)));
        showPagesInDesktopColourScheme();
        FixtureData data;
        data.writePage("welcome.htm", "welcome");
        Program program(data.folder());
        HtmlView& view = program.mainWindow().view();
        program.mainWindow().show();
        QVERIFY(settles(view, "welcome"));
        QVariant dark;
        view.page()->runJavaScript(
            QStringLiteral("matchMedia('(prefers-color-scheme: dark)').matches"),
            QWebEngineScript::ApplicationWorld, [&dark](const QVariant& answer) { dark = answer; });
        QTRY_VERIFY(dark.isValid());
        QCOMPARE(dark.toBool(), scheme == "dark");
    }
};

TELVANE_TEST_MAIN(TestColourScheme)
#include "tst_colourScheme.moc"

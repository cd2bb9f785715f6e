#include "app/ApplicationSetup.h"
#include "app/CommandLine.h"

#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct Run {
    int exitCode = -1;
    QString out;
    QString err;
};

// Runs the program in a session without a display, with environment added.
Run runProgram(const QString& program, const QStringList& arguments,
               const QStringList& environment = {}) {
    QProcessEnvironment session = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        session.remove(QLatin1String(name));
    for (const QString& variable : environment)
        session.insert(variable.section(u'=', 0, 0), variable.section(u'=', 1));
    QProcess process;
    process.setProcessEnvironment(session);
    process.start(program, arguments);
    if (!process.waitForFinished() || process.exitStatus() != QProcess::NormalExit)
        return {};
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

} // namespace

class TestStartUp : public QObject {
    Q_OBJECT
private slots:
    void qtTextsAreBulgarian();
    void displayReachable_data();
    void displayReachable();
    void commandLine_data();
    void commandLine();
    void checkDataFindsThePages_data();
    void checkDataFindsThePages();
};

void TestStartUp::qtTextsAreBulgarian() {
    setUpApplication(*qApp);
    const QString ok = QCoreApplication::translate("QPlatformTheme", "OK");
    QCOMPARE(ok, QStringLiteral("Добре"));
    QMessageBox box(QMessageBox::Information, QString(), QString(), QMessageBox::Ok);
    QCOMPARE(box.button(QMessageBox::Ok)->text(), ok);
}

void TestStartUp::displayReachable_data() {
    QTest::addColumn<QString>("platform");
    QTest::addColumn<bool>("x11");
    QTest::addColumn<bool>("wayland");
    QTest::addColumn<bool>("reachable");
    QTest::newRow("Qt's choice, X11") << "" << true << false << true;
    QTest::newRow("Qt's choice, Wayland") << "" << false << true << true;
    QTest::newRow("Qt's choice, neither") << "" << false << false << false;
    QTest::newRow("offscreen needs none") << "offscreen" << false << false << true;
    QTest::newRow("X11 without its display") << "xcb" << false << true << false;
    QTest::newRow("Wayland with its display") << "wayland-egl" << false << true << true;
    QTest::newRow("Wayland without its display") << "wayland" << true << false << false;
    QTest::newRow("the second of a list") << "wayland;xcb" << true << false << true;
    QTest::newRow("options after a colon") << "xcb:nograb" << false << false << false;
}

void TestStartUp::displayReachable() {
    QFETCH(QString, platform);
    QFETCH(bool, x11);
    QFETCH(bool, wayland);
    QFETCH(bool, reachable);
    QCOMPARE(::displayReachable(platform, x11, wayland), reachable);
}

void TestStartUp::commandLine_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QStringList>("environment");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("out"); // patterns that the whole of each stream matches
    QTest::addColumn<QString>("err");
    const QString noDisplay = QStringLiteral("telvane: не е намерен дисплей [^\n]+\n");
    QTest::newRow("help") << QStringList{"--help"} << QStringList() << 0
                          << "Използване: .*\\[опции\\].*--check-data.*"
                          << "";
    QTest::newRow("version") << QStringList{"-v"} << QStringList() << 0
                             << "Telvane " TELVANE_VERSION "\n"
                             << "";
    QTest::newRow("unknown option") << QStringList{"--bogus"} << QStringList() << 2 << ""
                                    << "telvane: Непозната опция: „bogus“\\.\n.*";
    QTest::newRow("stray argument") << QStringList{"AGP"} << QStringList() << 2 << ""
                                    << "telvane: Неочакван аргумент: „AGP“\\.\n.*";
    QTest::newRow("no display") << QStringList() << QStringList() << 1 << "" << noDisplay;
    QTest::newRow("X11 asked for, only Wayland there")
        << QStringList() << QStringList{"QT_QPA_PLATFORM=xcb", "WAYLAND_DISPLAY=wayland-0"} << 1
        << "" << noDisplay;
}

void TestStartUp::commandLine() {
    QFETCH(QStringList, arguments);
    QFETCH(QStringList, environment);
    QFETCH(int, exitCode);
    QFETCH(QString, out);
    QFETCH(QString, err);
    const Run run = runProgram(QStringLiteral(TELVANE_EXECUTABLE), arguments, environment);
    QCOMPARE(run.exitCode, exitCode);
    const auto whole = [](const QString& pattern) {
        return QRegularExpression(QRegularExpression::anchoredPattern(pattern),
                                  QRegularExpression::DotMatchesEverythingOption);
    };
    QVERIFY2(whole(out).match(run.out).hasMatch(), qPrintable(run.out));
    QVERIFY2(whole(err).match(run.err).hasMatch(), qPrintable(run.err));
}

void TestStartUp::checkDataFindsThePages_data() {
    QTest::addColumn<QStringList>("pages"); // the Data folders that hold a start page
    QTest::addColumn<QString>("folder");
    QTest::addColumn<int>("exitCode");
    const QString beside = QStringLiteral("bin/Data");
    const QString installed = QStringLiteral("share/telvane/Data");
    QTest::newRow("beside the program") << QStringList{beside} << beside << 0;
    QTest::newRow("installed") << QStringList{installed} << installed << 0;
    QTest::newRow("beside before installed") << QStringList{installed, beside} << beside << 0;
    QTest::newRow("none") << QStringList() << beside << 1;
}

// A copy of the program in a folder of its own, as an installation lays it out.
void TestStartUp::checkDataFindsThePages() {
    QFETCH(QStringList, pages);
    QFETCH(QString, folder);
    QFETCH(int, exitCode);
    QTemporaryDir root;
    const QDir layout(QDir(root.path()).canonicalPath());
    QVERIFY(layout.mkpath(QStringLiteral("bin")));
    const QString program = layout.filePath(QStringLiteral("bin/telvane"));
    QVERIFY(QFile::copy(QStringLiteral(TELVANE_EXECUTABLE), program));
    for (const QString& data : pages) {
        QVERIFY(layout.mkpath(data));
        QFile page(layout.filePath(data + QStringLiteral("/welcome.htm")));
        QVERIFY(page.open(QIODevice::WriteOnly));
    }
    const Run run = runProgram(program, {QStringLiteral("--check-data")});
    QCOMPARE(run.exitCode, exitCode);
    QVERIFY2(
        run.out.startsWith(QStringLiteral("Папка с данни: ") + layout.filePath(folder) + u'\n'),
        qPrintable(run.out));
}

QTEST_MAIN(TestStartUp)
#include "tst_startup.moc"

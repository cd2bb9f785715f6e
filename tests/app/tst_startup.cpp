#include "app/ApplicationSetup.h"
#include "app/CommandLine.h"
#include "app/ReaderModuleLoader.h"
#include "app/StartUp.h"
#include "toolkit/MessageBox.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {

QByteArray realModule() {
    QFile file(QStringLiteral(TELVANE_READER_MODULE));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool write(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// What lies where the reader module is looked for, by the row's name.
bool makeModule(const QString& path, const QString& variant) {
    const QByteArray real = realModule();
    if (real.isEmpty())
        return false;
    if (variant == "real")
        return write(path, real);
    if (variant == "empty")
        return write(path, {});
    if (variant == "random") {
        QByteArray bytes(64 * 1024, Qt::Uninitialized);
        QRandomGenerator(7).fillRange(reinterpret_cast<quint32*>(bytes.data()), bytes.size() / 4);
        return write(path, bytes);
    }
    if (variant == "other")
        return QFile::copy(QStringLiteral(TELVANE_NOT_A_READER), path);
    if (variant == "folder")
        return QDir().mkdir(path);
    if (variant == "dangling")
        return QFile::link(path + QStringLiteral(".gone"), path);
    if (variant == "half")
        return write(path, real.left(real.size() / 2));
    if (variant == "last byte short")
        return write(path, real.chopped(1));
    if (variant == "headers cut")
        return write(path, real.left(100));
    return variant == "missing";
}

} // namespace

class TestStartUp : public QObject {
    Q_OBJECT
private slots:
    void qtTextsAreBulgarian() {
        setUpApplication(*qApp);
        QMessageBox box(QMessageBox::Information, QString(), QString(), QMessageBox::Ok);
        QCOMPARE(box.button(QMessageBox::Ok)->text(), QStringLiteral("Добре"));
    }

    // The platform asked for, or Qt's choice of X11 or Wayland, and the displays there are.
    void displayReachable() {
        const std::tuple<const char*, bool, bool, bool> cases[] = {
            {"", true, false, true},
            {"", false, true, true},
            {"", false, false, false},
            {"offscreen", false, false, true},
            {"xcb", false, true, false},
            {"wayland-egl", false, true, true},
            {"wayland", true, false, false},
            {"wayland;xcb", true, false, true},
            {"xcb:nograb", false, false, false}};
        for (const auto& [platform, x11, wayland, reachable] : cases)
            QVERIFY2(::displayReachable(QString::fromLatin1(platform), x11, wayland) == reachable,
                     platform);
    }

    // Whatever lies in the module's place, the loader opens the real one and
    // refuses anything else with a reason, without mapping a file that is cut short.
    void theLoaderOpensOnlyAWholeReaderModule_data() {
        QTest::addColumn<QString>("variant");
        QTest::addColumn<QString>("reason"); // none: the reader opens
        const char* const rows[][3] = {
            {"the real module", "real", ""},
            {"missing", "missing", "файлът липсва"},
            {"empty file", "empty", "файлът не е библиотека за тази система"},
            {"random bytes", "random", "файлът не е библиотека за тази система"},
            {"another library", "other", "не е част от тази програма"},
            {"a folder", "folder", "на мястото на файла има нещо друго"},
            {"a dangling link", "dangling", "файлът липсва"},
            {"half a copy", "half", "файлът е непълен"},
            {"a copy one byte short", "last byte short", "файлът е непълен"},
            {"a copy cut in its headers", "headers cut", "файлът е непълен"}};
        for (const auto& [row, variant, reason] : rows)
            QTest::newRow(row) << QString::fromUtf8(variant) << QString::fromUtf8(reason);
    }
    void theLoaderOpensOnlyAWholeReaderModule() {
        QFETCH(QString, variant);
        QFETCH(QString, reason);
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("telvane_reader.so"));
        QVERIFY(makeModule(path, variant));
        OpenedReader opened = openReaderModule(path, folder.filePath(QStringLiteral("Data")));
        QCOMPARE(opened.reader != nullptr, reason.isEmpty());
        if (reason.isEmpty())
            QCOMPARE(opened.failure, QString());
        else
            QVERIFY2(opened.failure.contains(path + QStringLiteral(" (") + reason + u')'),
                     qPrintable(opened.failure));
    }

    // The user hears of it once, the splash goes, and the application's loop
    // ends with 1. Last, as the web engine shuts down when that loop ends.
    void aReaderThatCannotOpenEndsTheStartWithOne() {
        QStringList messages;
        const auto previous =
            toolkit::setMessageHandler([&](const QString& caption, const QString& text) {
                messages << caption + u'|' + text;
            });
        int tries = 0;
        StartUp startUp([&tries] {
            ++tries;
            return OpenedReader{nullptr, QStringLiteral("Няма я.")};
        });
        QTimer hang; // ends a loop that the failure did not end
        connect(&hang, &QTimer::timeout, [] { QCoreApplication::exit(2); });
        hang.start(20000);
        const int status = QCoreApplication::exec();
        if (startUp.splash())
            QTest::keyClick(startUp.splash(), Qt::Key_A); // a dismissal asks for no reader again
        toolkit::setMessageHandler(previous);
        QCOMPARE(status, 1);
        QCOMPARE(messages, QStringList(QStringLiteral("Telvane|Няма я.")));
        QCOMPARE(tries, 1);
        QVERIFY(!startUp.splash() || !startUp.splash()->isVisible());
    }
};

int main(int argc, char** argv) {
    // As in main(): the real module's web engine needs it before the application object.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    TestStartUp test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_startup.moc"

#include "app/ApplicationSetup.h"
#include "app/ReaderModuleLoader.h"
#include "app/RunEnvironment.h"
#include "app/StartUp.h"
#include "toolkit/MessageBox.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {

// What lies where the reader module is looked for, by the row's name.
bool makeModule(const QString& path, const QString& variant) {
    QFile module(QStringLiteral(TELVANE_READER_MODULE));
    const QByteArray real = module.open(QIODevice::ReadOnly) ? module.readAll() : QByteArray();
    if (variant == "folder")
        return QDir().mkdir(path);
    if (variant == "dangling")
        return QFile::link(path + QStringLiteral(".gone"), path);
    if (variant == "other")
        return QFile::copy(QStringLiteral(TELVANE_NOT_A_READER), path);
    const QHash<QString, QByteArray> contents{{"real", real},
                                              {"empty", {}},
                                              {"no ELF", QByteArray(64 * 1024, 'Z')},
                                              {"half", real.left(real.size() / 2)},
                                              {"last byte short", real.chopped(1)},
                                              {"headers cut", real.left(100)}};
    QFile file(path);
    return !real.isEmpty() && (variant == "missing" || (file.open(QIODevice::WriteOnly) &&
                                                        file.write(contents.value(variant)) >= 0));
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

    // Whatever lies in the module's place, the loader opens the real one and refuses
    // anything else with a reason, without mapping a file that is cut short.
    void theLoaderOpensOnlyAWholeReaderModule_data() {
        QTest::addColumn<QString>("variant");
        QTest::addColumn<QString>("reason"); // none: the reader opens
        const char* const rows[][2] = {{"real", ""},
                                       {"missing", "файлът липсва"},
                                       {"empty", "файлът не е библиотека за тази система"},
                                       {"no ELF", "файлът не е библиотека за тази система"},
                                       {"other", "не е част от тази програма"},
                                       {"folder", "на мястото на файла има нещо друго"},
                                       {"dangling", "файлът липсва"},
                                       {"half", "файлът е непълен"},
                                       {"last byte short", "файлът е непълен"},
                                       {"headers cut", "файлът е непълен"}};
        for (const auto& [variant, reason] : rows)
            QTest::newRow(variant) << QString::fromUtf8(variant) << QString::fromUtf8(reason);
    }
    void theLoaderOpensOnlyAWholeReaderModule() {
        QFETCH(QString, variant);
        QFETCH(QString, reason);
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("telvane_reader.so"));
        QVERIFY(makeModule(path, variant));
        OpenedReader opened = openReaderModule(path, folder.filePath(QStringLiteral("Data")));
        QCOMPARE(opened.reader != nullptr, reason.isEmpty());
        QVERIFY2(reason.isEmpty() ? opened.failure.isEmpty()
                                  : opened.failure.contains(path + " (" + reason + u')'),
                 qPrintable(opened.failure));
    }

    // The user hears of it once, the splash goes, and the application's loop ends
    // with 1. Last, as the web engine shuts down when that loop ends.
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
        QTimer::singleShot(20000, [] { QCoreApplication::exit(2); }); // a loop left running
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

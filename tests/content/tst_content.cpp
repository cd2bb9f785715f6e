#include "catalogue/Catalogue.h"
#include "tests/content/PageChecks.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

// The encyclopedia's pages as shipped in the source tree's Data folder.
class TestShippedPages : public QObject {
    Q_OBJECT
private slots:
    void theFolderHoldsExactlyTheCataloguePages();
    void everyPageIsSound_data();
    void everyPageIsSound();
    void picturesAreSelfContained();
    void theChecksCatchFaults_data();
    void theChecksCatchFaults();
};

namespace {

const QString shipped = QStringLiteral(TELVANE_DATA_DIR);

QByteArray goodPage(const QString& title, const QString& extra = {}) {
    const QString words = QStringLiteral("дума ").repeated(650);
    return QStringLiteral("<!DOCTYPE html>\n<html lang=\"bg\">\n<head>\n<meta charset=\"utf-8\">\n"
                          "<title>%1</title>\n<link rel=\"stylesheet\" href=\"style.css\">\n"
                          "</head>\n<body>\n<p>%2</p>\n<figure><img src=\"images/a.svg\" "
                          "alt=\"а\"><figcaption>б</figcaption></figure>\n%3"
                          "<a href=\"welcome.htm\">начало</a>\n</body>\n</html>\n")
        .arg(title, words, extra)
        .toUtf8();
}

} // namespace

void TestShippedPages::theFolderHoldsExactlyTheCataloguePages() {
    QStringList expected;
    for (const catalogue::Topic& topic : catalogue::topics())
        expected << topic.pageFile();
    QStringList present = QDir(shipped).entryList({QStringLiteral("*.htm")}, QDir::Files);
    expected.sort();
    present.sort();
    QCOMPARE(present, expected);
}

void TestShippedPages::everyPageIsSound_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("title");
    for (const catalogue::Topic& topic : catalogue::topics())
        QTest::newRow(qPrintable(topic.pageFile()))
            << topic.pageFile() << topic.resultTitle.toString();
}

void TestShippedPages::everyPageIsSound() {
    QFETCH(QString, file);
    QFETCH(QString, title);
    const QStringList problems = pageProblems(shipped, file, title);
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QStringLiteral("; "))));
}

void TestShippedPages::picturesAreSelfContained() {
    static const QRegularExpression outside(QStringLiteral(R"re(href\s*=\s*"https?:)re"));
    QDirIterator pictures(shipped + QStringLiteral("/images"), {QStringLiteral("*.svg")});
    int count = 0;
    while (pictures.hasNext()) {
        QFile svg(pictures.next());
        QVERIFY(svg.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(svg.readAll());
        QVERIFY2(!text.contains(QLatin1String("<script")), qPrintable(svg.fileName()));
        QVERIFY2(!outside.match(text).hasMatch(), qPrintable(svg.fileName()));
        QVERIFY2(!text.contains(QLatin1String("<image")), qPrintable(svg.fileName()));
        ++count;
    }
    QVERIFY(count >= 47);
}

void TestShippedPages::theChecksCatchFaults_data() {
    QTest::addColumn<QByteArray>("page");
    QTest::addColumn<QString>("problem"); // empty: the page is sound
    QTest::newRow("sound") << goodPage("Чипсетите") << "";
    QTest::newRow("wrong title") << goodPage("Чипсетът") << "title";
    QTest::newRow("broken link") << goodPage("Чипсетите", "<a href=\"AGP.htm\">x</a>")
                                 << "broken link AGP.htm";
    QTest::newRow("link in other case")
        << goodPage("Чипсетите", "<a href=\"Welcome.htm\">x</a>") << "broken link Welcome.htm";
    QTest::newRow("outside picture")
        << goodPage("Чипсетите", "<img src=\"https://example.org/a.png\" alt=\"x\">")
        << "outside resource";
    QTest::newRow("script") << goodPage("Чипсетите", "<script>x()</script>") << "script";
    QByteArray tooShort = goodPage("Чипсетите");
    tooShort.replace(QStringLiteral("дума ").repeated(650).toUtf8(), "кратко");
    QTest::newRow("too short") << tooShort << "words";
    QByteArray latin1 = goodPage("Чипсетите");
    latin1.append("\xE9\xFF");
    QTest::newRow("not utf-8") << latin1 << "UTF-8";
}

void TestShippedPages::theChecksCatchFaults() {
    QFETCH(QByteArray, page);
    QFETCH(QString, problem);
    QTemporaryDir folder;
    QVERIFY(QDir(folder.path()).mkdir("images"));
    for (const char* name : {"welcome.htm", "style.css", "images/a.svg"}) {
        QFile file(folder.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    QFile file(folder.filePath("chipset.htm"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(page);
    file.close();
    const QString found = pageProblems(folder.path(), "chipset.htm", "Чипсетите").join("; ");
    if (problem.isEmpty())
        QCOMPARE(found, QString());
    else
        QVERIFY2(found.contains(problem), qPrintable(found));
}

QTEST_GUILESS_MAIN(TestShippedPages)
#include "tst_content.moc"

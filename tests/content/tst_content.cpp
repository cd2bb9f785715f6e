#include "catalogue/Catalogue.h"

#include <QDir>
#include <QRegularExpression>
#include <QTest>

// The encyclopedia's pages as shipped in the source tree's Data folder: the
// catalogue's pages, each under the title its search result shows. The house
// rules for the pages themselves are checked by check_pages.py.
class TestShippedPages : public QObject {
    Q_OBJECT
private slots:
    void theFolderHoldsTheCataloguePagesUnderTheirTitles() {
        const QDir shipped(QStringLiteral(TELVANE_DATA_DIR));
        QStringList expected;
        for (const catalogue::Topic& topic : catalogue::topics()) {
            expected << topic.pageFile();
            QFile page(shipped.filePath(topic.pageFile()));
            QVERIFY2(page.open(QIODevice::ReadOnly), qPrintable(page.fileName()));
            static const QRegularExpression title(QStringLiteral("<title>(.*?)</title>"));
            QCOMPARE(title.match(QString::fromUtf8(page.readAll())).captured(1),
                     topic.resultTitle.toString());
        }
        QStringList present = shipped.entryList({QStringLiteral("*.htm")}, QDir::Files);
        expected.sort();
        present.sort();
        QCOMPARE(present, expected);
    }
};

QTEST_GUILESS_MAIN(TestShippedPages)
#include "tst_content.moc"

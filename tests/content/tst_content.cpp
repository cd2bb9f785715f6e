#include "catalogue/Catalogue.h"

#include <QDir>
#include <QRegularExpression>
#include <QTest>

// The source tree's Data folder holds exactly the catalogue's pages, each under the title
// its search result shows; check_pages.py checks the pages themselves.
class TestShippedPages : public QObject {
    Q_OBJECT
private slots:
    void theFolderHoldsTheCataloguePagesUnderTheirTitles() {
        const QDir shipped(QStringLiteral(TELVANE_DATA_DIR));
        const QRegularExpression title(QStringLiteral("<title>(.*?)</title>"));
        QStringList expected;
        for (const catalogue::Topic& topic : catalogue::topics()) {
            expected << topic.pageFile();
            QFile page(shipped.filePath(topic.pageFile()));
            QVERIFY2(page.open(QIODevice::ReadOnly), qPrintable(page.fileName()));
            QCOMPARE(title.match(QString::fromUtf8(page.readAll())).captured(1),
                     topic.resultTitle.toString());
        }
        expected.sort();
        QCOMPARE(shipped.entryList({QStringLiteral("*.htm")}, QDir::Files, QDir::Name), expected);
    }
};

QTEST_GUILESS_MAIN(TestShippedPages)
#include "tst_content.moc"

#include "catalogue/Catalogue.h"
#include "catalogue/PageFiles.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

using catalogue::MenuEntry;
using Kind = MenuEntry::Kind;

namespace {

int count(std::span<const MenuEntry> entries, Kind kind) {
    int n = 0;
    for (const MenuEntry& entry : entries)
        n += (entry.kind == kind) + (entry.kind == Kind::Submenu ? count(entry.children, kind) : 0);
    return n;
}

} // namespace

class TestCatalogue : public QObject {
    Q_OBJECT
private slots:
    void countsAndUniqueness();
    void lookupsRoundTripForEveryPage();
    void lookupsCompareExactly_data();
    void lookupsCompareExactly();
    void everyMenuItemReachesAnExistingPage();
    void anExactFileNameWinsOverOneInOtherCase();
    void whatLiesInsideTheFolder_data();
    void whatLiesInsideTheFolder();
};

void TestCatalogue::countsAndUniqueness() {
    int separators = 0;
    int submenus = 0;
    QList<int> topicsPerMenu;
    for (const catalogue::Category& c : catalogue::categories()) {
        separators += count(c.entries, Kind::Separator);
        submenus += count(c.entries, Kind::Submenu);
        topicsPerMenu << count(c.entries, Kind::Topic);
    }
    QCOMPARE(topicsPerMenu, (QList<int>{11, 11, 8, 9, 7})); // in the buttons' pair order
    QCOMPARE(separators, 12);
    QCOMPARE(submenus, 1);

    const auto topics = catalogue::topics();
    QCOMPARE(topics.size(), std::size_t(47));
    QSet<QString> titles;
    QSet<QString> files;
    QSet<QString> items;
    for (const catalogue::Topic& topic : topics) {
        titles << topic.resultTitle.toString().toCaseFolded();
        files << topic.pageFile().toCaseFolded();
        if (!topic.item.isEmpty())
            items << topic.item.toString();
    }
    QCOMPARE(titles.size(), 47);
    QCOMPARE(files.size(), 47);
    QCOMPARE(items.size(), 46);
}

void TestCatalogue::lookupsRoundTripForEveryPage() {
    for (const catalogue::Topic& topic : catalogue::topics()) {
        const auto title = catalogue::resultTitleForPageFile(topic.pageFile());
        QVERIFY2(title.has_value(), qPrintable(topic.pageFile()));
        QCOMPARE(*title, topic.resultTitle.toString());
        QCOMPARE(catalogue::stemForResultTitle(*title).value_or(QString()) + ".htm",
                 topic.pageFile());
    }
}

void TestCatalogue::lookupsCompareExactly_data() {
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QString>("title"); // empty: no row
    QTest::newRow("agp") << "AGP.htm"
                         << "AGP портът";
    QTest::newRow("chipset page") << "chipset.htm"
                                  << "Чипсетите";
    QTest::newRow("start page") << "welcome.htm"
                                << "Добре дошли";
    QTest::newRow("laptops") << "grid.htm"
                             << "Първите преносими компютри";
    QTest::newRow("agp in small letters") << "agp.htm"
                                          << "";
    QTest::newRow("chipset with capital") << "Chipset.htm"
                                          << "";
    QTest::newRow("no extension") << "AGP"
                                  << "";
    QTest::newRow("unknown page") << "extra.htm"
                                  << "";
}

void TestCatalogue::lookupsCompareExactly() {
    QFETCH(QString, fileName);
    QFETCH(QString, title);
    QCOMPARE(catalogue::resultTitleForPageFile(fileName).value_or(QString()), title);
    if (!title.isEmpty()) {
        QVERIFY(!catalogue::stemForResultTitle(title + ' ').has_value());
        QVERIFY(!catalogue::stemForResultTitle(title.toUpper()).has_value() ||
                title.toUpper() == title);
    }
}

// On a file system that tells letter case apart, every menu item must still
// open a page of a Data folder that holds exactly the catalogue's names.
void TestCatalogue::everyMenuItemReachesAnExistingPage() {
    QTemporaryDir data;
    for (const catalogue::Topic& topic : catalogue::topics()) {
        QFile page(data.filePath(topic.pageFile()));
        QVERIFY(page.open(QIODevice::WriteOnly));
    }
    for (const catalogue::Topic& topic : catalogue::topics()) {
        const QString path = catalogue::pagePath(data.path(), topic.itemStem);
        QCOMPARE(path, data.filePath(topic.pageFile()));
        QCOMPARE(catalogue::pagePath(data.path(), topic.pageStem), path);
    }
    QCOMPARE(catalogue::pagePath(data.path(), u"missing"), data.filePath("missing.htm"));
}

void TestCatalogue::anExactFileNameWinsOverOneInOtherCase() {
    QTemporaryDir data;
    for (const char* name : {"chipset.htm", "Chipset.htm"}) {
        QFile page(data.filePath(name));
        QVERIFY(page.open(QIODevice::WriteOnly));
    }
    QCOMPARE(catalogue::pagePath(data.path(), u"Chipset"), data.filePath("Chipset.htm"));
    QCOMPARE(catalogue::pagePath(data.path(), u"chipset"), data.filePath("chipset.htm"));
}

void TestCatalogue::whatLiesInsideTheFolder_data() {
    QTest::addColumn<QString>("path"); // relative to the temporary root
    QTest::addColumn<bool>("inside");
    QTest::newRow("a page") << "Data/AGP.htm" << true;
    QTest::newRow("a page in a subfolder") << "Data/images/x.svg" << true;
    QTest::newRow("dots back in") << "Data/images/../AGP.htm" << true;
    QTest::newRow("dots out") << "Data/../secret.htm" << false;
    QTest::newRow("the folder itself") << "Data" << false;
    QTest::newRow("a sibling with the same prefix") << "Data2/AGP.htm" << false;
    QTest::newRow("a link out") << "Data/out.htm" << false;
    QTest::newRow("a link to a page inside") << "Data/same.htm" << true;
    QTest::newRow("missing") << "Data/missing.htm" << false;
}

// Paths are resolved, symbolic links included, before they are compared.
void TestCatalogue::whatLiesInsideTheFolder() {
    QFETCH(QString, path);
    QFETCH(bool, inside);
    QTemporaryDir root;
    QDir dir(root.path());
    QVERIFY(dir.mkpath("Data/images") && dir.mkpath("Data2"));
    for (const char* name : {"Data/AGP.htm", "Data/images/x.svg", "secret.htm", "Data2/AGP.htm"}) {
        QFile file(root.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    QVERIFY(QFile::link(root.filePath("secret.htm"), root.filePath("Data/out.htm")));
    QVERIFY(QFile::link(root.filePath("Data/AGP.htm"), root.filePath("Data/same.htm")));
    QCOMPARE(catalogue::liesInside(root.filePath("Data"), root.filePath(path)), inside);
}

QTEST_GUILESS_MAIN(TestCatalogue)
#include "tst_catalogue.moc"

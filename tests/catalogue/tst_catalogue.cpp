#include "Catalogue.h"
#include "PageFiles.h"

#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

using catalogue::MenuEntry;
using Kind = MenuEntry::Kind;

namespace {

QStringList entryNames(std::span<const MenuEntry> entries) {
    QStringList names;
    for (const MenuEntry& entry : entries) {
        names << entry.name.toString();
        if (entry.kind == Kind::Submenu)
            for (const QString& child : entryNames(entry.children))
                names << QStringLiteral("  ") + child;
    }
    return names;
}

int count(std::span<const MenuEntry> entries, Kind kind) {
    int n = 0;
    for (const MenuEntry& entry : entries)
        n += (entry.kind == kind) + (entry.kind == Kind::Submenu ? count(entry.children, kind) : 0);
    return n;
}

const catalogue::Category& category(const QString& menu) {
    for (const catalogue::Category& c : catalogue::categories())
        if (c.menu == menu)
            return c;
    qFatal("no category %s", qPrintable(menu));
}

} // namespace

class TestCatalogue : public QObject {
    Q_OBJECT
private slots:
    void menusHoldTheirEntriesInOrder_data();
    void menusHoldTheirEntriesInOrder();
    void countsAndUniqueness();
    void lookupsRoundTripForEveryPage();
    void lookupsCompareExactly_data();
    void lookupsCompareExactly();
    void everyMenuItemReachesAnExistingPage();
    void anExactFileNameWinsOverOneInOtherCase();
};

void TestCatalogue::menusHoldTheirEntriesInOrder_data() {
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<int>("topics");
    QTest::newRow("history") << "mnuHist"
                             << "cmdHistory"
                             << QStringList{"mnuAltair",   "mnuImsai",  "Bar1",      "mnuAppI",
                                            "mnuAppII",    "mnuAppIII", "mnuAppLis", "mnuAppMac",
                                            "mnuAppMacSe", "Bar2",      "mnuIbmPc",  "Bar3",
                                            "mnuLaptop",   "mnuGUI"}
                             << 11;
    QTest::newRow("hardware") << "mnuHardware"
                              << "cmdHardware"
                              << QStringList{"mnuCPU", "mnuChipSet",     "mnuRAM", "mnuBios",
                                             "Bar4",   "mnuMotherboard", "mnuVGA", "mnuSound",
                                             "Bar5",   "mnuHDD",         "mnuCd",  "mnuFloppy",
                                             "Bar6",   "mnuPSU"}
                              << 11;
    QTest::newRow("interfaces") << "mnuInterface"
                                << "cmdInterf"
                                << QStringList{"mnuISA", "mnuPCI",    "mnuPciExpress", "mnuAGP",
                                               "Bar7",   "mnuIDE",    "mnuSata",       "Bar8",
                                               "mnuUSB", "mnuSerial", "mnuParallel"}
                                << 9;
    QTest::newRow("peripherals") << "mnuPeriphel"
                                 << "cmdPeri"
                                 << QStringList{"mnuKeybd",   "mnuMouse", "Bar9",     "mnuPrinter",
                                                "mnuScanner", "Bar10",    "mnuModem", "Bar11",
                                                "mnuMonitor", "  mnuCRT", "  mnuLCD", "mnuProektor"}
                                 << 8;
    QTest::newRow("networks") << "mnuNet"
                              << "cmdNet" << QStringList{"mnuInternet", "mnuCab_Modem", "mnuDSL",
                                                         "mnuEmpty",    "mnuNetworks",  "mnuOSI",
                                                         "mnuRouter",   "mnuSwitch"}
                              << 7;
}

void TestCatalogue::menusHoldTheirEntriesInOrder() {
    QFETCH(QString, menu);
    QFETCH(QString, button);
    QFETCH(QStringList, entries);
    QFETCH(int, topics);
    const catalogue::Category& c = category(menu);
    QCOMPARE(c.button.toString(), button);
    QCOMPARE(entryNames(c.entries), entries);
    QCOMPARE(count(c.entries, Kind::Topic), topics);
}

void TestCatalogue::countsAndUniqueness() {
    int separators = 0;
    int submenus = 0;
    for (const catalogue::Category& c : catalogue::categories()) {
        separators += count(c.entries, Kind::Separator);
        submenus += count(c.entries, Kind::Submenu);
    }
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

QTEST_GUILESS_MAIN(TestCatalogue)
#include "tst_catalogue.moc"

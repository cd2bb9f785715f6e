#include "catalogue/Catalogue.h"
#include "catalogue/PageFiles.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

using Kind = catalogue::MenuEntry::Kind;

namespace {

int count(std::span<const catalogue::MenuEntry> entries, Kind kind) {
    int n = 0;
    for (const catalogue::MenuEntry& entry : entries)
        n += (entry.kind == kind) + (entry.kind == Kind::Submenu ? count(entry.children, kind) : 0);
    return n;
}

void touch(const QString& path) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
}

} // namespace

class TestCatalogue : public QObject {
    Q_OBJECT
private slots:
    // 47 topics with distinct titles and page files, whatever the letter case,
    // found from the page file to the title and back; a title with a blank
    // more or in other case is no title.
    void countsUniquenessAndLookups() {
        QList<int> perMenu;
        int separators = 0;
        int submenus = 0;
        for (const catalogue::Category& c : catalogue::categories()) {
            perMenu << count(c.entries, Kind::Topic);
            separators += count(c.entries, Kind::Separator);
            submenus += count(c.entries, Kind::Submenu);
        }
        QCOMPARE(perMenu, (QList<int>{11, 11, 8, 9, 7})); // in the buttons' pair order
        QCOMPARE(separators, 12);
        QCOMPARE(submenus, 1);
        QSet<QString> titles, files, items;
        for (const catalogue::Topic& topic : catalogue::topics()) {
            const QString title = topic.resultTitle.toString();
            titles << title.toCaseFolded();
            files << topic.pageFile().toCaseFolded();
            if (!topic.item.isEmpty())
                items << topic.item.toString();
            QCOMPARE(catalogue::resultTitleForPageFile(topic.pageFile()), title);
            QCOMPARE(catalogue::stemForResultTitle(title).value_or("") + ".htm", topic.pageFile());
            QVERIFY(!catalogue::stemForResultTitle(title + u' '));
            QVERIFY(!catalogue::stemForResultTitle(title.toUpper()) || title.toUpper() == title);
        }
        QCOMPARE(QList({titles.size(), files.size(), items.size()}),
                 QList<qsizetype>({47, 47, 46}));
    }

    // Only the exact file name of a catalogue page has a title.
    void lookupsCompareExactly() {
        const std::pair<const char*, const char*> cases[] = {
            {"AGP.htm", "AGP портът"}, {"chipset.htm", "Чипсетите"}, {"welcome.htm", "Добре дошли"},
            {"agp.htm", ""},           {"Chipset.htm", ""},          {"AGP", ""},
            {"extra.htm", ""}};
        for (const auto& [file, title] : cases)
            QCOMPARE(catalogue::resultTitleForPageFile(QString::fromUtf8(file)).value_or(""),
                     QString::fromUtf8(title));
    }

    // On a file system that tells letter case apart, every menu item opens a
    // page of a Data folder that holds exactly the catalogue's names; an
    // exact name wins over one in other case.
    void everyMenuItemReachesAnExistingPage() {
        QTemporaryDir data;
        for (const catalogue::Topic& topic : catalogue::topics())
            touch(data.filePath(topic.pageFile()));
        for (const catalogue::Topic& topic : catalogue::topics()) {
            QCOMPARE(catalogue::pagePath(data.path(), topic.itemStem),
                     data.filePath(topic.pageFile()));
            QCOMPARE(catalogue::pagePath(data.path(), topic.pageStem),
                     data.filePath(topic.pageFile()));
        }
        QCOMPARE(catalogue::pagePath(data.path(), u"missing"), data.filePath("missing.htm"));
        touch(data.filePath("Chipset.htm"));
        QCOMPARE(catalogue::pagePath(data.path(), u"Chipset"), data.filePath("Chipset.htm"));
        QCOMPARE(catalogue::pagePath(data.path(), u"chipset"), data.filePath("chipset.htm"));
    }

    // Paths are resolved, symbolic links included, before they are compared.
    void whatLiesInsideTheFolder() {
        QTemporaryDir root;
        QVERIFY(QDir(root.path()).mkpath("Data/images") && QDir(root.path()).mkpath("Data2"));
        for (const char* name :
             {"Data/AGP.htm", "Data/images/x.svg", "secret.htm", "Data2/AGP.htm"})
            touch(root.filePath(name));
        QVERIFY(QFile::link(root.filePath("secret.htm"), root.filePath("Data/out.htm")));
        QVERIFY(QFile::link(root.filePath("Data/AGP.htm"), root.filePath("Data/same.htm")));
        const std::pair<const char*, bool> cases[] = {
            {"Data/AGP.htm", true},
            {"Data/images/x.svg", true},
            {"Data/images/../AGP.htm", true},
            {"Data/../secret.htm", false},
            {"Data", false},
            {"Data2/AGP.htm", false}, // a sibling, same prefix
            {"Data/out.htm", false},
            {"Data/same.htm", true}, // links out and in
            {"Data/missing.htm", false}};
        for (const auto& [path, inside] : cases)
            QVERIFY2(catalogue::liesInside(root.filePath("Data"), root.filePath(path)) == inside,
                     path);
    }
};

QTEST_GUILESS_MAIN(TestCatalogue)
#include "tst_catalogue.moc"

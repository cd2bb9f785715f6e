#include "catalogue/Catalogue.h"
#include "catalogue/PageFiles.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

#include <atomic>
#include <sys/stat.h>
#include <thread>
#include <tuple>
#include <unistd.h>

namespace {

void write(const QString& path, const QByteArray& bytes = {}) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

} // namespace

class TestCatalogue : public QObject {
    Q_OBJECT

    QTemporaryDir root_; // Data, with links in and out, and files beside it
    QString path(const char* name) const { return root_.filePath(QString::fromUtf8(name)); }

private slots:
    void initTestCase() {
        for (const char* folder : {"Data/images", "Data2", "Data/dir.htm"})
            QVERIFY(QDir(root_.path()).mkpath(folder));
        for (const char* name :
             {"Data/AGP.htm", "Data/images/x.svg", "secret.htm", "Data2/AGP.htm"})
            write(path(name), name);
        QVERIFY(QFile::link(path("secret.htm"), path("Data/out.htm")));
        QVERIFY(QFile::link(path("Data/AGP.htm"), path("Data/same.htm")));
        QVERIFY(QFile::link(path("nowhere.htm"), path("Data/dangling.htm")));
        QVERIFY(mkfifo(QFile::encodeName(path("Data/fifo.htm")).constData(), 0600) == 0);
    }

    // 47 topics with distinct titles and page files, whatever the letter case, found
    // from the page file to the title and back by their exact names only.
    void lookupsBothWaysByExactNames() {
        QSet<QString> titles, files;
        for (const catalogue::Topic& topic : catalogue::topics()) {
            const QString title = topic.resultTitle.toString();
            const QString file = topic.pageFile();
            titles << title.toCaseFolded();
            files << file.toCaseFolded();
            QCOMPARE(catalogue::resultTitleForPageFile(file), title);
            QCOMPARE(catalogue::stemForResultTitle(title).value_or("") + ".htm", file);
            QVERIFY(!catalogue::stemForResultTitle(title + u' '));
            for (const QString& other : {title.toUpper(), title.toLower()})
                QVERIFY(!catalogue::stemForResultTitle(other) || other == title);
            for (const QString& other : {file.toUpper(), file.toLower()})
                QVERIFY(!catalogue::resultTitleForPageFile(other) || other == file);
        }
        QCOMPARE(QList({titles.size(), files.size()}), QList<qsizetype>({47, 47}));
    }

    // Where letter case counts, every item opens a page of a Data folder holding exactly
    // the catalogue's names; an exact name wins over one in other case.
    void everyMenuItemReachesAnExistingPage() {
        QTemporaryDir data;
        for (const catalogue::Topic& topic : catalogue::topics())
            write(data.filePath(topic.pageFile()));
        for (const catalogue::Topic& topic : catalogue::topics())
            for (const QStringView stem : {topic.itemStem, topic.pageStem})
                QCOMPARE(catalogue::pagePath(data.path(), stem), data.filePath(topic.pageFile()));
        QCOMPARE(catalogue::pagePath(data.path(), u"missing"), data.filePath("missing.htm"));
        write(data.filePath("Chipset.htm"));
        QCOMPARE(catalogue::pagePath(data.path(), u"Chipset"), data.filePath("Chipset.htm"));
        QCOMPARE(catalogue::pagePath(data.path(), u"chipset"), data.filePath("chipset.htm"));
    }

    // Judged by the file that was opened: dots, links, sibling folders of the same prefix.
    void whatANameInsideTheFolderLeadsTo() {
        using catalogue::PageStatus;
        const std::tuple<const char*, PageStatus, const char*> cases[] = {
            {"AGP.htm", PageStatus::Found, "Data/AGP.htm"},
            {"/AGP.htm", PageStatus::Found, "Data/AGP.htm"},
            {"images/x.svg", PageStatus::Found, "Data/images/x.svg"},
            {"images/../AGP.htm", PageStatus::Found, "Data/AGP.htm"},
            {"same.htm", PageStatus::Found, "Data/AGP.htm"}, // links out and in
            {"../secret.htm", PageStatus::Outside, ""},
            {"../Data2/AGP.htm", PageStatus::Outside, ""}, // a sibling, same prefix
            {"out.htm", PageStatus::Outside, ""},
            {"missing.htm", PageStatus::Missing, ""},
            {"dangling.htm", PageStatus::Missing, ""},
            {"../missing.htm", PageStatus::Outside, ""},
            {"fifo.htm", PageStatus::Unreadable, ""},
            {"dir.htm", PageStatus::Unreadable, ""}};
        for (const auto& [name, status, content] : cases) {
            catalogue::OpenedPage page = catalogue::openPage(path("Data"), QString(name));
            QVERIFY2(page.status() == status, name);
            char bytes[64] = {};
            QCOMPARE(page.readAt(0, bytes, sizeof bytes),
                     *content ? qint64(qstrlen(content)) : qint64(-1));
            QCOMPARE(QByteArray(bytes), QByteArray(content));
        }
        QCOMPARE(catalogue::openPage(path("NoData"), u"AGP.htm").status(), PageStatus::Missing);
    }

    // A link flipped between a page inside and a file outside while pages are opened:
    // an open reads the inside page or is refused, never reads the outside file.
    void aLinkSwappedDuringTheOpenNeverLeadsOut() {
        const QByteArray link = QFile::encodeName(path("Data/page.htm"));
        const QByteArray spare = link + ".new";
        std::atomic<bool> stop = false;
        std::thread swapper([&] {
            for (bool out = false; !stop; out = !out)
                if (::symlink(out ? "../secret.htm" : "AGP.htm", spare.constData()) == 0)
                    ::rename(spare.constData(), link.constData());
        });
        int found = 0, outside = 0;
        QByteArray read;
        for (int i = 0; i < 3000 && read.isEmpty(); ++i) {
            const auto page = catalogue::openPage(path("Data"), u"page.htm");
            char bytes[16] = {};
            found += page.status() == catalogue::PageStatus::Found;
            outside += page.status() == catalogue::PageStatus::Outside;
            if (page.readAt(0, bytes, sizeof bytes - 1) > 0 && QByteArray(bytes) != "Data/AGP.htm")
                read = bytes;
        }
        stop = true;
        swapper.join();
        QCOMPARE(read, QByteArray());
        QVERIFY(found > 0 && outside > 0); // both sides of the link were met
    }
};

QTEST_GUILESS_MAIN(TestCatalogue)
#include "tst_catalogue.moc"

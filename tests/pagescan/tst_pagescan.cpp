#include "search/scan/CharsetPlan.h"
#include "search/scan/EncodeText.h"
#include "search/scan/KeyScanner.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <chrono>
#include <fcntl.h>
#include <future>
#include <sys/stat.h>
#include <unistd.h>

using pagescan::encodeText;
using pagescan::KeyScanner;

namespace {

QByteArray cp1251(const QString& text) {
    return encodeText(text, "windows-1251");
}

QByteArray utf8Page(const QString& text) {
    return "<meta charset=\"utf-8\">\n" + text.toUtf8();
}

void addColumns() {
    QTest::addColumn<QByteArray>("page");
    QTest::addColumn<QString>("key");
    QTest::addColumn<bool>("found");
}

void addRow(const char* name, const QByteArray& page, const QString& key, bool found) {
    QTest::newRow(name) << page << key << found;
}

// The process's peak resident memory, in bytes.
qint64 peakResidentBytes() {
    QFile status("/proc/self/status");
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toLongLong() * 1024;
    }
    return -1;
}

} // namespace

// Every page of the data-driven tests is read whole and in chunks of 1 to 64 bytes, so that
// chunk edges fall on every place of it: the answer must be the same each time.
class PageScanTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    int pages_ = 0;

    QString writePage(const QByteArray& bytes) {
        QString path = dir_.filePath(QStringLiteral("page%1.htm").arg(++pages_));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            qFatal("cannot write %s", qPrintable(path));
        return path;
    }

private slots:
    void textItems_data() {
        addColumns();
        addRow("whole item", "alpha,beta", "beta", true);
        addRow("key across a comma", "alpha,beta", "a,b", false);
        addRow("key across LF", "alpha\nbeta", "a\nb", false);
        addRow("key across CR", "alpha\rbeta", "a\rb", false);
        addRow("key across CR LF", "video\r\ncard", "o\r\nc", false);
        addRow("comma inside quotes", "x,\"alpha,beta\",y", "a,b", true);
        addRow("line end inside quotes", "\"alpha\r\nbeta\"", "a\r\nb", true);
        addRow("markup is text", "<table><tr>", "TABLE", true);
        addRow("overlapping start", "aaab", "aab", true);
        addRow("overlapping repeat", "abababc", "ababc", true);
        addRow("key at the end of the page", "xyz,abc", "abc", true);
        addRow("empty page", "", "a", false);
        addRow("blanks in front are skipped", "x,   abc", " abc", false);
        addRow("blank inside an item", "x, a b", " b", true);
        addRow("blanks at the end stay", "abc   ,d", "c   ", true);
        addRow("blanks before a quoted item", "x,  \"a,b\"", "a,b", true);
        addRow("blanks inside quotes stay", "\" a \"", " a ", true);
        addRow("tab starts the item", "x,\t\"a,b\"", "\t\"a", true);
        addRow("quote inside an unquoted item", "ab\"cd,ef\"", "b\"c", true);
        addRow("quotes are not part of the item", "x,\"ab\"", "\"ab", false);
        addRow("text after a closing quote is discarded", "\"ab\"cd,ef", "cd", false);
        addRow("item after discarded text", "\"ab\"cd,ef", "ef", true);
        addRow("discarded up to the line end", "\"ab\" cd\r\nef", "ef", true);
        addRow("two quotes close the item", "\"a\"\"b\",c", "a\"", false);
        addRow("unclosed quote runs to the end", "\"ab,cd\r\nef", "cd\r\ne", true);
        addRow("empty lines", "\r\n\r\n\n\nabc\r\n", "abc", true);
    }

    void textItems() {
        QFETCH(QByteArray, page);
        QFETCH(QString, key);
        QFETCH(bool, found);
        const QString path = writePage(page);
        QCOMPARE(KeyScanner(key).pageContainsKey(path), found);
        for (qint64 chunk = 1; chunk <= 64; ++chunk)
            QVERIFY2(KeyScanner(key, chunk).pageContainsKey(path) == found,
                     qPrintable(QStringLiteral("chunk %1").arg(chunk)));
    }

    void caseFolding_data() {
        addColumns();
        addRow("Latin", "PcI-ExPrEsS", "pci-EXPRESS", true);
        addRow("Cyrillic (1251)", cp1251(u"ДЪННА ПЛАТКА"_qs), u"дънна"_qs, true);
        addRow("Cyrillic (UTF-8)", utf8Page(u"дънна платка"_qs), u"ПЛАТКА"_qs, true);
        addRow("Latin does not find Cyrillic look-alikes", cp1251(u"РСІ"_qs), u"PCI"_qs, false);
        // µ upper-cases to Greek capital mu, which Windows-1251 has no byte for.
        addRow("found through upper case only (1251)", cp1251(u"10 µs"_qs), u"Μs"_qs, true);
        addRow("character no byte can make (1251)", cp1251(u"alpha"_qs), u"alphaλ"_qs, false);
        // Dotless i upper-cases to I, as i does: three bytes fold alike.
        const QByteArray turkish =
            "<meta charset=\"iso-8859-9\">\nx\xFD and text behind it, past a vector";
        addRow("three bytes fold alike", turkish, u"XI"_qs, true);
        addRow("three bytes fold alike, no false match", turkish, u"XJ"_qs, false);
        // Every byte Windows-874 leaves undefined reads as U+FFFD, so they all fold alike.
        const QByteArray thai =
            "<meta charset=\"windows-874\">\na\xDB and text behind it, past a vector";
        addRow("many bytes fold alike", thai, u"A\uFFFD"_qs, true);
        addRow("many bytes fold alike, no false match", thai, u"B\uFFFD"_qs, false);
    }

    void charsets_data() {
        addColumns();
        const QString key = u"твърд"_qs;
        const QByteArray word = u"Твърд диск"_qs.toUtf8();
        addRow("undeclared page is Windows-1251", cp1251(u"Твърд диск"_qs), key, true);
        addRow("undeclared UTF-8 bytes as Windows-1251 text", word, u"РґРёСЃРє"_qs, true);
        addRow("meta charset", "<meta charset=\"utf-8\">" + word, key, true);
        addRow("byte-order mark", "\xEF\xBB\xBF" + word, key, true);
        addRow("byte-order mark wins over meta",
               "\xEF\xBB\xBF<meta charset=\"windows-1251\">" + word, key, true);
        addRow("meta http-equiv",
               "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">" + word,
               key, true);
        addRow("meta in capitals without quotes", "<META CharSet=UTF-8>" + word, key, true);
        addRow("meta in single quotes", "<meta charset='utf-8'>" + word, key, true);
        addRow("meta closed by a slash", "<meta charset=utf-8/>" + word, key, true);
        addRow("http-equiv in capitals",
               "<META HTTP-EQUIV=content-type CONTENT='text/html;Charset=UTF-8'>" + word, key,
               true);
        addRow("meta among other attributes",
               "<meta name=\"x\" content=\"y\">\n<meta\tdata-a=1 charset=\"utf-8\" />" + word, key,
               true);
        addRow("http-equiv other than Content-Type is ignored",
               "<meta http-equiv=\"refresh\" content=\"5; charset=utf-8\">" + word, key, false);
        addRow("<metadata> is not a meta tag", "<metadata charset=\"utf-8\">" + word, key, false);
        addRow("declaration past the first 1024 bytes is ignored",
               QByteArray(1024, '\n') + "<meta charset=\"utf-8\">" + word, key, false);
        addRow("unknown charset falls back to Windows-1251",
               "<meta charset=\"x-no-such-charset\">" + cp1251(u"Твърд"_qs), key, true);
        addRow("other single-byte charset",
               "<meta charset=\"koi8-r\">" + encodeText(u"Твърд"_qs, "koi8-r"), key, true);
        // EBCDIC is one byte a character, but its commas, quotes and line ends are not ASCII's.
        const QByteArray ebcdic = "<meta charset=ibm037>";
        addRow("EBCDIC comma ends an item", ebcdic + encodeText(u"alpha,beta"_qs, "ibm037"),
               u"a,b"_qs, false);
        addRow("EBCDIC line end ends an item", ebcdic + encodeText(u"alpha\nbeta"_qs, "ibm037"),
               u"a\nb"_qs, false);
        addRow("EBCDIC quoted comma", ebcdic + encodeText(u"x,\"alpha,beta\""_qs, "ibm037"),
               u"a,b"_qs, true);
    }

    void shiftStatesAndBadBytes_data() {
        addColumns();
        const QString text = u"дънна платка, AGP слот"_qs;
        // A stray shift: iconv stays in base64 after each bad byte, to the end of the page.
        addRow("UTF-7 after a bad byte",
               "+Bx<meta chair charset=utf7\xAA"
               "ade AGP",
               u"agp"_qs, false);
        const QByteArray utf7 = "<meta charset=utf-7>\n";
        addRow("UTF-7 lone surrogate", utf7 + "ab +3AA-cd, AGP", u"agp"_qs, true);
        const QByteArray utf7Text = utf7 + encodeText(text, "utf-7");
        addRow("UTF-7 shifts keep items apart", utf7Text, u"платка, agp"_qs, false);
        addRow("UTF-7 bad byte in a shift", QByteArray(utf7Text).insert(utf7.size() + 5, '\xAA'),
               u"ПЛАТКА"_qs, true);
        // The declaration is read as bytes, the text behind the byte-order mark as UTF-16.
        addRow("UTF-16 lone surrogate",
               "\xFF\xFE<meta charset=utf-16 >" + encodeText(u"дънна"_qs, "utf-16le") +
                   QByteArray("\x00\xDC\x00", 3) + encodeText(u", платка"_qs, "utf-16le"),
               u"ПЛАТКА"_qs, true);
        addRow("UTF-8 bad and cut bytes", utf8Page(u"дънна"_qs) + "\xFF\xE2\x82, " + text.toUtf8(),
               u"ПЛАТКА"_qs, true);
        addRow("UTF-8 bad byte is U+FFFD", utf8Page(u"a"_qs) + "\xFF\xE2\x82", u"A\uFFFD\uFFFD"_qs,
               true);
        const QByteArray jis = "<meta charset=iso-2022-jp>";
        const QByteArray jisText = jis + encodeText(u"メモリ, ハードディスク"_qs, "iso-2022-jp");
        addRow("ISO-2022-JP keeps items apart", jisText, u"リ, ハ"_qs, false);
        addRow("ISO-2022-JP bad byte in a shift",
               QByteArray(jisText).insert(jis.size() + 5, '\x80'), u"ハード"_qs, true);
        addRow("quoted comma (1251)", "\"ab,c" + cp1251(u"ключ, z\""_qs), u"cКЛюч, z"_qs, true);
    }

    // Before any plan is made for it, whatever the page declares.
    void emptyKeyIsRefused() {
        for (const char* declared : {"", "windows-1251", "utf-8", "x-no-such-charset"}) {
            const pagescan::CharsetPlan plan = pagescan::planCharset(declared, {});
            QVERIFY(plan.method == pagescan::CharsetPlan::Method::Skip && !plan.byteKey);
            const QString page = writePage("<meta charset=" + QByteArray(declared) + ">, alpha");
            QCOMPARE(KeyScanner({}).pageContainsKey(page), false);
        }
    }

    // A FIFO, a folder, a missing page and a device that never ends.
    void badPagesAreSkippedAtOnce() {
        const QString fifo = dir_.filePath(u"fifo.htm"_qs);
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        QVERIFY(QDir(dir_.path()).mkdir(u"folder.htm"_qs));
        QVERIFY(QFile::link(u"/dev/zero"_qs, dir_.filePath(u"device.htm"_qs)));
        for (const char* name : {"fifo.htm", "folder.htm", "missing.htm", "device.htm"}) {
            const QString path = dir_.filePath(QString::fromLatin1(name));
            QElapsedTimer timer;
            timer.start();
            std::future<bool> found = std::async(
                std::launch::async, [path] { return KeyScanner(u"a"_qs).pageContainsKey(path); });
            if (found.wait_for(std::chrono::seconds(5)) != std::future_status::ready) {
                // Release a scan stuck on the FIFO so the test can end.
                const int writer =
                    ::open(QFile::encodeName(fifo).constData(), O_WRONLY | O_NONBLOCK);
                if (writer >= 0)
                    ::close(writer);
                QFAIL(name);
            }
            QCOMPARE(found.get(), false);
            QVERIFY2(timer.elapsed() < 1000, name);
        }
    }

    void largePagesKeepMemoryBounded_data() {
        QTest::addColumn<QByteArray>("head");
        QTest::addColumn<QByteArray>("tail");
        QTest::newRow("1251") << QByteArray() << ",x " + cp1251(u"ключ"_qs);
        QTest::newRow("UTF-8") << QByteArray("\xEF\xBB\xBF") << ",x " + u"ключ"_qs.toUtf8();
    }

    void largePagesKeepMemoryBounded() {
        QFETCH(QByteArray, head);
        QFETCH(QByteArray, tail);
        constexpr qint64 PageBytes = 300LL << 20;

        // Sparse: the zeros in between take no disk space, but are read as the page's text.
        const QString path = writePage(head);
        {
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadWrite));
            QVERIFY(file.resize(PageBytes - tail.size()));
            QVERIFY(file.seek(PageBytes - tail.size()));
            QCOMPARE(file.write(tail), tail.size());
        }
        const qint64 peakBefore = peakResidentBytes();
        QVERIFY(peakBefore > 0);
        QVERIFY(KeyScanner(u"КЛЮЧ"_qs).pageContainsKey(path)); // at the very end
        const qint64 growth = peakResidentBytes() - peakBefore;
        QVERIFY2(growth < 32LL << 20,
                 qPrintable(QStringLiteral("peak grew by %1 bytes").arg(growth)));
        QFile::remove(path);
    }

    void caseFolding() { textItems(); }
    void charsets() { textItems(); }
    void shiftStatesAndBadBytes() { textItems(); }
};

QTEST_GUILESS_MAIN(PageScanTest)
#include "tst_pagescan.moc"

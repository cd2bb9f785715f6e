#include "CharsetPlan.h"
#include "EncodeText.h"
#include "KeyScanner.h"

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

class PageScanTest : public QObject {
    Q_OBJECT

private slots:
    void textItems_data();
    void textItems();
    void caseFolding_data();
    void caseFolding();
    void charsets_data();
    void charsets();
    void invalidUtf8DoesNotStopTheScan_data();
    void invalidUtf8DoesNotStopTheScan();
    void keyAcrossChunkEdge_data();
    void keyAcrossChunkEdge();
    void sameAnswerForEveryChunkSize_data();
    void sameAnswerForEveryChunkSize();
    void emptyKeyIsRefused_data();
    void emptyKeyIsRefused();
    void badPagesAreSkippedAtOnce_data();
    void badPagesAreSkippedAtOnce();
    void unreadablePageIsSkipped();
    void largePagesKeepMemoryBounded_data();
    void largePagesKeepMemoryBounded();

private:
    QString writePage(const QByteArray& bytes);
    void addRow(const char* name, const QByteArray& page, const QString& key, bool found);

    QTemporaryDir dir_;
    int pages_ = 0;
};

QString PageScanTest::writePage(const QByteArray& bytes) {
    const QString path = dir_.filePath(QStringLiteral("page%1.htm").arg(++pages_));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

void PageScanTest::addRow(const char* name, const QByteArray& page, const QString& key,
                          bool found) {
    QTest::newRow(name) << page << key << found;
}

void PageScanTest::textItems_data() {
    QTest::addColumn<QByteArray>("page");
    QTest::addColumn<QString>("key");
    QTest::addColumn<bool>("found");

    addRow("whole item", "alpha,beta", "beta", true);
    addRow("key across a comma", "alpha,beta", "a,b", false);
    addRow("key across LF", "alpha\nbeta", "a\nb", false);
    addRow("key across CR", "alpha\rbeta", "a\rb", false);
    addRow("key across CR LF", "video\r\ncard", "o\r\nc", false);
    addRow("phrase across a line end", "graphics\r\ncard", "graphics card", false);
    addRow("comma key inside quotes", "x,\"alpha,beta\",y", "a,b", true);
    addRow("comma key in an unquoted item", "x,alpha beta,y", "a,b", false);
    addRow("line end inside quotes", "\"alpha\r\nbeta\"", "a\r\nb", true);
    addRow("tag name in markup", "<table><tr>", "TABLE", true);
    addRow("attribute in markup", "<p class=\"note\">text</p>", "class", true);
    addRow("attribute value in markup", "<p class=\"note\">text</p>", "note", true);
    addRow("overlapping start", "aaab", "aab", true);
    addRow("overlapping repeat", "abababc", "ababc", true);
    addRow("key longer than the item", "abc,d", "abcd", false);
    addRow("key at the end of the page", "xyz,abc", "abc", true);
    addRow("empty page", "", "a", false);
    addRow("blanks in front are skipped", "x,   abc", " abc", false);
    addRow("blank inside an item", "x, a b", " b", true);
    addRow("blanks at the end stay", "abc   ,d", "c   ", true);
    addRow("blanks before a quoted item", "x,  \"a,b\"", "a,b", true);
    addRow("blanks inside quotes stay", "\" a \"", " a ", true);
    addRow("tab is not a blank", "x,\t\"a,b\"", "a,b", false);
    addRow("tab starts the item", "x,\t\"a,b\"", "\t\"a", true);
    addRow("quote inside an unquoted item", "ab\"cd,ef\"", "b\"c", true);
    addRow("quotes are not part of the item", "x,\"ab\"", "\"ab", false);
    addRow("text after a closing quote is discarded", "\"ab\"cd,ef", "cd", false);
    addRow("item after discarded text", "\"ab\"cd,ef", "ef", true);
    addRow("discarded up to the line end", "\"ab\" cd\r\nef", "ef", true);
    addRow("two quotes close the item", "\"a\"\"b\",c", "a\"", false);
    addRow("nothing after two quotes", "\"a\"\"b\",c", "b", false);
    addRow("unclosed quote runs to the end", "\"ab,cd\r\nef", "cd\r\ne", true);
    addRow("empty lines", "\r\n\r\n\n\nabc\r\n", "abc", true);
    addRow("empty lines hold no line end", "a\n\nb", "\n", false);
    addRow("quoted empty line", "\"a\n\nb\"", "\n\n", true);
    addRow("run of blanks inside an item", "a   b", "  ", true);
}

void PageScanTest::textItems() {
    QFETCH(QByteArray, page);
    QFETCH(QString, key);
    QFETCH(bool, found);
    KeyScanner scanner(key);
    QCOMPARE(scanner.pageContainsKey(writePage(page)), found);
}

void PageScanTest::caseFolding_data() {
    QTest::addColumn<QByteArray>("page");
    QTest::addColumn<QString>("key");
    QTest::addColumn<bool>("found");

    addRow("Latin small finds capitals", "AGP 8x", "agp", true);
    addRow("Latin capitals find small", "an agp slot", "AGP", true);
    addRow("Latin mixed", "PcI-ExPrEsS", "pci-EXPRESS", true);
    addRow("Cyrillic small finds capitals (1251)", cp1251(u"ДЪННА ПЛАТКА"_qs), u"дънна"_qs, true);
    addRow("Cyrillic capitals find small (1251)", cp1251(u"дънна платка"_qs), u"ПЛАТКА"_qs, true);
    addRow("Cyrillic small finds capitals (UTF-8)", utf8Page(u"ДЪННА ПЛАТКА"_qs), u"дънна"_qs,
           true);
    addRow("Cyrillic capitals find small (UTF-8)", utf8Page(u"дънна платка"_qs), u"ПЛАТКА"_qs,
           true);
    addRow("Latin does not find Cyrillic look-alikes", cp1251(u"РСІ"_qs), u"PCI"_qs, false);
    // µ upper-cases to Greek capital mu, which Windows-1251 has no byte for.
    addRow("found through upper case only (1251)", cp1251(u"10 µs"_qs), u"Μs"_qs, true);
    addRow("character no byte can make (1251)", cp1251(u"alpha"_qs), u"alphaλ"_qs, false);
    addRow("Greek in a UTF-8 page", utf8Page(u"λ-calculus"_qs), u"Λ-CALC"_qs, true);
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

void PageScanTest::caseFolding() {
    textItems();
}

void PageScanTest::charsets_data() {
    QTest::addColumn<QByteArray>("page");
    QTest::addColumn<QString>("key");
    QTest::addColumn<bool>("found");

    const QString word = u"Твърд диск"_qs;
    const QString key = u"твърд"_qs;
    addRow("undeclared page is Windows-1251", cp1251(word), key, true);
    addRow("undeclared UTF-8 bytes are read as Windows-1251", word.toUtf8(), key, false);
    addRow("undeclared UTF-8 bytes as Windows-1251 text", word.toUtf8(), u"РґРёСЃРє"_qs, true);
    addRow("meta charset", "<meta charset=\"utf-8\">" + word.toUtf8(), key, true);
    addRow("byte-order mark", "\xEF\xBB\xBF" + word.toUtf8(), key, true);
    addRow("byte-order mark wins over meta",
           "\xEF\xBB\xBF<meta charset=\"windows-1251\">" + word.toUtf8(), key, true);
    addRow("meta http-equiv",
           "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">" +
               word.toUtf8(),
           key, true);
    addRow("meta in capitals without quotes", "<META CharSet=UTF-8>" + word.toUtf8(), key, true);
    addRow("meta in single quotes", "<meta charset='utf-8'>" + word.toUtf8(), key, true);
    addRow("meta closed by a slash", "<meta charset=utf-8/>" + word.toUtf8(), key, true);
    addRow("http-equiv in capitals",
           "<META HTTP-EQUIV=content-type CONTENT='text/html;Charset=UTF-8'>" + word.toUtf8(), key,
           true);
    addRow("meta among other attributes",
           "<meta name=\"x\" content=\"y\">\n<meta\tdata-a=1 charset=\"utf-8\" />" + word.toUtf8(),
           key, true);
    addRow("meta charset windows-1251", "<meta charset=\"windows-1251\">" + cp1251(word), key,
           true);
    addRow("http-equiv other than Content-Type is ignored",
           "<meta http-equiv=\"refresh\" content=\"5; charset=utf-8\">" + word.toUtf8(), key,
           false);
    addRow("<metadata> is not a meta tag", "<metadata charset=\"utf-8\">" + word.toUtf8(), key,
           false);
    addRow("declaration past the first 1024 bytes is ignored",
           QByteArray(1024, '\n') + "<meta charset=\"utf-8\">" + word.toUtf8(), key, false);
    addRow("unknown charset falls back to Windows-1251",
           "<meta charset=\"x-no-such-charset\">" + cp1251(word), key, true);
    addRow("other single-byte charset", "<meta charset=\"koi8-r\">" + encodeText(word, "koi8-r"),
           key, true);
    // EBCDIC is one byte a character, but its commas, quotes and line ends are not ASCII's.
    const QByteArray ebcdic = "<meta charset=ibm037>";
    addRow("EBCDIC comma ends an item", ebcdic + encodeText(u"alpha,beta"_qs, "ibm037"), u"a,b"_qs,
           false);
    addRow("EBCDIC line end ends an item", ebcdic + encodeText(u"alpha\nbeta"_qs, "ibm037"),
           u"a\nb"_qs, false);
    addRow("EBCDIC quoted comma", ebcdic + encodeText(u"x,\"alpha,beta\""_qs, "ibm037"), u"a,b"_qs,
           true);
    addRow("multi-byte charset through iconv",
           "<meta charset=\"shift_jis\">" + encodeText(u"メモリ, ハードディスク"_qs, "shift_jis"),
           u"ハード"_qs, true);
    addRow("multi-byte charset keeps items apart",
           "<meta charset=\"shift_jis\">" + encodeText(u"メモリ, ハードディスク"_qs, "shift_jis"),
           u"リ, ハ"_qs, false);
}

void PageScanTest::charsets() {
    textItems();
}

void PageScanTest::invalidUtf8DoesNotStopTheScan_data() {
    QTest::addColumn<QByteArray>("page");
    QTest::addColumn<QString>("key");
    QTest::addColumn<bool>("found");

    const QByteArray key = u"ключ"_qs.toUtf8();
    addRow("invalid bytes before the key", utf8Page({}) + "\xFF\xFE abc \xC3, " + key, u"КЛЮЧ"_qs,
           true);
    addRow("cut sequence before the key", utf8Page({}) + "\xE2\x82 " + key, u"КЛЮЧ"_qs, true);
    addRow("cut sequence at the end", utf8Page({}) + key + ",x\xE2\x82", u"x"_qs, true);
    addRow("invalid byte is U+FFFD",
           utf8Page({}) + "a\xFF"
                          "b",
           u"a\uFFFDb"_qs, true);
}

void PageScanTest::invalidUtf8DoesNotStopTheScan() {
    textItems();
}

void PageScanTest::keyAcrossChunkEdge_data() {
    QTest::addColumn<QByteArray>("page");
    QTest::addColumn<QString>("key");
    QTest::addColumn<bool>("found");

    // Pages whose text around the first chunk edge is before + after.
    const auto around = [](const QByteArray& head, const QByteArray& before,
                           const QByteArray& after) {
        const qsizetype edge = KeyScanner::DefaultChunkBytes - head.size();
        QByteArray filler;
        while (filler.size() < edge - before.size())
            filler += "filler, text\r\n";
        filler.truncate(edge - before.size() - 2);
        return head + filler + "\r\n" + before + after + "\r\nend";
    };
    addRow("unquoted item (1251)", around({}, cp1251(u"ad кл"_qs), cp1251(u"юч z"_qs)), u"КЛЮЧ"_qs,
           true);
    addRow("quoted item with a comma (1251)",
           around({}, "\"ab,c" + cp1251(u"кл"_qs), cp1251(u"юч, z\""_qs)), u"cКЛюч, z"_qs, true);
    addRow("item ends at the edge (1251)", around({}, cp1251(u"ad кл"_qs), cp1251(u",юч z"_qs)),
           u"кл,юч"_qs, false);
    addRow("quote opened before the edge (1251)", around({}, "\"ab", ",cd\""), "b,c", true);
    addRow("unquoted item (UTF-8)",
           around("<meta charset=\"utf-8\">", u"ad кл"_qs.toUtf8(), u"юч z"_qs.toUtf8()),
           u"КЛЮЧ"_qs, true);
    addRow("character cut by the edge (UTF-8)",
           around("<meta charset=\"utf-8\">", u"ad к"_qs.toUtf8() + "\xD0",
                  "\xBB" + u"юч z"_qs.toUtf8()),
           u"КЛЮЧ"_qs, true);
}

void PageScanTest::keyAcrossChunkEdge() {
    textItems();
}

void PageScanTest::sameAnswerForEveryChunkSize_data() {
    QTest::addColumn<QByteArray>("page");
    QTest::addColumn<QString>("key");
    QTest::addColumn<bool>("found");

    const QByteArray utf7 = "<meta charset=utf-7>\n";
    const QString text = u"дънна платка, AGP слот"_qs;
    // A stray shift: iconv stays in base64 after each bad byte, to the end of the page.
    addRow("UTF-7 after a bad byte",
           "+Bx<meta chair charset=utf7\xAA"
           "ade AGP",
           u"agp"_qs, false);
    addRow("UTF-7 lone surrogate", utf7 + "ab +3AA-cd, AGP", u"agp"_qs, true);
    const QByteArray utf7Text = utf7 + encodeText(text, "utf-7");
    addRow("UTF-7 shifts", utf7Text, u"ПЛАТКА"_qs, true);
    addRow("UTF-7 shifts keep items apart", utf7Text, u"платка, agp"_qs, false);
    addRow("UTF-7 bad byte in a shift", QByteArray(utf7Text).insert(utf7.size() + 5, '\xAA'),
           u"ПЛАТКА"_qs, true);
    // The declaration is read as bytes, the text behind the byte-order mark as UTF-16.
    const QByteArray utf16 = "\xFF\xFE<meta charset=utf-16 >";
    addRow("UTF-16 with a byte-order mark", utf16 + encodeText(text, "utf-16le"), u"ПЛАТКА"_qs,
           true);
    addRow("UTF-16 lone surrogate",
           utf16 + encodeText(u"дънна"_qs, "utf-16le") + QByteArray("\x00\xDC\x00", 3) +
               encodeText(u", платка"_qs, "utf-16le"),
           u"ПЛАТКА"_qs, true);
    addRow("UTF-8 bad and cut bytes", utf8Page(u"дънна"_qs) + "\xFF\xE2\x82, " + text.toUtf8(),
           u"ПЛАТКА"_qs, true);
    const QByteArray jis = "<meta charset=iso-2022-jp>";
    const QByteArray jisText = jis + encodeText(u"メモリ, ハードディスク"_qs, "iso-2022-jp");
    addRow("ISO-2022-JP", jisText, u"ハード"_qs, true);
    addRow("ISO-2022-JP keeps items apart", jisText, u"リ, ハ"_qs, false);
    addRow("ISO-2022-JP bad byte in a shift", QByteArray(jisText).insert(jis.size() + 5, '\x80'),
           u"ハード"_qs, true);
}

void PageScanTest::sameAnswerForEveryChunkSize() {
    QFETCH(QByteArray, page);
    QFETCH(QString, key);
    QFETCH(bool, found);
    const QString path = writePage(page);
    QCOMPARE(KeyScanner(key).pageContainsKey(path), found);
    for (qint64 chunk = 1; chunk <= 64; ++chunk)
        QVERIFY2(KeyScanner(key, chunk).pageContainsKey(path) == found,
                 qPrintable(QStringLiteral("chunk %1").arg(chunk)));
}

void PageScanTest::emptyKeyIsRefused_data() {
    QTest::addColumn<QByteArray>("declared");
    for (const char* declared : {"", "windows-1251", "utf-8", "x-no-such-charset"})
        QTest::newRow(declared) << QByteArray(declared);
}

void PageScanTest::emptyKeyIsRefused() {
    QFETCH(QByteArray, declared);
    const pagescan::CharsetPlan plan = pagescan::planCharset(declared, {});
    QVERIFY(plan.method == pagescan::CharsetPlan::Method::Skip && !plan.byteKey);
    const QString page = writePage("<meta charset=" + declared + ">, alpha");
    QCOMPARE(KeyScanner({}).pageContainsKey(page), false);
}

void PageScanTest::badPagesAreSkippedAtOnce_data() {
    QTest::addColumn<QString>("kind");
    for (const char* kind : {"fifo", "directory", "missing", "device"})
        QTest::newRow(kind) << QString::fromLatin1(kind);
}

void PageScanTest::badPagesAreSkippedAtOnce() {
    QFETCH(QString, kind);
    const QString path = dir_.filePath(kind + u".htm"_qs);
    if (kind == u"fifo"_qs)
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    else if (kind == u"directory"_qs)
        QVERIFY(QDir(dir_.path()).mkdir(kind + u".htm"_qs));
    else if (kind == u"device"_qs)
        QVERIFY(QFile::link(u"/dev/zero"_qs, path)); // would never end if read

    QElapsedTimer timer;
    timer.start();
    std::future<bool> found = std::async(
        std::launch::async, [path] { return KeyScanner(u"a"_qs).pageContainsKey(path); });
    if (found.wait_for(std::chrono::seconds(5)) != std::future_status::ready) {
        // Release a scan stuck on the FIFO so the test can end.
        const int writer = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_NONBLOCK);
        if (writer >= 0)
            ::close(writer);
        QFAIL("the scan blocked");
    }
    QCOMPARE(found.get(), false);
    QVERIFY2(timer.elapsed() < 1000, qPrintable(QString::number(timer.elapsed())));
}

void PageScanTest::unreadablePageIsSkipped() {
    if (::geteuid() == 0)
        QSKIP("root reads a file whatever its mode");
    const QString path = writePage("alpha");
    QVERIFY(QFile::setPermissions(path, {}));
    QCOMPARE(KeyScanner(u"alpha"_qs).pageContainsKey(path), false);
}

void PageScanTest::largePagesKeepMemoryBounded_data() {
    QTest::addColumn<QByteArray>("head");
    QTest::addColumn<QByteArray>("tail");
    QTest::addColumn<bool>("found");

    QTest::newRow("key at the very end (1251)")
        << QByteArray() << ",x " + cp1251(u"ключ"_qs) << true;
    QTest::newRow("key nowhere (1251)") << QByteArray() << ",x " + cp1251(u"клю"_qs) << false;
    QTest::newRow("key at the very end (UTF-8)")
        << QByteArray("\xEF\xBB\xBF") << ",x " + u"ключ"_qs.toUtf8() << true;
}

void PageScanTest::largePagesKeepMemoryBounded() {
    QFETCH(QByteArray, head);
    QFETCH(QByteArray, tail);
    QFETCH(bool, found);
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
    QCOMPARE(KeyScanner(u"КЛЮЧ"_qs).pageContainsKey(path), found);
    const qint64 growth = peakResidentBytes() - peakBefore;
    QVERIFY2(growth < 32LL << 20, qPrintable(QStringLiteral("peak grew by %1 bytes").arg(growth)));
    QFile::remove(path);
}

QTEST_GUILESS_MAIN(PageScanTest)
#include "tst_pagescan.moc"

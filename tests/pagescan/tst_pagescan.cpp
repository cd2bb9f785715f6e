#include "search/scan/KeyScanner.h"
#include "search/scan/PageDecoder.h"
#include "tests/pagescan/EncodeText.h"

#include <QProcess>
#include <QSet>
#include <QTest>

#include <cstring>
#include <string>

using pagescan::encodeText;
using pagescan::KeyScanner;
using pagescan::PageDecoder;

namespace {

QByteArray cp1251(const QString& text) {
    return encodeText(text, "windows-1251");
}

bool scan(const QString& key, qint64 chunkBytes, const QByteArray& page) {
    return KeyScanner(key, chunkBytes).pageContainsKey([&page](qint64 at, char* to, qint64 size) {
        const qint64 got = qBound<qint64>(0, page.size() - at, size);
        std::memcpy(to, page.constData() + at, std::size_t(got));
        return got;
    });
}

void row(const char* name, const QByteArray& page, const QString& key, bool found) {
    QTest::newRow(name) << page << key << found;
}

// The text of page as the scan decodes it when it reads chunkBytes at a time.
std::u16string decoded(PageDecoder& decoder, QByteArrayView page, qsizetype chunkBytes) {
    decoder.reset();
    std::u16string text;
    for (qsizetype at = 0; at <= page.size(); at += chunkBytes)
        decoder.decode(page.sliced(at).first(qMin(chunkBytes, page.size() - at)),
                       at + chunkBytes > page.size(), text);
    return text;
}

} // namespace

class PageScanTest : public QObject {
    Q_OBJECT

private slots:
    void scan_data() {
        QTest::addColumn<QByteArray>("page");
        QTest::addColumn<QString>("key");
        QTest::addColumn<bool>("found");
        row("whole item", "alpha,beta", "beta", true);
        row("empty key", "alpha", "", false);
        row("key across a comma", "alpha,beta", "a,b", false);
        row("key across CR LF", "video\r\ncard", "o\r\nc", false);
        row("comma inside quotes", "x,\"alpha,beta\",y", "a,b", true);
        row("line end inside quotes", "\"alpha\r\nbeta\"", "a\r\nb", true);
        row("overlapping repeat", "abababc", "ababc", true);
        row("blanks in front are skipped", "x,   abc", " abc", false);
        row("blanks at the end stay", "abc   ,d", "c   ", true);
        row("quote inside an unquoted item", "ab\"cd,ef\"", "b\"c", true);
        row("quotes are not part of the item", "x,\"ab\"", "\"ab", false);
        row("text after a closing quote is discarded", "\"ab\"cd,ef", "cd", false);
        row("Latin case", "PcI-ExPrEsS", "pci-EXPRESS", true);
        row("Cyrillic case (1251)", cp1251(u"ДЪННА ПЛАТКА"_qs), u"дънна"_qs, true);
        row("found through upper case only (1251)", cp1251(u"10 µs"_qs), u"Μs"_qs, true);
        // Every byte Windows-874 leaves undefined reads as U+FFFD: many bytes fold alike.
        row("many bytes fold alike", "<meta charset=windows-874>\na\xDB, and text behind it",
            u"A\uFFFD"_qs, true);
        row("undeclared page is Windows-1251", cp1251(u"Твърд диск"_qs), u"твърд"_qs, true);
        const QByteArray word = u"Твърд диск"_qs.toUtf8();
        row("meta charset", "<meta charset=\"utf-8\">" + word, u"твърд"_qs, true);
        row("BOM wins over meta", "\xEF\xBB\xBF<meta charset=windows-1251>" + word, u"твърд"_qs,
            true);
        row("BOM is not text", "\xEF\xBB\xBF\"a,b\"", "a,b", true);
        row("http-equiv", "<META HTTP-EQUIV=content-type CONTENT='text/html;Charset=UTF-8'>" + word,
            u"твърд"_qs, true);
        row("http-equiv refresh", "<meta http-equiv=refresh content='charset=utf-8'>" + word,
            u"твърд"_qs, false);
        row("<metadata> is not meta", "<metadata charset=\"utf-8\">" + word, u"твърд"_qs, false);
        row("meta past 1024 bytes", QByteArray(1024, ' ') + "<meta charset=utf-8>" + word,
            u"твърд"_qs, false);
        row("unknown charset is Windows-1251", "<meta charset=x-none>" + cp1251(u"Твърд"_qs),
            u"твърд"_qs, true);
        row("EBCDIC comma ends an item", "<meta charset=ibm037>" + encodeText(u"a,b"_qs, "ibm037"),
            "a,b", false);
        row("EBCDIC quoted comma", "<meta charset=ibm037>" + encodeText(u"x,\"a,b\""_qs, "ibm037"),
            "a,b", true);
        for (const char* charset : {"utf-16le", "utf-16be"})
            row(charset, encodeText(u"\uFEFFx,\"Твърд, диск\""_qs, charset), u"д, д"_qs, true);
        row("UTF-16 lone surrogate", "\xFF\xFE" + QByteArray("a\0\0\xDC", 4), u"A\uFFFD"_qs, true);
        row("UTF-8 bad bytes", "<meta charset=utf-8>a\xFF\xE2\x82", u"A\uFFFD\uFFFD"_qs, true);
        const QByteArray jis = "<meta charset=iso-2022-jp>";
        row("ISO-2022-JP keeps items apart", jis + encodeText(u"メモリ, ハード"_qs, "iso-2022-jp"),
            u"リ, ハ"_qs, false);
        row("held back to the end (CP1258)", "<meta charset=cp1258>abc", "abc", true);
        row("ISO-2022-CN-EXT cut", "<meta charset=\"iso-2022-cn-ext\">abc\x0e", "abc", true);
        row("CP949 cut", "<meta charset=\"cp949\">abc\xa2\xe8", "abc", true);
    }

    // Every page is read whole and in chunks of 1 to 64 bytes: the answer must not change.
    void scan() {
        QFETCH(QByteArray, page);
        QFETCH(QString, key);
        QFETCH(bool, found);
        QCOMPARE(::scan(key, KeyScanner::DefaultChunkBytes, page), found);
        for (qint64 chunk = 1; chunk <= 64; ++chunk)
            QVERIFY2(::scan(key, chunk, page) == found, qPrintable(QString::number(chunk)));
    }

    // Tiny pages in every charset iconv knows, aliases included (a fault may hide behind one
    // name), cut at every place: iconv may reject a byte after it took the last of its
    // input, which must neither crash the decoder nor change the text with the cut.
    void everyCharsetEveryEndingEveryChunk() {
        QProcess iconv;
        iconv.start(u"iconv"_qs, {u"-l"_qs});
        QVERIFY(iconv.waitForFinished());
        const QList<QByteArray> charsets =
            iconv.readAllStandardOutput().replace("//", "").replace(',', ' ').simplified().split(
                ' ');
        QVERIFY(charsets.size() > 100);
        QSet<QString> behaviours; // aliases decode alike; one of each is enough
        for (const QByteArray& charset : charsets) {
            PageDecoder decoder(charset);
            // Each byte ends a page, and so does each pair that begins with a byte the
            // decoder holds back at a chunk's end (the lead byte of a longer character).
            QList<QByteArray> pages;
            std::u16string behaviour;
            for (int last = 0; last < 256; ++last) {
                const QByteArray page = "ab" + QByteArray(1, char(last));
                std::u16string held;
                decoder.reset();
                decoder.decode(page, false, held);
                const std::u16string whole = decoded(decoder, page, page.size() + 1);
                behaviour += whole + (held == whole ? u'=' : u'<');
                pages << page;
                for (int next = 0; held != whole && next < 256; ++next)
                    pages << page + char(next);
            }
            const QString key = QString::fromStdU16String(behaviour);
            if (behaviours.contains(key))
                continue;
            behaviours.insert(key);
            for (const QByteArray& page : pages) {
                const std::u16string whole = decoded(decoder, page, page.size() + 1);
                for (qsizetype chunk = 1; chunk <= page.size(); ++chunk)
                    QVERIFY2(decoded(decoder, page, chunk) == whole,
                             (charset + ' ' + page.toHex()).constData());
            }
        }
    }
};

QTEST_GUILESS_MAIN(PageScanTest)
#include "tst_pagescan.moc"

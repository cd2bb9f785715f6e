#include "search/scan/KeyScanner.h"
#include "tests/pagescan/EncodeText.h"

#include <QTest>

#include <cstring>

using pagescan::encodeText;
using pagescan::KeyScanner;

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
        row("key across a CR", "video\rcard", "o\rc", false);
        row("key across an LF", "video\ncard", "o\nc", false);
        row("comma inside quotes", "x,\"alpha,beta\",y", "a,b", true);
        row("line end inside quotes", "\"alpha\r\nbeta\"", "a\r\nb", true);
        row("blanks in front are skipped", "x,   abc", " abc", false);
        row("blanks at the end stay", "abc   ,d", "c   ", true);
        row("quote inside an unquoted item", "ab\"cd,ef\"", "b\"c", true);
        row("quotes are not part of the item", "x,\"ab\"", "\"ab", false);
        row("text after a closing quote is discarded", "\"ab\"cd,ef", "cd", false);
        row("Cyrillic case (1251)", cp1251(u"ДЪННА ПЛАТКА"_qs), u"дънна"_qs, true);
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
        row("UTF-7 lone surrogate", "<meta charset=utf-7>ab +3AA-cd", u"b \uFFFDc"_qs, true);
        row("UTF-8 bad bytes", "<meta charset=utf-8>a\xFF\xE2\x82", u"A\uFFFD\uFFFD"_qs, true);
        row("held back to the end (CP1258)", "<meta charset=cp1258>abc", "abc", true);
        // Cut after a byte iconv rejects only once it took the last of its input.
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
};

QTEST_GUILESS_MAIN(PageScanTest)
#include "tst_pagescan.moc"

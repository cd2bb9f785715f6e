#include "search/scan/PageDecoder.h"

#include <QProcess>
#include <QSet>
#include <QTest>

#include <string>

using pagescan::PageDecoder;

namespace {

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

// Tiny pages in every charset iconv knows, aliases included (a fault may hide behind one
// name), cut at every place: iconv may reject a byte after it took the last of its
// input, which must neither crash the decoder nor change the text with the cut.
class DecoderEdgesTest : public QObject {
    Q_OBJECT

private slots:
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
                             qPrintable(charset + ' ' + page.toHex() + " chunk " +
                                        QByteArray::number(chunk)));
            }
        }
        qInfo("%lld charset names, %lld decoders", charsets.size(), behaviours.size());
    }
};

QTEST_GUILESS_MAIN(DecoderEdgesTest)
#include "tst_decoderedges.moc"

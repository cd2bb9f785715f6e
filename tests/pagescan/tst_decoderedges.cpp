#include "search/scan/PageDecoder.h"

#include <QProcess>
#include <QSet>
#include <QTest>

#include <string>

using pagescan::PageDecoder;

namespace {

// Every charset name iconv knows, aliases included: a bug may hide behind one name only.
QList<QByteArray> iconvCharsets() {
    QProcess iconv;
    iconv.start(u"iconv"_qs, {u"-l"_qs});
    iconv.waitForFinished();
    QList<QByteArray> names;
    for (QByteArray name : iconv.readAllStandardOutput().replace(',', '\n').split('\n')) {
        name = name.trimmed();
        if (name.endsWith("//"))
            name.chop(2);
        if (!name.isEmpty())
            names << name;
    }
    return names;
}

// The text of page as the scan decodes it when it reads chunkBytes at a time.
std::u16string decodeInChunks(PageDecoder& decoder, QByteArrayView page, qsizetype chunkBytes) {
    decoder.reset();
    std::u16string text;
    for (qsizetype at = 0;; at += chunkBytes) {
        const QByteArrayView chunk = page.sliced(at).first(qMin(chunkBytes, page.size() - at));
        decoder.decode(chunk, chunk.size() < chunkBytes, text);
        if (chunk.size() < chunkBytes)
            return text;
    }
}

const QByteArray Prefix = "ab";

// A page of a charset's pages ends in every byte, and in every pair that begins with a byte
// the decoder holds back at a chunk's end (the lead byte of a longer character).
QList<QByteArray> endings(PageDecoder& decoder) {
    QList<QByteArray> endings;
    for (int first = 0; first < 256; ++first) {
        const QByteArray page = Prefix + char(first);
        endings << QByteArray(1, char(first));
        std::u16string held;
        decoder.reset();
        decoder.decode(page, false, held);
        if (held == decodeInChunks(decoder, page, page.size() + 1))
            continue;
        for (int second = 0; second < 256; ++second)
            endings << QByteArray(1, char(first)) + char(second);
    }
    return endings;
}

} // namespace

// Tiny pages in every charset, cut at every place: iconv may reject a byte after it took the
// last of its input, which must neither crash the decoder nor change the text with the cut.
class DecoderEdgesTest : public QObject {
    Q_OBJECT

private slots:
    void everyCharsetEveryEndingEveryChunk() {
        const QList<QByteArray> charsets = iconvCharsets();
        QVERIFY(charsets.size() > 100);
        QSet<QByteArray> checked; // iconv's aliases decode alike; one of each is enough
        int pages = 0;
        for (const QByteArray& charset : charsets) {
            PageDecoder decoder(charset);
            const QList<QByteArray> charsetEndings = endings(decoder);
            QByteArray behaviour;
            for (const QByteArray& ending : charsetEndings.first(256)) {
                const std::u16string text = decodeInChunks(decoder, Prefix + ending, 3);
                behaviour.append(reinterpret_cast<const char*>(text.data()), text.size() * 2);
            }
            if (checked.contains(behaviour += QByteArray::number(charsetEndings.size())))
                continue;
            checked.insert(behaviour);
            for (const QByteArray& ending : charsetEndings) {
                const QByteArray page = Prefix + ending;
                const std::u16string whole = decodeInChunks(decoder, page, page.size() + 1);
                for (qsizetype chunk = 1; chunk <= page.size(); ++chunk)
                    QVERIFY2(decodeInChunks(decoder, page, chunk) == whole,
                             qPrintable(charset + ' ' + ending.toHex() + " chunk " +
                                        QByteArray::number(chunk)));
                ++pages;
            }
        }
        qInfo("%lld charset names, %lld decoders, %d pages", charsets.size(), checked.size(),
              pages);
    }
};

QTEST_GUILESS_MAIN(DecoderEdgesTest)
#include "tst_decoderedges.moc"

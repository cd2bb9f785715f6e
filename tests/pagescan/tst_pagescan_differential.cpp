#include "search/scan/EncodeText.h"
#include "search/scan/KeyScanner.h"
#include "tests/pagescan/ReferenceScan.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <vector>

using pagescan::KeyScanner;

namespace {

// How a generated page declares its charset, and the characters its text is made of.
struct PageKind {
    QByteArray declaration;
    const char* charset;
    QString letters;
    QByteArray strayBytes; // bytes thrown in that the charset rejects or leaves incomplete
};

const std::vector<PageKind>& pageKinds() {
    static const std::vector<PageKind> kinds = {
        {"", "windows-1251", u"aAbBаАбБіІµ"_qs, "\x98"},
        {"\xEF\xBB\xBF", "utf-8", u"aAbBаАбБλΛµア"_qs, "\xFF\x80\xC3\xE2\x82"},
        {"<meta charset=\"utf-8\">\r\n", "utf-8", u"aAbBаАбБ"_qs, "\xFF\xD0"},
        {"<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=windows-1251\">\n",
         "windows-1251", u"aAbBаАбБ"_qs, "\x98"},
        {"<meta charset='koi8-r'>", "koi8-r", u"aAbBаАбБ"_qs, ""},
        {"<meta charset=shift_jis>", "shift_jis", u"aAbBアイ"_qs, "\x81"},
        {"<meta charset=utf-7>", "utf-7", u"aAbBаАбБ"_qs, "\xAA"}, // shift state
    };
    return kinds;
}

// Commas, quotes, blanks, tabs and every kind of line end, often enough to matter.
const QString Structure = u",,\"\"   \t\r\n\r\n"_qs;

const std::vector<qint64> ChunkSizes = {1,  2,  3,  4,    7,
                                        16, 31, 64, 1000, KeyScanner::DefaultChunkBytes};

QChar pick(QRandomGenerator& random, const QString& from) {
    return from[random.bounded(int(from.size()))];
}

QString randomText(QRandomGenerator& random, const PageKind& kind, int length) {
    QString text;
    for (int i = 0; i < length; ++i)
        text += pick(random, random.bounded(3) == 0 ? Structure : kind.letters);
    return text;
}

QByteArray randomPage(QRandomGenerator& random, const PageKind& kind, int length) {
    const QByteArray body = pagescan::encodeText(randomText(random, kind, length), kind.charset);
    QByteArray page = kind.declaration;
    for (const char byte : body) {
        if (!kind.strayBytes.isEmpty() && random.bounded(40) == 0)
            page += kind.strayBytes[random.bounded(int(kind.strayBytes.size()))];
        page += byte;
    }
    return page;
}

QString flipCase(QRandomGenerator& random, QString text) {
    for (QChar& c : text)
        c = random.bounded(2) ? c.toUpper() : c.toLower();
    return text;
}

// A key taken from the text at about position, or made up from the page's characters.
QString randomKey(QRandomGenerator& random, const PageKind& kind, const QString& text,
                  qsizetype position) {
    if (random.bounded(2) == 0 && !text.isEmpty()) {
        position = qBound<qsizetype>(0, position, text.size() - 1);
        return flipCase(random, text.mid(position, 1 + random.bounded(6)));
    }
    QString key = randomText(random, kind, 1 + random.bounded(4));
    if (random.bounded(10) == 0)
        key.insert(random.bounded(int(key.size())), u'\uFFFD');
    return key;
}

QString describe(const QByteArray& page, const QString& key, qint64 chunk) {
    return QStringLiteral("page %1\nkey \"%2\" (%3), chunk %4")
        .arg(QString::fromLatin1(page.left(400).toPercentEncoding(" <>=\"'")), key,
             QString::fromLatin1(key.toUtf8().toHex(' ')), QString::number(chunk));
}

} // namespace

class DifferentialTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    int found_ = 0;
    int notFound_ = 0;

    // Checks the scanner against the reference for one page and key.
    bool agree(const QByteArray& page, const QStringList& items, const QString& key, qint64 chunk) {
        const QString path = dir_.filePath(u"page.htm"_qs);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
            file.write(page) != page.size())
            qFatal("cannot write %s", qPrintable(path));
        file.close();
        const bool expected = referenceContains(items, key);
        (expected ? found_ : notFound_) += 1;
        return KeyScanner(key, chunk).pageContainsKey(path) == expected;
    }

private slots:
    void smallPagesInSmallChunks() {
        QRandomGenerator random(20240611);
        for (int round = 0; round < 3000; ++round) {
            const PageKind& kind = pageKinds()[random.bounded(int(pageKinds().size()))];
            const QByteArray page = randomPage(random, kind, random.bounded(300));
            const QString text = referenceText(page);
            const QStringList items = referenceItems(text);
            for (int k = 0; k < 4; ++k) {
                const QString key =
                    randomKey(random, kind, text, random.bounded(int(text.size()) + 1));
                const qint64 chunk = ChunkSizes[random.bounded(int(ChunkSizes.size()))];
                QVERIFY2(agree(page, items, key, chunk), qPrintable(describe(page, key, chunk)));
            }
        }
        qInfo("%d checks found the key, %d did not", found_, notFound_);
        QVERIFY(found_ > 3000 && notFound_ > 3000);
    }

    void keysAcrossTheDefaultChunkEdge() {
        QRandomGenerator random(1994);
        for (const PageKind& kind : pageKinds()) {
            const int length = int(KeyScanner::DefaultChunkBytes) + random.bounded(1 << 19);
            const QByteArray page = randomPage(random, kind, length);
            const QString text = referenceText(page);
            const QStringList items = referenceItems(text);
            // The text index of about the first chunk edge.
            const qsizetype edge = referenceText(page.left(KeyScanner::DefaultChunkBytes)).size();
            for (int k = 0; k < 40; ++k) {
                const QString key = randomKey(random, kind, text, edge - 1 - random.bounded(5));
                QVERIFY2(agree(page, items, key, KeyScanner::DefaultChunkBytes),
                         qPrintable(describe(page, key, KeyScanner::DefaultChunkBytes)));
            }
        }
    }
};

QTEST_GUILESS_MAIN(DifferentialTest)
#include "tst_pagescan_differential.moc"

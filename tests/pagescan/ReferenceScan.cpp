#include "tests/pagescan/ReferenceScan.h"

#include <QRegularExpression>
#include <QSysInfo>

#include <algorithm>
#include <cerrno>
#include <iconv.h>
#include <string>

namespace {

bool endsItem(QChar c) {
    return c == u',' || c == u'\r' || c == u'\n';
}

QString upperEach(QString text) {
    for (QChar& c : text)
        c = c.toUpper();
    return text;
}

// Bytes decoded from a charset at once; every byte iconv rejects becomes U+FFFD. Null when
// iconv does not know the charset.
QString decodeText(QByteArrayView bytes, const QByteArray& charset) {
    const iconv_t cd = iconv_open(
        QSysInfo::ByteOrder == QSysInfo::LittleEndian ? "UTF-16LE" : "UTF-16BE", charset);
    if (cd == reinterpret_cast<iconv_t>(-1))
        return {};
    std::u16string out(size_t(bytes.size()) * 2 + 16, u'\0');
    char* in = const_cast<char*>(bytes.data());
    size_t inLeft = size_t(bytes.size());
    char* outPtr = reinterpret_cast<char*>(out.data());
    size_t outLeft = out.size() * sizeof(char16_t);
    while (inLeft > 0) {
        if (iconv(cd, &in, &inLeft, &outPtr, &outLeft) != size_t(-1) || errno == E2BIG)
            break;
        // A rejected byte, or the first byte of a character cut off by the end.
        *reinterpret_cast<char16_t*>(outPtr) = u'\uFFFD';
        outPtr += sizeof(char16_t);
        outLeft -= sizeof(char16_t);
        ++in;
        --inLeft;
    }
    iconv(cd, nullptr, nullptr, &outPtr, &outLeft);
    iconv_close(cd);
    const qsizetype units = (outPtr - reinterpret_cast<char*>(out.data())) / 2;
    return QString(reinterpret_cast<const QChar*>(out.data()), units);
}

} // namespace

QString referenceText(const QByteArray& page) {
    if (page.startsWith("\xEF\xBB\xBF"))
        return decodeText(QByteArrayView(page).sliced(3), "utf-8");
    static const QRegularExpression meta(
        R"(<meta[\s/][^>]*?charset\s*=\s*["']?([A-Za-z0-9._:+()-]+))",
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = meta.match(QString::fromLatin1(page.left(1024)));
    QString text;
    if (match.hasMatch())
        text = decodeText(page, match.captured(1).toLatin1());
    return text.isNull() ? decodeText(page, "windows-1251") : text;
}

QStringList referenceItems(const QString& text) {
    QStringList items;
    qsizetype i = 0;
    while (i < text.size()) {
        while (i < text.size() && text[i] == u' ')
            ++i;
        if (i < text.size() && text[i] == u'"') {
            qsizetype close = text.indexOf(u'"', i + 1);
            if (close < 0)
                close = text.size();
            items << upperEach(text.sliced(i + 1, close - i - 1));
            i = close;
            while (i < text.size() && !endsItem(text[i]))
                ++i; // discarded after the closing quote
        } else {
            const qsizetype start = i;
            while (i < text.size() && !endsItem(text[i]))
                ++i;
            items << upperEach(text.sliced(start, i - start));
        }
        i += QStringView(text).sliced(i).startsWith(u"\r\n") ? 2 : 1; // CR LF is one line end
    }
    return items;
}

bool referenceContains(const QStringList& upperCasedItems, const QString& key) {
    const QString upperKey = upperEach(key);
    return std::any_of(upperCasedItems.begin(), upperCasedItems.end(),
                       [&](const QString& item) { return item.contains(upperKey); });
}

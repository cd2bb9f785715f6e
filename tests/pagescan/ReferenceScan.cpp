#include "ReferenceScan.h"

#include <QRegularExpression>
#include <QSysInfo>

#include <cerrno>
#include <iconv.h>
#include <string>

namespace {

bool isKnownCharset(const QByteArray& name) {
    const iconv_t cd = iconv_open("UTF-16LE", name.constData());
    if (cd == reinterpret_cast<iconv_t>(-1))
        return false;
    iconv_close(cd);
    return true;
}

bool endsItem(QChar c) {
    return c == u',' || c == u'\r' || c == u'\n';
}

// Steps over the comma or line end at i, if any; CR LF is one line end.
qsizetype afterDelimiter(const QString& text, qsizetype i) {
    if (i >= text.size())
        return i;
    if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
        return i + 2;
    return i + 1;
}

// Bytes decoded from a charset at once; every byte iconv rejects becomes U+FFFD.
QString decodeText(QByteArrayView bytes, const char* charset) {
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
            items << text.mid(i + 1, close - i - 1);
            i = close + 1;
            while (i < text.size() && !endsItem(text[i]))
                ++i; // discarded after the closing quote
        } else {
            const qsizetype start = i;
            while (i < text.size() && !endsItem(text[i]))
                ++i;
            items << text.mid(start, i - start);
        }
        i = afterDelimiter(text, i);
    }
    return items;
}

namespace {

QString upperEach(const QString& text) {
    QString upper = text;
    for (QChar& c : upper)
        c = c.toUpper();
    return upper;
}

} // namespace

QString referenceText(const QByteArray& page) {
    QByteArray charset;
    QByteArray bytes = page;
    if (page.startsWith("\xEF\xBB\xBF")) {
        charset = "utf-8";
        bytes = page.mid(3);
    } else {
        static const QRegularExpression meta(
            R"(<meta[\s/][^>]*?charset\s*=\s*["']?([A-Za-z0-9._:+()-]+))",
            QRegularExpression::CaseInsensitiveOption);
        const QRegularExpressionMatch match = meta.match(QString::fromLatin1(page.left(1024)));
        if (match.hasMatch())
            charset = match.captured(1).toLatin1();
    }
    if (charset.isEmpty() || !isKnownCharset(charset))
        charset = "windows-1251";
    return decodeText(bytes, charset.constData());
}

int referenceOccurrences(const QStringList& items, const QString& key) {
    const QChar keyFirst = key[0].toUpper();
    const QString keyUpper = upperEach(key);
    int count = 0;
    for (const QString& item : items) {
        for (qsizetype p = 0; p < item.size(); ++p) {
            if (item[p].toUpper() == keyFirst && upperEach(item.mid(p, key.size())) == keyUpper)
                ++count;
        }
    }
    return count;
}

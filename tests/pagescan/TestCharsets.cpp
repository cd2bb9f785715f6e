#include "tests/pagescan/TestCharsets.h"

#include <QSysInfo>

#include <cerrno>
#include <iconv.h>
#include <string>

namespace {

const char* utf16() {
    return QSysInfo::ByteOrder == QSysInfo::LittleEndian ? "UTF-16LE" : "UTF-16BE";
}

} // namespace

QByteArray encodeText(const QString& text, const char* charset) {
    const iconv_t cd = iconv_open(charset, utf16());
    if (cd == reinterpret_cast<iconv_t>(-1))
        return {};
    QByteArray out(text.size() * 4 + 16, Qt::Uninitialized);
    char* in = reinterpret_cast<char*>(const_cast<QChar*>(text.constData()));
    size_t inLeft = size_t(text.size()) * sizeof(QChar);
    char* outPtr = out.data();
    size_t outLeft = size_t(out.size());
    const size_t result = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
    iconv(cd, nullptr, nullptr, &outPtr, &outLeft);
    iconv_close(cd);
    if (result == size_t(-1))
        return {};
    out.truncate(outPtr - out.data());
    return out;
}

QString decodeText(QByteArrayView bytes, const char* charset) {
    const iconv_t cd = iconv_open(utf16(), charset);
    if (cd == reinterpret_cast<iconv_t>(-1))
        return {};
    std::u16string out(size_t(bytes.size()) * 2 + 16, u'\0');
    char* in = const_cast<char*>(bytes.data());
    size_t inLeft = size_t(bytes.size());
    char* outPtr = reinterpret_cast<char*>(out.data());
    size_t outLeft = out.size() * sizeof(char16_t);
    while (inLeft > 0) {
        if (iconv(cd, &in, &inLeft, &outPtr, &outLeft) != size_t(-1))
            break;
        if (errno == E2BIG)
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

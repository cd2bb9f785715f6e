#include "tests/pagescan/EncodeText.h"

#include <QSysInfo>

#include <cerrno>
#include <iconv.h>

namespace pagescan {

QByteArray encodeText(const QString& text, const char* charset) {
    const iconv_t cd = iconv_open(
        charset, QSysInfo::ByteOrder == QSysInfo::LittleEndian ? "UTF-16LE" : "UTF-16BE");
    if (cd == reinterpret_cast<iconv_t>(-1))
        return {};
    char* in = reinterpret_cast<char*>(const_cast<QChar*>(text.constData()));
    std::size_t inLeft = std::size_t(text.size()) * sizeof(QChar);
    QByteArray out;
    qsizetype used = 0;
    // Grown until it all fits; the last call ends a stateful charset's shift.
    for (bool ended = false; !ended;) {
        out.resize(used + 4 * qsizetype(inLeft) + 64);
        char* outPtr = out.data() + used;
        std::size_t outLeft = std::size_t(out.size() - used);
        const bool ending = inLeft == 0;
        const std::size_t result =
            iconv(cd, ending ? nullptr : &in, ending ? nullptr : &inLeft, &outPtr, &outLeft);
        used = outPtr - out.data();
        if (result == std::size_t(-1) && errno != E2BIG) {
            iconv_close(cd);
            return {};
        }
        ended = ending && result != std::size_t(-1);
    }
    iconv_close(cd);
    out.truncate(used);
    return out;
}

} // namespace pagescan

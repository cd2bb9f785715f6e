#include "search/scan/IconvDecoder.h"

#include <cerrno>

namespace pagescan {

IconvDecoder::IconvDecoder(const QByteArray& charset) : iconv_(charset) {}

int IconvDecoder::convert(const char*& in, std::size_t& inLeft, std::u16string& out,
                          std::size_t& used) {
    char* outPtr = reinterpret_cast<char*>(out.data() + used);
    std::size_t outLeft = (out.size() - used) * sizeof(char16_t);
    char* inPtr = const_cast<char*>(in);
    const std::size_t result =
        ::iconv(iconv_.handle(), in ? &inPtr : nullptr, in ? &inLeft : nullptr, &outPtr, &outLeft);
    const int error = result == std::size_t(-1) ? errno : 0;
    in = inPtr;
    used = out.size() - outLeft / sizeof(char16_t);
    return error;
}

void IconvDecoder::decode(QByteArrayView chunk, bool pageEnds, std::u16string& out) {
    unconverted_.append(chunk.data(), std::size_t(chunk.size()));
    const char* in = unconverted_.data();
    std::size_t inLeft = unconverted_.size();
    std::size_t used = out.size();
    // Room for one unit a byte, all that most charsets need; grown when one needs more.
    constexpr std::size_t Spare = 16;
    out.resize(used + inLeft + Spare);
    while (inLeft > 0) {
        const int error = convert(in, inLeft, out, used);
        if (error == 0)
            break;
        if (error == EINVAL && !pageEnds)
            break; // a character cut by the chunk's edge
        if (error == E2BIG || used == out.size()) {
            out.resize(out.size() + inLeft + Spare);
            continue;
        }
        out[used++] = u'\uFFFD';
        ++in;
        --inLeft;
    }
    unconverted_.erase(0, unconverted_.size() - inLeft);
    if (pageEnds) {
        // A stateful charset may still hold a character back.
        const char* flush = nullptr;
        std::size_t none = 0;
        if (convert(flush, none, out, used) == E2BIG) {
            out.resize(out.size() + Spare);
            convert(flush, none, out, used);
        }
    }
    out.resize(used);
}

} // namespace pagescan

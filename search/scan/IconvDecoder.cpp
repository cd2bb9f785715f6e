#include "search/scan/IconvDecoder.h"

#include <cerrno>

namespace pagescan {

namespace {

constexpr char16_t Replacement = u'\uFFFD';

// Appends code points as UTF-16; a surrogate or a value past Unicode becomes U+FFFD.
void appendUtf16(const wchar_t* begin, const wchar_t* end, std::u16string& out) {
    std::size_t used = out.size();
    out.resize(used + 2 * std::size_t(end - begin));
    for (const wchar_t* p = begin; p < end; ++p) {
        const auto c = char32_t(*p);
        if (c < 0x10000) {
            out[used++] = c >= 0xD800 && c < 0xE000 ? Replacement : char16_t(c);
        } else if (c < 0x110000) {
            out[used++] = char16_t(0xD800 + ((c - 0x10000) >> 10));
            out[used++] = char16_t(0xDC00 + (c & 0x3FF));
        } else {
            out[used++] = Replacement;
        }
    }
    out.resize(used);
}

} // namespace

IconvDecoder::IconvDecoder(const QByteArray& charset) : iconv_(charset) {}

int IconvDecoder::convert(const char*& in, std::size_t& inLeft, std::u16string& out) {
    char* outPtr = reinterpret_cast<char*>(codePoints_.data());
    std::size_t outLeft = sizeof codePoints_;
    char* inPtr = const_cast<char*>(in);
    const std::size_t result =
        ::iconv(iconv_.handle(), in ? &inPtr : nullptr, in ? &inLeft : nullptr, &outPtr, &outLeft);
    const int error = result == std::size_t(-1) ? errno : 0;
    in = inPtr;
    appendUtf16(codePoints_.data(), reinterpret_cast<const wchar_t*>(outPtr), out);
    return error;
}

void IconvDecoder::decode(QByteArrayView chunk, bool pageEnds, std::u16string& out) {
    unconverted_.append(chunk.data(), std::size_t(chunk.size()));
    const char* in = unconverted_.data();
    std::size_t inLeft = unconverted_.size();
    while (inLeft > 0) {
        const int error = convert(in, inLeft, out);
        if (error == 0)
            break;
        if (error == E2BIG)
            continue; // the buffer is full; iconv stopped between two characters
        if (error == EINVAL && !pageEnds)
            break; // a character cut by the chunk's edge
        out.push_back(Replacement);
        // glibc may reject a character only after it took its last byte: nothing to step over.
        if (inLeft > 0) {
            ++in;
            --inLeft;
        }
    }
    unconverted_.erase(0, unconverted_.size() - inLeft);
    if (pageEnds) {
        // A stateful charset may still hold a character back; it fits the emptied buffer.
        const char* flush = nullptr;
        std::size_t none = 0;
        convert(flush, none, out);
    }
}

} // namespace pagescan

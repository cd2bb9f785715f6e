#include "search/scan/PageDecoder.h"

#include <QChar>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace pagescan {

namespace {

static_assert(sizeof(wchar_t) == sizeof(char32_t), "wchar_t holds a whole code point");

constexpr char16_t Replacement = u'\uFFFD';
const iconv_t NoIconv = reinterpret_cast<iconv_t>(-1);

char16_t upperCase(char16_t unit) {
    static const std::array<char16_t, 65536> upper = [] {
        std::array<char16_t, 65536> table{};
        for (std::size_t u = 0; u < table.size(); ++u)
            table[u] = QChar(char16_t(u)).toUpper().unicode();
        return table;
    }();
    return upper[unit];
}

iconv_t openIconv(const QByteArray& charset) {
    const iconv_t named = charset.isEmpty() ? NoIconv : iconv_open("WCHAR_T", charset.constData());
    return named != NoIconv ? named : iconv_open("WCHAR_T", "WINDOWS-1251");
}

} // namespace

std::u16string foldCase(QStringView text) {
    std::u16string folded;
    for (const QChar c : text)
        folded += upperCase(c.unicode());
    return folded;
}

PageDecoder::PageDecoder(const QByteArray& charset) : iconv_(openIconv(charset)) {
    loadByteFold();
    reset();
}

PageDecoder::~PageDecoder() {
    iconv_close(iconv_);
}

void PageDecoder::loadByteFold() {
    const auto structural = [](char16_t c) { return QStringView(u" \",\r\n").contains(c); };
    for (int byte = 0; byte < 256; ++byte) {
        reset();
        const char in = char(byte);
        const char* inPtr = &in;
        std::size_t inLeft = 1;
        std::u16string text;
        const int error = convert(&inPtr, &inLeft, text);
        if (error != EILSEQ && (error != 0 || text.size() != 1))
            return; // needs more bytes, holds one back, or makes two units
        byteText_[byte] = error == 0 ? text[0] : Replacement;
        if ((structural(char16_t(byte)) || structural(byteText_[byte])) && byteText_[byte] != byte)
            return;
        byteFold_[byte] = char(std::find(byteText_.begin(), byteText_.end(), byteText_[byte]) -
                               byteText_.begin());
    }
    foldsBytes_ = true;
    pairFold_.resize(65536);
    for (std::size_t pair = 0; pair < pairFold_.size(); ++pair) {
        char bytes[2];
        std::memcpy(bytes, &(pairFold_[pair] = std::uint16_t(pair)), 2);
        bytes[0] = byteFold_[std::uint8_t(bytes[0])];
        bytes[1] = byteFold_[std::uint8_t(bytes[1])];
        std::memcpy(&pairFold_[pair], bytes, 2);
    }
}

void PageDecoder::foldBytes(char* bytes, std::size_t size) const {
    for (std::uint16_t pair; size >= 2; bytes += 2, size -= 2) {
        std::memcpy(&pair, bytes, 2);
        std::memcpy(bytes, &pairFold_[pair], 2);
    }
    if (size == 1)
        *bytes = byteFold_[std::uint8_t(*bytes)];
}

std::optional<std::string> PageDecoder::byteKey(std::u16string_view key) const {
    std::string bytes;
    for (const char16_t unit : key) {
        const auto byte = std::find(byteText_.begin(), byteText_.end(), unit);
        if (byte == byteText_.end())
            return std::nullopt;
        bytes += char(byte - byteText_.begin());
    }
    return bytes;
}

void PageDecoder::reset() {
    iconv(iconv_, nullptr, nullptr, nullptr, nullptr);
    unconverted_.clear();
}

// A lone surrogate or a value past Unicode is U+FFFD.
int PageDecoder::convert(const char** in, std::size_t* inLeft, std::u16string& out) {
    char* outPtr = reinterpret_cast<char*>(codePoints_.data());
    std::size_t outLeft = sizeof codePoints_;
    const std::size_t result = iconv(iconv_, const_cast<char**>(in), inLeft, &outPtr, &outLeft);
    const int error = result == std::size_t(-1) ? errno : 0;
    for (const wchar_t* p = codePoints_.data(); p < reinterpret_cast<wchar_t*>(outPtr); ++p) {
        const auto c = char32_t(*p);
        if (c >= 0x10000 && c < 0x110000)
            out += {char16_t(0xD800 + ((c - 0x10000) >> 10)), char16_t(0xDC00 + (c & 0x3FF))};
        else
            out +=
                c < 0xD800 || (c >= 0xE000 && c < 0x10000) ? upperCase(char16_t(c)) : Replacement;
    }
    return error;
}

void PageDecoder::decode(QByteArrayView chunk, bool pageEnds, std::u16string& out) {
    unconverted_.append(chunk.data(), std::size_t(chunk.size()));
    const char* in = unconverted_.data();
    std::size_t inLeft = unconverted_.size();
    while (inLeft > 0) {
        const int error = convert(&in, &inLeft, out);
        if (error == 0 || (error == EINVAL && !pageEnds))
            break; // all taken, or a character cut by the chunk's edge
        if (error == E2BIG)
            continue;
        out += Replacement;
        // glibc may reject a character only after it took its last byte: nothing to step over.
        if (inLeft > 0) {
            ++in;
            --inLeft;
        }
    }
    unconverted_.erase(0, unconverted_.size() - inLeft);
    if (pageEnds)
        convert(nullptr, nullptr, out);
}

} // namespace pagescan

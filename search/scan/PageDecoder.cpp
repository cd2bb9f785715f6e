#include "search/scan/PageDecoder.h"

#include <QChar>

#include <algorithm>
#include <cerrno>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

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
}

std::optional<ByteKey> PageDecoder::byteKey(std::u16string_view key) const {
    std::string bytes;
    for (const char16_t unit : key) {
        const auto byte = std::find(byteText_.begin(), byteText_.end(), unit);
        if (byte == byteText_.end())
            return std::nullopt;
        bytes += char(byte - byteText_.begin());
    }
    return ByteKey(bytes, byteFold_);
}

ByteKey::ByteKey(std::string key, const std::array<char, 256>& fold)
    : key_(std::move(key)), fold_(fold) {
    std::array<char, 8> ends{};
    for (const std::size_t set : {0, 4}) {
        const char end = set == 0 ? key_.front() : key_.back();
        std::size_t count = 0;
        for (int byte = 0; byte < 256; ++byte) {
            if (fold_[byte] == end && ++count <= 4)
                ends[set + count - 1] = char(byte);
        }
        if (count > 4)
            return;
        // A set repeats its last byte, which changes nothing.
        std::fill(ends.begin() + qsizetype(set + count), ends.begin() + qsizetype(set + 4),
                  ends[set + count - 1]);
    }
    ends_ = ends;
}

bool ByteKey::matchesAt(const char* p) const {
    for (std::size_t i = 0; i < key_.size(); ++i) {
        if (fold_[std::uint8_t(p[i])] != key_[i])
            return false;
    }
    return true;
}

std::size_t ByteKey::find(std::string_view window, std::size_t from) const {
    const std::size_t places = window.size() + 1 - std::min(window.size() + 1, key_.size());
    std::size_t at = from;
#ifdef __SSE2__
    // Sixteen places at a time: only those whose first and last byte fit the key are compared.
    // This pays where the key is nowhere, as no byte of the page needs a look-up.
    if (ends_) {
        __m128i end[8];
        for (int i = 0; i < 8; ++i)
            end[i] = _mm_set1_epi8((*ends_)[i]);
        const auto in = [](const __m128i* set, __m128i block) {
            return _mm_or_si128(
                _mm_or_si128(_mm_cmpeq_epi8(block, set[0]), _mm_cmpeq_epi8(block, set[1])),
                _mm_or_si128(_mm_cmpeq_epi8(block, set[2]), _mm_cmpeq_epi8(block, set[3])));
        };
        for (; at + 16 <= places; at += 16) {
            const auto* p = reinterpret_cast<const __m128i*>(window.data() + at);
            const __m128i last = _mm_loadu_si128(
                reinterpret_cast<const __m128i*>(window.data() + at + key_.size() - 1));
            for (auto fits = unsigned(_mm_movemask_epi8(
                     _mm_and_si128(in(end, _mm_loadu_si128(p)), in(end + 4, last))));
                 fits != 0; fits &= fits - 1) {
                if (matchesAt(window.data() + at + unsigned(__builtin_ctz(fits))))
                    return at + unsigned(__builtin_ctz(fits));
            }
        }
    }
#endif
    for (; at < places; ++at) {
        if (matchesAt(window.data() + at))
            return at;
    }
    return window.npos;
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

#include "search/scan/ByteKey.h"

#include <QChar>

#include <algorithm>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace pagescan {

namespace {

std::vector<std::uint8_t> bytesFoldingTo(const std::array<std::uint8_t, 256>& fold,
                                         std::uint8_t folded) {
    std::vector<std::uint8_t> bytes;
    for (int byte = 0; byte < 256; ++byte) {
        if (fold[byte] == folded)
            bytes.push_back(std::uint8_t(byte));
    }
    return bytes;
}

#ifdef __SSE2__
// Marks the bytes of a 16-byte block that are in a set of at most MaxBytes bytes.
class ByteSetTest {
public:
    static constexpr std::size_t MaxBytes = 4;

    explicit ByteSetTest(const std::vector<std::uint8_t>& bytes) {
        // A short set repeats its last byte, which changes nothing.
        for (std::size_t i = 0; i < MaxBytes; ++i)
            bytes_[i] = _mm_set1_epi8(char(bytes[std::min(i, bytes.size() - 1)]));
    }

    __m128i operator()(__m128i block) const {
        return _mm_or_si128(
            _mm_or_si128(_mm_cmpeq_epi8(block, bytes_[0]), _mm_cmpeq_epi8(block, bytes_[1])),
            _mm_or_si128(_mm_cmpeq_epi8(block, bytes_[2]), _mm_cmpeq_epi8(block, bytes_[3])));
    }

private:
    __m128i bytes_[MaxBytes];
};
#endif

} // namespace

std::optional<ByteKey> ByteKey::fold(const QString& key, const SingleByteCharset& charset) {
    if (key.isEmpty())
        return std::nullopt;
    std::array<char16_t, 256> upper{};
    for (int byte = 0; byte < 256; ++byte)
        upper[byte] = QChar(charset.character(std::uint8_t(byte))).toUpper().unicode();

    ByteKey folded;
    for (int byte = 0; byte < 256; ++byte) {
        int first = 0;
        while (upper[first] != upper[byte])
            ++first;
        folded.fold_[byte] = std::uint8_t(first);
    }
    for (const QChar character : key) {
        const char16_t wanted = character.toUpper().unicode();
        int byte = 0;
        while (byte < 256 && upper[byte] != wanted)
            ++byte;
        if (byte == 256)
            return std::nullopt;
        folded.key_.push_back(std::uint8_t(byte)); // the smallest such byte: already folded
    }
    folded.firstBytes_ = bytesFoldingTo(folded.fold_, folded.key_.front());
    folded.lastBytes_ = bytesFoldingTo(folded.fold_, folded.key_.back());
    return folded;
}

std::size_t ByteKey::find(const Unit* window, std::size_t from, std::size_t size) const {
    const std::size_t length = key_.size();
    if (size < length)
        return NotFound;
    const std::size_t candidates = size - length + 1;
    std::size_t at = from;
#ifdef __SSE2__
    // Sixteen positions at a time: those whose first and last byte fit the key are checked.
    // Larger sets (such as every undefined byte of a charset, all U+FFFD) take the slow way.
    if (firstBytes_.size() <= ByteSetTest::MaxBytes && lastBytes_.size() <= ByteSetTest::MaxBytes) {
        const ByteSetTest isFirst(firstBytes_);
        const ByteSetTest isLast(lastBytes_);
        for (; at + 16 <= candidates; at += 16) {
            const __m128i firsts = _mm_loadu_si128(reinterpret_cast<const __m128i*>(window + at));
            const __m128i lasts =
                _mm_loadu_si128(reinterpret_cast<const __m128i*>(window + at + length - 1));
            unsigned mask =
                unsigned(_mm_movemask_epi8(_mm_and_si128(isFirst(firsts), isLast(lasts))));
            while (mask != 0) {
                const std::size_t candidate = at + unsigned(__builtin_ctz(mask));
                if (matchesAt(window + candidate))
                    return candidate;
                mask &= mask - 1;
            }
        }
    }
#endif
    for (; at < candidates; ++at) {
        if (matchesAt(window + at))
            return at;
    }
    return NotFound;
}

} // namespace pagescan

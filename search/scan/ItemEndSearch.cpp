#include "search/scan/ItemEndSearch.h"

#include <cstring>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace pagescan {

const std::uint8_t* findItemEnd(const std::uint8_t* p, const std::uint8_t* end) {
#ifdef __SSE2__
    static_assert(std::size(ItemDelimiters) == 3);
    const __m128i first = _mm_set1_epi8(ItemDelimiters[0]);
    const __m128i second = _mm_set1_epi8(ItemDelimiters[1]);
    const __m128i third = _mm_set1_epi8(ItemDelimiters[2]);
    for (; end - p >= 16; p += 16) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        const __m128i hits =
            _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(block, first), _mm_cmpeq_epi8(block, second)),
                         _mm_cmpeq_epi8(block, third));
        const int mask = _mm_movemask_epi8(hits);
        if (mask != 0)
            return p + __builtin_ctz(unsigned(mask));
    }
#endif
    return std::find_if(p, end, isItemDelimiter<std::uint8_t>);
}

const std::uint8_t* findQuote(const std::uint8_t* p, const std::uint8_t* end) {
    const void* quote = std::memchr(p, Quote, size_t(end - p));
    return quote ? static_cast<const std::uint8_t*>(quote) : end;
}

} // namespace pagescan

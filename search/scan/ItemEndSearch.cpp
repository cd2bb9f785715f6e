#include "search/scan/ItemEndSearch.h"

#include <cstring>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace pagescan {

const std::uint8_t* findItemEnd(const std::uint8_t* p, const std::uint8_t* end) {
#ifdef __SSE2__
    const __m128i comma = _mm_set1_epi8(',');
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i lf = _mm_set1_epi8('\n');
    for (; end - p >= 16; p += 16) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        const __m128i hits =
            _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(block, comma), _mm_cmpeq_epi8(block, cr)),
                         _mm_cmpeq_epi8(block, lf));
        const int mask = _mm_movemask_epi8(hits);
        if (mask != 0)
            return p + __builtin_ctz(unsigned(mask));
    }
#endif
    while (p < end && *p != ',' && *p != '\r' && *p != '\n')
        ++p;
    return p;
}

const std::uint8_t* findQuote(const std::uint8_t* p, const std::uint8_t* end) {
    const void* quote = std::memchr(p, '"', size_t(end - p));
    return quote ? static_cast<const std::uint8_t*>(quote) : end;
}

} // namespace pagescan

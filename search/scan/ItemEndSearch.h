#pragma once

#include <algorithm>
#include <cstdint>

namespace pagescan {

// Jumps over the inside of a text item to the next unit that can end it, so the item reader
// does not have to look at every unit of a page.

// The next comma, CR or LF in [p, end), or end.
template <typename Unit> const Unit* findItemEnd(const Unit* p, const Unit* end) {
    return std::find_if(p, end, [](Unit u) { return u == ',' || u == '\r' || u == '\n'; });
}

// The next double quote in [p, end), or end.
template <typename Unit> const Unit* findQuote(const Unit* p, const Unit* end) {
    return std::find(p, end, Unit('"'));
}

// Byte versions, vectorised.
const std::uint8_t* findItemEnd(const std::uint8_t* p, const std::uint8_t* end);
const std::uint8_t* findQuote(const std::uint8_t* p, const std::uint8_t* end);

} // namespace pagescan

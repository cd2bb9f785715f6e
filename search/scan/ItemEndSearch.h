#pragma once

#include <algorithm>
#include <cstdint>
#include <iterator>

namespace pagescan {

// The units that shape a page's text items (see TextItemReader), named here once for the item
// reader, the searches below and the single-byte charset check.
constexpr char Blank = ' ';
constexpr char Quote = '"';
constexpr char ItemDelimiters[] = {',', '\r', '\n'}; // each ends an unquoted item

template <typename Unit> constexpr bool isItemDelimiter(Unit u) {
    return std::find(std::begin(ItemDelimiters), std::end(ItemDelimiters), u) !=
           std::end(ItemDelimiters);
}

// Jumps over the inside of a text item to the next unit that can end it, so the item reader
// does not have to look at every unit of a page.

// The next item delimiter in [p, end), or end.
template <typename Unit> const Unit* findItemEnd(const Unit* p, const Unit* end) {
    return std::find_if(p, end, isItemDelimiter<Unit>);
}

// The next double quote in [p, end), or end.
template <typename Unit> const Unit* findQuote(const Unit* p, const Unit* end) {
    return std::find(p, end, Unit(Quote));
}

// Byte versions, vectorised.
const std::uint8_t* findItemEnd(const std::uint8_t* p, const std::uint8_t* end);
const std::uint8_t* findQuote(const std::uint8_t* p, const std::uint8_t* end);

} // namespace pagescan

#include "search/scan/Utf16Key.h"

#include <QChar>

#include <array>

namespace pagescan {

namespace {

// QChar::toUpper of every UTF-16 unit, looked up far faster than computed.
const std::array<char16_t, 65536>& upperCaseTable() {
    static const std::array<char16_t, 65536> table = [] {
        std::array<char16_t, 65536> upper{};
        for (std::size_t unit = 0; unit < upper.size(); ++unit)
            upper[unit] = QChar(char16_t(unit)).toUpper().unicode();
        return upper;
    }();
    return table;
}

} // namespace

Utf16Key::Utf16Key(const QString& key) : upper_(upperCaseTable().data()) {
    for (const QChar character : key)
        key_.push_back(upper_[character.unicode()]);
}

std::size_t Utf16Key::find(const Unit* window, std::size_t from, std::size_t size) const {
    const std::size_t length = key_.size();
    if (size < length)
        return NotFound;
    const char16_t first = key_.front();
    const char16_t last = key_.back();
    for (std::size_t at = from; at + length <= size; ++at) {
        if (upper_[window[at]] != first || upper_[window[at + length - 1]] != last)
            continue;
        std::size_t i = 1;
        while (i < length && upper_[window[at + i]] == key_[i])
            ++i;
        if (i >= length)
            return at;
    }
    return NotFound;
}

} // namespace pagescan

#pragma once

#include "search/scan/TextItemReader.h"

#include <algorithm>
#include <cstddef>

namespace pagescan {

// Finds a folded key inside the text items of one page, fed as a row of windows. Each window
// starts with the last carry() units of the one before, so an occurrence cut by a window's
// edge is still seen whole. Occurrences are looked for in the raw units first, which is fast;
// only where one turns up is the item reader brought there to check that it lies in one item.
template <typename Key> class KeyMatcher {
public:
    using Unit = typename Key::Unit;

    explicit KeyMatcher(const Key& key) : key_(key) {}

    // Whether window[0, size) holds an occurrence of the key inside one item. pageEnds tells
    // that no window follows.
    bool scan(const Unit* window, std::size_t size, bool pageEnds) {
        const Unit* readUpTo = window;
        for (std::size_t at = key_.find(window, 0, size); at != Key::NotFound;
             at = key_.find(window, at + 1, size)) {
            reader_.skip(readUpTo, window + at);
            readUpTo = window + at;
            if (reader_.wouldStayInOneItem(readUpTo, key_.size()))
                return true;
        }
        if (!pageEnds)
            reader_.skip(readUpTo, window + size - carry(size));
        return false;
    }

    // How many units at the end of a window of size units to put in front of the next one:
    // one short of the key, as an occurrence that fits here was already found.
    std::size_t carry(std::size_t size) const { return std::min(size, key_.size() - 1); }

private:
    const Key& key_;
    TextItemReader<Unit> reader_;
};

} // namespace pagescan

#pragma once

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <string_view>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace pagescan {

template <typename Unit> bool endsItem(Unit u) {
    return u == ',' || u == '\r' || u == '\n';
}

// The next comma or line end in [p, end), or end. Bytes are tried sixteen at a time, which pays
// where a key turns up only far into a page.
template <typename Unit> const Unit* findItemEnd(const Unit* p, const Unit* end) {
#ifdef __SSE2__
    for (; sizeof(Unit) == 1 && end - p >= 16; p += 16) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        const __m128i ends = _mm_or_si128(_mm_cmpeq_epi8(block, _mm_set1_epi8(',')),
                                          _mm_cmpeq_epi8(block, _mm_set1_epi8('\r')));
        if (const int mask =
                _mm_movemask_epi8(_mm_or_si128(ends, _mm_cmpeq_epi8(block, _mm_set1_epi8('\n'))));
            mask != 0)
            return p + __builtin_ctz(unsigned(mask));
    }
#endif
    return std::find_if(p, end, endsItem<Unit>);
}

// Reads a page as the text items a classic sequential "Input #" reader of comma-delimited text
// sees, one unit at a time, so its place carries across chunk edges:
// - Only the space is a blank. Blanks in front of an item are skipped; a tab starts the item.
// - A comma, CR or LF ends an unquoted item and belongs to none. (CR LF is one line end, but
//   the empty item between the two could never hold a key.)
// - An item is quoted when its first non-blank unit is a double quote; it runs to the next
//   one (or the page's end), across commas and line ends. There is no escape for a quote. What
//   follows the closing quote up to the next comma or line end is discarded.
template <typename Unit> class TextItemReader {
public:
    // Reads one unit; returns whether it belongs to the text of an item.
    bool read(Unit u) {
        switch (place_) {
        case Place::BeforeItem:
            if (u != ' ' && !endsItem(u))
                place_ = u == '"' ? Place::InQuotedItem : Place::InItem;
            return place_ == Place::InItem;
        case Place::InItem:
            place_ = endsItem(u) ? Place::BeforeItem : Place::InItem;
            return place_ == Place::InItem;
        case Place::InQuotedItem:
            place_ = u == '"' ? Place::AfterQuotedItem : Place::InQuotedItem;
            return place_ == Place::InQuotedItem;
        case Place::AfterQuotedItem:
            place_ = endsItem(u) ? Place::BeforeItem : Place::AfterQuotedItem;
            return false;
        }
        return false;
    }

    // Reads [p, end), jumping over the insides of items.
    void skip(const Unit* p, const Unit* end) {
        while (p < end) {
            if (place_ == Place::InQuotedItem)
                p = std::find(p, end, Unit('"'));
            else if (place_ != Place::BeforeItem)
                p = findItemEnd(p, end);
            if (p < end)
                read(*p++);
        }
    }

    // Whether the count units at p all belong to one item: a unit that starts an item can only
    // follow one that belongs to none.
    bool wouldStayInOneItem(const Unit* p, std::size_t count) const {
        TextItemReader ahead = *this;
        return std::all_of(p, p + count, [&ahead](Unit u) { return ahead.read(u); });
    }

private:
    enum class Place : unsigned char { BeforeItem, InItem, InQuotedItem, AfterQuotedItem };
    Place place_ = Place::BeforeItem;
};

// A folded key (not empty) in folded UTF-16 text, found as bytes by glibc's memmem, far faster
// than unit by unit; a match that starts inside a unit is passed over.
class TextKey {
public:
    explicit TextKey(std::u16string_view key) : key_(key) {}
    std::size_t size() const { return key_.size(); }
    // The first place from `from` on where window holds the key, or npos.
    std::size_t find(std::u16string_view window, std::size_t from) const {
        const char* bytes = reinterpret_cast<const char*>(window.data());
        for (std::size_t at = 2 * from; at < 2 * window.size(); ++at) {
            const void* match = memmem(bytes + at, 2 * window.size() - at, key_.data(), 2 * size());
            if (match == nullptr)
                break;
            if ((at = std::size_t(static_cast<const char*>(match) - bytes)) % 2 == 0)
                return at / 2;
        }
        return window.npos;
    }

private:
    std::u16string_view key_;
};

// Finds a key inside one text item of a page, fed as a row of windows: only where the key
// turns up is the item reader brought there to check that it lies in one item.
template <typename Unit, typename Key> class ItemKeySearch {
public:
    using Text = std::basic_string_view<Unit>;

    explicit ItemKeySearch(const Key& key) : key_(key) {}

    // Whether window holds the key inside one item. Unless the page ends there, the next
    // window must begin with the last carry(window.size()) units of this one.
    bool foundIn(Text window, bool pageEnds) {
        const Unit* read = window.data(); // where the item reader stands
        for (std::size_t at = key_.find(window, 0); at != Text::npos;
             at = key_.find(window, at + 1)) {
            reader_.skip(read, window.data() + at);
            read = window.data() + at;
            if (reader_.wouldStayInOneItem(read, key_.size()))
                return true;
        }
        if (!pageEnds)
            reader_.skip(read, window.end() - carry(window.size()));
        return false;
    }

    // One short of the key: an occurrence that fits in a window is found there.
    std::size_t carry(std::size_t windowSize) const {
        return std::min(windowSize, key_.size() - 1);
    }

private:
    const Key& key_;
    TextItemReader<Unit> reader_;
};

} // namespace pagescan

#pragma once

#include "search/scan/ItemEndSearch.h"

#include <cstddef>

namespace pagescan {

// Reads a page as the sequence of text items a classic sequential "Input #" reader of
// comma-delimited text sees, one code unit at a time, so its place carries across the edges
// of the chunks a page is read in. Its decisions where such a reader leaves a choice:
// - Only the space is a blank. Blanks in front of an item are skipped; a tab is not a blank
//   and starts the item.
// - A comma, CR, LF or CR LF ends an unquoted item and belongs to no item. An empty line is an
//   empty item; as an empty item can never hold a key, CR and LF are each simply an item end.
// - Blanks at the end of an unquoted item stay part of it.
// - An item is quoted only when its first non-blank character is a double quote; a double
//   quote further on in an unquoted item is an ordinary character.
// - A quoted item runs to the next double quote, across commas and line ends, which belong to
//   it. There is no escape for a quote: two quotes in a row close the item at the first.
// - Text between a closing quote and the next comma or line end is discarded.
// - A quote that never closes runs to the end of the page; the end of the page ends the last
//   item.
template <typename Unit> class TextItemReader {
public:
    // Reads one unit; returns whether it belongs to the text of an item.
    bool read(Unit u) {
        switch (place_) {
        case Place::BeforeItem:
            if (u == Blank || isItemDelimiter(u))
                return false;
            if (u == Quote) {
                place_ = Place::InQuotedItem;
                return false;
            }
            place_ = Place::InItem;
            return true;
        case Place::InItem:
            if (!isItemDelimiter(u))
                return true;
            place_ = Place::BeforeItem;
            return false;
        case Place::InQuotedItem:
            if (u != Quote)
                return true;
            place_ = Place::AfterQuotedItem;
            return false;
        case Place::AfterQuotedItem:
            if (isItemDelimiter(u))
                place_ = Place::BeforeItem;
            return false;
        }
        return false;
    }

    // Reads [p, end), jumping over the insides of items.
    void skip(const Unit* p, const Unit* end) {
        while (p < end) {
            if (place_ == Place::InItem || place_ == Place::AfterQuotedItem)
                p = findItemEnd(p, end);
            else if (place_ == Place::InQuotedItem)
                p = findQuote(p, end);
            if (p == end)
                return;
            read(*p++);
        }
    }

    // Whether the count units at p, read from here, all belong to the text of one item. A unit
    // that starts an item can only follow one that belongs to none, so "all belong" is enough.
    bool wouldStayInOneItem(const Unit* p, std::size_t count) const {
        TextItemReader ahead = *this;
        for (std::size_t i = 0; i < count; ++i) {
            if (!ahead.read(p[i]))
                return false;
        }
        return true;
    }

private:
    enum class Place : unsigned char { BeforeItem, InItem, InQuotedItem, AfterQuotedItem };

    Place place_ = Place::BeforeItem;
};

} // namespace pagescan

#pragma once

#include <QString>

#include <cstddef>
#include <string>

namespace pagescan {

// A key upper-cased once, unit by unit, for pages decoded to UTF-16.
class Utf16Key {
public:
    using Unit = char16_t;
    static constexpr std::size_t NotFound = std::size_t(-1);

    explicit Utf16Key(const QString& key);

    std::size_t size() const { return key_.size(); }

    // The first position in [from, size - this->size()] where window holds the key, or NotFound.
    std::size_t find(const Unit* window, std::size_t from, std::size_t size) const;

private:
    const char16_t* upper_; // every UTF-16 unit upper-cased
    std::u16string key_;
};

} // namespace pagescan

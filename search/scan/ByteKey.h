#pragma once

#include "search/scan/SingleByteCharset.h"

#include <QString>

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace pagescan {

// A key folded once into the bytes of a single-byte charset. Every byte folds to the smallest
// byte whose character upper-cases to the same character, so two bytes fold alike exactly when
// their characters are equal after upper-casing, and pages are compared without decoding.
class ByteKey {
public:
    using Unit = std::uint8_t;
    static constexpr std::size_t NotFound = std::size_t(-1);

    // Nothing when a key character upper-cases to a character that no byte upper-cases to: the
    // key can then never occur in a page of this charset. Nothing too for an empty key.
    static std::optional<ByteKey> fold(const QString& key, const SingleByteCharset& charset);

    std::size_t size() const { return key_.size(); }

    // The first position in [from, size - this->size()] where window holds the key, or NotFound.
    std::size_t find(const Unit* window, std::size_t from, std::size_t size) const;

private:
    bool matchesAt(const Unit* p) const {
        for (std::size_t i = 0; i < key_.size(); ++i) {
            if (fold_[p[i]] != key_[i])
                return false;
        }
        return true;
    }

    std::array<Unit, 256> fold_{};
    std::vector<Unit> key_;
    // The bytes that fold to the key's first and last byte, to find candidates quickly.
    std::vector<Unit> firstBytes_;
    std::vector<Unit> lastBytes_;
};

} // namespace pagescan

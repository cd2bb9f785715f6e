#pragma once

#include <QByteArray>

#include <array>
#include <cstdint>
#include <optional>

namespace pagescan {

// The character of every byte in a charset where each byte is one character on its own, as
// iconv decodes it. Such pages are scanned as bytes, without decoding.
class SingleByteCharset {
public:
    // Nothing when iconv does not know the charset, when some byte needs further bytes or
    // state to decode, or when commas, quotes, blanks or line ends are not the ASCII bytes:
    // those charsets are decoded to UTF-16 before the scan.
    static std::optional<SingleByteCharset> load(const QByteArray& name);

    // U+FFFD for a byte the charset leaves undefined.
    char16_t character(std::uint8_t byte) const { return characters_[byte]; }

private:
    std::array<char16_t, 256> characters_{};
};

} // namespace pagescan

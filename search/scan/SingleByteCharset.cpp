#include "search/scan/SingleByteCharset.h"

#include "search/scan/IconvToCodePoints.h"
#include "search/scan/ItemEndSearch.h"

#include <cerrno>

namespace pagescan {

namespace {

constexpr char16_t Replacement = u'\uFFFD';

// Decodes one byte alone; nothing when it does not make exactly one UTF-16 unit by itself.
std::optional<char16_t> decodeByte(IconvToCodePoints& iconv, std::uint8_t byte) {
    iconv.reset();
    char in[1] = {char(byte)};
    char* inPtr = in;
    size_t inLeft = 1;
    wchar_t out[4];
    char* outPtr = reinterpret_cast<char*>(out);
    size_t outLeft = sizeof out;
    if (::iconv(iconv.handle(), &inPtr, &inLeft, &outPtr, &outLeft) == size_t(-1))
        return errno == EILSEQ ? std::optional<char16_t>(Replacement) : std::nullopt;
    if (outLeft != sizeof out - sizeof(wchar_t) || char32_t(out[0]) > 0xFFFF)
        return std::nullopt; // held back for what follows, or not one unit
    return char16_t(out[0]);
}

// The scan finds items by these bytes, so they must mean what they mean in ASCII: a byte that
// is one of them, or that decodes to one of them, must decode to itself.
bool keepsAsciiStructure(const std::array<char16_t, 256>& characters) {
    const auto structural = [](char16_t c) {
        return c == Blank || c == Quote || isItemDelimiter(c);
    };
    for (int byte = 0; byte < 256; ++byte) {
        if ((structural(char16_t(byte)) || structural(characters[byte])) &&
            characters[byte] != byte)
            return false;
    }
    return true;
}

} // namespace

std::optional<SingleByteCharset> SingleByteCharset::load(const QByteArray& name) {
    IconvToCodePoints iconv(name);
    if (!iconv.isValid())
        return std::nullopt;
    SingleByteCharset charset;
    for (int byte = 0; byte < 256; ++byte) {
        const std::optional<char16_t> character = decodeByte(iconv, std::uint8_t(byte));
        if (!character)
            return std::nullopt;
        charset.characters_[byte] = *character;
    }
    if (!keepsAsciiStructure(charset.characters_))
        return std::nullopt;
    return charset;
}

} // namespace pagescan

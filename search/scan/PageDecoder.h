#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QStringView>

#include <array>
#include <cstdint>
#include <iconv.h>
#include <optional>
#include <string>
#include <vector>

namespace pagescan {

// Case does not count: text is compared upper-cased, unit by unit, as QChar::toUpper does.
std::u16string foldCase(QStringView text);

// Reads the pages of one charset (Windows-1251 when iconv does not know it) with their case
// folded: through iconv to UTF-16, or, where every byte is a character on its own and commas,
// quotes, blanks and line ends are ASCII's, byte by byte without decoding.
class PageDecoder {
public:
    explicit PageDecoder(const QByteArray& charset);
    ~PageDecoder();
    PageDecoder(const PageDecoder&) = delete;
    PageDecoder& operator=(const PageDecoder&) = delete;

    // Each byte folds to the smallest byte whose character upper-cases alike.
    bool foldsBytes() const { return foldsBytes_; }
    void foldBytes(char* bytes, std::size_t size) const;
    // The folded key in folded bytes; nothing when no byte makes one of its characters.
    std::optional<std::string> byteKey(std::u16string_view key) const;

    // Appends the text of the next chunk to out. A byte iconv rejects is U+FFFD; a character
    // cut by the chunk's edge waits for the next chunk, so the text does not depend on where
    // chunks end. pageEnds flushes what a stateful charset holds back; reset() starts anew.
    void decode(QByteArrayView chunk, bool pageEnds, std::u16string& out);
    void reset();

private:
    // Appends what iconv converts of *in, a buffer full at most; returns its error, or 0.
    int convert(const char** in, std::size_t* inLeft, std::u16string& out);
    void loadByteFold();

    // To code points in one step, so glibc reports a rejected byte where it stands (through
    // two steps, where decoding resumes would depend on where the call began).
    iconv_t iconv_;
    bool foldsBytes_ = false;
    std::array<char16_t, 256> byteText_{}; // each byte's folded character
    std::array<char, 256> byteFold_{};
    std::vector<std::uint16_t> pairFold_; // two bytes a lookup: twice as fast as one
    std::string unconverted_;
    std::array<wchar_t, 2048> codePoints_{};
};

} // namespace pagescan

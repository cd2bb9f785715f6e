#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QStringView>

#include <array>
#include <iconv.h>
#include <optional>
#include <string>
#include <string_view>

namespace pagescan {

// Case does not count: text is compared upper-cased, unit by unit, as QChar::toUpper does.
std::u16string foldCase(QStringView text);

// A folded key (not empty) in the bytes of a charset whose bytes fold one by one (see
// PageDecoder), found in a page's bytes as they are.
class ByteKey {
public:
    ByteKey(std::string key, const std::array<char, 256>& fold);
    std::size_t size() const { return key_.size(); }
    // The first place from `from` on where window holds the key, or npos.
    std::size_t find(std::string_view window, std::size_t from) const;

private:
    bool matchesAt(const char* p) const;

    std::string key_;
    std::array<char, 256> fold_;
    // The bytes that fold to the key's first and to its last byte, when four at most each.
    std::optional<std::array<char, 8>> ends_;
};

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
    // The folded key as such bytes; nothing when no byte makes one of its characters.
    std::optional<ByteKey> byteKey(std::u16string_view key) const;

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
    std::string unconverted_;
    std::array<wchar_t, 2048> codePoints_{};
};

} // namespace pagescan

#pragma once

#include "search/scan/IconvToCodePoints.h"

#include <QByteArray>
#include <QByteArrayView>

#include <array>
#include <string>

namespace pagescan {

// Decodes a page to UTF-16 chunk by chunk through iconv. Every byte iconv rejects becomes
// U+FFFD and decoding goes on; the bytes of a character cut by a chunk's edge wait for the next
// chunk, so the result does not depend on where chunks end.
class IconvDecoder {
public:
    explicit IconvDecoder(const QByteArray& charset);

    bool isValid() const { return iconv_.isValid(); }

    // Appends the text of the next chunk to out.
    void decode(QByteArrayView chunk, bool pageEnds, std::u16string& out);

private:
    // Converts what iconv takes of in, at most a buffer full, and appends it to out; returns
    // iconv's error, or 0. A null in flushes what a stateful charset holds back.
    int convert(const char*& in, std::size_t& inLeft, std::u16string& out);

    IconvToCodePoints iconv_;
    std::string unconverted_;
    std::array<wchar_t, 2048> codePoints_;
};

} // namespace pagescan

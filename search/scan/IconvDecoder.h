#pragma once

#include "search/scan/IconvToUtf16.h"

#include <QByteArray>
#include <QByteArrayView>

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
    // Converts as much of in as iconv takes into out from used on, within out's size;
    // returns iconv's error, or 0. A null in flushes what a stateful charset holds back.
    int convert(const char*& in, std::size_t& inLeft, std::u16string& out, std::size_t& used);

    IconvToUtf16 iconv_;
    std::string unconverted_;
};

} // namespace pagescan

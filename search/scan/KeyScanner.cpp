#include "search/scan/KeyScanner.h"

#include "search/scan/PageCharset.h"
#include "search/scan/PageDecoder.h"
#include "search/scan/TextItems.h"

namespace pagescan {

KeyScanner::KeyScanner(const QString& key, qint64 chunkBytes)
    : key_(foldCase(key)), chunkBytes_(qMax<qint64>(1, chunkBytes)) {}

bool KeyScanner::pageContainsKey(const catalogue::OpenedPage& page) {
    return page.status() == catalogue::PageStatus::Found &&
           pageContainsKey([&page](qint64 offset, char* buffer, qint64 size) {
               return page.readAt(offset, buffer, size);
           });
}

KeyScanner::~KeyScanner() = default;

PageDecoder& KeyScanner::decoderFor(const QByteArray& declaredCharset) {
    std::unique_ptr<PageDecoder>& decoder = decoders_[declaredCharset];
    if (!decoder)
        decoder = std::make_unique<PageDecoder>(declaredCharset);
    return *decoder;
}

// Both read the page from the end of its byte-order mark a chunk at a time, so memory stays
// bounded whatever its size, and fill the window behind what it carries: with folded UTF-16
// text, or with the bytes as they are.
bool KeyScanner::pageContainsKey(const PageReader& read) {
    if (key_.empty())
        return false;
    char head[CharsetDeclarationBytes];
    const qint64 headSize = read(0, head, sizeof head);
    if (headSize < 0)
        return false;
    const PageCharset charset = pageCharset(QByteArrayView(head, headSize));
    PageDecoder& decoder = decoderFor(charset.name);
    qint64 offset = charset.bomLength;
    if (!decoder.foldsBytes()) {
        decoder.reset();
        chunk_.resize(std::size_t(chunkBytes_));
        return scan<char16_t>(TextKey(key_), text_, [&](std::u16string& window) {
            const qint64 got = read(offset, chunk_.data(), chunkBytes_);
            if (got >= 0)
                decoder.decode(QByteArrayView(chunk_.data(), got), got < chunkBytes_, window);
            offset += got;
            return got;
        });
    }
    const std::optional<ByteKey> key = decoder.byteKey(key_);
    return key && scan<char>(*key, bytes_, [&](std::string& window) {
               const std::size_t used = window.size();
               window.resize(used + std::size_t(chunkBytes_));
               const qint64 got = read(offset, window.data() + used, chunkBytes_);
               window.resize(used + std::size_t(qMax<qint64>(0, got)));
               offset += got;
               return got;
           });
}

// fill appends the next chunk's text and returns the bytes it read, or -1.
template <typename Unit, typename Key, typename Fill>
bool KeyScanner::scan(const Key& key, std::basic_string<Unit>& window, Fill fill) {
    ItemKeySearch<Unit, Key> search(key);
    window.clear();
    for (;;) {
        const qint64 got = fill(window);
        if (got < 0)
            return false;
        if (search.foundIn(window, got < chunkBytes_))
            return true;
        if (got < chunkBytes_)
            return false;
        window.erase(0, window.size() - search.carry(window.size()));
    }
}

} // namespace pagescan

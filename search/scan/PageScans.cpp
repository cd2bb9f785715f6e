#include "search/scan/PageScans.h"

#include "search/scan/KeyMatcher.h"

#include <cstring>

namespace pagescan {

bool singleBytePageContains(const PageFile& page, qint64 offset, const ByteKey& key,
                            qint64 chunkBytes, std::vector<std::uint8_t>& window) {
    KeyMatcher<ByteKey> matcher(key);
    window.resize(key.size() - 1 + std::size_t(chunkBytes));
    std::size_t carried = 0;
    for (;;) {
        const qint64 got = page.readAt(offset, window.data() + carried, chunkBytes);
        if (got < 0)
            return false;
        offset += got;
        const bool pageEnds = got < chunkBytes;
        const std::size_t size = carried + std::size_t(got);
        if (matcher.scan(window.data(), size, pageEnds))
            return true;
        if (pageEnds)
            return false;
        carried = matcher.carry(size);
        std::memmove(window.data(), window.data() + size - carried, carried);
    }
}

bool decodedPageContains(const PageFile& page, qint64 offset, IconvDecoder& decoder,
                         const Utf16Key& key, qint64 chunkBytes, std::vector<char>& chunk,
                         std::u16string& window) {
    KeyMatcher<Utf16Key> matcher(key);
    chunk.resize(std::size_t(chunkBytes));
    window.clear();
    for (;;) {
        const qint64 got = page.readAt(offset, chunk.data(), chunkBytes);
        if (got < 0)
            return false;
        offset += got;
        const bool pageEnds = got < chunkBytes;
        decoder.decode(QByteArrayView(chunk.data(), got), pageEnds, window);
        if (matcher.scan(window.data(), window.size(), pageEnds))
            return true;
        if (pageEnds)
            return false;
        window.erase(0, window.size() - matcher.carry(window.size()));
    }
}

} // namespace pagescan

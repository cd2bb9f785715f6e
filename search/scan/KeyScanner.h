#pragma once

#include "catalogue/PageFiles.h"

#include <QString>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace pagescan {

class PageDecoder;

// Tells whether a page holds a key inside one of its text items, without regard to case.
// One scanner serves many pages: the key is folded once, and buffers are reused.
class KeyScanner {
public:
    static constexpr qint64 DefaultChunkBytes = 1 << 20;
    // Reads up to size bytes at offset, as catalogue::OpenedPage::readAt does.
    using PageReader = std::function<qint64(qint64 offset, char* buffer, qint64 size)>;

    // chunkBytes bounds how much of a page is held at a time.
    explicit KeyScanner(const QString& key, qint64 chunkBytes = DefaultChunkBytes);
    ~KeyScanner();

    // False for the empty key, before anything is read, and for a page that was not found or
    // cannot be read.
    bool pageContainsKey(const catalogue::OpenedPage& page);
    bool pageContainsKey(const PageReader& read);

private:
    PageDecoder& decoderFor(const QByteArray& declaredCharset);
    template <typename Unit, typename Key, typename Fill>
    bool scan(const Key& key, std::basic_string<Unit>& window, Fill fill);

    std::u16string key_;
    std::map<QByteArray, std::unique_ptr<PageDecoder>> decoders_;
    qint64 chunkBytes_;
    std::vector<char> chunk_;
    std::string bytes_;
    std::u16string text_;
};

} // namespace pagescan

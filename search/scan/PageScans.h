#pragma once

#include "search/scan/ByteKey.h"
#include "search/scan/IconvDecoder.h"
#include "search/scan/PageFile.h"
#include "search/scan/Utf16Key.h"

#include <cstdint>
#include <string>
#include <vector>

namespace pagescan {

// Read loops over one page from offset to its end, chunkBytes at a time, so memory stays
// bounded whatever the page's size. The buffers are the caller's, kept from page to page.

// A page in a single-byte charset, compared as bytes.
bool singleBytePageContains(const PageFile& page, qint64 offset, const ByteKey& key,
                            qint64 chunkBytes, std::vector<std::uint8_t>& window);

// A page decoded to UTF-16 first.
bool decodedPageContains(const PageFile& page, qint64 offset, IconvDecoder& decoder,
                         const Utf16Key& key, qint64 chunkBytes, std::vector<char>& chunk,
                         std::u16string& window);

} // namespace pagescan

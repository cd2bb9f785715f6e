#pragma once

#include "search/scan/ByteKey.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace pagescan {

// How the pages of one declared charset are scanned for one key.
struct CharsetPlan {
    enum class Method {
        SingleByte, // compared as bytes through byteKey
        Decode,     // decoded to UTF-16 through iconv
        Skip,       // the key cannot occur in such a page
    };
    Method method = Method::Skip;
    QByteArray charset; // the name iconv reads the pages with
    std::optional<ByteKey> byteKey;
};

// A page that declares no charset, or one iconv does not know, is read in Windows-1251. An
// empty key is in no page: its plan is Skip, made without folding it.
CharsetPlan planCharset(const QByteArray& declared, const QString& key);

} // namespace pagescan

#pragma once

#include <QByteArray>
#include <QByteArrayView>

namespace pagescan {

// Only this many bytes at the start of a page are searched for a charset declaration.
constexpr qsizetype CharsetDeclarationBytes = 1024;

struct PageCharset {
    QByteArray name;         // lower case; empty when the page declares none
    qsizetype bomLength = 0; // bytes of byte-order mark in front of the text
};

// The charset a page declares in its first bytes: a byte-order mark (UTF-8, or UTF-16 of
// either byte order, which the HTML view honours too), or else the first <meta charset=...>
// or <meta http-equiv="Content-Type" content="...; charset=..."> tag.
PageCharset pageCharset(QByteArrayView head);

} // namespace pagescan

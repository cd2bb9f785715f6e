#pragma once

#include <QByteArray>
#include <QString>

namespace pagescan {

// Text in a charset, converted at once through iconv, to make pages for tests and timings.
// Empty when iconv does not know the charset or a character of text does not exist in it.
QByteArray encodeText(const QString& text, const char* charset);

} // namespace pagescan

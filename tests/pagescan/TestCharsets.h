#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// Whole-buffer conversions through iconv, to build test pages and to read them back.

// Text in a charset; every character of text must exist in it.
QByteArray encodeText(const QString& text, const char* charset);

// Bytes decoded from a charset at once; every byte iconv rejects becomes U+FFFD.
QString decodeText(QByteArrayView bytes, const char* charset);

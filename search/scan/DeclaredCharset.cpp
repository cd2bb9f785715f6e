#include "search/scan/DeclaredCharset.h"

#include <QtGlobal>

namespace pagescan {

namespace {

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

bool isCharsetNameChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '_' || c == '.' || c == ':' || c == '+' || c == '(' || c == ')';
}

// The leading run of characters a charset name can hold: it drops a trailing "/" of an
// unquoted value and keeps iconv suffixes such as "//TRANSLIT" out of the name.
QByteArray charsetName(QByteArrayView value) {
    value = value.trimmed();
    qsizetype length = 0;
    while (length < value.size() && isCharsetNameChar(value[length]))
        ++length;
    return value.first(length).toByteArray().toLower();
}

struct Attribute {
    QByteArrayView name;
    QByteArrayView value;
};

// Reads the attribute at pos inside a tag; returns false at the end of the tag.
bool nextAttribute(QByteArrayView text, qsizetype& pos, Attribute& attribute) {
    while (pos < text.size() && (isSpace(text[pos]) || text[pos] == '/'))
        ++pos;
    if (pos >= text.size() || text[pos] == '>')
        return false;
    const qsizetype nameStart = pos;
    do {
        ++pos;
    } while (pos < text.size() && !isSpace(text[pos]) && text[pos] != '=' && text[pos] != '>' &&
             text[pos] != '/');
    attribute.name = text.sliced(nameStart, pos - nameStart);
    attribute.value = {};
    while (pos < text.size() && isSpace(text[pos]))
        ++pos;
    if (pos >= text.size() || text[pos] != '=')
        return true;
    ++pos;
    while (pos < text.size() && isSpace(text[pos]))
        ++pos;
    if (pos < text.size() && (text[pos] == '"' || text[pos] == '\'')) {
        const char quote = text[pos++];
        const qsizetype valueStart = pos;
        while (pos < text.size() && text[pos] != quote)
            ++pos;
        attribute.value = text.sliced(valueStart, pos - valueStart);
        if (pos < text.size())
            ++pos;
        return true;
    }
    const qsizetype valueStart = pos;
    while (pos < text.size() && !isSpace(text[pos]) && text[pos] != '>')
        ++pos;
    attribute.value = text.sliced(valueStart, pos - valueStart);
    return true;
}

// The charset named in a Content-Type value such as "text/html; charset=windows-1251".
QByteArray charsetFromContentType(QByteArrayView content) {
    const qsizetype at = content.toByteArray().toLower().indexOf("charset");
    if (at < 0)
        return {};
    QByteArrayView rest = content.sliced(at + 7).trimmed();
    if (!rest.startsWith('='))
        return {};
    rest = rest.sliced(1).trimmed();
    if (rest.startsWith('"') || rest.startsWith('\''))
        rest = rest.sliced(1);
    return charsetName(rest);
}

// The charset one <meta> tag declares; pos starts after "<meta" and ends after the tag.
QByteArray metaCharset(QByteArrayView text, qsizetype& pos) {
    QByteArray charset;
    bool contentTypePragma = false;
    QByteArrayView content;
    Attribute attribute;
    while (nextAttribute(text, pos, attribute)) {
        if (attribute.name.compare("charset", Qt::CaseInsensitive) == 0 && charset.isEmpty())
            charset = charsetName(attribute.value);
        else if (attribute.name.compare("http-equiv", Qt::CaseInsensitive) == 0)
            contentTypePragma =
                attribute.value.trimmed().compare("content-type", Qt::CaseInsensitive) == 0;
        else if (attribute.name.compare("content", Qt::CaseInsensitive) == 0)
            content = attribute.value;
    }
    if (charset.isEmpty() && contentTypePragma)
        charset = charsetFromContentType(content);
    return charset;
}

} // namespace

DeclaredCharset declaredCharset(QByteArrayView head) {
    head = head.first(qMin(head.size(), CharsetDeclarationBytes));
    if (head.startsWith("\xEF\xBB\xBF"))
        return {"utf-8", 3};
    const QByteArray lower = head.toByteArray().toLower();
    qsizetype pos = 0;
    while ((pos = lower.indexOf("<meta", pos)) >= 0) {
        pos += 5;
        if (pos < head.size() && !isSpace(head[pos]) && head[pos] != '/')
            continue; // another tag, such as <metadata>
        QByteArray charset = metaCharset(head, pos);
        if (!charset.isEmpty())
            return {charset, 0};
    }
    return {};
}

} // namespace pagescan

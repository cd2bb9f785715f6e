#include "search/scan/PageCharset.h"

#include <QRegularExpression>
#include <QString>

namespace pagescan {

namespace {

using Re = QRegularExpression;

// The blanks of HTML, in a regular expression.
const QString S = uR"([ \t\n\r\f])"_qs;

// One attribute inside a tag: a name, and maybe "=" and a value in double, single or no
// quotes. It does not match at the tag's end.
const Re Attribute(
    uR"re(%1*([^ \t\n\r\f/>][^ \t\n\r\f/>=]*)(?:%2*=%2*(?:"([^"]*)"?|'([^']*)'?|([^ \t\n\r\f>]*)))?)re"_qs
        .arg(u"[ \t\n\r\f/]"_qs, S));

// The leading run of characters a charset name can hold: it drops a trailing "/" of an
// unquoted value and keeps iconv suffixes such as "//TRANSLIT" out of the name.
const QString NameChars = uR"(([A-Za-z0-9._:+()-]*))"_qs;
const Re CharsetName(u"^"_qs + S + u"*"_qs + NameChars);
// The charset named in a Content-Type value such as "text/html; charset=windows-1251".
const Re ContentTypeCharset(uR"(charset%1*=%1*["']?%1*)"_qs.arg(S) + NameChars,
                            Re::CaseInsensitiveOption);

QByteArray charsetIn(const QString& value, const Re& name) {
    return name.match(value).captured(1).toLatin1().toLower();
}

// The charset one <meta> tag declares; pos starts after "<meta" and ends after the tag.
QByteArray metaCharset(const QString& head, qsizetype& pos) {
    QByteArray charset;
    bool contentTypePragma = false;
    QString content;
    for (QRegularExpressionMatch attribute;
         (attribute = Attribute.match(head, pos, Re::NormalMatch, Re::AnchorAtOffsetMatchOption))
             .hasMatch();
         pos = attribute.capturedEnd()) {
        const QString name = attribute.captured(1).toLower();
        const QString value = attribute.captured(2) + attribute.captured(3) + attribute.captured(4);
        if (name == u"charset" && charset.isEmpty())
            charset = charsetIn(value, CharsetName);
        else if (name == u"http-equiv")
            contentTypePragma = value.trimmed().compare(u"content-type", Qt::CaseInsensitive) == 0;
        else if (name == u"content")
            content = value;
    }
    if (charset.isEmpty() && contentTypePragma)
        charset = charsetIn(content, ContentTypeCharset);
    return charset;
}

} // namespace

PageCharset pageCharset(QByteArrayView head) {
    if (head.startsWith("\xEF\xBB\xBF"))
        return {"utf-8", 3};
    if (head.startsWith("\xFF\xFE"))
        return {"utf-16le", 2};
    if (head.startsWith("\xFE\xFF"))
        return {"utf-16be", 2};
    const QString text =
        QString::fromLatin1(head.first(qMin(head.size(), CharsetDeclarationBytes)));
    static const Re MetaTag(uR"(<meta(?=[ \t\n\r\f/]|\z))"_qs, Re::CaseInsensitiveOption);
    for (qsizetype pos = 0; (pos = text.indexOf(MetaTag, pos)) >= 0;) {
        pos += 5;
        if (QByteArray charset = metaCharset(text, pos); !charset.isEmpty())
            return {charset, 0};
    }
    return {};
}

} // namespace pagescan

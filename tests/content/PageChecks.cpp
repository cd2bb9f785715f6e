#include "tests/content/PageChecks.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringDecoder>

namespace {

constexpr int minimumWords = 600;
constexpr int minimumStartPageWords = 200;
constexpr int maximumWords = 1500;

// True when path, relative to folder, names an existing file with exactly
// that letter case in every part.
bool existsWithExactCase(const QString& folder, const QString& path) {
    QDir dir(folder);
    const QStringList parts = path.split(u'/');
    for (qsizetype i = 0; i < parts.size(); ++i) {
        const bool last = i == parts.size() - 1;
        const auto filter = last ? QDir::Files : QDir::Dirs | QDir::NoDotAndDotDot;
        if (!dir.entryList(filter).contains(parts[i]))
            return false;
        if (!last && !dir.cd(parts[i]))
            return false;
    }
    return true;
}

QStringList problemsOfLinks(const QString& folder, const QString& html) {
    QStringList problems;
    static const QRegularExpression attribute(
        QStringLiteral(R"re(\b(href|src)\s*=\s*"([^"]*)")re"));
    static const QRegularExpression scheme(QStringLiteral("^[a-zA-Z][a-zA-Z0-9+.-]*:"));
    static const QRegularExpression linkTag(QStringLiteral("<link\\b[^>]*>"));
    for (const auto& match : attribute.globalMatch(html)) {
        const QString kind = match.captured(1);
        const QString target = match.captured(2).section(u'#', 0, 0);
        if (scheme.match(target).hasMatch()) {
            if (kind == QLatin1String("src"))
                problems << QStringLiteral("outside resource %1").arg(target);
            continue;
        }
        if (!target.isEmpty() && !existsWithExactCase(folder, target))
            problems << QStringLiteral("broken link %1").arg(target);
    }
    for (const auto& match : linkTag.globalMatch(html))
        if (match.captured().contains(QStringLiteral("href=\"http")))
            problems << QStringLiteral("outside stylesheet");
    return problems;
}

} // namespace

int bodyWordCount(const QString& html) {
    static const QRegularExpression body(QStringLiteral("<body.*</body>"),
                                         QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression tag(QStringLiteral("<[^>]*>"));
    static const QRegularExpression letter(QStringLiteral("\\p{L}"));
    QString text = body.match(html).captured();
    text.replace(tag, QStringLiteral(" "));
    int words = 0;
    for (const QString& word :
         text.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts))
        words += word.contains(letter);
    return words;
}

QStringList pageProblems(const QString& folder, const QString& fileName, const QString& title) {
    QFile file(folder + u'/' + fileName);
    if (!file.open(QIODevice::ReadOnly))
        return {QStringLiteral("cannot be read")};
    const QByteArray bytes = file.readAll();
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString html = utf8(bytes);
    QStringList problems;
    if (utf8.hasError())
        problems << QStringLiteral("not valid UTF-8");
    if (!html.startsWith(QLatin1String("<!DOCTYPE html>")))
        problems << QStringLiteral("does not start with <!DOCTYPE html>");
    if (!html.contains(QLatin1String("<html lang=\"bg\">")))
        problems << QStringLiteral("not marked as Bulgarian");
    if (!html.contains(QLatin1String("<meta charset=\"utf-8\">"), Qt::CaseInsensitive))
        problems << QStringLiteral("does not declare its charset");
    static const QRegularExpression titleTag(QStringLiteral("<title>(.*?)</title>"),
                                             QRegularExpression::DotMatchesEverythingOption);
    const QString shownTitle = titleTag.match(html).captured(1);
    if (shownTitle != title)
        problems << QStringLiteral("title \"%1\" instead of \"%2\"").arg(shownTitle, title);
    if (html.contains(QLatin1String("<script"), Qt::CaseInsensitive))
        problems << QStringLiteral("has a script");
    if (html.contains(QLatin1String("&#")))
        problems << QStringLiteral("writes characters as references");
    if (!html.contains(QLatin1String("<figure")) || !html.contains(QLatin1String("<figcaption")))
        problems << QStringLiteral("has no figure with a caption");
    problems << problemsOfLinks(folder, html);
    const int words = bodyWordCount(html);
    const int minimum =
        fileName == QLatin1String("welcome.htm") ? minimumStartPageWords : minimumWords;
    if (words < minimum || words > maximumWords)
        problems
            << QStringLiteral("%1 words, not %2 to %3").arg(words).arg(minimum).arg(maximumWords);
    return problems;
}

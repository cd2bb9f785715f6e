#include "browser/NoticePages.h"

#include <QFileInfo>

namespace {

QByteArray notice(const QString& title, const QString& paragraphs) {
    return QStringLiteral(
               "<!DOCTYPE html><html lang=\"bg\"><head><meta charset=\"utf-8\">"
               "<title>%1</title><style>"
               "body{font-family:'DejaVu Sans',sans-serif;margin:0;background:#fbfdff;"
               "color:#1d2430}h1{margin:0;padding:18px 24px;background:#1f3b73;color:#fff;"
               "font-size:1.5em;border-bottom:4px solid #e0a526}"
               "p{margin:16px 24px;line-height:1.5}code{background:#eef3fb;padding:1px 4px}"
               "</style></head><body><h1>%1</h1>%2</body></html>")
        .arg(title, paragraphs)
        .toUtf8();
}

const QString wayBack =
    QStringLiteral("<p>Върнете се с бутона „Назад“ или отворете главната страница.</p>");

} // namespace

QByteArray missingPageHtml(const QString& path) {
    const QString name = QFileInfo(path).fileName().toHtmlEscaped();
    return notice(QStringLiteral("Страницата липсва"),
                  QStringLiteral("<p>Файлът <code>%1</code> не е намерен в папката Data на "
                                 "енциклопедията.</p>")
                          .arg(name) +
                      wayBack);
}

QByteArray unreadablePageHtml(const QString& path) {
    const QString name = QFileInfo(path).fileName().toHtmlEscaped();
    return notice(QStringLiteral("Страницата не може да бъде прочетена"),
                  QStringLiteral("<p>Файлът <code>%1</code> е в папката Data на "
                                 "енциклопедията, но не може да бъде прочетен като "
                                 "страница.</p>")
                          .arg(name) +
                      wayBack);
}

QByteArray outsidePageHtml() {
    return notice(QStringLiteral("Извън енциклопедията"),
                  QStringLiteral("<p>Този адрес води извън папката Data на енциклопедията. "
                                 "Програмата показва само нейните страници.</p>") +
                      wayBack);
}

QByteArray unreachableSiteHtml(const QUrl& address) {
    return notice(QStringLiteral("Сайтът не може да бъде достигнат"),
                  QStringLiteral("<p>Адресът <code>%1</code> не може да бъде зареден: няма връзка "
                                 "с мрежата или сайтът не отговаря.</p>")
                          .arg(address.toDisplayString().toHtmlEscaped()) +
                      wayBack);
}

QByteArray brokenPageHtml() {
    return notice(QStringLiteral("Страницата не може да бъде показана"),
                  QStringLiteral("<p>Показването на страницата прекъсна няколко пъти "
                                 "подред.</p>") +
                      wayBack);
}

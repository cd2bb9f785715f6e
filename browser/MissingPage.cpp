#include "MissingPage.h"

#include <QFileInfo>

QByteArray missingPageHtml(const QString& path) {
    const QString name = QFileInfo(path).fileName().toHtmlEscaped();
    const QString html =
        QStringLiteral(
            "<!DOCTYPE html><html lang=\"bg\"><head><meta charset=\"utf-8\">"
            "<title>Страницата липсва</title><style>"
            "body{font-family:'DejaVu Sans',sans-serif;margin:0;background:#fbfdff;color:#1d2430}"
            "h1{margin:0;padding:18px 24px;background:#1f3b73;color:#fff;font-size:1.5em;"
            "border-bottom:4px solid #e0a526}p{margin:16px 24px;line-height:1.5}"
            "code{background:#eef3fb;padding:1px 4px}</style></head><body>"
            "<h1>Страницата липсва</h1>"
            "<p>Файлът <code>%1</code> не е намерен в папката Data на енциклопедията.</p>"
            "<p>Върнете се с бутона „Назад“ или отворете главната страница.</p>"
            "</body></html>")
            .arg(name);
    return html.toUtf8();
}

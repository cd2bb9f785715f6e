#include "browser/ReadingText.h"

#include <QVariantMap>

#include <algorithm>

namespace {

// Bulgarian counts: "1 точка", "2 точки"; "1 ред", "2 реда".
QString count(qsizetype n, const char* one, const char* many) {
    return QStringLiteral("%1 %2").arg(n).arg(QString::fromUtf8(n == 1 ? one : many));
}

QStringList tableLines(const QVariantMap& table) {
    QList<QVariantList> rows;
    for (const QVariant& row : table.value(QStringLiteral("rows")).toList())
        if (!row.toList().isEmpty())
            rows << row.toList();
    if (rows.isEmpty())
        return {};
    const auto isHeader = [](const QVariant& cell) {
        return cell.toMap().value(QStringLiteral("h")).toBool();
    };
    const auto textOf = [](const QVariant& cell) {
        return cell.toMap().value(QStringLiteral("t")).toString();
    };
    // A first row of header cells names the columns; a row's first cell names
    // the row when it is a header cell or when the columns have names.
    QStringList columns;
    if (std::all_of(rows.first().cbegin(), rows.first().cend(), isHeader)) {
        for (const QVariant& cell : rows.takeFirst())
            columns << textOf(cell);
    }
    qsizetype width = columns.size();
    for (const QVariantList& row : rows)
        width = std::max(width, row.size());

    const QString caption = table.value(QStringLiteral("caption")).toString();
    QStringList lines{QStringLiteral("Таблица%1 с %2 и %3.")
                          .arg(caption.isEmpty() ? QString() : QStringLiteral(" „%1“").arg(caption),
                               count(rows.size(), "ред", "реда"),
                               count(width, "колона", "колони"))};
    for (const QVariantList& row : rows) {
        const bool named = isHeader(row.first()) || !columns.isEmpty();
        QStringList cells;
        for (qsizetype i = named ? 1 : 0; i < row.size(); ++i) {
            const QString column = i < columns.size() ? columns.at(i) : QString();
            cells << (column.isEmpty() ? textOf(row.at(i))
                                       : QStringLiteral("%1: %2").arg(column, textOf(row.at(i))));
        }
        const QString cellText = cells.join(QStringLiteral("; "));
        if (!named)
            lines << cellText;
        else if (isHeader(row.first()) && columns.isEmpty())
            lines << QStringLiteral("%1: %2").arg(textOf(row.first()), cellText);
        else
            lines << QStringLiteral("%1 – %2").arg(textOf(row.first()), cellText);
    }
    lines << QStringLiteral("Край на таблицата.");
    return lines;
}

} // namespace

ReadingText ReadingText::fromOutline(const QString& title, const QVariantList& blocks) {
    ReadingText reading;
    reading.title = title;
    int listItem = 0;
    const auto addLine = [&reading](const QString& line) {
        if (!reading.text.isEmpty())
            reading.text += QLatin1Char('\n');
        reading.text += line;
    };
    for (const QVariant& entry : blocks) {
        const QVariantMap block = entry.toMap();
        const QString kind = block.value(QStringLiteral("k")).toString();
        const QString text = block.value(QStringLiteral("t")).toString();
        const int lineStart = int(reading.text.size()) + (reading.text.isEmpty() ? 0 : 1);
        QString prefix;
        if (kind == QLatin1String("h")) {
            reading.headingStarts << lineStart;
            addLine(QStringLiteral("%1 – заглавие, ниво %2")
                        .arg(text)
                        .arg(block.value(QStringLiteral("l")).toInt()));
        } else if (kind == QLatin1String("list")) {
            listItem = 0;
            addLine(QStringLiteral("Списък с %1.")
                        .arg(count(block.value(QStringLiteral("n")).toInt(), "точка", "точки")));
        } else if (kind == QLatin1String("li")) {
            prefix = QStringLiteral("%1. ").arg(++listItem);
            addLine(prefix + text);
        } else if (kind == QLatin1String("table")) {
            for (const QString& line : tableLines(block))
                addLine(line);
        } else if (kind == QLatin1String("fig")) {
            addLine(QStringLiteral("Рисунка: %1").arg(text));
        } else if (!text.isEmpty()) {
            addLine(text);
        }
        // A link is found in its own block's line, after the links before it.
        int from = lineStart + int(prefix.size());
        for (const QVariant& linkEntry : block.value(QStringLiteral("a")).toList()) {
            const QVariantMap link = linkEntry.toMap();
            const QString name = link.value(QStringLiteral("t")).toString();
            const int at = name.isEmpty() ? -1 : int(reading.text.indexOf(name, from));
            if (at < 0)
                continue;
            reading.links << Link{at, at + int(name.size()), name,
                                  link.value(QStringLiteral("u")).toString(),
                                  link.value(QStringLiteral("i")).toInt()};
            from = at + int(name.size());
        }
    }
    return reading;
}

#pragma once

#include <QList>
#include <QString>
#include <QVariantList>

// A page as a screen reader reads it: one line for each heading, paragraph,
// list item, table row and figure, in reading order, with what the eye takes
// from the page's look told in words (a heading's level, a list's size, a
// cell's row and column headers, a picture's description).
struct ReadingText {
    struct Link {
        int start;
        int end;
        QString name;
        QString address;
        int index; // among the page's links, in document order
    };

    QString title;
    QString text;
    QList<int> headingStarts;
    QList<Link> links;

    // The blocks the page outline script gives; anything it cannot read is left out.
    static ReadingText fromOutline(const QString& title, const QVariantList& blocks);
};

#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// A direct, slow reading of how a page is matched, to check the fast scanner against: the
// whole page decoded at once, split into its text items, every position of every item compared.

// The text of a page, decoded in the charset it declares (Windows-1251 when none or unknown).
QString referenceText(const QByteArray& page);

// The text items of text, in order.
QStringList referenceItems(const QString& text);

// How many times key occurs inside the items.
int referenceOccurrences(const QStringList& items, const QString& key);

#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// A direct, slow reading of how a page is matched, to check the fast scanner against: the
// whole page decoded at once, split into its text items, each item searched whole.

// The text of a page, decoded in the charset it declares (Windows-1251 when none or unknown).
QString referenceText(const QByteArray& page);

// The text items of text, in order, each unit upper-cased, as case does not count.
QStringList referenceItems(const QString& text);

// Whether key occurs inside one of the items, without regard to case.
bool referenceContains(const QStringList& upperCasedItems, const QString& key);

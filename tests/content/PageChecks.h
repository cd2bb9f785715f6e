#pragma once

#include <QString>
#include <QStringList>

// What is wrong with one encyclopedia page in folder, as readable sentences;
// empty when nothing is.
QStringList pageProblems(const QString& folder, const QString& fileName, const QString& title);

// The words of a page's body text, markup removed.
int bodyWordCount(const QString& html);

#pragma once

#include <QObject>
#include <QString>
#include <memory>

// Loads the reader module (beside the executable, or in ../lib/telvane once
// installed) and opens its reader on dataFolder. On failure it says why on
// the standard error and returns null.
std::unique_ptr<QObject> openReaderModule(const QString& dataFolder);

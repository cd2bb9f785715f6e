#pragma once

#include "app/Reader.h"

#include <QString>

// Where the reader module is: beside the executable, or in ../lib/telvane/reader once
// installed; the first of them that exists, else the one beside the executable.
QString readerModulePath();

// Loads the reader module at modulePath, only once its file has proved whole,
// and opens its reader on dataFolder. The module stays loaded for the rest of
// the run: the reader's code is in it.
OpenedReader openReaderModule(const QString& modulePath, const QString& dataFolder);

#pragma once

#include <QString>

// Whether the file at path is a shared object that the dynamic loader can map
// whole: a regular file, an ELF shared object of this process's class, byte
// order and machine, no shorter than its program headers' segments and its
// section header table. The loader maps a file without reading it through, so
// a truncated one would be cut short by a bus error later, at first use.
// Returns why not, in words for the user, or an empty string.
QString moduleFileProblem(const QString& path);

#pragma once

#include <QString>
#include <QStringView>

namespace catalogue {

// The Data folder beside the executable, as in the build folder; where there
// is none, the installed one, ../share/telvane/Data from the executable's
// folder (see packaging/); where neither is, the one beside the executable.
QString dataFolder();

// The page file of a stem in folder: folder, "/", stem, ".htm", unchanged. The
// pages were written for a file system that ignores letter case, so where no
// file has exactly that name, a file whose name differs only in letter case is
// taken instead ("Chipset" reaches "chipset.htm").
QString pagePath(const QString& folder, QStringView stem);

// Whether path names an existing file or folder inside folder once both are
// resolved: dots, repeated separators and symbolic links all followed.
bool liesInside(const QString& folder, const QString& path);

} // namespace catalogue

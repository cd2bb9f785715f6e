#pragma once

#include <QString>
#include <QStringView>

namespace catalogue {

// The Data folder beside the executable.
QString dataFolder();

// The page file of a stem in folder: folder, "/", stem, ".htm", unchanged. The
// pages were written for a file system that ignores letter case, so where no
// file has exactly that name, a file whose name differs only in letter case is
// taken instead ("Chipset" reaches "chipset.htm").
QString pagePath(const QString& folder, QStringView stem);

} // namespace catalogue

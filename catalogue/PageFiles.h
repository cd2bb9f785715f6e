#pragma once

#include <QString>
#include <QStringView>
#include <QtGlobal>

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

// What a name inside the Data folder leads to.
enum class PageStatus {
    Found,      // a regular file inside the folder, open for reading
    Missing,    // no such file (or no folder)
    Unreadable, // there, but not a regular file or not readable
    Outside,    // the name, or a link on its way, leads out of the folder
};

// A file of the Data folder, checked after it was opened: what is read is what
// was checked, however the folder's links change meanwhile. Never blocks: a
// FIFO or device is refused, not waited on.
class OpenedPage {
public:
    OpenedPage(OpenedPage&& other) noexcept;
    OpenedPage& operator=(OpenedPage&&) = delete;
    OpenedPage(const OpenedPage&) = delete;
    OpenedPage& operator=(const OpenedPage&) = delete;
    ~OpenedPage();

    PageStatus status() const { return status_; }

    // Reads up to size bytes at offset; fewer only at the end of the file. Returns the count
    // read, or -1 when the file cannot be read.
    qint64 readAt(qint64 offset, void* buffer, qint64 size) const;

    // Hands the open descriptor over to the caller, who closes it; -1 unless Found.
    int takeDescriptor();

private:
    friend OpenedPage openPage(const QString& folder, QStringView relativePath);
    OpenedPage(PageStatus status, int fd) : status_(status), fd_(fd) {}

    PageStatus status_;
    int fd_;
};

// Opens relativePath ("AGP.htm", "images/bus.svg") inside folder. Dots and symbolic links
// are followed by the open itself; the opened file's real path decides whether it lies inside.
OpenedPage openPage(const QString& folder, QStringView relativePath);

} // namespace catalogue

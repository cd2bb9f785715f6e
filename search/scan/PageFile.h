#pragma once

#include <QString>
#include <QtGlobal>

namespace pagescan {

// A page opened for reading that can never block the scan: anything but a regular file (a
// directory, FIFO, socket or device that happens to be named like a page) is refused.
class PageFile {
public:
    explicit PageFile(const QString& path);
    ~PageFile();
    PageFile(const PageFile&) = delete;
    PageFile& operator=(const PageFile&) = delete;

    bool isOpen() const { return fd_ >= 0; }

    // Reads up to size bytes at offset; fewer only at the end of the file. Returns the count
    // read, or -1 when the file cannot be read.
    qint64 readAt(qint64 offset, void* buffer, qint64 size) const;

private:
    int fd_ = -1;
};

} // namespace pagescan

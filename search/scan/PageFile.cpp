#include "search/scan/PageFile.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace pagescan {

PageFile::PageFile(const QString& path) {
    // O_NONBLOCK makes opening a FIFO without a writer return at once; fstat then refuses it.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return;
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        return;
    }
    fd_ = fd;
}

PageFile::~PageFile() {
    if (fd_ >= 0)
        ::close(fd_);
}

qint64 PageFile::readAt(qint64 offset, void* buffer, qint64 size) const {
    auto* out = static_cast<char*>(buffer);
    qint64 done = 0;
    while (done < size) {
        const ssize_t got = ::pread(fd_, out + done, size_t(size - done), off_t(offset + done));
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return -1;
        }
        if (got == 0)
            break;
        done += got;
    }
    return done;
}

} // namespace pagescan

#include "catalogue/PageFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace catalogue {

QString dataFolder() {
    const QString programFolder = QCoreApplication::applicationDirPath();
    const QString beside = programFolder + QStringLiteral("/Data");
    const QString installed =
        QDir::cleanPath(programFolder + QStringLiteral("/../share/telvane/Data"));
    return QFileInfo(beside).isDir() || !QFileInfo(installed).isDir() ? beside : installed;
}

QString pagePath(const QString& folder, QStringView stem) {
    const QString fileName = stem.toString() + QStringLiteral(".htm");
    const QString exact = folder + u'/' + fileName;
    if (QFileInfo::exists(exact))
        return exact;
    const QStringList names = QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& name : names)
        if (name.compare(fileName, Qt::CaseInsensitive) == 0)
            return folder + u'/' + name;
    return exact;
}

namespace {

bool isWithin(const QString& root, const QString& path) {
    return path.startsWith(root.endsWith(u'/') ? root : root + u'/');
}

// The path the kernel holds for an open descriptor: links and dots already resolved.
QString realPathOf(int fd) {
    char buffer[PATH_MAX];
    const QByteArray link = "/proc/self/fd/" + QByteArray::number(fd);
    const ssize_t size = ::readlink(link.constData(), buffer, sizeof buffer);
    return size > 0 && size < ssize_t(sizeof buffer) ? QFile::decodeName(QByteArray(buffer, size))
                                                     : QString();
}

} // namespace

OpenedPage::OpenedPage(OpenedPage&& other) noexcept
    : status_(other.status_), fd_(other.takeDescriptor()) {}

OpenedPage::~OpenedPage() {
    if (fd_ >= 0)
        ::close(fd_);
}

int OpenedPage::takeDescriptor() {
    return std::exchange(fd_, -1);
}

qint64 OpenedPage::readAt(qint64 offset, void* buffer, qint64 size) const {
    if (fd_ < 0)
        return -1;
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

OpenedPage openPage(const QString& folder, QStringView relativePath) {
    const QString root = QFileInfo(folder).canonicalFilePath();
    if (root.isEmpty())
        return {PageStatus::Missing, -1};
    const QString named = QDir::cleanPath(root + u'/' + relativePath.toString());
    // O_NONBLOCK: a FIFO without a writer opens at once, and is refused below.
    const int fd = ::open(QFile::encodeName(named).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        if (!isWithin(root, named))
            return {PageStatus::Outside, -1};
        return {errno == ENOENT || errno == ENOTDIR ? PageStatus::Missing : PageStatus::Unreadable,
                -1};
    }
    OpenedPage page(PageStatus::Found, fd);
    struct stat status {};
    if (!isWithin(root, realPathOf(fd)))
        page.status_ = PageStatus::Outside;
    else if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode))
        page.status_ = PageStatus::Unreadable;
    if (page.status_ != PageStatus::Found)
        ::close(page.takeDescriptor());
    return page;
}

} // namespace catalogue

#include "app/ModuleFile.h"

#include <QFile>
#include <QFileInfo>
#include <cstring>
#include <elf.h>
#include <link.h>
#include <optional>

namespace {

using Header = ElfW(Ehdr);
using ProgramHeader = ElfW(Phdr);

// Whether [offset, offset + length) lies inside a file of that size, without overflow.
bool inside(quint64 offset, quint64 length, quint64 size) {
    return offset <= size && length <= size - offset;
}

std::optional<Header> readHeader(QFile& file) {
    Header header;
    if (file.read(reinterpret_cast<char*>(&header), sizeof header) != sizeof header)
        return std::nullopt;
    return header;
}

// The header of this process's own executable: the class, byte order and
// machine a module has to share.
const std::optional<Header>& ownHeader() {
    static const std::optional<Header> header = [] {
        QFile self(QStringLiteral("/proc/self/exe"));
        return self.open(QIODevice::ReadOnly) ? readHeader(self) : std::nullopt;
    }();
    return header;
}

bool sameKind(const Header& header, const Header& own) {
    return std::memcmp(header.e_ident, ELFMAG, SELFMAG) == 0 &&
           header.e_ident[EI_CLASS] == own.e_ident[EI_CLASS] &&
           header.e_ident[EI_DATA] == own.e_ident[EI_DATA] && header.e_machine == own.e_machine &&
           header.e_type == ET_DYN && header.e_phentsize == sizeof(ProgramHeader);
}

QString extentProblem(QFile& file, const Header& header) {
    const auto size = static_cast<quint64>(file.size());
    const quint64 sectionTable = quint64(header.e_shnum) * header.e_shentsize;
    if (header.e_shoff != 0 && !inside(header.e_shoff, sectionTable, size))
        return QStringLiteral("файлът е непълен");
    if (!inside(header.e_phoff, quint64(header.e_phnum) * sizeof(ProgramHeader), size))
        return QStringLiteral("файлът е непълен");
    if (!file.seek(static_cast<qint64>(header.e_phoff)))
        return QStringLiteral("файлът не може да бъде прочетен");
    for (int i = 0; i < header.e_phnum; ++i) {
        ProgramHeader segment;
        if (file.read(reinterpret_cast<char*>(&segment), sizeof segment) != sizeof segment)
            return QStringLiteral("файлът не може да бъде прочетен");
        if (!inside(segment.p_offset, segment.p_filesz, size))
            return QStringLiteral("файлът е непълен");
    }
    return {};
}

} // namespace

QString moduleFileProblem(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists())
        return QStringLiteral("файлът липсва");
    if (!info.isFile())
        return QStringLiteral("на мястото на файла има нещо друго");
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("файлът не може да бъде прочетен");
    const std::optional<Header> header = readHeader(file);
    if (!header || !ownHeader() || !sameKind(*header, *ownHeader()))
        return QStringLiteral("файлът не е библиотека за тази система");
    return extentProblem(file, *header);
}

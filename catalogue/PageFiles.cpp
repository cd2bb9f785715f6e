#include "catalogue/PageFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

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

bool liesInside(const QString& folder, const QString& path) {
    const QString root = QFileInfo(folder).canonicalFilePath();
    const QString target = QFileInfo(path).canonicalFilePath();
    if (root.isEmpty() || target.isEmpty())
        return false;
    return target.startsWith(root.endsWith(u'/') ? root : root + u'/');
}

} // namespace catalogue

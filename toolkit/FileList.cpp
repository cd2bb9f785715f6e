#include "toolkit/FileList.h"

#include <QCollator>
#include <QDir>
#include <algorithm>

namespace toolkit {

QStringList listFiles(const QString& folder, const QString& pattern) {
    // Without QDir::System, pipes, sockets and devices are not listed, and
    // without QDir::Hidden neither are hidden files.
    QStringList names =
        QDir(folder).entryList({pattern}, QDir::Files | QDir::NoDotAndDotDot, QDir::NoSort);
    std::stable_sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        const int folded = a.compare(b, Qt::CaseInsensitive);
        return folded != 0 ? folded < 0 : a < b;
    });
    return names;
}

FileList::FileList(QWidget* parent, const QString& pattern)
    : QListWidget(parent), TwipsGeometry(static_cast<QWidget&>(*this)), pattern_(pattern) {}

void FileList::setPath(const QString& folder) {
    clear();
    addItems(listFiles(folder, pattern_));
}

QString FileList::List(int index) const {
    const QListWidgetItem* entry = item(index);
    return entry ? entry->text() : QString();
}

} // namespace toolkit

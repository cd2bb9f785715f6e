#pragma once

#include "toolkit/TwipsGeometry.h"

#include <QListWidget>
#include <QStringList>

namespace toolkit {

// The names of the regular files in folder that match pattern (wildcards,
// letter case ignored), hidden files left out, ordered by name without
// regard to letter case. A folder that cannot be listed gives no names.
QStringList listFiles(const QString& folder, const QString& pattern);

// A file-listing control: set a folder and a pattern, read the count and
// each name by zero-based index. The listing is taken when the folder is set
// and is not refreshed afterwards.
class FileList : public QListWidget, public TwipsGeometry {
    Q_OBJECT
public:
    FileList(QWidget* parent, const QString& pattern);

    void setPath(const QString& folder);
    int ListCount() const { return count(); }
    QString List(int index) const;

private:
    QString pattern_;
};

} // namespace toolkit

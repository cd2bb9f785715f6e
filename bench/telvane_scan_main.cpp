// telvane-scan DIR KEY: prints the *.htm files of DIR that contain KEY, one per line, as
// "rg -l" does, to compare the scan with other tools. Exits 1 when none does, as rg.
#include "catalogue/PageFiles.h"
#include "search/scan/KeyScanner.h"

#include <QDir>
#include <QFile>

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: telvane-scan DIR KEY\n");
        return 2;
    }
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    pagescan::KeyScanner scanner(QString::fromLocal8Bit(argv[2]));
    bool any = false;
    for (const QString& name : dir.entryList({u"*.htm"_qs}, QDir::Files, QDir::Name)) {
        if (scanner.pageContainsKey(catalogue::openPage(dir.path(), name))) {
            std::puts(QFile::encodeName(dir.filePath(name)).constData());
            any = true;
        }
    }
    return any ? 0 : 1;
}

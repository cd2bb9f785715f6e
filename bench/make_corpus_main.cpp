// telvane-make-corpus DIR PAGES BYTES LASTLINE: writes generated Windows-1251 pages to time
// the scan on.
#include "bench/BulgarianCorpus.h"

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 5) {
        std::fprintf(stderr, "usage: telvane-make-corpus DIR PAGES BYTES LASTLINE\n");
        return 2;
    }
    const bool written = writeBulgarianCorpus(
        QString::fromLocal8Bit(argv[1]), QByteArray(argv[2]).toInt(),
        QByteArray(argv[3]).toLongLong(), QString::fromLocal8Bit(argv[4]), "windows-1251");
    if (!written)
        std::fprintf(stderr, "telvane-make-corpus: cannot write the pages\n");
    return written ? 0 : 1;
}

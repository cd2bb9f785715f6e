// libFuzzer target of the page scan, built by hand (see README.md). The input chooses a charset
// that iconv knows (or none), a chunk size, a key and the page; the scan must not fail, and its
// answer must not depend on the chunk size.
#include "search/scan/KeyScanner.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

QList<QByteArray> charsets;

bool scan(const QString& key, qint64 chunkBytes, const QByteArray& page) {
    return pagescan::KeyScanner(key, chunkBytes)
        .pageContainsKey([&page](qint64 offset, char* buffer, qint64 size) {
            const qint64 got = qBound<qint64>(0, page.size() - offset, size);
            std::memcpy(buffer, page.constData() + offset, std::size_t(got));
            return got;
        });
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    FILE* list = popen("iconv -l", "r");
    QByteArray names;
    char buffer[4096];
    for (std::size_t got; list && (got = std::fread(buffer, 1, sizeof buffer, list)) > 0;)
        names.append(buffer, qsizetype(got));
    if (list)
        pclose(list);
    for (QByteArray name : names.replace(',', '\n').split('\n')) {
        name = name.trimmed();
        if (name.endsWith("//"))
            name.chop(2);
        if (!name.isEmpty())
            charsets << name;
    }
    if (charsets.isEmpty())
        std::abort();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 6)
        return 0;
    const std::size_t charset = (data[0] | data[1] << 8) % (charsets.size() + 1);
    const qint64 chunkBytes = 1 + ((data[2] | data[3] << 8 | data[4] << 16) & 0xFFFFF);
    const std::size_t keyBytes = std::min<std::size_t>(data[5] % 16, size - 6);
    const QString key =
        QString::fromUtf8(reinterpret_cast<const char*>(data + 6), qsizetype(keyBytes));
    QByteArray page(reinterpret_cast<const char*>(data + 6 + keyBytes),
                    qsizetype(size - 6 - keyBytes));
    if (charset < std::size_t(charsets.size()))
        page.prepend("<meta charset=\"" + charsets[qsizetype(charset)] + "\">");
    // Chunks longer than one past the page read it alike; a smaller buffer makes runs fast.
    const qint64 whole = page.size() + 1;
    if (scan(key, std::min(chunkBytes, whole), page) != scan(key, whole, page))
        std::abort();
    return 0;
}

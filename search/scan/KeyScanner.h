#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace pagescan {

struct CharsetPlan;
class Utf16Key;

// Tells whether a page file holds a key inside one of its text items, without regard to case.
// One scanner serves many pages: the key is folded once per charset, and buffers are reused.
class KeyScanner {
public:
    static constexpr qint64 DefaultChunkBytes = 1 << 20;

    // chunkBytes bounds how much of a page is held at a time.
    explicit KeyScanner(const QString& key, qint64 chunkBytes = DefaultChunkBytes);
    ~KeyScanner();
    KeyScanner(const KeyScanner&) = delete;
    KeyScanner& operator=(const KeyScanner&) = delete;

    // False also for a page that cannot be opened or read, or is not a regular file, and for an
    // empty key, which is refused before any page is opened; never blocks and never throws.
    bool pageContainsKey(const QString& path);

private:
    const CharsetPlan& planFor(const QByteArray& declaredCharset);

    QString key_;
    qint64 chunkBytes_;
    std::unique_ptr<Utf16Key> utf16Key_;
    QHash<QByteArray, std::shared_ptr<const CharsetPlan>> plans_;
    std::vector<std::uint8_t> byteWindow_;
    std::vector<char> chunk_;
    std::u16string utf16Window_;
};

} // namespace pagescan

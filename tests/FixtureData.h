#pragma once

#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

// A Data folder of a test's own, in a temporary folder of its own, so that
// tests can run side by side; the program is given its path.
class FixtureData {
public:
    FixtureData() { QDir().mkpath(folder_); }

    const QString& folder() const { return folder_; }
    QString path(const QString& name) const { return folder_ + u'/' + name; }

    void write(const QString& name, const QByteArray& bytes) const {
        QFile file(path(name));
        if (file.open(QIODevice::WriteOnly))
            file.write(bytes);
    }

    // A small UTF-8 page whose title and body name it.
    void writePage(const QString& name, const QString& title, const QString& body = {}) const {
        write(name, QStringLiteral("<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>%1"
                                   "</title></head><body><p>%1</p>%2</body></html>")
                        .arg(title, body)
                        .toUtf8());
    }

private:
    QTemporaryDir root_;
    QString folder_ = root_.filePath(QStringLiteral("Data"));
};

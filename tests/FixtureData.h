#pragma once

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QString>

// A Data folder beside the test executable, where the program looks for its
// pages, made afresh for a test and removed with it.
class FixtureData {
public:
    FixtureData() : folder_(QCoreApplication::applicationDirPath() + QStringLiteral("/Data")) {
        QDir(folder_).removeRecursively();
        QDir().mkpath(folder_);
    }
    ~FixtureData() { QDir(folder_).removeRecursively(); }
    FixtureData(const FixtureData&) = delete;
    FixtureData& operator=(const FixtureData&) = delete;

    const QString& folder() const { return folder_; }
    QString path(const QString& name) const { return folder_ + u'/' + name; }

    void write(const QString& name, const QByteArray& bytes) const {
        QFile file(path(name));
        if (file.open(QIODevice::WriteOnly))
            file.write(bytes);
    }

    // A small UTF-8 page whose title and body name it.
    void writePage(const QString& name, const QString& title) const {
        write(name, QStringLiteral("<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>%1"
                                   "</title></head><body><p>%1</p></body></html>")
                        .arg(title)
                        .toUtf8());
    }

private:
    QString folder_;
};

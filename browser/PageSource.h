#pragma once

#include <QObject>
#include <QString>
#include <QUrl>

class QWebEnginePage;
class QWebEngineProfile;

// The web engine's one home: the off-the-record profile, the page scheme that
// serves only what lies inside the Data folder, the blocker of file addresses,
// the navigation policy and the notice pages. The views are handed it; it
// outlives their pages.
//
// Page addresses are relative to the Data folder ("orvanta:/AGP.htm"), so no
// address shows the machine's folders and every request is judged once, on the
// file that was opened.
class PageSource : public QObject {
    Q_OBJECT
public:
    explicit PageSource(QString dataFolder, QObject* parent = nullptr);
    ~PageSource() override;

    const QString& dataFolder() const { return dataFolder_; }

    // A page with this source's policy, for a view to show.
    QWebEnginePage* newPage(QObject* parent) const;

    // The address that shows target: a file path (inside Data or not) or a web address.
    QUrl addressOf(const QString& target) const;

private:
    QUrl addressOfFile(const QString& path) const;

    QString dataFolder_;
    QWebEngineProfile* profile_;
};

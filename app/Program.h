#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

#include "browser/PageSource.h"
#include "browser/frmMain.h"
#include "search/frmSearch.h"

// The program's windows: owns the one main window and the one search window,
// makes each on first use, wires their requests to one another, and tears
// them down in order inside the event loop when the program ends.
class Program : public QObject {
    Q_OBJECT
public:
    // dataFolder: the Data folder beside the executable, or a test's own.
    explicit Program(QString dataFolder);
    ~Program() override;
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // Makes the main window and opens its start page, without showing it, so
    // that the web engine is at work while the splash window waits.
    void warmUp();
    // Shows the main window, made now if it was not.
    void showMainWindow();

    // The one main window, made, loaded and wired on first use.
    frmMain& mainWindow();
    frmMain* existingMainWindow() const { return main_; }
    frmSearch* existingSearchWindow() const { return search_; }

    // Opens a topic's page in the main window, with every occurrence of the
    // search key that found it highlighted once it has loaded; a main window
    // made for it (it was closed while the search window stayed open) is
    // shown too, so that no hidden window keeps the program running.
    void ShowTopic(const QString& stem, const QString& key);

private:
    void openSearch();
    void openAbout();
    void exit();

    // Before the windows, so that it outlives their pages.
    PageSource pages_;
    QPointer<frmMain> main_;
    QPointer<frmSearch> search_;
};

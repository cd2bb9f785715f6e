#pragma once

#include <QWidget>

class QLineEdit;
class QListWidget;
class QPushButton;
namespace toolkit {
class FileList;
class Label;
class ProgressBar;
} // namespace toolkit

// The search window: a key, a button that scans every page of the Data
// folder for it, a progress bar, and the titles of the pages that hold it,
// which open in the main window on a double-click.
class frmSearch : public QWidget {
    Q_OBJECT
public:
    // The one search window, made and loaded on first use.
    static frmSearch* instance();
    static frmSearch* existing();

    QLineEdit* txtKey;
    QPushButton* Search;
    toolkit::ProgressBar* Progress;
    QListWidget* lstRezults;
    toolkit::Label* lblInfo;
    QPushButton* cmdExit;
    toolkit::FileList* Files;

public slots:
    void Search_Click();
    void lstRezults_DblClick();
    void cmdExit_Click();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    frmSearch();
    void Form_Load();
};

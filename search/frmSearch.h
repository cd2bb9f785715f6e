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
    // Loading it follows the main window's translucency as it is then.
    frmSearch(const QString& dataFolder, bool mainWindowTranslucent);

signals:
    // A double-clicked result: the stem of the page to open in the main window
    // and the key that found it.
    void topicRequested(const QString& stem, const QString& key);

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void Form_Load(bool mainWindowTranslucent);
    void Search_Click();
    void lstRezults_DblClick();

    QString dataFolder_;
    // The key the listed results were found with; the box may have changed since.
    QString searchedKey_;
    QLineEdit* txtKey;
    QPushButton* Search;
    toolkit::ProgressBar* Progress;
    QListWidget* lstRezults;
    toolkit::Label* lblInfo;
    QPushButton* cmdExit;
    toolkit::FileList* Files;
};

#pragma once

#include <QDialog>
#include <array>

class QPushButton;
namespace toolkit {
class Image;
class Label;
class Line;
} // namespace toolkit

// The About window: title, version, description, credits and disclaimer
// over the main window's tiled background. Its site button closes it and
// opens the author's web site in the main window.
class frmAbout : public QDialog {
    Q_OBJECT
public:
    frmAbout();

signals:
    // The site button: the address to open in the main window's HTML view.
    void siteRequested(const QString& address);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void cmdSite_Click();

    QPushButton* cmdOK;
    QPushButton* cmdSite;
    toolkit::Image* Image1;
    std::array<toolkit::Line*, 2> Line1{};
    toolkit::Label* lblDescription;
    toolkit::Label* lblTitle;
    toolkit::Label* lblVersion;
    toolkit::Label* lblDisclaimer;
};

#pragma once

#include <QWidget>

namespace toolkit {
class Frame;
class Image;
class Label;
} // namespace toolkit

// The start-up window: the product's title, version and author over a large
// picture. Any click on it or any key that types a character closes it for
// good and shows the main window.
class frmSplash : public QWidget {
    Q_OBJECT
public:
    frmSplash();

signals:
    // The splash is on screen, its picture drawn.
    void firstPainted();
    // The splash has closed for good; the main window is to be shown.
    void dismissed();

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void dismiss();

    toolkit::Frame* Frame1;
    toolkit::Image* imgLogo;
    toolkit::Label* Label1;
    toolkit::Label* Label2;
    toolkit::Label* Label3;
    bool painted_ = false;
};

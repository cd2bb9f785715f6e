#pragma once

#include "toolkit/Tiling.h"

#include <QSize>
#include <QWidget>
#include <array>

class HtmlView;
class PageSource;
namespace toolkit {
class Image;
class Line;
class Shape;
} // namespace toolkit

// The reading window: the HTML view, the bar of twelve image buttons with
// their pressed-look shapes and separator lines, the hidden background tile
// and the five category menus that pop up from their buttons. Every control
// has its design name as its object name. Loading it opens the start page.
class frmMain : public QWidget {
    Q_OBJECT
public:
    // The view shows what pages serves.
    explicit frmMain(const PageSource& pages);

    // Whether the window is translucent now (the flag Transp).
    bool translucent() const { return Transp; }
    HtmlView& view() const { return *RTFInfo; }
    // Opens the page of a topic stem in this window's view.
    void showTopic(const QString& stem);

signals:
    void searchRequested();
    void aboutRequested();
    void exitRequested();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void Form_Load();
    void Form_Resize();
    void layOutAgainIfFrameChanged();
    void GoBack_Click();
    void GoForw_Click();
    void Home_Click();
    void Transpe_Click();

    toolkit::Image* makeImageButton(const char* name);
    void makeShapes();
    void makeLines();
    void makeMenus();
    void stackControls();

    QString dataFolder_;
    bool Transp = false;
    // The outer size the last layout was made for; the frame that a window
    // manager adds after the first show changes it without a resize.
    QSize laidOutFor_;

    HtmlView* RTFInfo;
    toolkit::Image* GoBack;
    toolkit::Image* GoForw;
    toolkit::Image* Home;
    toolkit::Image* imgSearch;
    toolkit::Image* Transpe;
    toolkit::Image* cmdHistory;
    toolkit::Image* cmdHardware;
    toolkit::Image* cmdPeri;
    toolkit::Image* cmdInterf;
    toolkit::Image* cmdNet;
    toolkit::Image* cmdAbout;
    toolkit::Image* cmdExit;
    toolkit::Image* Image1;
    std::array<toolkit::Shape*, 12> Element{};
    std::array<toolkit::Shape*, 12> Tops{};
    std::array<toolkit::Line*, 14> Line1{};
};

#pragma once

#include "Tiling.h"

#include <QWidget>
#include <array>
#include <functional>

class HtmlView;
class QMenu;
namespace toolkit {
class Image;
class Line;
class Shape;
} // namespace toolkit

// The reading window: the HTML view, the bar of twelve image buttons with
// their pressed-look shapes and separator lines, the hidden background tile
// and the five category menus that pop up from their buttons.
class frmMain : public QWidget {
    Q_OBJECT
public:
    // The one main window, made and loaded on first use.
    static frmMain* instance();
    // The main window if it exists, without making it.
    static frmMain* existing();
    // Runs on every main window right after it has loaded; the application
    // uses it to wire the window's requests to the other windows.
    static void setLoadHook(std::function<void(frmMain&)> hook);
    // The background picture and step of the main window's Image1; the same
    // picture when no main window exists, which is not made for it.
    static toolkit::BackgroundTile backgroundTile();

    bool Transp = false;

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

signals:
    void searchRequested();
    void aboutRequested();

public slots:
    void GoBack_Click();
    void GoForw_Click();
    void Home_Click();
    void imgSearch_Click();
    void Transpe_Click();
    void cmdAbout_Click();
    void cmdExit_Click();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    frmMain();
    void Form_Load();
    void Form_Resize();

    toolkit::Image* makeImageButton(int design);
    void makeShapes();
    void makeLines();
    void makeMenus();
    void stackControls();
};

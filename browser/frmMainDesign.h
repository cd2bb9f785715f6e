#pragma once

// The main window's stored design, in twips.
namespace frmMainDesign {

inline constexpr float clientWidth = 10920;
inline constexpr float clientHeight = 7770;

inline constexpr float viewLeft = 120;
inline constexpr float viewTop = 840;
inline constexpr float viewWidth = 10650;
inline constexpr float viewHeight = 6735;

inline constexpr float buttonTop = 120;
inline constexpr float buttonSize = 480;

inline constexpr float shapeOffset = 120; // a shape starts this far left of its button
inline constexpr float shapeWidth = 735;
inline constexpr float shapeHeight = 495;

inline constexpr float lineTop = 120;
inline constexpr float lineBottom = 600;

// The layout that follows the window's outer size W × H runs only above these.
inline constexpr float layoutMinWidth = 9000;
inline constexpr float layoutMinHeight = 7000;
// What the layout keeps between the outer edges and the controls it moves.
inline constexpr float viewWidthMargin = 345;
inline constexpr float viewHeightMargin = 1380;
inline constexpr float exitFromRight = 915;
inline constexpr float aboutFromRight = 1635;
inline constexpr float separatorFromRight = 1035;

inline constexpr float tileLeft = 7800;
inline constexpr float tileTop = 5280;

struct ImageButton {
    const char* name;
    float left;
    const char* picture;
    const char* toolTip;
    int pair; // which Element/Tops pair shows its pressed look
};

inline constexpr ImageButton imageButtons[] = {
    {"GoBack", 240, "GoBack.gif", "Върни се една страница назад", 0},
    {"GoForw", 960, "GoForw.gif", "Отиди една страница напред", 1},
    {"Home", 1920, "Home.gif", "Главна страница", 2},
    {"imgSearch", 2640, "imgSearch.gif", "Търсене", 3},
    {"Transpe", 3360, "Transpe.gif", "Прозрачност", 4},
    {"cmdHistory", 4680, "cmdHistory.gif", "История", 5},
    {"cmdHardware", 5400, "cmdHardware.gif", "Хардуер", 6},
    {"cmdPeri", 6120, "cmdPeri.gif", "Периферни устройства", 7},
    {"cmdInterf", 6840, "cmdInterf.gif", "Интерфейси", 8},
    {"cmdNet", 7560, "cmdNet.ico", "Мрежи", 11},
    {"cmdAbout", 9480, "cmdAbout.gif", "Относно", 9},
    {"cmdExit", 10200, "cmdExit.gif", "Изход", 10},
};

enum class LineShade { Light, Dark, Black };

struct SeparatorLine {
    int index;
    float x;
    LineShade shade;
    bool visible;
};

inline constexpr SeparatorLine separatorLines[] = {
    {0, 2520, LineShade::Light, false}, {6, 2520, LineShade::Dark, true},
    {1, 3240, LineShade::Light, true},  {7, 3240, LineShade::Dark, true},
    {2, 5280, LineShade::Light, true},  {8, 5280, LineShade::Dark, true},
    {3, 6000, LineShade::Light, true},  {9, 6000, LineShade::Dark, true},
    {4, 6720, LineShade::Light, true},  {10, 6720, LineShade::Dark, true},
    {12, 7440, LineShade::Light, true}, {13, 7440, LineShade::Black, true},
    {5, 10080, LineShade::Light, true}, {11, 10080, LineShade::Dark, true},
};

} // namespace frmMainDesign

#include "frmMain.h"

#include "Catalogue.h"
#include "FormSettings.h"
#include "HtmlView.h"
#include "Image.h"
#include "Line.h"
#include "Misc.h"
#include "Pictures.h"
#include "Shape.h"
#include "StackingOrder.h"
#include "Twips.h"
#include "frmMainDesign.h"
#include "mdlSubs.h"

#include <QCoreApplication>
#include <QCursor>
#include <QMenu>
#include <QPointer>

using namespace frmMainDesign;
using toolkit::Image;

namespace {

QPointer<frmMain> current;
std::function<void(frmMain&)> loadHook;

QString picturePath(const char* file) {
    return QStringLiteral(":/pictures/") + QLatin1String(file);
}

const QString tilePicture = QStringLiteral(":/pictures/tile.bmp");

void addEntries(QMenu* menu, std::span<const catalogue::MenuEntry> entries) {
    using Kind = catalogue::MenuEntry::Kind;
    for (const catalogue::MenuEntry& entry : entries) {
        if (entry.kind == Kind::Separator) {
            // The designs caption a separator "-"; Qt draws a separator's text, so it gets none.
            menu->addSeparator()->setObjectName(entry.name.toString());
        } else if (entry.kind == Kind::Submenu) {
            QMenu* submenu = menu->addMenu(entry.caption.toString());
            submenu->setObjectName(entry.name.toString());
            addEntries(submenu, entry.children);
        } else {
            QAction* item = menu->addAction(entry.caption.toString());
            item->setObjectName(entry.name.toString());
            const QString stem = entry.topic.itemStem.toString();
            QObject::connect(item, &QAction::triggered, item, [stem] { mdlSubs::ShowTopic(stem); });
        }
    }
}

} // namespace

frmMain* frmMain::instance() {
    if (!current) {
        current = new frmMain;
        current->Form_Load();
        if (loadHook)
            loadHook(*current);
    }
    return current;
}

frmMain* frmMain::existing() {
    return current;
}

void frmMain::setLoadHook(std::function<void(frmMain&)> hook) {
    loadHook = std::move(hook);
}

toolkit::BackgroundTile frmMain::backgroundTile() {
    if (current)
        return {current->Image1->Picture(), current->Image1->Width(), current->Image1->Height()};
    return {toolkit::loadPicture(tilePicture), tileWidth, tileHeight};
}

frmMain::frmMain() {
    setObjectName(QStringLiteral("frmMain"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Orvanta 1.3"));
    setWindowIcon(QIcon(picturePath("orvanta.ico")));
    setAutoFillBackground(false);
    toolkit::setBackColor(*this, Qt::white);

    RTFInfo = new HtmlView(this);
    RTFInfo->setObjectName(QStringLiteral("RTFInfo"));
    RTFInfo->place(viewLeft, viewTop, viewWidth, viewHeight);

    GoBack = makeImageButton(0);
    GoForw = makeImageButton(1);
    Home = makeImageButton(2);
    imgSearch = makeImageButton(3);
    Transpe = makeImageButton(4);
    cmdHistory = makeImageButton(5);
    cmdHardware = makeImageButton(6);
    cmdPeri = makeImageButton(7);
    cmdInterf = makeImageButton(8);
    cmdNet = makeImageButton(9);
    cmdAbout = makeImageButton(10);
    cmdExit = makeImageButton(11);

    Image1 = new Image(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPicture(toolkit::loadPicture(tilePicture));
    Image1->place(tileLeft, tileTop, tileWidth, tileHeight);
    Image1->hide();

    makeShapes();
    makeLines();
    makeMenus();
    stackControls();

    connect(GoBack, &Image::clicked, this, &frmMain::GoBack_Click);
    connect(GoForw, &Image::clicked, this, &frmMain::GoForw_Click);
    connect(Home, &Image::clicked, this, &frmMain::Home_Click);
    connect(imgSearch, &Image::clicked, this, &frmMain::imgSearch_Click);
    connect(Transpe, &Image::clicked, this, &frmMain::Transpe_Click);
    connect(cmdAbout, &Image::clicked, this, &frmMain::cmdAbout_Click);
    connect(cmdExit, &Image::clicked, this, &frmMain::cmdExit_Click);

    resize(twips::toPixels(clientWidth), twips::toPixels(clientHeight));
    toolkit::centreOnScreen(*this);
}

Image* frmMain::makeImageButton(int design) {
    const ImageButton& button = imageButtons[design];
    auto* image = new Image(this);
    image->setObjectName(QLatin1String(button.name));
    image->place(button.left, buttonTop, buttonSize, buttonSize);
    image->setPicture(toolkit::loadPicture(picturePath(button.picture), QSize(32, 32)));
    image->setToolTip(QString::fromUtf8(button.toolTip));
    const int pair = button.pair;
    connect(image, &Image::mouseDown, this, [this, pair] {
        Element[pair]->show();
        Tops[pair]->show();
    });
    connect(image, &Image::mouseUp, this, [this, pair] {
        Element[pair]->hide();
        Tops[pair]->hide();
    });
    return image;
}

void frmMain::makeShapes() {
    for (const ImageButton& button : imageButtons) {
        const int pair = button.pair;
        Element[pair] = new toolkit::Shape(this, QColor(192, 192, 255), 3, Qt::SolidLine);
        Tops[pair] = new toolkit::Shape(this, Qt::black, 1, Qt::DotLine);
        Element[pair]->setObjectName(QStringLiteral("Element(%1)").arg(pair));
        Tops[pair]->setObjectName(QStringLiteral("Tops(%1)").arg(pair));
        for (toolkit::Shape* shape : {Element[pair], Tops[pair]}) {
            shape->place(button.left - shapeOffset, buttonTop, shapeWidth, shapeHeight);
            shape->hide();
        }
    }
}

void frmMain::makeLines() {
    for (const SeparatorLine& design : separatorLines) {
        const QColor color = design.shade == LineShade::Light ? QColor(224, 224, 224)
                             : design.shade == LineShade::Black
                                 ? QColor(Qt::black)
                                 : palette().color(QPalette::WindowText);
        auto* line = new toolkit::Line(this, color, design.shade == LineShade::Light ? 2 : 1);
        line->setObjectName(QStringLiteral("Line1(%1)").arg(design.index));
        line->setPoints(design.x, lineTop, design.x, lineBottom);
        line->setVisible(design.visible);
        Line1[design.index] = line;
    }
}

void frmMain::makeMenus() {
    for (const catalogue::Category& category : catalogue::categories()) {
        auto* menu = new QMenu(category.caption.toString(), this);
        menu->setObjectName(category.menu.toString());
        addEntries(menu, category.entries);
        auto* button = findChild<Image*>(category.button.toString(), Qt::FindDirectChildrenOnly);
        connect(button, &Image::clicked, menu, [menu] { menu->exec(QCursor::pos()); });
    }
}

void frmMain::stackControls() {
    const auto& E = Element;
    const auto& T = Tops;
    const auto& L = Line1;
    toolkit::stackFrontToBack({
        cmdNet,  T[11],   E[11],      cmdInterf, T[8],      E[8],   L[13],  L[12],       cmdAbout,
        cmdExit, cmdPeri, cmdHistory, Transpe,   imgSearch, Home,   GoForw, GoBack,      T[10],
        T[9],    T[7],    T[6],       T[5],      T[4],      T[3],   T[2],   cmdHardware, E[10],
        E[9],    E[7],    E[6],       E[5],      E[4],      E[3],   E[2],   T[1],        T[0],
        E[1],    E[0],    L[11],      L[10],     L[9],      L[8],   L[7],   L[6],        L[5],
        L[4],    L[3],    L[2],       L[1],      L[0],      Image1,
    });
    // The HTML view is a window of its own and lies over all of them.
    RTFInfo->raise();
}

void frmMain::Form_Load() {
    Transp = false;
    mdlSubs::ShowTopic(catalogue::startStem.toString());
}

void frmMain::paintEvent(QPaintEvent*) {
    toolkit::tileWindow(*this, backgroundTile());
}

void frmMain::resizeEvent(QResizeEvent*) {
    Form_Resize();
}

// Keeps the HTML view filling the window and the About and Exit buttons, with
// their separator and shapes, at a fixed distance from the right edge. Each
// step reads back what the previous steps stored.
void frmMain::Form_Resize() {
    update();
    const QSizeF outer = toolkit::outerSizeTwips(*this);
    const auto W = static_cast<float>(outer.width());
    const auto H = static_cast<float>(outer.height());
    if (W <= 9000 || H <= 7000)
        return;
    RTFInfo->setWidth(W - 345);
    RTFInfo->setHeight(H - 1380);
    cmdExit->setLeft(W - 915);
    cmdAbout->setLeft(W - 1635);
    Line1[5]->setX1(W - 1035);
    Line1[5]->setX2(Line1[5]->X1());
    Line1[11]->setX1(Line1[5]->X1());
    Line1[11]->setX2(Line1[5]->X1());
    Tops[10]->setLeft(cmdExit->Left() - 120);
    Element[10]->setLeft(Tops[10]->Left());
    Tops[9]->setLeft(cmdAbout->Left() - 120);
    Element[9]->setLeft(Tops[9]->Left());
}

void frmMain::GoBack_Click() {
    RTFInfo->GoBack();
}

void frmMain::GoForw_Click() {
    RTFInfo->GoForward();
}

void frmMain::Home_Click() {
    mdlSubs::ShowTopic(catalogue::startStem.toString());
}

void frmMain::imgSearch_Click() {
    emit searchRequested();
}

void frmMain::Transpe_Click() {
    if (!Transp) {
        Misc::SetTranslucency(this, 150);
        Transp = true;
    } else {
        Misc::SetTranslucency(this, 255);
        Transp = false;
    }
}

void frmMain::cmdAbout_Click() {
    emit aboutRequested();
}

// Ends the program at once, whatever windows are open; nothing needs saving.
void frmMain::cmdExit_Click() {
    QCoreApplication::exit(0);
}

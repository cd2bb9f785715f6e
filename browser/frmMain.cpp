#include "browser/frmMain.h"

#include "browser/HtmlView.h"
#include "browser/PageSource.h"
#include "browser/frmMainDesign.h"
#include "browser/mdlSubs.h"
#include "catalogue/Catalogue.h"
#include "toolkit/FormSettings.h"
#include "toolkit/Image.h"
#include "toolkit/Line.h"
#include "toolkit/Misc.h"
#include "toolkit/Pictures.h"
#include "toolkit/Shape.h"
#include "toolkit/Twips.h"

#include <QCursor>
#include <QMenu>
#include <QMoveEvent>
#include <algorithm>

using namespace frmMainDesign;
using toolkit::Image;

namespace {

QString picturePath(const char* file) {
    return QStringLiteral(":/pictures/") + QLatin1String(file);
}

void addEntries(frmMain& main, QMenu* menu, std::span<const catalogue::MenuEntry> entries) {
    using Kind = catalogue::MenuEntry::Kind;
    for (const catalogue::MenuEntry& entry : entries) {
        if (entry.kind == Kind::Separator) {
            // The designs caption a separator "-"; Qt draws a separator's text, so it gets none.
            menu->addSeparator()->setObjectName(entry.name.toString());
        } else if (entry.kind == Kind::Submenu) {
            QMenu* submenu = menu->addMenu(entry.caption.toString());
            submenu->setObjectName(entry.name.toString());
            addEntries(main, submenu, entry.children);
        } else {
            QAction* item = menu->addAction(entry.caption.toString());
            item->setObjectName(entry.name.toString());
            const QString stem = entry.topic.itemStem.toString();
            QObject::connect(item, &QAction::triggered, &main,
                             [&main, stem] { main.showTopic(stem); });
        }
    }
}

} // namespace

frmMain::frmMain(const PageSource& pages) : dataFolder_(pages.dataFolder()) {
    setObjectName(QStringLiteral("frmMain"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Orvanta 1.3"));
    setWindowIcon(toolkit::programIcon());
    setAutoFillBackground(false);
    toolkit::setBackColor(*this, Qt::white);

    RTFInfo = new HtmlView(this, pages);
    RTFInfo->setObjectName(QStringLiteral("RTFInfo"));
    RTFInfo->placeTwips(viewLeft, viewTop, viewWidth, viewHeight);

    GoBack = makeImageButton("GoBack");
    GoForw = makeImageButton("GoForw");
    Home = makeImageButton("Home");
    imgSearch = makeImageButton("imgSearch");
    Transpe = makeImageButton("Transpe");
    cmdHistory = makeImageButton("cmdHistory");
    cmdHardware = makeImageButton("cmdHardware");
    cmdPeri = makeImageButton("cmdPeri");
    cmdInterf = makeImageButton("cmdInterf");
    cmdNet = makeImageButton("cmdNet");
    cmdAbout = makeImageButton("cmdAbout");
    cmdExit = makeImageButton("cmdExit");

    Image1 = new Image(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    const toolkit::BackgroundTile tile = toolkit::backgroundTile();
    Image1->setPicture(tile.picture);
    Image1->placeTwips(tileLeft, tileTop, tile.width, tile.height);
    Image1->hide();

    makeShapes();
    makeLines();
    makeMenus();
    stackControls();

    connect(GoBack, &Image::clicked, this, &frmMain::GoBack_Click);
    connect(GoForw, &Image::clicked, this, &frmMain::GoForw_Click);
    connect(Home, &Image::clicked, this, &frmMain::Home_Click);
    connect(imgSearch, &Image::clicked, this, &frmMain::searchRequested);
    connect(Transpe, &Image::clicked, this, &frmMain::Transpe_Click);
    connect(cmdAbout, &Image::clicked, this, &frmMain::aboutRequested);
    // Ends the program at once, whatever windows are open; nothing needs saving.
    connect(cmdExit, &Image::clicked, this, &frmMain::exitRequested);

    resize(twips::toPixels(clientWidth), twips::toPixels(clientHeight));
    toolkit::centreOnScreen(*this);
    Form_Load();
}

Image* frmMain::makeImageButton(const char* name) {
    const ImageButton& button =
        *std::find_if(std::begin(imageButtons), std::end(imageButtons),
                      [name](const ImageButton& row) { return qstrcmp(row.name, name) == 0; });
    auto* image = new Image(this);
    image->setObjectName(QLatin1String(button.name));
    image->placeTwips(button.left, buttonTop, buttonSize, buttonSize);
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
            shape->placeTwips(button.left - shapeOffset, buttonTop, shapeWidth, shapeHeight);
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
        addEntries(*this, menu, category.entries);
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
    showTopic(catalogue::startStem.toString());
}

void frmMain::showTopic(const QString& stem) {
    mdlSubs::ShowTopic(*RTFInfo, dataFolder_, stem);
}

void frmMain::paintEvent(QPaintEvent*) {
    toolkit::tileWindow(*this, {Image1->Picture(), Image1->widthTwips(), Image1->heightTwips()});
}

void frmMain::resizeEvent(QResizeEvent*) {
    Form_Resize();
}

// A window manager frames the window after it is shown, and changes the
// frame when it maximises it, without a resize of the client area; a move or
// the activation that follows tells that the frame may have changed.
void frmMain::moveEvent(QMoveEvent*) {
    layOutAgainIfFrameChanged();
}

void frmMain::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange)
        layOutAgainIfFrameChanged();
    QWidget::changeEvent(event);
}

void frmMain::layOutAgainIfFrameChanged() {
    if (frameGeometry().size() != laidOutFor_)
        Form_Resize();
}

// Keeps the HTML view filling the window and the About and Exit buttons, with
// their separator and shapes, at a fixed distance from the right edge. Each
// step reads back what the previous steps stored.
void frmMain::Form_Resize() {
    update();
    laidOutFor_ = frameGeometry().size();
    const QSizeF outer = toolkit::outerSizeTwips(*this);
    const auto W = static_cast<float>(outer.width());
    const auto H = static_cast<float>(outer.height());
    if (W <= layoutMinWidth || H <= layoutMinHeight)
        return;
    RTFInfo->setWidthTwips(W - viewWidthMargin);
    RTFInfo->setHeightTwips(H - viewHeightMargin);
    cmdExit->setLeftTwips(W - exitFromRight);
    cmdAbout->setLeftTwips(W - aboutFromRight);
    Line1[5]->setX1(W - separatorFromRight);
    Line1[5]->setX2(Line1[5]->X1());
    Line1[11]->setX1(Line1[5]->X1());
    Line1[11]->setX2(Line1[5]->X1());
    Tops[10]->setLeftTwips(cmdExit->leftTwips() - shapeOffset);
    Element[10]->setLeftTwips(Tops[10]->leftTwips());
    Tops[9]->setLeftTwips(cmdAbout->leftTwips() - shapeOffset);
    Element[9]->setLeftTwips(Tops[9]->leftTwips());
}

void frmMain::GoBack_Click() {
    RTFInfo->GoBack();
}

void frmMain::GoForw_Click() {
    RTFInfo->GoForward();
}

void frmMain::Home_Click() {
    showTopic(catalogue::startStem.toString());
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

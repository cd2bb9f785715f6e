#include "app/frmAbout.h"

#include "app/Credits.h"
#include "toolkit/FormSettings.h"
#include "toolkit/Image.h"
#include "toolkit/Label.h"
#include "toolkit/Line.h"
#include "toolkit/Pictures.h"
#include "toolkit/Tiling.h"
#include "toolkit/Twips.h"

#include <QKeyEvent>
#include <QPushButton>

namespace {

QPushButton* makeButton(QWidget* parent, const char* name, const QString& text, QRect design) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(twips::toPixels(design.x(), design.y(), design.width(), design.height()));
    return button;
}

toolkit::Label* makeLabel(QWidget* parent, const char* name, const QString& text, QRect design) {
    auto* label = new toolkit::Label(parent, text);
    label->setObjectName(QLatin1String(name));
    label->placeTwips(float(design.x()), float(design.y()), float(design.width()),
                      float(design.height()));
    return label;
}

QString disclaimer() {
    return QStringLiteral("Автор : ") + QString::fromUtf8(Credits::author) + QString(18, u' ') +
           QString::fromUtf8(Credits::origin) + QString(15, u' ') +
           QStringLiteral(
               "Внимание : Авторът не носи отговорност за щети причинени от програмата. ");
}

} // namespace

frmAbout::frmAbout()
    : QDialog(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("frmAbout"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Относно \"Orvanta\""));
    setWindowIcon(toolkit::programIcon());
    setFont(toolkit::dialogFont());
    toolkit::setDesignedColours(*this, QColor(224, 224, 224));
    setFixedSize(twips::toPixels(5730), twips::toPixels(3525));

    lblDescription =
        makeLabel(this, "lblDescription",
                  QStringLiteral(
                      "Виртуална енциклопедия, за компютрите, компютърният хардуер, компонените им "
                      "и Orvanta. Навлезте в компютърният свят по най-лесният, интересен и удобен "
                      "начин. "),
                  {1050, 1125, 3885, 1170});
    lblDisclaimer = makeLabel(this, "lblDisclaimer", disclaimer(), {255, 2625, 3870, 825});
    lblTitle = makeLabel(this, "lblTitle", QStringLiteral("Orvanta"), {1050, 240, 3885, 480});
    lblTitle->setFont(toolkit::designFont(12, true));
    lblVersion =
        makeLabel(this, "lblVersion", QStringLiteral("Версия : 1.3"), {1050, 780, 3885, 225});
    cmdSite = makeButton(this, "cmdSite", QStringLiteral("WEB сайт"), {4200, 2640, 1380, 345});
    cmdOK = makeButton(this, "cmdOK", QStringLiteral("Затвори"), {4200, 3000, 1380, 345});
    cmdSite->setDefault(true);
    setTabOrder(cmdSite, cmdOK);

    Image1 = new toolkit::Image(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPicture(toolkit::loadPicture(QStringLiteral(":/pictures/orvanta.ico"), {32, 32}));
    Image1->placeTwips(240, 240, 480, 480);

    // An etched separator: a grey line with a white one just below it.
    Line1[1] = new toolkit::Line(this, QColor(128, 128, 128), 1);
    Line1[1]->setPoints(90, 2445, 5654, 2445);
    Line1[0] = new toolkit::Line(this, Qt::white, 2);
    Line1[0]->setPoints(105, 2460, 5654, 2460);
    for (int i : {0, 1})
        Line1[i]->setObjectName(QStringLiteral("Line1(%1)").arg(i));

    connect(cmdOK, &QPushButton::clicked, this, &QWidget::close);
    connect(cmdSite, &QPushButton::clicked, this, &frmAbout::cmdSite_Click);

    toolkit::centreOnScreen(*this);
    cmdSite->setFocus();
}

void frmAbout::cmdSite_Click() {
    close();
    emit siteRequested(QString::fromUtf8(Credits::siteUrl));
}

// Escape acts as the site button, the window's cancel button; Enter is left
// to the dialog, which presses the button that has the focus.
void frmAbout::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        cmdSite->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

void frmAbout::paintEvent(QPaintEvent*) {
    toolkit::tileWindow(*this, toolkit::backgroundTile());
}

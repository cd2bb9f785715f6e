#include "app/frmSplash.h"

#include "app/Credits.h"
#include "toolkit/Click.h"
#include "toolkit/FormSettings.h"
#include "toolkit/Frame.h"
#include "toolkit/Image.h"
#include "toolkit/Label.h"
#include "toolkit/Pictures.h"
#include "toolkit/Twips.h"

#include <QEventLoopLocker>
#include <QKeyEvent>
#include <QPainter>
#include <utility>

namespace {
const QColor background(251, 255, 255);
}

frmSplash::frmSplash() : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("frmSplash"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFocusPolicy(Qt::StrongFocus);
    // The window has no title; a screen reader names it and says how to go on.
    setAccessibleName(QStringLiteral("Orvanta 1.3"));
    setAccessibleDescription(QStringLiteral("Натиснете клавиш или щракнете, за да продължите."));
    setFont(toolkit::dialogFont());
    toolkit::setDesignedColours(*this, background);
    setAutoFillBackground(true);
    setFixedSize(twips::toPixels(7695), twips::toPixels(4785));

    Frame1 = new toolkit::Frame(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->placeTwips(150, 40, 7425, 4640);

    imgLogo = new toolkit::Image(Frame1);
    imgLogo->setObjectName(QStringLiteral("imgLogo"));
    imgLogo->setPicture(toolkit::loadPicture(QStringLiteral(":/pictures/splash.jpg")));
    imgLogo->placeTwips(15, 105, 7335, 4500);

    Label1 = new toolkit::Label(Frame1, QStringLiteral("Orvanta"));
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setFont(toolkit::designFont(13.5, true));
    Label1->placeTwips(3120, 240, 4215, 735);

    Label2 = new toolkit::Label(Frame1, QStringLiteral("Версия : 1.3"));
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->placeTwips(6240, 600, 975, 255);

    Label3 =
        new toolkit::Label(Frame1, QStringLiteral("Автор : ") + QString::fromUtf8(Credits::author));
    Label3->setObjectName(QStringLiteral("Label3"));
    Label3->placeTwips(3120, 600, 2535, 255);

    toolkit::stackFrontToBack({Label3, Label2, Label1, imgLogo});

    connect(Frame1, &toolkit::Frame::clicked, this, &frmSplash::dismiss);
    connect(imgLogo, &toolkit::Image::clicked, this, &frmSplash::dismiss);

    toolkit::centreOnScreen(*this);
}

// Window managers do not focus a splash window by themselves; without the
// focus the keys that should close it would go elsewhere.
void frmSplash::showEvent(QShowEvent*) {
    activateWindow();
}

// Any key that types a character; keys that type nothing (arrows, function
// keys, a modifier alone) leave the splash where it is.
void frmSplash::keyPressEvent(QKeyEvent* event) {
    if (!event->text().isEmpty())
        dismiss();
}

// A click on the margin around the frame.
void frmSplash::mouseReleaseEvent(QMouseEvent* event) {
    if (toolkit::completesClick(*event, *this))
        dismiss();
}

// The thin raised edge of a dialog frame, since the window draws no title bar.
void frmSplash::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(QColor(160, 168, 184));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    if (!std::exchange(painted_, true))
        emit firstPainted();
}

void frmSplash::dismiss() {
    // The splash may be the only window for a moment; that must not end the program.
    const QEventLoopLocker keepRunning;
    close();
    emit dismissed();
}

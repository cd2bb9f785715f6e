#include "search/frmSearch.h"

#include "catalogue/Catalogue.h"
#include "catalogue/PageFiles.h"
#include "search/ResultListAccessible.h"
#include "search/scan/KeyScanner.h"
#include "toolkit/Announcement.h"
#include "toolkit/FileList.h"
#include "toolkit/FormSettings.h"
#include "toolkit/Label.h"
#include "toolkit/MessageBox.h"
#include "toolkit/Misc.h"
#include "toolkit/Pictures.h"
#include "toolkit/ProgressBar.h"
#include "toolkit/Tiling.h"
#include "toolkit/Twips.h"

#include <QEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>

namespace {

constexpr double progressStep = 2.35;

QRect pixels(double left, double top, double width, double height) {
    return twips::toPixels(left, top, width, height);
}

QPushButton* makeButton(QWidget* parent, const char* name, const QString& text) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QLatin1String(name));
    QPalette grey = button->palette();
    grey.setColor(QPalette::Button, QColor(224, 224, 224));
    button->setPalette(grey);
    return button;
}

} // namespace

frmSearch::frmSearch(const QString& dataFolder, bool mainWindowTranslucent)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      dataFolder_(dataFolder) {
    setObjectName(QStringLiteral("frmSearch"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Търсене в енциклопедията"));
    setWindowIcon(toolkit::loadPicture(QStringLiteral(":/pictures/search.ico"), {32, 32}));
    setFont(toolkit::dialogFont());
    toolkit::setDesignedColours(*this, QColor(192, 192, 192));
    setFixedSize(twips::toPixels(4950), twips::toPixels(5430));

    txtKey = new QLineEdit(this);
    txtKey->setObjectName(QStringLiteral("txtKey"));
    txtKey->setFont(toolkit::designFont(12, true));
    txtKey->setGeometry(pixels(120, 180, 3975, 420));
    txtKey->setAccessibleName(QStringLiteral("Ключ за търсене"));

    Search = makeButton(this, "Search", QStringLiteral(">>"));
    Search->setGeometry(pixels(4200, 180, 615, 420));

    Progress = new toolkit::ProgressBar(this, 0, 100);
    Progress->setObjectName(QStringLiteral("Progress"));
    Progress->placeTwips(120, 840, 4695, 375);
    Progress->setAccessibleName(QStringLiteral("Напредък на търсенето"));

    installResultListAccessibility();
    lstRezults = new QListWidget(this);
    lstRezults->setObjectName(QStringLiteral("lstRezults"));
    lstRezults->setSelectionMode(QAbstractItemView::SingleSelection);
    lstRezults->setGeometry(pixels(120, 1320, 4695, 2985));
    lstRezults->setAccessibleName(QStringLiteral("Намерени теми"));

    lblInfo = new toolkit::Label(
        this, QStringLiteral("Щтракнете двойно, за да видите темата в енциклопедията !"));
    lblInfo->setObjectName(QStringLiteral("lblInfo"));
    lblInfo->placeTwips(120, 4440, 4695, 255);

    cmdExit = makeButton(this, "cmdExit", QStringLiteral("Затвори"));
    cmdExit->setFont(toolkit::designFont(9.75, true));
    cmdExit->setGeometry(pixels(120, 4800, 4695, 495));

    // Wholly right of the client area: the listing is used, never seen.
    Files = new toolkit::FileList(this, QStringLiteral("*.htm"));
    Files->setObjectName(QStringLiteral("Files"));
    Files->placeTwips(5520, 240, 2055, 4380);

    setTabOrder(Files, cmdExit);
    setTabOrder(cmdExit, lstRezults);
    setTabOrder(lstRezults, Search);
    setTabOrder(Search, txtKey);
    Files->setFocus();

    connect(Search, &QPushButton::clicked, this, &frmSearch::Search_Click);
    connect(lstRezults, &QListWidget::itemDoubleClicked, this, &frmSearch::lstRezults_DblClick);
    connect(cmdExit, &QPushButton::clicked, this, &QWidget::close);

    toolkit::centreOnScreen(*this);
    Form_Load(mainWindowTranslucent);
}

// Follows the main window's translucency as it is now; a later change of it
// does not reach this window until it is opened anew.
void frmSearch::Form_Load(bool mainWindowTranslucent) {
    if (mainWindowTranslucent)
        Misc::SetTranslucency(this, 150);
    Files->setPath(dataFolder_);
    update();
}

// A window of fixed size: some decorations offer maximise whatever its flags
// say (Qt's own on Wayland), and it is refused here.
void frmSearch::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && isMaximized())
        QTimer::singleShot(0, this, &QWidget::showNormal);
}

void frmSearch::paintEvent(QPaintEvent*) {
    toolkit::tileWindow(*this, toolkit::backgroundTile());
}

// Scans every listed page for the key, item by item, without yielding to the
// event loop, and lists the titles of the pages that hold it.
void frmSearch::Search_Click() {
    Search->setEnabled(false);
    const QString key = txtKey->text();
    searchedKey_ = key;
    lstRezults->clear();
    Progress->trySetValue(0);
    if (key.isEmpty()) {
        toolkit::showMessage(this, QStringLiteral("Не сте въвели ключ за търсене !"),
                             QStringLiteral("Грешка !!"));
    } else {
        pagescan::KeyScanner scanner(key);
        for (int i = 0; i < Files->ListCount(); ++i) {
            const QString name = Files->List(i);
            // Opened once and checked as opened: a link that leads out of the folder, even one
            // swapped in meanwhile, is no page of ours.
            if (scanner.pageContainsKey(catalogue::openPage(dataFolder_, name)))
                if (const auto title = catalogue::resultTitleForPageFile(name))
                    lstRezults->addItem(*title);
            // The sum is formed in double precision and kept in single; past 100 the bar
            // refuses it and keeps the value it has.
            Progress->trySetValue(static_cast<float>(Progress->Value() + progressStep));
            Progress->repaint();
        }
    }
    Search->setEnabled(true);
    if (!key.isEmpty())
        toolkit::announce(this,
                          lstRezults->count() == 0
                              ? QStringLiteral("Няма намерени теми.")
                              : QStringLiteral("Намерени теми: %1.").arg(lstRezults->count()));
}

void frmSearch::lstRezults_DblClick() {
    const QList<QListWidgetItem*> selected = lstRezults->selectedItems();
    const QString text = selected.isEmpty() ? QString() : selected.first()->text();
    if (text.isEmpty())
        return;
    if (const auto stem = catalogue::stemForResultTitle(text))
        emit topicRequested(*stem, searchedKey_);
}

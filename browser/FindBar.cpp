#include "browser/FindBar.h"

#include "browser/PageFind.h"
#include "toolkit/Announcement.h"

#include <QAction>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

namespace {

QToolButton* makeButton(QWidget* bar, const char* name, const QString& what, const QString& key) {
    auto* button = new QToolButton(bar);
    button->setObjectName(QLatin1String(name));
    button->setAutoRaise(true);
    button->setAccessibleName(what);
    button->setToolTip(QStringLiteral("%1 (%2)").arg(what, key));
    return button;
}

} // namespace

FindBar::FindBar(QWidget& view, PageFind& find)
    : QFrame(view.parentWidget()), view_(view), find_(find) {
    setObjectName(QStringLiteral("findBar"));
    setAccessibleName(QStringLiteral("Търсене в страницата"));
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    // The desktop's colours, as its texts have them: the main window's own back
    // colour, which the bar would take as its window colour, is not the desktop's.
    setBackgroundRole(QPalette::Button);
    setAutoFillBackground(true);

    text_ = new QLineEdit(this);
    text_->setObjectName(QStringLiteral("findText"));
    text_->setPlaceholderText(QStringLiteral("Търсене в страницата"));
    text_->setAccessibleName(QStringLiteral("Текст за търсене в страницата"));
    count_ = new QLabel(this);
    count_->setObjectName(QStringLiteral("findCount"));
    count_->setMinimumWidth(
        count_->fontMetrics().horizontalAdvance(QStringLiteral("Няма съвпадения")));
    auto* previous = makeButton(this, "findPrevious", QStringLiteral("Предишно съвпадение"),
                                QStringLiteral("Shift+F3"));
    previous->setArrowType(Qt::UpArrow);
    auto* next =
        makeButton(this, "findNext", QStringLiteral("Следващо съвпадение"), QStringLiteral("F3"));
    next->setArrowType(Qt::DownArrow);
    auto* close =
        makeButton(this, "findClose", QStringLiteral("Затвори търсенето"), QStringLiteral("Esc"));
    close->setText(QStringLiteral("✕"));

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(6, 3, 6, 3);
    row->addWidget(text_, 1);
    row->addWidget(count_);
    row->addWidget(previous);
    row->addWidget(next);
    row->addWidget(close);

    // Shift+Enter goes back, as F3 and Shift+F3 do; the text box sends Enter itself.
    auto* back = new QAction(this);
    back->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_Return));
    back->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    addAction(back);

    connect(text_, &QLineEdit::textEdited, &find_,
            [this](const QString& text) { find_.find(text); });
    connect(text_, &QLineEdit::returnPressed, this, &FindBar::findNext);
    connect(back, &QAction::triggered, this, &FindBar::findPrevious);
    connect(previous, &QToolButton::clicked, this, &FindBar::findPrevious);
    connect(next, &QToolButton::clicked, this, &FindBar::findNext);
    connect(close, &QToolButton::clicked, this, &FindBar::dismiss);
    connect(&find_, &PageFind::found, this, &FindBar::showCount);

    view_.installEventFilter(this);
    hide();
}

void FindBar::open() {
    followView();
    show();
    raise();
    text_->setFocus();
    text_->selectAll();
    if (!text_->text().isEmpty() && find_.text() != text_->text())
        find_.find(text_->text());
}

void FindBar::dismiss() {
    hide();
    find_.stop();
    view_.setFocus();
}

void FindBar::findNext() {
    step(false);
}

void FindBar::findPrevious() {
    step(true);
}

void FindBar::setText(const QString& text) {
    text_->setText(text);
}

// The same text steps on; after another page has opened it is found anew.
void FindBar::step(bool backward) {
    if (text_->text().isEmpty())
        open();
    else
        find_.find(text_->text(), backward);
}

void FindBar::showCount(const QString& text, int matches, int active) {
    if (text.isEmpty())
        count_->clear();
    else if (matches == 0)
        count_->setText(QStringLiteral("Няма съвпадения"));
    else
        count_->setText(QStringLiteral("%1 от %2").arg(active).arg(matches));
    if (!count_->text().isEmpty())
        toolkit::announce(this, count_->text());
}

bool FindBar::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &view_ && (event->type() == QEvent::Move || event->type() == QEvent::Resize))
        followView();
    return QFrame::eventFilter(watched, event);
}

void FindBar::followView() {
    const int height = sizeHint().height();
    const QRect view = view_.geometry();
    setGeometry(view.left(), view.bottom() + 1 - height, view.width(), height);
}

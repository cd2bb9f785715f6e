#include "browser/PageAccessible.h"

#include <QWidget>

namespace {

// A link of the page: no widget of its own, so its place is the page's.
class LinkAccessible : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    LinkAccessible(PageAccessible& page, int position, const PageAccessible::FollowLink& follow)
        : page_(page), position_(position), link_(page.reading().links.at(position)),
          follow_(follow) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this)
                                                    : nullptr;
    }
    bool isValid() const override { return page_.isValid(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return page_.window(); }
    QAccessibleInterface* parent() const override { return &page_; }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name)
            return link_.name;
        return t == QAccessible::Description ? link_.address : QString();
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override { return page_.rect(); }
    QAccessible::Role role() const override { return QAccessible::Link; }
    QAccessible::State state() const override {
        QAccessible::State state;
        state.linked = true;
        state.focusable = true;
        state.focused = page_.focusedLink() == position_;
        return state;
    }

    QStringList actionNames() const override { return {pressAction()}; }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }
    // Later, as a click comes: the page that follows replaces this link.
    void doAction(const QString& name) override {
        if (name == pressAction())
            QMetaObject::invokeMethod(
                page_.object(), [follow = follow_, index = link_.index] { follow(index); },
                Qt::QueuedConnection);
    }

private:
    PageAccessible& page_;
    int position_;
    ReadingText::Link link_;
    PageAccessible::FollowLink follow_;
};

} // namespace

PageAccessible::PageAccessible(QWidget* surface, FollowLink follow)
    : QAccessibleWidget(surface, QAccessible::Document), follow_(std::move(follow)) {}

PageAccessible::~PageAccessible() {
    dropLinks();
}

void PageAccessible::setReading(ReadingText reading) {
    dropLinks();
    reading_ = std::move(reading);
    caret_ = 0;
    focusedLink_ = -1;
    for (int position = 0; position < reading_.links.size(); ++position) {
        auto* child = new LinkAccessible(*this, position, follow_);
        QAccessible::registerAccessibleInterface(child);
        links_ << child;
    }
    QAccessibleEvent named(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&named);
    QAccessibleEvent reordered(this, QAccessible::ObjectReorder);
    QAccessible::updateAccessibility(&reordered);
}

void PageAccessible::focusLink(int position) {
    focusedLink_ = position;
    QAccessibleEvent focused(position < 0 ? this : links_.at(position), QAccessible::Focus);
    QAccessible::updateAccessibility(&focused);
}

void PageAccessible::dropLinks() {
    for (QAccessibleInterface* link : std::exchange(links_, {}))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(link));
}

void* PageAccessible::interface_cast(QAccessible::InterfaceType type) {
    if (type == QAccessible::TextInterface)
        return static_cast<QAccessibleTextInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
}

QAccessible::State PageAccessible::state() const {
    QAccessible::State state = QAccessibleWidget::state();
    state.readOnly = true;
    state.multiLine = true;
    state.selectableText = true;
    return state;
}

QString PageAccessible::text(QAccessible::Text t) const {
    return t == QAccessible::Name ? reading_.title : QAccessibleWidget::text(t);
}

QAccessibleInterface* PageAccessible::child(int index) const {
    return links_.value(index);
}

int PageAccessible::indexOfChild(const QAccessibleInterface* child) const {
    return int(links_.indexOf(const_cast<QAccessibleInterface*>(child)));
}

void PageAccessible::selection(int, int* startOffset, int* endOffset) const {
    *startOffset = *endOffset = 0;
}

void PageAccessible::setCursorPosition(int position) {
    caret_ = std::clamp(position, 0, characterCount());
    QAccessibleTextCursorEvent moved(this, caret_);
    QAccessible::updateAccessibility(&moved);
}

QString PageAccessible::text(int startOffset, int endOffset) const {
    return reading_.text.mid(startOffset, endOffset - startOffset);
}

// A line runs to the start of the next, its line end included, as screen
// readers count lines; words, sentences and characters are Qt's to find.
QString PageAccessible::line(int offset, int* startOffset, int* endOffset) const {
    const QString& text = reading_.text;
    if (offset < 0 || offset > text.size()) {
        *startOffset = *endOffset = -1;
        return {};
    }
    *startOffset = offset == 0 ? 0 : int(text.lastIndexOf(u'\n', offset - 1)) + 1;
    const int end = int(text.indexOf(u'\n', offset == text.size() ? offset - 1 : offset));
    *endOffset = end < 0 ? int(text.size()) : end + 1;
    return text.mid(*startOffset, *endOffset - *startOffset);
}

QString PageAccessible::textAtOffset(int offset, QAccessible::TextBoundaryType boundary,
                                     int* startOffset, int* endOffset) const {
    if (boundary == QAccessible::LineBoundary)
        return line(offset, startOffset, endOffset);
    return QAccessibleTextInterface::textAtOffset(offset, boundary, startOffset, endOffset);
}

QString PageAccessible::textBeforeOffset(int offset, QAccessible::TextBoundaryType boundary,
                                         int* startOffset, int* endOffset) const {
    if (boundary != QAccessible::LineBoundary)
        return QAccessibleTextInterface::textBeforeOffset(offset, boundary, startOffset, endOffset);
    line(offset, startOffset, endOffset);
    if (*startOffset > 0)
        return line(*startOffset - 1, startOffset, endOffset);
    *startOffset = *endOffset = -1;
    return {};
}

QString PageAccessible::textAfterOffset(int offset, QAccessible::TextBoundaryType boundary,
                                        int* startOffset, int* endOffset) const {
    if (boundary != QAccessible::LineBoundary)
        return QAccessibleTextInterface::textAfterOffset(offset, boundary, startOffset, endOffset);
    line(offset, startOffset, endOffset);
    if (*endOffset >= 0 && *endOffset < characterCount())
        return line(*endOffset, startOffset, endOffset);
    *startOffset = *endOffset = -1;
    return {};
}

// The whole text is one run: a screen reader splits what it speaks at runs.
QString PageAccessible::attributes(int, int* startOffset, int* endOffset) const {
    *startOffset = 0;
    *endOffset = characterCount();
    return {};
}

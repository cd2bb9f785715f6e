#pragma once

#include "browser/ReadingText.h"

#include <QAccessibleWidget>
#include <functional>

// The page as screen readers meet it, in place of the engine's own objects,
// which carry names only: a read-only document named by the page's title whose
// text is the page's reading text, with a caret the view's arrow keys move,
// and the page's links as its children, each with an action that follows it.
// It stands for the widget that has the view's keyboard focus, so the focus
// lands on the page's text.
class PageAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    using FollowLink = std::function<void(int index)>;

    PageAccessible(QWidget* surface, FollowLink follow);
    ~PageAccessible() override;

    // A new page: the caret goes to its start.
    void setReading(ReadingText reading);
    const ReadingText& reading() const { return reading_; }

    // Gives the focus to the link at position among the reading's links, or
    // with -1 back to the document, and tells screen readers.
    void focusLink(int position);
    int focusedLink() const { return focusedLink_; }

    void* interface_cast(QAccessible::InterfaceType type) override;
    QAccessible::State state() const override;
    QString text(QAccessible::Text t) const override;
    int childCount() const override { return int(links_.size()); }
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;

    void selection(int, int* startOffset, int* endOffset) const override;
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return caret_; }
    void setCursorPosition(int position) override;
    QString text(int startOffset, int endOffset) const override;
    QString textBeforeOffset(int offset, QAccessible::TextBoundaryType boundary, int* startOffset,
                             int* endOffset) const override;
    QString textAfterOffset(int offset, QAccessible::TextBoundaryType boundary, int* startOffset,
                            int* endOffset) const override;
    QString textAtOffset(int offset, QAccessible::TextBoundaryType boundary, int* startOffset,
                         int* endOffset) const override;
    int characterCount() const override { return int(reading_.text.size()); }
    QRect characterRect(int) const override { return rect(); }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int offset, int* startOffset, int* endOffset) const override;

private:
    void dropLinks();
    QString line(int offset, int* startOffset, int* endOffset) const;

    FollowLink follow_;
    ReadingText reading_;
    int caret_ = 0;
    int focusedLink_ = -1;
    QList<QAccessibleInterface*> links_;
};

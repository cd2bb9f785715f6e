#pragma once

#include <QFrame>

class PageFind;
class QLabel;
class QLineEdit;

// The find bar over the lower edge of the HTML view: a text box, the count of
// matches, previous, next and close. It lies in the view's window beside the
// view, not inside it, so that screen readers reach it (the view presents
// only its page), and it follows the view's place and size.
class FindBar : public QFrame {
    Q_OBJECT
public:
    FindBar(QWidget& view, PageFind& find);

    // Shows the bar, finds its text in the page and selects it for typing over.
    void open();
    // Hides the bar and ends the find with its highlight; the view takes the focus.
    void dismiss();
    // Step through the matches of the text box's text; with no text, open the bar.
    void findNext();
    void findPrevious();
    // Puts text in the box without finding it, as the search key the view is about to find.
    void setText(const QString& text);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void step(bool backward);
    void showCount(const QString& text, int matches, int active);
    void followView();

    QWidget& view_;
    PageFind& find_;
    QLineEdit* text_;
    QLabel* count_;
};

#pragma once

#include "browser/ReadingText.h"

#include <QAccessible>
#include <QObject>
#include <QPointer>

class PageAccessible;
class QWebEngineView;

// Gives screen readers the view's page as text while the engine draws it.
// Only while an assistive technology listens: then each loaded page is read
// from its document by the program's own script (which runs with page scripts
// off), handed to the page's accessible document, and announced; the view's
// arrow, Home and End keys move the document's caret, and H and Shift+H go
// to the next and the previous heading. Nothing of it runs for a sighted user.
class PageReader : public QObject, private QAccessible::ActivationObserver {
public:
    explicit PageReader(QWebEngineView& view);
    ~PageReader() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void accessibilityActiveChanged(bool active) override;
    void read();
    void show(const QVariant& outline, const QUrl& address);
    PageAccessible* document();
    bool moveCaret(const QKeyEvent& key);
    void focusLink(PageAccessible& document, bool forward);
    void onLink(int index, const char* method);

    QWebEngineView& view_;
    QPointer<QWidget> surface_;
    ReadingText reading_;
};

#pragma once

#include <QObject>

class QWebEngineView;

// Prints the page shown through the print dialog, which offers a PDF file too;
// nothing is written unless the user chooses so there. The engine makes the
// page's PDF: a file gets those bytes whole, a printer gets its pages drawn from
// them. A renderer that dies meanwhile costs the print, not the program; a
// request while one is under way is refused.
class PagePrinter : public QObject {
    Q_OBJECT
public:
    explicit PagePrinter(QWebEngineView& view);

    void print();

signals:
    void finished(bool printed);

private:
    void end(int job, bool printed);

    QWebEngineView& view_;
    // The print under way, if any; a renderer that dies never answers, so its job is
    // ended then, and a late answer for it is ignored.
    int job_ = 0;
    bool printing_ = false;
};

#pragma once

#include <QObject>
#include <memory>

class QPrinter;
class QWebEngineView;

// Prints the page shown through the print dialog, which offers a PDF file
// too; nothing is written unless the user chooses so there. The engine prints
// after the call has returned, so the printer lives until it has finished,
// even when the view goes first, and a request meanwhile is refused.
class PagePrinter : public QObject {
    Q_OBJECT
public:
    explicit PagePrinter(QWebEngineView& view);
    ~PagePrinter() override;

    void print();

private:
    QWebEngineView& view_;
    std::unique_ptr<QPrinter> printer_;
};

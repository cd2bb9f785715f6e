#include "browser/PagePrinter.h"

#include <QPrintDialog>
#include <QPrinter>
#include <QWebEngineView>

PagePrinter::PagePrinter(QWebEngineView& view) : QObject(&view), view_(view) {
    connect(&view_, &QWebEngineView::printFinished, this, [this] { printer_.reset(); });
}

// The engine paints on the printer in a thread of its own, which goes on when
// the view has gone; the printer is left to it, so that the file is whole.
PagePrinter::~PagePrinter() {
    (void)printer_.release();
}

void PagePrinter::print() {
    if (printer_)
        return;
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    QPrintDialog dialog(printer.get(), view_.window());
    dialog.setWindowTitle(QStringLiteral("Печат"));
    if (dialog.exec() != QDialog::Accepted)
        return;
    printer_ = std::move(printer);
    view_.print(printer_.get());
}

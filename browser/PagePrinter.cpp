#include "browser/PagePrinter.h"

#include <QBuffer>
#include <QPainter>
#include <QPdfDocument>
#include <QPointer>
#include <QPrintDialog>
#include <QPrinter>
#include <QSaveFile>
#include <QWebEngineView>

#include <memory>

namespace {

// Pages are drawn for the printer at no more than this; finer would only cost memory.
constexpr int drawingDotsPerInch = 300;

bool writeFile(const QByteArray& pdf, const QString& path) {
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(pdf) == pdf.size() && file.commit();
}

bool drawPages(const QByteArray& pdf, QPrinter& printer) {
    QBuffer bytes;
    bytes.setData(pdf);
    bytes.open(QIODevice::ReadOnly);
    QPdfDocument document;
    document.load(&bytes);
    QPainter painter;
    if (document.status() != QPdfDocument::Status::Ready || !painter.begin(&printer))
        return false;
    const QRect area = printer.pageLayout().paintRectPixels(printer.resolution());
    const qreal scale = qMin<qreal>(1, qreal(drawingDotsPerInch) / printer.resolution());
    for (int page = 0; page < document.pageCount(); ++page) {
        if (page > 0 && !printer.newPage())
            return false;
        const QImage image = document.render(page, area.size() * scale);
        painter.drawImage(QRect(QPoint(), area.size()), image);
    }
    return painter.end();
}

bool deliver(const QByteArray& pdf, QPrinter& printer) {
    if (pdf.isEmpty()) // the renderer ended before the page was made
        return false;
    if (printer.outputFormat() == QPrinter::PdfFormat)
        return writeFile(pdf, printer.outputFileName());
    return drawPages(pdf, printer);
}

} // namespace

PagePrinter::PagePrinter(QWebEngineView& view) : QObject(&view), view_(view) {
    connect(view_.page(), &QWebEnginePage::renderProcessTerminated, this,
            [this] { end(job_, false); });
}

void PagePrinter::end(int job, bool printed) {
    if (!printing_ || job != job_)
        return;
    printing_ = false;
    emit finished(printed);
}

void PagePrinter::print() {
    if (printing_)
        return;
    auto printer = std::make_shared<QPrinter>(QPrinter::HighResolution);
    QPrintDialog dialog(printer.get(), view_.window());
    dialog.setWindowTitle(QStringLiteral("Печат"));
    if (dialog.exec() != QDialog::Accepted)
        return;
    printing_ = true;
    view_.page()->printToPdf(
        [self = QPointer<PagePrinter>(this), job = ++job_, printer](const QByteArray& pdf) {
            // With the view gone the print still goes where the reader sent it.
            if (!self)
                deliver(pdf, *printer);
            else if (self->printing_ && job == self->job_)
                self->end(job, deliver(pdf, *printer));
        },
        printer->pageLayout(), printer->pageRanges());
}

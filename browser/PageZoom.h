#pragma once

#include <QObject>

class QWebEngineView;

// The zoom of the HTML view's pages: from 50 % to 300 % in a browser's steps,
// by keys or by Ctrl and the wheel, held for the rest of the run whatever
// page is shown. Nothing is stored.
class PageZoom : public QObject {
    Q_OBJECT
public:
    explicit PageZoom(QWebEngineView& view);

    void zoomIn();
    void zoomOut();
    void reset();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void apply(qreal factor);

    QWebEngineView& view_;
    qreal factor_ = 1;
    int wheelTurned_ = 0; // eighths of a degree not yet zoomed by
};

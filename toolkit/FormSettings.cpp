#include "toolkit/FormSettings.h"

#include <QCursor>
#include <QEvent>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QWidget>
#include <algorithm>
#include <iterator>

namespace toolkit {

namespace {

// The screen under the pointer when the first window was placed, where the
// user started the program; the primary screen if that one has gone.
QScreen* startScreen() {
    static QPointer<QScreen> screen = QGuiApplication::screenAt(QCursor::pos());
    return screen ? screen.data() : QGuiApplication::primaryScreen();
}

void place(QWidget& window) {
    const QScreen* screen = startScreen();
    if (!screen)
        return;
    const QSize margins = window.frameGeometry().size() - window.size();
    const bool resizable = window.minimumSize() != window.maximumSize();
    const QRect frame = placeFrame(window.size() + margins, screen->availableGeometry(), resizable);
    if (resizable)
        window.resize(frame.size() - margins);
    window.move(frame.topLeft());
}

// Until the window manager frames a window its frame is taken for its client
// area; once the frame is known, the window is placed again by it.
class PlaceOnceFramed : public QObject {
public:
    explicit PlaceOnceFramed(QWidget& window) : QObject(&window) {
        window.installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        auto& window = static_cast<QWidget&>(*watched);
        // A frame that leaves the client area where it was moves nothing; the
        // activation that follows the framing tells of it then.
        const QEvent::Type type = event->type();
        if ((type == QEvent::Move || type == QEvent::Resize || type == QEvent::ActivationChange) &&
            window.frameGeometry() != window.geometry()) {
            window.removeEventFilter(this);
            deleteLater();
            place(window);
        }
        return false;
    }
};

} // namespace

void setBackColor(QWidget& window, QColor color) {
    QPalette palette = window.palette();
    palette.setColor(QPalette::Window, color);
    window.setPalette(palette);
}

void setDesignedColours(QWidget& window, QColor back) {
    const QColor face(239, 239, 239);
    QPalette designed(Qt::black, face, face.lighter(150), face.darker(150), face.darker(130),
                      Qt::black, Qt::white, Qt::white, back);
    designed.setColor(QPalette::Highlight, QColor(48, 140, 198));
    for (const QPalette::ColorRole text :
         {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        designed.setColor(QPalette::Disabled, text, QColor(120, 120, 120));
    window.setPalette(designed);
}

QRect placeFrame(QSize frame, QRect available, bool resizable) {
    if (resizable)
        frame = frame.boundedTo(available.size());
    return {available.left() + std::max(0, (available.width() - frame.width()) / 2),
            available.top() + std::max(0, (available.height() - frame.height()) / 2), frame.width(),
            frame.height()};
}

void centreOnScreen(QWidget& window) {
    place(window);
    if (window.frameGeometry() == window.geometry())
        new PlaceOnceFramed(window);
}

QFont designFont(double pointSize, bool bold) {
    QFont font;
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"),
                      QStringLiteral("DejaVu Sans")});
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}

QFont dialogFont() {
    return designFont(8);
}

void stackFrontToBack(std::initializer_list<QWidget*> frontToBack) {
    for (auto it = std::rbegin(frontToBack); it != std::rend(frontToBack); ++it)
        (*it)->raise();
}

} // namespace toolkit

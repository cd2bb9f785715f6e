#include "toolkit/Label.h"

#include <QMouseEvent>

namespace toolkit {

Label::Label(QWidget* parent, const QString& text)
    : QLabel(text, parent), TwipsGeometry(static_cast<QWidget&>(*this)) {
    setTextFormat(Qt::PlainText);
    setWordWrap(true);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setAutoFillBackground(false);
    setAttribute(Qt::WA_TranslucentBackground);
}

void Label::mousePressEvent(QMouseEvent* event) {
    event->accept();
}

void Label::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
}

} // namespace toolkit

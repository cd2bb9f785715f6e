#include "toolkit/MessageBox.h"

#include <QMessageBox>
#include <utility>

namespace toolkit {

namespace {
MessageHandler& handler() {
    static MessageHandler instance;
    return instance;
}
} // namespace

void showMessage(QWidget* parent, const QString& text, const QString& caption) {
    if (handler()) {
        handler()(caption, text);
        return;
    }
    QMessageBox box(QMessageBox::NoIcon, caption, text, QMessageBox::Ok, parent);
    box.exec();
}

MessageHandler setMessageHandler(MessageHandler next) {
    return std::exchange(handler(), std::move(next));
}

} // namespace toolkit

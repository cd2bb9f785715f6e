#include "MessageBox.h"

#include <QMessageBox>

namespace toolkit {

void showMessage(QWidget* parent, const QString& text, const QString& caption) {
    QMessageBox box(QMessageBox::NoIcon, caption, text, QMessageBox::Ok, parent);
    box.exec();
}

} // namespace toolkit

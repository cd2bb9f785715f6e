// Reference: a bare frameless Qt Widgets window of the splash's size.
#include <QApplication>
#include <QLabel>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QLabel label(QStringLiteral("Orvanta 1.3"), nullptr,
                 Qt::SplashScreen | Qt::FramelessWindowHint);
    label.setAlignment(Qt::AlignCenter);
    label.setStyleSheet(QStringLiteral("background: #fbffff; color: #1f3b73; font-size: 24px;"));
    label.setFixedSize(513, 319);
    label.show();
    return QApplication::exec();
}

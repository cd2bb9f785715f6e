// Reference: a minimal web view of the main window's size showing the page in argv[1].
#include <QApplication>
#include <QUrl>
#include <QWebEngineView>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWebEngineView view;
    view.resize(728, 518);
    view.load(QUrl::fromLocalFile(QString::fromLocal8Bit(argc > 1 ? argv[1] : "welcome.htm")));
    view.show();
    return QApplication::exec();
}

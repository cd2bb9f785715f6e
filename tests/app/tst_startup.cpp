#include "app/ApplicationSetup.h"
#include "app/CommandLine.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

class TestStartUp : public QObject {
    Q_OBJECT
private slots:
    void qtTextsAreBulgarian() {
        setUpApplication(*qApp);
        QMessageBox box(QMessageBox::Information, QString(), QString(), QMessageBox::Ok);
        QCOMPARE(box.button(QMessageBox::Ok)->text(), QStringLiteral("Добре"));
    }

    // The platform asked for, or Qt's choice of X11 or Wayland, and the displays there are.
    void displayReachable() {
        const std::tuple<const char*, bool, bool, bool> cases[] = {
            {"", true, false, true},
            {"", false, true, true},
            {"", false, false, false},
            {"offscreen", false, false, true},
            {"xcb", false, true, false},
            {"wayland-egl", false, true, true},
            {"wayland", true, false, false},
            {"wayland;xcb", true, false, true},
            {"xcb:nograb", false, false, false}};
        for (const auto& [platform, x11, wayland, reachable] : cases)
            QVERIFY2(::displayReachable(QString::fromLatin1(platform), x11, wayland) == reachable,
                     platform);
    }
};

QTEST_MAIN(TestStartUp)
#include "tst_startup.moc"

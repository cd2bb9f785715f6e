#include "toolkit/FormSettings.h"
#include "toolkit/Image.h"
#include "toolkit/ProgressBar.h"
#include "toolkit/Tiling.h"

#include <QAccessible>
#include <QSignalSpy>
#include <QTest>

class TestToolkit : public QObject {
    Q_OBJECT
private slots:
    // Column by column from the corner; tile sizes and bounds of x.5 round to even.
    void tilePositions() {
        struct Case {
            const char* name;
            float tile, maxX, maxY; // the tile's width; all tiles are 100 high
            int step, columns, rows;
        };
        const Case cases[] = {{"lower ends", 1560, 7 * 1560, 500, 1560, 8, 6},
                              {"upper ends", 1560, 8 * 1560 - 1, 599, 1560, 8, 6},
                              {"no area", 1560, -1, 100, 1560, 0, 0},
                              {"past 16 bits", 1560, 39000, 22500, 1560, 26, 226},
                              {"tile rounds down to even", 10.5, 11, 0, 10, 2, 1},
                              {"bound rounds to even", 10, 20.5, 0, 10, 3, 1},
                              {"tile of no pixel", 0.4f, 50, 50, 0, 0, 0}};
        for (const Case& c : cases) {
            QList<QPoint> expected;
            for (int x = 0; x < c.columns; ++x)
                for (int y = 0; y < c.rows; ++y)
                    expected << QPoint(x * c.step, y * 100);
            QVERIFY2(toolkit::tilePositions(c.tile, 100, c.maxX, c.maxY) == expected, c.name);
        }
    }

    // Centred on the screen where it fits; where it does not, its title bar and top-left
    // control within reach, and a resizable frame shrunk to the area.
    void windowPlacement() {
        const QSize main(740, 552), search(336, 387);
        const std::tuple<const char*, QRect, QSize, bool, QRect> cases[] = {
            {"640x480 main", {0, 0, 640, 480}, main, true, {0, 0, 640, 480}},
            {"second monitor", {1920, 100, 1280, 1024}, search, false, {2392, 418, 336, 387}},
            {"larger than the screen", {0, 0, 320, 240}, search, false, {0, 0, 336, 387}},
            {"taller on a monitor left", {-800, 0, 800, 300}, search, false, {-568, 0, 336, 387}}};
        for (const auto& [name, available, frame, resizable, placed] : cases)
            QVERIFY2(toolkit::placeFrame(frame, available, resizable) == placed, name);
    }

    // Refused outside its range, its maximum taken; screen readers hear its own units.
    void theProgressBar() {
        toolkit::ProgressBar bar(nullptr, 0, 100);
        QVERIFY(bar.trySetValue(23.5f));
        QVERIFY(!bar.trySetValue(100.05f) && !bar.trySetValue(-0.5f));
        QCOMPARE(bar.Value(), 23.5f);
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(&bar);
        QCOMPARE(accessible->valueInterface()->currentValue().toDouble(), 23.5);
        QCOMPARE(accessible->text(QAccessible::Value), QStringLiteral("24 %"));
        QVERIFY(bar.trySetValue(100));
        QCOMPARE(bar.value(), bar.maximum());
    }

    // The events of a double-click: press, release, press with double-click, release.
    void aDoubleClickIsOneClick() {
        toolkit::Image image(nullptr);
        image.resize(32, 32);
        QSignalSpy clicks(&image, &toolkit::Image::clicked);
        QSignalSpy releases(&image, &toolkit::Image::mouseUp);
        QTest::mouseClick(&image, Qt::LeftButton);
        QTest::mousePress(&image, Qt::LeftButton);
        QTest::mouseDClick(&image, Qt::LeftButton);
        QTest::mouseRelease(&image, Qt::LeftButton);
        QCOMPARE(clicks.count(), 1);
        QCOMPARE(releases.count(), 2);
        QTest::mouseClick(&image, Qt::LeftButton);
        QCOMPARE(clicks.count(), 2);
    }
};

QTEST_MAIN(TestToolkit)
#include "tst_toolkit.moc"

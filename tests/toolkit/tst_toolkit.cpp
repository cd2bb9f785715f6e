#include "toolkit/FormSettings.h"
#include "toolkit/ProgressBar.h"
#include "toolkit/Tiling.h"

#include <QAccessible>
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

    // Centred on its own screen, wherever that starts; a resizable frame shrunk to it.
    void windowPlacement() {
        QCOMPARE(toolkit::placeFrame({336, 387}, {1920, 100, 1280, 1024}, false),
                 QRect(2392, 418, 336, 387));
        QCOMPARE(toolkit::placeFrame({740, 552}, {0, 32, 640, 480}, true), QRect(0, 32, 640, 480));
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
};

QTEST_MAIN(TestToolkit)
#include "tst_toolkit.moc"

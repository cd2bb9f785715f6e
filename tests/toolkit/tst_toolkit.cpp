#include "toolkit/FileList.h"
#include "toolkit/FormSettings.h"
#include "toolkit/Image.h"
#include "toolkit/Line.h"
#include "toolkit/ProgressBar.h"
#include "toolkit/Tiling.h"

#include <QAccessible>
#include <QDir>
#include <QFile>
#include <QPainter>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

class TestToolkit : public QObject {
    Q_OBJECT
private slots:
    void tilesGoColumnByColumn();
    void tileCounts_data();
    void tileCounts();
    void tileSizesRoundHalfToEven();
    void windowsWiderThanSixteenBitsAreTiledCompletely();
    void tilesArePaintedFromTheClientAreasCorner();
    void progressBarRefusesValuesOutsideItsRange();
    void wideLinesSpreadAcrossTheirLength();
    void aDoubleClickIsOneClick();
    void fileListingOrderAndFilter();
    void anImageIsAButtonWhileItsClicksAreHeard();
    void theProgressBarTellsItsOwnUnits();
};

void TestToolkit::tilesGoColumnByColumn() {
    const QList<QPoint> expected{{0, 0}, {0, 10}, {0, 20}, {15, 0}, {15, 10}, {15, 20}};
    QCOMPARE(toolkit::tilePositions(15, 10, 29, 25), expected);
}

void TestToolkit::tileCounts_data() {
    QTest::addColumn<float>("maxX");
    QTest::addColumn<float>("maxY");
    QTest::addColumn<int>("columns");
    QTest::addColumn<int>("rows");
    QTest::newRow("design example, lower ends") << 7 * 1560.f << 5 * 1455.f << 8 << 6;
    QTest::newRow("design example, upper ends") << 8 * 1560.f - 1 << 6 * 1455.f - 1 << 8 << 6;
    QTest::newRow("exactly one tile wide") << 1560.f << 100.f << 2 << 1;
    QTest::newRow("just under one tile") << 1559.f << 1454.f << 1 << 1;
    QTest::newRow("no area") << -1.f << 100.f << 0 << 1;
}

void TestToolkit::tileCounts() {
    QFETCH(float, maxX);
    QFETCH(float, maxY);
    QFETCH(int, columns);
    QFETCH(int, rows);
    const QList<QPoint> tiles = toolkit::tilePositions(1560, 1455, maxX, maxY);
    QCOMPARE(tiles.size(), qsizetype(columns) * (columns ? rows : 0));
    if (!tiles.isEmpty())
        QCOMPARE(tiles.last(), QPoint((columns - 1) * 1560, (rows - 1) * 1455));
}

void TestToolkit::tileSizesRoundHalfToEven() {
    QCOMPARE(toolkit::tilePositions(10.5f, 100, 11, 0).value(1), QPoint(10, 0));
    QCOMPARE(toolkit::tilePositions(11.5f, 100, 12, 0).value(1), QPoint(12, 0));
    // A bound of x.5 rounds to even too: 20.5 gives 20, which still takes x = 20.
    QCOMPARE(toolkit::tilePositions(10, 100, 20.5f, 0).size(), 3);
    QCOMPARE(toolkit::tilePositions(10, 100, 19.5f, 0).size(), 3);
    QVERIFY(toolkit::tilePositions(0.4f, 100, 50, 50).isEmpty());
}

void TestToolkit::windowsWiderThanSixteenBitsAreTiledCompletely() {
    // 2600 x 1500 pixels: far past 32767 twips in both directions.
    const QList<QPoint> tiles = toolkit::tilePositions(1560, 1455, 39000, 22500);
    QCOMPARE(tiles.size(), 26 * 16);
    QCOMPARE(tiles.last(), QPoint(25 * 1560, 15 * 1455));
    QVERIFY(tiles.contains(QPoint(22 * 1560, 0)));
    QVERIFY(tiles.contains(QPoint(0, 15 * 1455)));
}

void TestToolkit::tilesArePaintedFromTheClientAreasCorner() {
    QImage tileImage(4, 3, QImage::Format_RGB32);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x)
            tileImage.setPixel(x, y, qRgb(x * 60, y * 80, 200));
    const toolkit::BackgroundTile tile{QPixmap::fromImage(tileImage), 60, 45};
    struct Tiled : QWidget {
        toolkit::BackgroundTile tile;
        void paintEvent(QPaintEvent*) override { toolkit::tileWindow(*this, tile); }
    } window;
    window.tile = tile;
    window.resize(2200, 30);
    const QImage shot = window.grab().toImage();
    for (const QPoint at : {QPoint(0, 0), QPoint(5, 2), QPoint(2198, 29), QPoint(2199, 1)})
        QCOMPARE(shot.pixel(at), tileImage.pixel(at.x() % 4, at.y() % 3));
}

void TestToolkit::progressBarRefusesValuesOutsideItsRange() {
    toolkit::ProgressBar bar(nullptr, 0, 100);
    QCOMPARE(bar.Value(), 0.f);
    QVERIFY(bar.trySetValue(98.7f));
    QVERIFY(!bar.trySetValue(101.05f));
    QCOMPARE(bar.Value(), 98.7f);
    QVERIFY(!bar.trySetValue(-0.5f));
    QVERIFY(bar.trySetValue(100));
    QCOMPARE(bar.value(), bar.maximum());
}

// A line two pixels wide covers two rows below a horizontal line's y, or two
// columns right of a vertical line's x, over its whole length.
void TestToolkit::wideLinesSpreadAcrossTheirLength() {
    QWidget window;
    window.resize(200, 200);
    toolkit::setBackColor(window, Qt::white);
    auto* across = new toolkit::Line(&window, Qt::red, 2);
    across->setPoints(150, 1500, 1500, 1500); // (10, 100) to (100, 100) pixels
    auto* down = new toolkit::Line(&window, Qt::blue, 2);
    down->setPoints(2250, 150, 2250, 1200); // (150, 10) to (150, 80)
    const QImage shot = window.grab().toImage();
    const auto colour = [&](int x, int y) { return QColor(shot.pixel(x, y)); };
    for (int x : {10, 55, 99}) {
        QCOMPARE(colour(x, 100), QColor(Qt::red));
        QCOMPARE(colour(x, 101), QColor(Qt::red));
        QCOMPARE(colour(x, 99), QColor(Qt::white));
        QCOMPARE(colour(x, 102), QColor(Qt::white));
    }
    QCOMPARE(colour(9, 100), QColor(Qt::white));
    for (int y : {10, 40, 79}) {
        QCOMPARE(colour(150, y), QColor(Qt::blue));
        QCOMPARE(colour(151, y), QColor(Qt::blue));
        QCOMPARE(colour(149, y), QColor(Qt::white));
        QCOMPARE(colour(152, y), QColor(Qt::white));
    }
}

// The events of a double-click: press, release, press with double-click, release.
void TestToolkit::aDoubleClickIsOneClick() {
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

void TestToolkit::fileListingOrderAndFilter() {
    QTemporaryDir folder;
    for (const char* name : {"b.htm", "A.htm", "a.HTM", "c.txt", ".hidden.htm", "Zeta.htm"}) {
        QFile file(folder.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    QVERIFY(QDir(folder.path()).mkdir("dir.htm"));
    const QStringList names = toolkit::listFiles(folder.path(), "*.htm");
    QCOMPARE(names, (QStringList{"A.htm", "a.HTM", "b.htm", "Zeta.htm"}));
    QVERIFY(toolkit::listFiles(folder.filePath("missing"), "*.htm").isEmpty());

    toolkit::FileList list(nullptr, "*.htm");
    list.setPath(folder.path());
    QCOMPARE(list.ListCount(), 4);
    QCOMPARE(list.List(3), QStringLiteral("Zeta.htm"));
    QCOMPARE(list.List(4), QString());
}

// A screen reader's press comes through the event loop, as a click does.
void TestToolkit::anImageIsAButtonWhileItsClicksAreHeard() {
    toolkit::Image image(nullptr);
    image.setToolTip(QStringLiteral("Главна страница"));
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(&image);
    QCOMPARE(accessible->role(), QAccessible::Graphic);
    QVERIFY(accessible->actionInterface()->actionNames().isEmpty());
    QSignalSpy clicks(&image, &toolkit::Image::clicked);
    QCOMPARE(accessible->role(), QAccessible::PushButton);
    QCOMPARE(accessible->text(QAccessible::Name), QStringLiteral("Главна страница"));
    QCOMPARE(accessible->text(QAccessible::Description), QString());
    QCOMPARE(accessible->actionInterface()->actionNames(),
             QStringList{QAccessibleActionInterface::pressAction()});
    accessible->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QCOMPARE(clicks.count(), 0);
    QTRY_COMPARE(clicks.count(), 1);
}

// The bar underneath counts in tenths.
void TestToolkit::theProgressBarTellsItsOwnUnits() {
    toolkit::ProgressBar bar(nullptr, 0, 100);
    QVERIFY(bar.trySetValue(23.5f));
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(&bar);
    QCOMPARE(accessible->role(), QAccessible::ProgressBar);
    QAccessibleValueInterface* value = accessible->valueInterface();
    QCOMPARE(value->currentValue().toDouble(), 23.5);
    QCOMPARE(value->minimumValue().toDouble(), 0.0);
    QCOMPARE(value->maximumValue().toDouble(), 100.0);
    QCOMPARE(accessible->text(QAccessible::Value), QStringLiteral("24 %"));
}

QTEST_MAIN(TestToolkit)
#include "tst_toolkit.moc"

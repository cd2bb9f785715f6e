#include "toolkit/Pictures.h"

#include <QApplication>
#include <QTest>

class TestPictures : public QObject {
    Q_OBJECT
private slots:
    // For a screen's pixel ratio of 1, 1.25, 2 and 3, the variant drawn
    // for it, at the same size in layout (device-independent pixels).
    void variantsKeepTheSizeInLayout() {
        const QSize button(32, 32);
        const std::tuple<const char*, QSize, QSize, qreal> cases[] = {
            // path, preferred size, size in layout, the variant taken at 1.25
            {":/pictures/Home.gif", button, button, 1.5},
            {":/pictures/cmdNet.ico", button, button, 1.5}, // the smaller picture doubled
            {":/pictures/orvanta.ico", button, button, 1.5},
            {":/pictures/tile.bmp", QSize(), QSize(104, 97), 2.0},
            {":/pictures/splash.jpg", QSize(), QSize(489, 300), 2.0}};
        for (const auto& [path, preferred, size, coarsest] : cases)
            for (const auto& [screen, drawn] :
                 {std::pair<qreal, qreal>{1, 1}, {1.25, coarsest}, {2, 2}, {3, 2}}) {
                const QPixmap picture = toolkit::loadPicture(path, preferred, screen);
                QCOMPARE(picture.devicePixelRatio(), drawn);
                QCOMPARE(picture.deviceIndependentSize(), QSizeF(size));
            }
    }

    // CTest runs this also at QT_SCALE_FACTOR=2.
    void theScreensRatioPicksTheVariant() {
        const QPixmap picture =
            toolkit::loadPicture(QStringLiteral(":/pictures/Home.gif"), {32, 32});
        QCOMPARE(picture.devicePixelRatio(), qApp->devicePixelRatio());
        QCOMPARE(picture.deviceIndependentSize(), QSizeF(32, 32));
    }
};

QTEST_MAIN(TestPictures)
#include "tst_pictures.moc"

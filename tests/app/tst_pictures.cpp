#include "toolkit/Pictures.h"

#include <QApplication>
#include <QTest>

class TestPictures : public QObject {
    Q_OBJECT
private slots:
    void variantsKeepTheSizeInLayout_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QSize>("preferred");
        QTest::addColumn<QSize>("size");     // in device-independent pixels
        QTest::addColumn<qreal>("coarsest"); // the variant taken for a ratio of 1.25
        const QSize button(32, 32);
        QTest::newRow("button") << ":/pictures/Home.gif" << button << button << 1.5;
        // Its variants hold 32 pixels too, the smaller picture doubled.
        QTest::newRow("button icon") << ":/pictures/cmdNet.ico" << button << button << 1.5;
        QTest::newRow("window icon") << ":/pictures/orvanta.ico" << button << button << 1.5;
        QTest::newRow("search icon") << ":/pictures/search.ico" << button << button << 1.5;
        QTest::newRow("tile") << ":/pictures/tile.bmp" << QSize() << QSize(104, 97) << 2.0;
        QTest::newRow("splash") << ":/pictures/splash.jpg" << QSize() << QSize(489, 300) << 2.0;
    }

    void variantsKeepTheSizeInLayout() {
        QFETCH(QString, path);
        QFETCH(QSize, preferred);
        QFETCH(QSize, size);
        QFETCH(qreal, coarsest);
        // A screen's pixel ratio, and the ratio of the variant drawn for it.
        const std::pair<qreal, qreal> picks[] = {{1, 1}, {1.25, coarsest}, {2, 2}, {3, 2}};
        for (const auto& [screen, drawn] : picks) {
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

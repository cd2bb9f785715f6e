#include "browser/API.h"
#include "search/frmSearch.h"
#include "tests/Controls.h"
#include "tests/FixtureData.h"
#include "tests/TestMain.h"
#include "toolkit/FileList.h"
#include "toolkit/MessageBox.h"
#include "toolkit/ProgressBar.h"

#include <QAccessible>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QStringEncoder>
#include <sys/stat.h>
#include <unistd.h>

class TestSearchWindow : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void findsPagesInListingOrderByTheirTitles();
    void aCyrillicKeyFindsBothEncodingsInAnyCase();
    void pagesNotInTheCatalogueAreNeverListed();
    void theBarAdvancesPerPageAndStopsBelowItsMaximum_data();
    void theBarAdvancesPerPageAndStopsBelowItsMaximum();
    void anEmptyKeyClearsAndSays();
    void badEntriesDoNotStopTheSearch();
    void aLinkOutOfTheFolderIsNotSearched();
    void doubleClickAsksForThePageAndTheWindowStays();
    void translucencyFollowsTheMainWindowAtLoad();
    void theListingIsTheOneMadeAtLoad();
    void screenReadersHearBulgarianNames_data();
    void screenReadersHearBulgarianNames();

private:
    void open(bool mainTranslucent = false);
    QStringList search(const QString& key);
    QListWidget* results() const { return control<QListWidget>(window_.get(), "lstRezults"); }
    float bar() const { return control<toolkit::ProgressBar>(window_.get(), "Progress")->Value(); }

    std::unique_ptr<FixtureData> data_;
    std::unique_ptr<frmSearch> window_;
    QStringList messages_;
};

void TestSearchWindow::init() {
    data_ = std::make_unique<FixtureData>();
    data_->writePage("welcome.htm", "Добре дошли в енциклопедията");
    messages_.clear();
    toolkit::setMessageHandler(
        [this](const QString& caption, const QString& text) { messages_ << caption << text; });
}

void TestSearchWindow::cleanup() {
    toolkit::setMessageHandler({});
    window_.reset();
    data_.reset();
}

void TestSearchWindow::open(bool mainTranslucent) {
    window_ = std::make_unique<frmSearch>(data_->folder(), mainTranslucent);
    window_->setAttribute(Qt::WA_DeleteOnClose, false);
    window_->show();
}

QStringList TestSearchWindow::search(const QString& key) {
    control<QLineEdit>(window_.get(), "txtKey")->setText(key);
    QTest::mouseClick(control<QPushButton>(window_.get(), "Search"), Qt::LeftButton);
    QStringList titles;
    for (int i = 0; i < results()->count(); ++i)
        titles << results()->item(i)->text();
    return titles;
}

void TestSearchWindow::findsPagesInListingOrderByTheirTitles() {
    data_->writePage("USB.htm", "USB и AGP");
    data_->writePage("AGP.htm", "Портът AGP");
    data_->writePage("altair.htm", "нищо общо");
    data_->writePage("chipset.htm", "северен мост към agp");
    open();
    // Listing order is by name without regard to case, not by title.
    const QStringList expected{"AGP портът", "Чипсетите", "USB портът"};
    QCOMPARE(search("agp"), expected);
    QCOMPARE(search("AGP"), expected);
    QCOMPARE(search("енциклопедия"), QStringList{"Добре дошли"});
}

void TestSearchWindow::aCyrillicKeyFindsBothEncodingsInAnyCase() {
    QStringEncoder encoder("windows-1251");
    QVERIFY(encoder.isValid());
    data_->write("RAM.htm",
                 encoder(QStringLiteral("<html><body>ОПЕРАТИВНАТА ПАМЕТ</body></html>")));
    data_->writePage("BIOS.htm", "Постоянна памет");
    open();
    QCOMPARE(search("памет"), (QStringList{"BIOS - постоянна памет", "Оперативната памет"}));
}

void TestSearchWindow::pagesNotInTheCatalogueAreNeverListed() {
    data_->writePage("agp.htm", "ключ"); // the catalogue has AGP.htm
    data_->writePage("Chipset.htm", "ключ");
    data_->writePage("extra.htm", "ключ");
    data_->writePage("DSL.htm", "ключ");
    open();
    QCOMPARE(search("КЛЮЧ"), QStringList{"DSL"});
}

void TestSearchWindow::theBarAdvancesPerPageAndStopsBelowItsMaximum_data() {
    QTest::addColumn<int>("pages");
    QTest::addColumn<float>("bar");
    QTest::newRow("none") << 0 << 0.f;
    QTest::newRow("ten") << 10 << 23.5f;
    QTest::newRow("forty-two") << 42 << 98.7f;
    QTest::newRow("forty-three") << 43 << 98.7f;
}

// 2.35 a page, kept in single precision; a sum past 100 is refused.
void TestSearchWindow::theBarAdvancesPerPageAndStopsBelowItsMaximum() {
    QFETCH(int, pages);
    QFETCH(float, bar);
    QFile::remove(data_->path("welcome.htm"));
    for (int i = 0; i < pages; ++i)
        data_->writePage(QStringLiteral("p%1.htm").arg(i, 2, 10, QChar('0')), "текст");
    open();
    QCOMPARE(search("текст"), QStringList());
    QCOMPARE(this->bar(), bar);
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(
        control<toolkit::ProgressBar>(window_.get(), "Progress"));
    QCOMPARE(accessible->valueInterface()->currentValue().toFloat(), bar);
}

void TestSearchWindow::anEmptyKeyClearsAndSays() {
    open();
    QCOMPARE(search("дошли").size(), 1);
    QCOMPARE(search(""), QStringList());
    QCOMPARE(messages_, (QStringList{"Грешка !!", "Не сте въвели ключ за търсене !"}));
    QCOMPARE(bar(), 0.f);
    QVERIFY(control<QPushButton>(window_.get(), "Search")->isEnabled());
    // A key of blanks is searched like any other.
    QCOMPARE(search(" ").size(), 1);
    QCOMPARE(messages_.size(), 2);
}

void TestSearchWindow::badEntriesDoNotStopTheSearch() {
    data_->writePage("AGP.htm", "ключ");
    data_->writePage("USB.htm", "ключ");
    QVERIFY(::mkfifo(QFile::encodeName(data_->path("IDE.htm")).constData(), 0600) == 0);
    QVERIFY(QDir(data_->folder()).mkdir("PCI.htm"));
    data_->writePage("SATA.htm", "ключ");
    QVERIFY(QFile::setPermissions(data_->path("SATA.htm"), QFileDevice::Permissions()));
    open();
    QElapsedTimer clock;
    clock.start();
    QStringList expected{"AGP портът", "USB портът"};
    if (::geteuid() == 0) // root reads the unreadable page anyway
        expected.insert(1, "SATA интерфейсът");
    QCOMPARE(search("ключ"), expected);
    QVERIFY(clock.elapsed() < 5000);
}

void TestSearchWindow::aLinkOutOfTheFolderIsNotSearched() {
    QTemporaryDir outside;
    QFile page(outside.filePath("secret.htm"));
    QVERIFY(page.open(QIODevice::WriteOnly));
    page.write("root:x:0:0 ключ");
    page.close();
    QVERIFY(QFile::link(page.fileName(), data_->path("chipset.htm")));
    data_->writePage("DSL.htm", "ключ");
    QVERIFY(QFile::link(data_->path("DSL.htm"), data_->path("USB.htm")));
    open();
    QCOMPARE(search("ключ"), (QStringList{"DSL", "USB портът"}));
}

void TestSearchWindow::doubleClickAsksForThePageAndTheWindowStays() {
    data_->writePage("chipset.htm", "Чипсет");
    open();
    QSignalSpy requests(window_.get(), &frmSearch::topicRequested);
    QCOMPARE(search("чипсет"), QStringList{"Чипсетите"});
    // The page is asked for with the key that found it, whatever the box holds now.
    control<QLineEdit>(window_.get(), "txtKey")->setText("друго");
    const QPoint at = results()->visualItemRect(results()->item(0)).center();
    QTest::mouseClick(results()->viewport(), Qt::LeftButton, {}, at); // a click only selects
    QCOMPARE(requests.count(), 0);
    QTest::mouseDClick(results()->viewport(), Qt::LeftButton, {}, at);
    QCOMPARE(requests.count(), 1);
    QCOMPARE(requests.at(0), (QVariantList{"chipset", "чипсет"}));
    QVERIFY(window_->isVisible());
    // A double-click on no title asks for nothing.
    results()->clearSelection();
    QTest::mouseDClick(results()->viewport(), Qt::LeftButton, {}, QPoint(20, 150));
    QCOMPARE(requests.count(), 1);
}

void TestSearchWindow::translucencyFollowsTheMainWindowAtLoad() {
    open(false);
    QVERIFY(!(API::GetWindowLongA(window_.get(), API::GWL_EXSTYLE) & API::WS_EX_LAYERED));
    QCOMPARE(window_->windowOpacity(), 1.0);
    open(true);
    QCOMPARE(window_->windowOpacity(), 150 / 255.0);
}

void TestSearchWindow::theListingIsTheOneMadeAtLoad() {
    open();
    data_->writePage("AGP.htm", "дошли и AGP");
    QCOMPARE(search("дошли"), QStringList{"Добре дошли"});
    open();
    QCOMPARE(search("дошли"), (QStringList{"AGP портът", "Добре дошли"}));
}

void TestSearchWindow::screenReadersHearBulgarianNames_data() {
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("name");
    QTest::newRow("key") << "txtKey"
                         << "Ключ за търсене";
    QTest::newRow("results") << "lstRezults"
                             << "Намерени теми";
    QTest::newRow("progress") << "Progress"
                              << "Напредък на търсенето";
}

void TestSearchWindow::screenReadersHearBulgarianNames() {
    QFETCH(QString, control);
    QFETCH(QString, name);
    open();
    auto* widget = ::control<QWidget>(window_.get(), qPrintable(control));
    QCOMPARE(QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name), name);
}

TELVANE_TEST_MAIN(TestSearchWindow)
#include "tst_frmSearch.moc"

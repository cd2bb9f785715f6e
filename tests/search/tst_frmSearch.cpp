#include "API.h"
#include "FileList.h"
#include "FixtureData.h"
#include "HtmlView.h"
#include "ProgressBar.h"
#include "TestMain.h"
#include "frmMain.h"
#include "frmSearch.h"

#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QTimer>
#include <QWebEngineHistory>
#include <sys/stat.h>

namespace {

QStringList results(const frmSearch* search) {
    QStringList titles;
    for (int i = 0; i < search->lstRezults->count(); ++i)
        titles << search->lstRezults->item(i)->text();
    return titles;
}

QByteArray windows1251(const QString& text) {
    QStringEncoder encoder("windows-1251");
    return encoder.isValid() ? QByteArray(encoder(text)) : QByteArray();
}

// Reads and dismisses the message box that the next call shows, if any.
void whenMessageShows(QObject* context, QString* text, QString* caption) {
    QTimer::singleShot(50, context, [=] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            *text = box->text();
            *caption = box->windowTitle();
            box->accept();
        }
    });
}

} // namespace

class TestSearchWindow : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void controlsStandAtTheirDesignPlaces();
    void findsPagesInListingOrderByTheirTitles();
    void aCyrillicKeyFindsBothEncodingsInAnyCase();
    void pagesNotInTheCatalogueAreNeverListed();
    void theBarAdvancesPerPageAndStopsBelowItsMaximum_data();
    void theBarAdvancesPerPageAndStopsBelowItsMaximum();
    void anEmptyKeyClearsAndSays();
    void theButtonIsDisabledWhileTheScanRuns();
    void badEntriesDoNotStopTheSearch();
    void aMissingDataFolderGivesAWindowThatFindsNothing();
    void doubleClickOpensThePageAndTheWindowStays();
    void doubleClickOnNothingDoesNothing();
    void translucencyFollowsTheMainWindowAtLoadOnly();
    void reopeningStartsAfreshWithANewListing();

private:
    frmSearch* open();
    void search(const QString& key);
    std::unique_ptr<FixtureData> data_;
};

void TestSearchWindow::init() {
    data_ = std::make_unique<FixtureData>();
    data_->writePage("welcome.htm", "Добре дошли в енциклопедията");
    frmMain::instance()->show();
    QTRY_COMPARE_WITH_TIMEOUT(frmMain::existing()->RTFInfo->title(),
                              QStringLiteral("Добре дошли в енциклопедията"), 20000);
}

void TestSearchWindow::cleanup() {
    delete frmSearch::existing();
    delete frmMain::existing();
    data_.reset();
}

frmSearch* TestSearchWindow::open() {
    frmSearch* window = frmSearch::instance();
    window->show();
    return window;
}

void TestSearchWindow::search(const QString& key) {
    frmSearch* window = frmSearch::existing();
    window->txtKey->setText(key);
    QTest::mouseClick(window->Search, Qt::LeftButton);
}

void TestSearchWindow::controlsStandAtTheirDesignPlaces() {
    frmSearch* window = open();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QCOMPARE(window->windowTitle(), QStringLiteral("Търсене в енциклопедията"));
    QCOMPARE(window->size(), QSize(330, 362));
    QCOMPARE(window->txtKey->geometry(), QRect(8, 12, 265, 28));
    QCOMPARE(window->Search->text(), QStringLiteral(">>"));
    QCOMPARE(window->Progress->geometry(), QRect(8, 56, 313, 25));
    QCOMPARE(window->lstRezults->geometry(), QRect(8, 88, 313, 199));
    QCOMPARE(window->cmdExit->text(), QStringLiteral("Затвори"));
    QCOMPARE(window->txtKey->font().pointSizeF(), 12.0);
    // The file list lies wholly right of the client area, yet takes the focus first.
    QVERIFY(window->Files->geometry().left() >= window->width());
    QCOMPARE(QApplication::focusWidget(), window->Files);
    QTest::keyClick(window->Files, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), window->cmdExit);
    QCOMPARE(window->Progress->Value(), 0.f);
    QVERIFY(window->lstRezults->count() == 0 && window->txtKey->text().isEmpty());
    // Enter in the key box starts nothing.
    window->txtKey->setText("дошли");
    QTest::keyClick(window->txtKey, Qt::Key_Return);
    QCOMPARE(window->lstRezults->count(), 0);
}

void TestSearchWindow::findsPagesInListingOrderByTheirTitles() {
    data_->writePage("USB.htm", "USB и AGP");
    data_->writePage("AGP.htm", "Портът AGP");
    data_->writePage("altair.htm", "нищо общо");
    data_->writePage("chipset.htm", "северен мост към agp");
    open();
    search("agp");
    // Listing order is by name without regard to case, not by title.
    QCOMPARE(results(frmSearch::existing()),
             (QStringList{"AGP портът", "Чипсетите", "USB портът"}));
    search("AGP");
    QCOMPARE(results(frmSearch::existing()),
             (QStringList{"AGP портът", "Чипсетите", "USB портът"}));
    search("енциклопедия");
    QCOMPARE(results(frmSearch::existing()), QStringList{"Добре дошли"});
}

void TestSearchWindow::aCyrillicKeyFindsBothEncodingsInAnyCase() {
    const QByteArray legacy =
        windows1251(QStringLiteral("<html><body>ОПЕРАТИВНАТА ПАМЕТ</body></html>"));
    if (legacy.isEmpty())
        QSKIP("this Qt has no Windows-1251 encoder to write the fixture with");
    data_->write("RAM.htm", legacy);
    data_->writePage("BIOS.htm", "Постоянна памет");
    open();
    search("памет");
    QCOMPARE(results(frmSearch::existing()),
             (QStringList{"BIOS - постоянна памет", "Оперативната памет"}));
}

void TestSearchWindow::pagesNotInTheCatalogueAreNeverListed() {
    data_->writePage("agp.htm", "ключ"); // the catalogue has AGP.htm
    data_->writePage("Chipset.htm", "ключ");
    data_->writePage("extra.htm", "ключ");
    data_->writePage("DSL.htm", "ключ");
    open();
    search("КЛЮЧ");
    QCOMPARE(results(frmSearch::existing()), QStringList{"DSL"});
}

void TestSearchWindow::theBarAdvancesPerPageAndStopsBelowItsMaximum_data() {
    QTest::addColumn<int>("pages");
    QTest::addColumn<float>("bar");
    QTest::newRow("none") << 0 << 0.f;
    QTest::newRow("ten") << 10 << 23.5f;
    QTest::newRow("forty-two") << 42 << 98.7f;
    QTest::newRow("forty-three") << 43 << 98.7f;
    QTest::newRow("sixty") << 60 << 98.7f;
}

void TestSearchWindow::theBarAdvancesPerPageAndStopsBelowItsMaximum() {
    QFETCH(int, pages);
    QFETCH(float, bar);
    QFile::remove(data_->path("welcome.htm"));
    for (int i = 0; i < pages; ++i)
        data_->writePage(QStringLiteral("p%1.htm").arg(i, 2, 10, QChar('0')), "текст");
    frmSearch* window = open();
    QCOMPARE(window->Files->ListCount(), pages);
    search("текст");
    QCOMPARE(window->Progress->Value(), bar);
    QVERIFY(window->lstRezults->count() == 0);
}

void TestSearchWindow::anEmptyKeyClearsAndSays() {
    frmSearch* window = open();
    search("дошли");
    QCOMPARE(window->lstRezults->count(), 1);
    QString text;
    QString caption;
    whenMessageShows(this, &text, &caption);
    search("");
    QCOMPARE(text, QStringLiteral("Не сте въвели ключ за търсене !"));
    QCOMPARE(caption, QStringLiteral("Грешка !!"));
    QCOMPARE(window->lstRezults->count(), 0);
    QCOMPARE(window->Progress->Value(), 0.f);
    QVERIFY(window->Search->isEnabled());
    // A key of blanks is searched like any other, without a message.
    text.clear();
    whenMessageShows(this, &text, &caption);
    search(" ");
    QTest::qWait(100);
    QCOMPARE(text, QString());
    QCOMPARE(window->lstRezults->count(), 1);
}

void TestSearchWindow::theButtonIsDisabledWhileTheScanRuns() {
    data_->writePage("AGP.htm", "ключ");
    frmSearch* window = open();
    QList<bool> enabledWhileAdding;
    connect(window->lstRezults->model(), &QAbstractItemModel::rowsInserted, this,
            [&] { enabledWhileAdding << window->Search->isEnabled(); });
    search("ключ");
    QCOMPARE(enabledWhileAdding, QList<bool>{false});
    QVERIFY(window->Search->isEnabled());
}

void TestSearchWindow::badEntriesDoNotStopTheSearch() {
    data_->writePage("AGP.htm", "ключ");
    data_->writePage("USB.htm", "ключ");
    QVERIFY(::mkfifo(QFile::encodeName(data_->path("IDE.htm")).constData(), 0600) == 0);
    QVERIFY(QDir(data_->folder()).mkdir("PCI.htm"));
    data_->writePage("SATA.htm", "ключ");
    QVERIFY(QFile::setPermissions(data_->path("SATA.htm"), QFileDevice::Permissions()));
    frmSearch* window = open();
    QElapsedTimer clock;
    clock.start();
    search("ключ");
    QVERIFY(clock.elapsed() < 5000);
    QStringList expected{"AGP портът", "USB портът"};
    if (::geteuid() == 0) // root reads the unreadable page anyway
        expected.insert(1, "SATA интерфейсът");
    QCOMPARE(results(window), expected);
    QVERIFY(window->Search->isEnabled());
}

void TestSearchWindow::aMissingDataFolderGivesAWindowThatFindsNothing() {
    QDir(data_->folder()).removeRecursively();
    frmSearch* window = open();
    QCOMPARE(window->Files->ListCount(), 0);
    QString text;
    QString caption;
    whenMessageShows(this, &text, &caption);
    search("ключ");
    QTest::qWait(100);
    QCOMPARE(text, QString());
    QCOMPARE(window->lstRezults->count(), 0);
    QCOMPARE(window->Progress->Value(), 0.f);
}

void TestSearchWindow::doubleClickOpensThePageAndTheWindowStays() {
    data_->writePage("chipset.htm", "Чипсет");
    frmSearch* window = open();
    search("чипсет");
    QCOMPARE(results(window), QStringList{"Чипсетите"});
    QListWidgetItem* item = window->lstRezults->item(0);
    const QPoint at = window->lstRezults->visualItemRect(item).center();
    QTest::mouseClick(window->lstRezults->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(window->lstRezults->viewport(), Qt::LeftButton, {}, at);
    const frmMain* main = frmMain::existing();
    QTRY_COMPARE_WITH_TIMEOUT(main->RTFInfo->url().path(), data_->path("chipset.htm"), 20000);
    QVERIFY(window->isVisible());
    QCOMPARE(results(window), QStringList{"Чипсетите"});
    // A single click only selects.
    search("дошли");
    QTest::mouseClick(window->lstRezults->viewport(), Qt::LeftButton, {},
                      window->lstRezults->visualItemRect(window->lstRezults->item(0)).center());
    QTest::qWait(300);
    QCOMPARE(main->RTFInfo->url().path(), data_->path("chipset.htm"));
}

void TestSearchWindow::doubleClickOnNothingDoesNothing() {
    frmSearch* window = open();
    QTest::mouseDClick(window->lstRezults->viewport(), Qt::LeftButton, {}, QPoint(20, 20));
    window->lstRezults->addItem(QStringLiteral("Няма такава тема"));
    window->lstRezults->setCurrentRow(0);
    window->lstRezults_DblClick();
    QTest::qWait(300);
    QCOMPARE(frmMain::existing()->RTFInfo->history()->count(), 1);
}

void TestSearchWindow::translucencyFollowsTheMainWindowAtLoadOnly() {
    frmMain* main = frmMain::existing();
    frmSearch* window = open();
    QVERIFY(!(API::GetWindowLongA(window, API::GWL_EXSTYLE) & API::WS_EX_LAYERED));
    main->Transpe_Click(); // translucent now, but the open window stays as it was
    QCOMPARE(window->windowOpacity(), 1.0);
    window->close();
    QTRY_VERIFY(!frmSearch::existing());
    window = open();
    QCOMPARE(window->windowOpacity(), 150 / 255.0);
    main->Transpe_Click(); // opaque again; the search window keeps its alpha
    QCOMPARE(window->windowOpacity(), 150 / 255.0);
}

void TestSearchWindow::reopeningStartsAfreshWithANewListing() {
    frmSearch* window = open();
    search("дошли");
    data_->writePage("AGP.htm", "дошли и AGP");
    search("дошли");
    QCOMPARE(results(window), QStringList{"Добре дошли"}); // the listing is the one made at load
    QTest::mouseClick(window->cmdExit, Qt::LeftButton);
    QTRY_VERIFY(!frmSearch::existing());
    window = open();
    QVERIFY(window->txtKey->text().isEmpty());
    QCOMPARE(window->lstRezults->count(), 0);
    QCOMPARE(window->Progress->Value(), 0.f);
    search("дошли");
    QCOMPARE(results(window), (QStringList{"AGP портът", "Добре дошли"}));
    QCOMPARE(frmSearch::instance(), window);
}

TELVANE_TEST_MAIN(TestSearchWindow)
#include "tst_frmSearch.moc"

#include "search/frmSearch.h"
#include "tests/WidgetTest.h"
#include "toolkit/MessageBox.h"
#include "toolkit/ProgressBar.h"

#include <QElapsedTimer>
#include <QLineEdit>
#include <QListWidget>
#include <QStringEncoder>
#include <sys/stat.h>
#include <unistd.h>

class TestSearchWindow : public QObject {
    Q_OBJECT

    std::unique_ptr<FixtureData> data_;
    std::unique_ptr<frmSearch> window_;
    QStringList messages_;

    QListWidget* results() const { return control<QListWidget>(window_.get(), "lstRezults"); }
    float progress() const {
        return control<toolkit::ProgressBar>(window_.get(), "Progress")->Value();
    }

    void open() {
        window_ = std::make_unique<frmSearch>(data_->folder(), false);
        window_->setAttribute(Qt::WA_DeleteOnClose, false);
        window_->show();
    }

    QStringList search(const QString& key) {
        control<QLineEdit>(window_.get(), "txtKey")->setText(key);
        click(window_.get(), "Search");
        QStringList titles;
        for (int i = 0; i < results()->count(); ++i)
            titles << results()->item(i)->text();
        return titles;
    }

private slots:
    void init() {
        data_ = std::make_unique<FixtureData>();
        data_->writePage("welcome.htm", "Добре дошли в енциклопедията");
        messages_.clear();
        toolkit::setMessageHandler(
            [this](const QString& caption, const QString& text) { messages_ << caption << text; });
    }

    void cleanup() {
        toolkit::setMessageHandler({});
        window_.reset();
    }

    // In listing order, by name without regard to case; only pages the catalogue names
    // exactly, whatever their charset.
    void findsCataloguePagesInListingOrderByTheirTitles() {
        data_->writePage("USB.htm", "USB и AGP");
        data_->writePage("AGP.htm", "Портът AGP");
        data_->writePage("altair.htm", "нищо общо");
        data_->writePage("chipset.htm", "северен мост към agp");
        data_->write("RAM.htm", QStringEncoder("windows-1251")(u"<p>ОПЕРАТИВНА ПАМЕТ, agp</p>"));
        for (const char* stray : {"agp.htm", "Chipset.htm", "extra.htm"})
            data_->writePage(stray, "agp");
        open();
        const QStringList expected{"AGP портът", "Чипсетите", "Оперативната памет", "USB портът"};
        QCOMPARE(search("agp"), expected);
        QCOMPARE(search("Памет"), QStringList{"Оперативната памет"});
    }

    // 2.35 a page, kept in single precision; a sum past 100 is refused.
    void theBarAdvancesPerPageAndStopsBelowItsMaximum() {
        QFile::remove(data_->path("welcome.htm"));
        int pages = 0;
        for (const auto& [upTo, value] :
             {std::pair{0, 0.f}, {10, 23.5f}, {42, 98.7f}, {43, 98.7f}}) {
            for (; pages < upTo; ++pages)
                data_->writePage(QStringLiteral("p%1.htm").arg(pages, 2, 10, QChar('0')), "текст");
            open();
            QCOMPARE(search("текст"), QStringList());
            QCOMPARE(progress(), value);
        }
    }

    // A key of blanks is searched like any other.
    void anEmptyKeyClearsAndSays() {
        open();
        QCOMPARE(search("дошли").size(), 1);
        QCOMPARE(search(""), QStringList());
        QCOMPARE(messages_, (QStringList{"Грешка !!", "Не сте въвели ключ за търсене !"}));
        QCOMPARE(progress(), 0.f);
        QCOMPARE(search(" ").size(), 1);
        QCOMPARE(messages_.size(), 2);
    }

    // A FIFO, a folder, an unreadable page, links out of the folder and in.
    void badEntriesAndLinksOutDoNotStopTheSearch() {
        for (const char* page : {"AGP.htm", "SATA.htm", "DSL.htm"})
            data_->writePage(page, "ключ");
        QVERIFY(::mkfifo(QFile::encodeName(data_->path("IDE.htm")).constData(), 0600) == 0);
        QVERIFY(QDir(data_->folder()).mkdir("PCI.htm"));
        QVERIFY(QFile::setPermissions(data_->path("SATA.htm"), QFileDevice::Permissions()));
        data_->write("../secret.htm", "root:x:0:0 ключ");
        QVERIFY(QFile::link(data_->path("../secret.htm"), data_->path("chipset.htm")));
        QVERIFY(QFile::link(data_->path("DSL.htm"), data_->path("USB.htm")));
        open();
        QElapsedTimer clock;
        clock.start();
        QStringList expected{"AGP портът", "DSL", "USB портът"};
        if (::geteuid() == 0) // root reads the unreadable page anyway
            expected.insert(2, "SATA интерфейсът");
        QCOMPARE(search("ключ"), expected);
        QVERIFY(clock.elapsed() < 5000);
    }
};

TELVANE_TEST_MAIN(TestSearchWindow)
#include "tst_frmSearch.moc"

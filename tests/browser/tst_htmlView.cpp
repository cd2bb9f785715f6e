#include "browser/PagePrinter.h"
#include "tests/WidgetTest.h"

#include <QAccessible>
#include <QDesktopServices>
#include <QLabel>
#include <QLineEdit>
#include <QPrintDialog>
#include <QUuid>

#include <csignal>
#include <sys/stat.h>

// Takes what would go to the system's opener of mail addresses.
class HandOverSpy : public QObject {
    Q_OBJECT
public:
    QStringList handedOver;
    HandOverSpy() { QDesktopServices::setUrlHandler(QStringLiteral("mailto"), this, "take"); }
    ~HandOverSpy() override { QDesktopServices::unsetUrlHandler(QStringLiteral("mailto")); }
public slots:
    void take(const QUrl& url) { handedOver << url.toString(); }
};

class TestHtmlView : public MainWindowTest {
    Q_OBJECT

    QString count() const { return control<QLabel>(main_.get(), "findCount")->text(); }
    QLineEdit* findText() const { return control<QLineEdit>(main_.get(), "findText"); }
    QWidget* findBar() const { return control<QWidget>(main_.get(), "findBar"); }

    void press(QKeyCombination key) const {
        QTest::keyClick(QApplication::focusWidget(), key.key(), key.keyboardModifiers());
    }

    // Typed key by key; QTest::keyClicks passes Latin-1 only.
    void find(const QString& text) const {
        press(Qt::CTRL | Qt::Key_F);
        for (const QChar c : text)
            QTest::sendKeyEvent(QTest::Click, findText(), Qt::Key_unknown, QString(c), {});
    }

    void open(const QString& stem) const {
        const int next = view().history()->currentItemIndex() + 1;
        main_->showTopic(stem);
        QVERIFY(settles(view(), stem, next));
    }

    QString shownText() const {
        QString text;
        bool done = false;
        view().page()->toPlainText([&](const QString& shown) { text = shown, done = true; });
        return eventually([&] { return done; }) ? text : QStringLiteral("(no answer)");
    }

private slots:
    void init() {
        data_->writePage("welcome.htm", "welcome",
                         QStringLiteral("<p>ПАМЕТ и памет, пАмЕт. AGP</p><p hidden>памет</p>"));
        data_->writePage("AGP.htm", "AGP", QStringLiteral("<p>памет</p>"));
        openMainWindow(QStringLiteral("welcome"));
        QVERIFY(view().hasFocus());
    }

    void cleanup() { closeMainWindow(); }

    // Each way of naming a file outside Data, from a page or from the program, ends on
    // our notice and shows nothing of the file; the same ways to a page inside show it.
    void showsTheDataFolderAndNothingBeyondIt_data() {
        QTest::addColumn<QString>("target");
        QTest::addColumn<bool>("fromAPage");
        QTest::addColumn<QString>("title");
        const char* const missing = "Страницата липсва";
        const char* const outside = "Извън енциклопедията";
        const char* const unreadable = "Страницата не може да бъде прочетена";
        const QString dots = QStringLiteral("%2e%2e/").repeated(12);
        const QString slashes = QStringLiteral("..%2f").repeated(12);
        const std::tuple<const char*, QString, bool, const char*> rows[] = {
            {"inside, relative", "AGP.htm", true, "AGP"},
            {"inside, by path", "@DATA@/AGP.htm", false, "AGP"},
            {"inside, file address", "file://@DATA@/AGP.htm", false, "AGP"},
            {"link in and out", "same.htm", true, "AGP"},
            {"missing", "nosuch.htm", true, missing},
            {"climbing relative", QStringLiteral("../").repeated(16) + "secret.htm", true, missing},
            {"absolute address", "orvanta:/etc/passwd", true, missing},
            {"encoded dots", "orvanta:/" + dots + "secret.htm", true, missing},
            {"encoded slashes", "orvanta:/" + slashes + "secret.htm", true, outside},
            {"a host", "orvanta://localhost/secret.htm", true, outside},
            {"link out", "out.htm", true, outside},
            {"path outside", "@DATA@/../secret.htm", false, outside},
            {"file address outside", "file://@DATA@/../secret.htm", false, outside},
            {"a pipe", "pipe.htm", true, unreadable},
            {"a download", "archive.zip", true, unreadable}};
        for (const auto& [row, target, fromAPage, title] : rows)
            QTest::newRow(row) << target << fromAPage << QString::fromUtf8(title);
    }

    void showsTheDataFolderAndNothingBeyondIt() {
        QFETCH(QString, target);
        QFETCH(bool, fromAPage);
        QFETCH(QString, title);
        target.replace(QStringLiteral("@DATA@"), data_->folder());
        const QByteArray secret = "outside " + QUuid::createUuid().toByteArray();
        data_->write("../secret.htm", "<title>" + secret + "</title>" + secret);
        data_->write("archive.zip", "PK");
        QFile::link(data_->path("../secret.htm"), data_->path("out.htm"));
        QFile::link(data_->path("AGP.htm"), data_->path("same.htm"));
        mkfifo(QFile::encodeName(data_->path("pipe.htm")).constData(), 0600);
        data_->writePage("go.htm", "go",
                         "<meta http-equiv=\"refresh\" content=\"0; url=" + target + "\">");
        view().Navigate(fromAPage ? data_->path("go.htm") : target);
        QVERIFY2(settles(view(), title), qPrintable(view().title()));
        const QString shown = shownText();
        QVERIFY(shown.contains(title) && !shown.contains(QString::fromLatin1(secret)));
        if (title == QStringLiteral("Страницата липсва")) // the notice names the file
            QVERIFY(shown.contains(target.section(u'/', -1)));
    }

    // An unknown host and a refused connection: our notice names the address.
    void aSiteThatCannotBeReachedSaysSo() {
        for (const char* site : {"https://orvanta.invalid/", "http://127.0.0.1:9/"}) {
            view().Navigate(QString::fromLatin1(site));
            QVERIFY(settles(view(), "Сайтът не може да бъде достигнат"));
            QVERIFY(shownText().contains(QUrl(QString::fromLatin1(site)).toDisplayString()));
            QVERIFY(view().GoBack() && settles(view(), "welcome"));
        }
    }

    // A mail link hands nothing to another program; a page's link is followed.
    void linksOfOtherSchemesOpenNothing() {
        HandOverSpy spy;
        data_->writePage("links.htm", "links",
                         QStringLiteral("<a href=\"AGP.htm\" %1>в</a><a href=\"mailto:a@b.bg\" %1>"
                                        "писмо</a>")
                             .arg(QStringLiteral("style=\"display:block;height:60px\"")));
        open(QStringLiteral("links"));
        for (const QPoint at : {QPoint(20, 80), QPoint(20, 140)}) {
            QTest::mouseMove(view().focusProxy(), at);
            QTest::mouseClick(view().focusProxy(), Qt::LeftButton, {}, at);
            if (at.y() == 80)
                QVERIFY(settles(view(), "AGP") && view().GoBack() && settles(view(), "links"));
        }
        QTest::qWait(1000);
        QCOMPARE(spy.handedOver, QStringList());
        QCOMPARE(view().title(), QStringLiteral("links"));
    }

    // A dead renderer is replaced: the page is loaded again twice, then the notice;
    // after that the view says so itself and loads nothing until asked for a page.
    void aRendererThatKeepsDyingIsGivenUpOn() {
        QLabel* failure = control<QLabel>(main_.get(), "engineFailure");
        QSignalSpy loads(view().page(), &QWebEnginePage::loadStarted);
        const auto crash = [this] {
            emit view().page()->renderProcessTerminated(QWebEnginePage::CrashedTerminationStatus,
                                                        9);
        };
        crash(), crash(), crash();
        QCoreApplication::processEvents(); // twice the page again, then the notice
        QVERIFY(!failure->isVisible());
        crash();
        QTRY_VERIFY(failure->isVisible());
        QCOMPARE(failure->geometry(), view().rect());
        QTest::qWait(300); // what was started before has started by now
        const qsizetype loadsBefore = loads.count();
        QTest::qWait(500);
        QCOMPARE(loads.count(), loadsBefore);
        open(QStringLiteral("AGP"));
        QVERIFY(!failure->isVisible());
    }

    // Case-blind, visible text only, both ways, by keys and buttons; Escape ends it all.
    void findStepsBothWaysAndEnds() {
        find(QStringLiteral("пАМет"));
        QTRY_COMPARE(count(), QStringLiteral("1 от 3"));
        for (const auto& [key, expected] : {std::pair{Qt::Key_F3 | Qt::NoModifier, "2 от 3"},
                                            {Qt::SHIFT | Qt::Key_F3, "1 от 3"},
                                            {Qt::SHIFT | Qt::Key_Return, "3 от 3"},
                                            {Qt::Key_Return | Qt::NoModifier, "1 от 3"}}) {
            press(key);
            QTRY_COMPARE(count(), QString::fromUtf8(expected));
        }
        ::click(main_.get(), "findNext");
        QTRY_COMPARE(count(), QStringLiteral("2 от 3"));
        QTRY_VERIFY(highlightedPixels(view()) > 0);
        press(Qt::Key_Escape);
        QVERIFY(!findBar()->isVisible() && view().hasFocus());
        QTRY_COMPARE(highlightedPixels(view()), 0);
        find(QStringLiteral("липсва"));
        QTRY_COMPARE(count(), QStringLiteral("Няма съвпадения"));
        ::click(main_.get(), "findClose");
        QVERIFY(!findBar()->isVisible());
    }

    // The image buttons take no keys; from the find bar the view's keys act as well.
    void keysActOnlyWhileTheViewHasTheFocus() {
        view().clearFocus();
        QVERIFY(!QApplication::focusWidget());
        for (const QKeyCombination key : {Qt::CTRL | Qt::Key_F, Qt::CTRL | Qt::Key_Plus})
            QTest::keyClick(main_.get(), key.key(), key.keyboardModifiers());
        QVERIFY(!findBar()->isVisible());
        QCOMPARE(view().zoomFactor(), 1.0);
        view().setFocus();
        press(Qt::CTRL | Qt::Key_F);
        QVERIFY(findBar()->isVisible());
        press(Qt::CTRL | Qt::Key_Plus);
        QCOMPARE(view().zoomFactor(), 1.1);
    }

    // Written whole; a renderer killed while it prints costs that print only: no file
    // or a whole one, and the view recovers. Not killed at once: a renderer that dies
    // before it has answered the engine's first print message takes Qt 6.4's engine down.
    void printsToAPdfFileChosenInTheDialog() {
        QTemporaryDir folder;
        const QString pdf = folder.filePath("page.pdf");
        QSignalSpy printed(view().findChild<PagePrinter*>(), &PagePrinter::finished);
        for (int runs = 1; const int killAfter : {-1, 200}) {
            QFile::remove(pdf);
            main_->activateWindow(); // not done by the offscreen platform itself
            QVERIFY(QTest::qWaitForWindowActive(main_.get()));
            whenShown<QPrintDialog>(this, [pdf](QPrintDialog* dialog) {
                dialog->findChild<QLineEdit*>(QStringLiteral("filename"))->setText(pdf);
                dialog->accept();
            });
            press(Qt::CTRL | Qt::Key_P);
            if (killAfter >= 0) { // a renderer comes back after the last kill: pid 0 is none
                QTest::qWait(killAfter);
                QVERIFY(eventually([this] { return view().page()->renderProcessPid() > 0; }));
                ::kill(pid_t(view().page()->renderProcessPid()), SIGKILL);
            }
            QTRY_COMPARE_WITH_TIMEOUT(printed.count(), runs, 90000);
            QFile file(pdf);
            const QByteArray bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : "";
            const bool whole = bytes.startsWith("%PDF-") && bytes.trimmed().endsWith("%%EOF");
            QCOMPARE(printed.last().at(0).toBool(), whole);
            QVERIFY(whole || killAfter >= 0);
            QVERIFY(settles(view(), "welcome"));
            ++runs;
        }
    }

    // The buttons left to right, then the view (no shapes, lines or tile), the find bar
    // while it shows; Home pressed from a screen reader does what its click does.
    void screenReadersMeetAWindowOfButtons() {
        QAccessibleInterface* window = QAccessible::queryAccessibleInterface(main_.get());
        QCOMPARE(window->text(QAccessible::Name), QStringLiteral("Orvanta 1.3"));
        const auto children = [window] {
            QStringList names;
            for (int i = 0; i < window->childCount(); ++i)
                names << window->child(i)->object()->objectName();
            return names;
        };
        QStringList expected{"GoBack",    "GoForw",     "Home",        "imgSearch",
                             "Transpe",   "cmdHistory", "cmdHardware", "cmdPeri",
                             "cmdInterf", "cmdNet",     "cmdAbout",    "cmdExit"};
        QCOMPARE(children(), expected << "RTFInfo");
        press(Qt::CTRL | Qt::Key_F);
        QCOMPARE(children(), expected << "findBar");
        QCOMPARE(window->child(13)->role(), QAccessible::ToolBar);
        open(QStringLiteral("AGP"));
        QAccessible::queryAccessibleInterface(control<QWidget>(main_.get(), "Home"))
            ->actionInterface()
            ->doAction(QAccessibleActionInterface::pressAction());
        QVERIFY(settles(view(), "welcome", 2));
    }

    // While a screen reader listens, the page is its text, line by line as a listener
    // needs it; a link follows on its action.
    void screenReadersReadThePageAsText() {
        data_->writePage("AGP.htm", "AGP",
                         QStringLiteral("<h2>Версии</h2><ul><li>първа</li><li>втора</li></ul>"
                                        "<table><caption>Режими</caption><tr><th></th><th>Скорост"
                                        "</th></tr><tr><td>1×</td><td>266 MB/s</td></tr></table>"
                                        "<figure><img alt=\"Карта.\"><figcaption>Фиг. 1"
                                        "</figcaption></figure><p style=\"display:none\">скрит</p>"
                                        "<p>Към <a href=\"welcome.htm\">началото</a>.</p>"));
        open(QStringLiteral("AGP"));
        QAccessible::setActive(true);
        QAccessibleInterface* page = nullptr;
        QVERIFY(eventually([&] {
            page = QAccessible::queryAccessibleInterface(view().focusProxy());
            return page->role() == QAccessible::Document && page->childCount() == 1;
        }));
        QAccessible::setActive(false);
        QCOMPARE(page->text(QAccessible::Name), QStringLiteral("AGP"));
        QCOMPARE(page->textInterface()->text(0, page->textInterface()->characterCount()),
                 QStringLiteral("AGP\nВерсии – заглавие, ниво 2\nСписък с 2 точки.\n1. първа\n"
                                "2. втора\nТаблица „Режими“ с 1 ред и 2 колони.\n"
                                "1× – Скорост: 266 MB/s\nКрай на таблицата.\n"
                                "Рисунка: Карта. Фиг. 1\nКъм началото."));
        QCOMPARE(page->child(0)->text(QAccessible::Name), QStringLiteral("началото"));
        page->child(0)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QVERIFY(settles(view(), "welcome"));
    }
};

TELVANE_TEST_MAIN(TestHtmlView)
#include "tst_htmlView.moc"

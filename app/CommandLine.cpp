#include "app/CommandLine.h"

#include "app/ApplicationSetup.h"
#include "catalogue/Catalogue.h"
#include "catalogue/PageFiles.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>
#include <QTextStream>
#include <algorithm>
#include <cstdio>

namespace {

// Prints the Data folder the windows would show and whether its start page is there.
int checkData(QTextStream& out) {
    const QString folder = catalogue::dataFolder();
    const QString start = catalogue::pagePath(folder, catalogue::startStem);
    const bool found = QFileInfo(start).isFile();
    out << "Папка с данни: " << folder << '\n'
        << (found ? "Началната страница е налице: " : "Началната страница липсва: ") << start
        << '\n';
    return found ? 0 : 1;
}

bool isSet(const char* name) {
    return !qEnvironmentVariableIsEmpty(name);
}

// The options of QGuiApplication, QApplication and the X11 platform, with or
// without a second dash; the first group takes the argument after it.
constexpr QStringView qtOptionsWithValue[] = {u"platform",
                                              u"platformpluginpath",
                                              u"platformtheme",
                                              u"plugin",
                                              u"qwindowgeometry",
                                              u"qwindowicon",
                                              u"qwindowtitle",
                                              u"geometry",
                                              u"title",
                                              u"icon",
                                              u"session",
                                              u"style",
                                              u"stylesheet",
                                              u"display",
                                              u"name",
                                              u"visual"};
constexpr QStringView qtFlags[] = {u"reverse", u"testability", u"widgetcount", u"nograb",
                                   u"dograb"};
// Those that take their value after "=".
constexpr QStringView qtOptionsWithJoinedValue[] = {u"style=", u"stylesheet=", u"qmljsdebugger="};

template <typename Names> bool among(const Names& names, QStringView option) {
    return std::find(std::begin(names), std::end(names), option) != std::end(names);
}

} // namespace

std::optional<int> answerCommandLine(int& argc, char** argv) {
    // Qt's own texts in the help and in the errors are translated only while
    // an application object exists; a QCoreApplication needs no display.
    QCoreApplication app(argc, argv);
    setUpApplication(app);
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Orvanta 1.3 — офлайн енциклопедия за компютърния хардуер и историята на "
                       "компютрите."));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Показва тази помощ."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Показва версията на програмата."));
    const QCommandLineOption checkDataOption(
        QStringLiteral("check-data"),
        QStringLiteral("Показва папката с данни на програмата и дали началната страница е в нея."));
    parser.addOptions({help, version, checkDataOption});

    QTextStream out(stdout);
    QTextStream err(stderr);
    const QString name = QStringLiteral("telvane");
    const ProgramArguments arguments = withoutQtOptions(QCoreApplication::arguments());
    const bool parsed = parser.parse(arguments.ours);
    if (!parsed || !parser.positionalArguments().isEmpty()) {
        err << name << ": "
            << (parsed ? QStringLiteral("Неочакван аргумент: „%1“.")
                             .arg(parser.positionalArguments().constFirst())
                       : parser.errorText())
            << '\n'
            << "Вижте „" << name << " --help“.\n";
        return 2;
    }
    if (parser.isSet(help)) {
        out << parser.helpText();
        return 0;
    }
    if (parser.isSet(version)) {
        out << QCoreApplication::applicationName() << ' ' << QCoreApplication::applicationVersion()
            << '\n';
        return 0;
    }
    if (parser.isSet(checkDataOption))
        return checkData(out);
    const QString platform =
        arguments.platform.isEmpty() ? qEnvironmentVariable("QT_QPA_PLATFORM") : arguments.platform;
    if (!displayReachable(platform, isSet("DISPLAY"), isSet("WAYLAND_DISPLAY"))) {
        err << name
            << ": не е намерен дисплей (DISPLAY за X11 или WAYLAND_DISPLAY за Wayland); "
               "стартирайте програмата от графична сесия.\n";
        return 1;
    }
    return std::nullopt;
}

bool displayReachable(QStringView platform, bool x11Display, bool waylandDisplay) {
    if (platform.isEmpty())
        return x11Display || waylandDisplay;
    for (const QStringView entry : platform.split(u';')) {
        // A platform may carry its options after a colon: "xcb:nograb".
        const QStringView name = entry.left(entry.indexOf(u':'));
        if (name == u"xcb" ? x11Display : name.startsWith(u"wayland") ? waylandDisplay : true)
            return true;
    }
    return false;
}

ProgramArguments withoutQtOptions(const QStringList& arguments) {
    ProgramArguments result;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments.at(i);
        const QStringView option = QStringView(argument).mid(argument.startsWith(u"--") ? 2 : 1);
        const bool isOption = i > 0 && argument.startsWith(u'-');
        const auto joinedValue = [option](QStringView name) { return option.startsWith(name); };
        if (isOption && among(qtOptionsWithValue, option) && i + 1 < arguments.size()) {
            if (option == u"platform")
                result.platform = arguments.at(i + 1);
            ++i; // its value is Qt's too
        } else if (isOption && (among(qtFlags, option) ||
                                std::ranges::any_of(qtOptionsWithJoinedValue, joinedValue))) {
            continue;
        } else {
            result.ours << argument;
        }
    }
    return result;
}

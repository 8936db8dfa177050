#include "app/startup.h"

#include "app/application.h"

#include <QApplication>
#include <QCommandLineParser>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>

#include <langinfo.h>
#include <locale.h>

namespace tuvo {

namespace {

const char help[] = "Utilisation : tuvo [option] [nombre]\n"
                    "Convertit les nombres de 1 à 3999 entre chiffres arabes et chiffres romains,\n"
                    "dans une fenêtre : on tape le nombre d'un côté et on clique sur la flèche\n"
                    "qui pointe vers l'autre. Avec un nombre (1994, MCMXCIV), la fenêtre s'ouvre\n"
                    "avec ce nombre tapé et converti.\n"
                    "\n"
                    "Options :\n"
                    "  -h, --help     affiche cette aide et quitte\n"
                    "  -v, --version  affiche la version et quitte\n";

// The options that Qt 6.4 takes with a value as it starts: its own, the X11
// platform's and the widgets'. Qt reads one or two leading dashes alike.
const char *const qtOptionsWithValue[] = {
    "platform", "platformpluginpath", "platformtheme", "plugin", "session",
    "qwindowgeometry", "qwindowtitle", "qwindowicon", "geometry", "title", "icon",
    "display", "name", "visual", "style", "stylesheet",
};

// Set once Qt has said that the display it tried, X11 or Wayland, did not
// answer (in Qt 6.4, the xcb plugin in its own category, the Wayland one in
// these words); any thread may send a message.
std::atomic<bool> displayUnreachable = false;
QtMessageHandler passOn = nullptr;

// Qt chooses the window system itself (Wayland, X11, or what QT_QPA_PLATFORM
// names) and, when none starts, says so in English and aborts with a core
// dump. Its messages are passed on as they come; its fatal one is met with a
// French sentence and status 1: that no display, X11 or Wayland, answers, or,
// when one did, that Qt could start no platform, followed by Qt's reason.
void explainFatal(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if ((context.category && std::strcmp(context.category, "qt.qpa.xcb") == 0)
        || text.startsWith(QLatin1String("Failed to create wl_display")))
        displayUnreachable = true;
    if (type != QtFatalMsg) {
        passOn(type, context, text);
        return;
    }
    if (displayUnreachable) {
        std::fputs("Tuvo ne peut pas ouvrir sa fenêtre : aucun affichage graphique, X11 ou "
                   "Wayland, n'est joignable.\n", stderr);
    } else {
        std::fputs("Tuvo ne peut pas ouvrir sa fenêtre : Qt n'a pu démarrer aucun module "
                   "d'affichage. Qt explique :\n", stderr);
        std::fputs(qPrintable(qFormatLogMessage(type, context, text) + '\n'), stderr);
    }
    std::_Exit(1);
}

// Qt 6.4 takes the locale as it finds it. Where none is set (a container, a
// fresh system), Xlib would give X11 window managers the title's "è" in the
// C locale's encoding: the characters are then taken as UTF-8, as Qt takes
// them everywhere else. A locale whose characters are UTF-8 already is left
// alone, as Xlib gives some (pt_BR, cs_CZ, el_GR...) compose tables of their
// own, and an LC_ALL that the user set still has the last word.
void useUtf8Characters()
{
    // Asked of the environment without changing the program's own locale.
    const locale_t asked = newlocale(LC_CTYPE_MASK, "", locale_t(0));
    const bool utf8 = asked && std::strcmp(nl_langinfo_l(CODESET, asked), "UTF-8") == 0;
    if (asked)
        freelocale(asked);
    if (!utf8 && qEnvironmentVariableIsEmpty("LC_ALL"))
        qputenv("LC_CTYPE", "C.UTF-8"); // Qt sets the locale from the environment
}

// GNOME draws no title bar for Wayland clients, where Qt then draws its own,
// unlike any other window, and places their windows itself. Through Xwayland,
// as on X11, Tuvo gets GNOME's title bar with its close button, opens centred
// and follows GNOME's text scaling. So on GNOME's Wayland session, with an X
// display there and no platform named by the user (QT_QPA_PLATFORM or
// -platform), Qt is asked for X11. A -platform option, which Qt reads after
// QT_QPA_PLATFORM, still has the last word.
void preferXwaylandOnGnome()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !qEnvironmentVariableIsEmpty("DISPLAY")
        && qgetenv("XDG_SESSION_TYPE") == "wayland"
        && qgetenv("XDG_CURRENT_DESKTOP").split(':').contains("GNOME"))
        qputenv("QT_QPA_PLATFORM", "xcb");
}

// Whatever Qt left, but one number to convert, refused: an option as it was
// typed, or a second argument.
std::optional<int> refuseWhatQtLeft(const QApplication &application, QString &number)
{
    // It knows no option (--help and --version were answered): any word that
    // starts with a dash, but "-" alone, is an unknown one.
    QCommandLineParser parser;
    const QStringList arguments = application.arguments();
    QString sentence;
    if (!parser.parse(arguments)) {
        // The first option before any "--", as no option is known here.
        const auto typed = std::find_if(arguments.begin() + 1, arguments.end(), [](const QString &a) {
            return a.startsWith('-') && a != QLatin1String("-");
        });
        sentence = QStringLiteral("tuvo : option inconnue « %1 » ; tuvo --help donne la liste.\n")
                       .arg(*typed);
    } else if (parser.positionalArguments().size() > 1) {
        sentence = QStringLiteral("tuvo : argument inattendu « %1 » ; tuvo en prend un au plus.\n")
                       .arg(parser.positionalArguments().at(1));
    } else {
        number = parser.positionalArguments().value(0);
        return std::nullopt;
    }
    std::fputs(sentence.toLocal8Bit().constData(), stderr);
    return 2;
}

} // namespace

CommandLine startBeforeQt(int argc, char *argv[])
{
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    for (const char *name : qtOptionsWithValue)
        parser.addOption(QCommandLineOption(QLatin1String(name), QString(), QStringLiteral("value")));
    const QCommandLineOption helpOption(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption versionOption(QStringList{QStringLiteral("v"), QStringLiteral("version")});
    parser.addOptions({helpOption, versionOption});
    QStringList arguments;
    std::transform(argv, argv + argc, std::back_inserter(arguments),
                   [](const char *argument) { return QString::fromLocal8Bit(argument); });
    parser.parse(arguments); // the options Qt takes without a value are unknown here, and harmless

    if (parser.isSet(helpOption)) {
        std::fputs(help, stdout);
        return {0};
    }
    if (parser.isSet(versionOption)) {
        std::fputs("Tuvo " TUVO_VERSION "\n", stdout);
        return {0};
    }
    useUtf8Characters();
    preferXwaylandOnGnome();
    passOn = qInstallMessageHandler(explainFatal);
    // X11's geometry, "WxH+X+Y", has a position when it has a sign.
    const QString geometry = parser.value(QStringLiteral("geometry"))
        + parser.value(QStringLiteral("qwindowgeometry"));
    return {std::nullopt, geometry.contains('+') || geometry.contains('-')};
}

std::optional<int> startWithQt(QApplication &application, QString &number)
{
    if (const auto refused = refuseWhatQtLeft(application, number))
        return refused;
    prepareApplication(application);
    return std::nullopt;
}

} // namespace tuvo

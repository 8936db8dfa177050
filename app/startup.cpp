#include "app/startup.h"

#include <QApplication>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <vector>

namespace tuvo {

namespace {

const char help[] = "Utilisation : tuvo [option]\n"
                    "Convertit les nombres de 1 à 3999 entre chiffres arabes et chiffres romains,\n"
                    "dans une fenêtre : on tape le nombre d'un côté et on clique sur la flèche\n"
                    "qui pointe vers l'autre.\n"
                    "\n"
                    "Options :\n"
                    "  -h, --help     affiche cette aide et quitte\n"
                    "  -v, --version  affiche la version et quitte\n";

bool given(int argc, char *argv[], const char *shortName, const char *longName)
{
    return std::any_of(argv + 1, argv + argc, [=](const char *argument) {
        return std::strcmp(argument, shortName) == 0 || std::strcmp(argument, longName) == 0;
    });
}

struct HeldMessage
{
    QtMsgType type;
    QByteArray category;
    QString text;
};

std::mutex heldLock;
std::vector<HeldMessage> heldMessages; // under heldLock
bool released = false;                 // under heldLock
QtMessageHandler passOn = nullptr;

// Qt ends with a fatal message when no platform plugin starts. When the one
// it tried found no display, X11 or Wayland, it said so first (in Qt 6.4, the
// xcb plugin in its own category, the Wayland one in these words); for any
// other cause Qt's own account follows the sentence: a plugin that does not
// exist, and the plugins there are.
bool displayUnreachable()
{
    return std::any_of(heldMessages.begin(), heldMessages.end(), [](const HeldMessage &message) {
        return message.category == "qt.qpa.xcb"
            || message.text.startsWith(QLatin1String("Failed to create wl_display"));
    });
}

void printHeld(const HeldMessage &message)
{
    QMessageLogContext context;
    context.category = message.category.constData();
    std::fputs(qPrintable(qFormatLogMessage(message.type, context, message.text) + '\n'), stderr);
}

void holdMessage(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    const std::lock_guard lock(heldLock);
    if (released) {
        passOn(type, context, text);
        return;
    }
    heldMessages.push_back({type, context.category, text});
    if (type != QtFatalMsg)
        return;
    if (displayUnreachable()) {
        std::fputs("Tuvo ne peut pas ouvrir sa fenêtre : aucun affichage graphique, X11 ou "
                   "Wayland, n'est joignable.\n", stderr);
    } else {
        std::fputs("Tuvo ne peut pas ouvrir sa fenêtre : Qt n'a pu démarrer aucun module "
                   "d'affichage. Qt explique :\n", stderr);
        std::for_each(heldMessages.begin(), heldMessages.end(), printHeld);
    }
    std::_Exit(1);
}

} // namespace

std::optional<int> answerHelpOrVersion(int argc, char *argv[])
{
    if (given(argc, argv, "-h", "--help")) {
        std::fputs(help, stdout);
        return 0;
    }
    if (given(argc, argv, "-v", "--version")) {
        std::fputs("Tuvo " TUVO_VERSION "\n", stdout);
        return 0;
    }
    return std::nullopt;
}

std::optional<int> refuseWhatQtLeft(const QApplication &application)
{
    const QStringList left = application.arguments().mid(1);
    if (left.isEmpty())
        return std::nullopt;
    const QString sentence = left.constFirst().startsWith('-')
        ? QStringLiteral("tuvo : option inconnue « %1 » ; tuvo --help donne la liste.\n")
        : QStringLiteral("tuvo : argument inattendu « %1 » ; tuvo n'en prend aucun.\n");
    std::fputs(sentence.arg(left.constFirst()).toLocal8Bit().constData(), stderr);
    return 2;
}

void useUtf8Characters()
{
    qputenv("LC_CTYPE", "C.UTF-8"); // Qt sets the locale from the environment
}

// A -platform option, which Qt reads after QT_QPA_PLATFORM, still has the last word.
void preferXwaylandOnGnome()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !qEnvironmentVariableIsEmpty("DISPLAY")
        && qgetenv("XDG_SESSION_TYPE") == "wayland"
        && qgetenv("XDG_CURRENT_DESKTOP").split(':').contains("GNOME"))
        qputenv("QT_QPA_PLATFORM", "xcb");
}

void holdMessagesUntilConnected()
{
    passOn = qInstallMessageHandler(holdMessage);
}

void releaseMessages()
{
    std::vector<HeldMessage> held;
    {
        const std::lock_guard lock(heldLock);
        released = true;
        held.swap(heldMessages);
    }
    // The handler stays: from now on it passes every message straight on.
    for (const HeldMessage &message : held) {
        QMessageLogContext context;
        context.category = message.category.constData();
        passOn(message.type, context, message.text);
    }
}

} // namespace tuvo

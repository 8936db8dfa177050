#include "app/application.h"

#include "ui/fonts.h"
#include "ui/temple.h"

#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QSocketNotifier>
#include <QTranslator>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include <unistd.h>

namespace tuvo {

namespace {

struct HeldMessage
{
    QtMsgType type;
    QByteArray category;
    QString text;
};

std::vector<HeldMessage> heldMessages;
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

int terminationPipe[2] = {-1, -1};

void onTermination(int)
{
    const char byte = 1;
    [[maybe_unused]] const auto written = ::write(terminationPipe[1], &byte, sizeof byte);
}

} // namespace

void catchTermination()
{
    if (::pipe(terminationPipe) != 0)
        return;
    struct sigaction action = {};
    action.sa_handler = onTermination; // blocking nothing else: on Linux, {} is the empty set
    action.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
}

void closeOnTermination(QApplication &application)
{
    if (terminationPipe[0] < 0)
        return;
    auto *notifier = new QSocketNotifier(terminationPipe[0], QSocketNotifier::Read, &application);
    QObject::connect(notifier, &QSocketNotifier::activated, &application, &QApplication::quit);
}

void preferXwaylandOnGnome(int argc, char *argv[])
{
    if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") || qEnvironmentVariableIsEmpty("DISPLAY")
        || qgetenv("XDG_SESSION_TYPE") != "wayland"
        || !qgetenv("XDG_CURRENT_DESKTOP").split(':').contains("GNOME"))
        return;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "-platform") == 0 || std::strcmp(argv[i], "--platform") == 0)
            return;
    }
    qputenv("QT_QPA_PLATFORM", "xcb");
}

void holdMessagesUntilConnected()
{
    passOn = qInstallMessageHandler(holdMessage);
}

void releaseMessages()
{
    qInstallMessageHandler(passOn);
    for (const HeldMessage &message : heldMessages) {
        QMessageLogContext context;
        context.category = message.category.constData();
        qt_message_output(message.type, context, message.text); // to the handler restored
    }
}

void prepareApplication(QApplication &application)
{
    QApplication::setApplicationName(QStringLiteral("Tuvo"));
    // Wayland compositors find the menu entry, and its icon, by this name.
    QApplication::setDesktopFileName(QStringLiteral("fr.tuvo.tuvo"));
    QApplication::setWindowIcon(templeIcon());

    useDesignFaces();

    // The fields' context menu is how a user pastes: it speaks French too,
    // whatever the system's language.
    auto *translator = new QTranslator(&application);
    if (translator->load(QStringLiteral("qtbase_fr"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(translator);
}

} // namespace tuvo

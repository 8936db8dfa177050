#pragma once

#include <optional>

class QApplication;

namespace tuvo {

// What happens before the main window opens.

// Tuvo takes no arguments of its own: only --help and --version, answered in
// French on standard output without opening a window, so that they work where
// there is no display. Gives the exit status when the program ends here.
std::optional<int> answerHelpOrVersion(int argc, char *argv[]);

// Qt takes its own options (-platform, -geometry, -style...) out of the
// command line as it starts; whatever is left is an option Tuvo does not know
// or an argument, named as typed in a French sentence, and the exit status 2.
std::optional<int> refuseWhatQtLeft(const QApplication &application);

// Qt 6.4 takes the locale as it finds it. Where none is set (a container, a
// fresh system), Xlib would give X11 window managers the title's "è" in the
// C locale's encoding: the characters are taken as UTF-8, as Qt takes them
// everywhere else. Only the character set changes: Qt reads nothing else
// from LC_CTYPE, Xlib and its compose tables take every UTF-8 locale to the
// same files, and an LC_ALL that the user set still has the last word.
void useUtf8Characters();

// GNOME draws no title bar for Wayland clients, where Qt then draws its own,
// unlike any other window, and places their windows itself. Through Xwayland,
// as on X11, Tuvo gets GNOME's title bar with its close button, opens centred
// and follows GNOME's text scaling. So on GNOME's Wayland session, with an X
// display there and no platform named by the user (QT_QPA_PLATFORM or
// -platform), Qt is asked for X11.
void preferXwaylandOnGnome();

// Qt chooses the window system itself (Wayland, X11, or what QT_QPA_PLATFORM
// names) and, when none starts, says so in English and aborts with a core
// dump. Between these two calls, made around the construction of the
// application, its messages are held back, whatever thread sends them. If no
// display answers, Tuvo says so in one French sentence; if Qt fails for
// another reason, a French sentence comes before Qt's own account; both exit
// with status 1. Otherwise the messages are passed on as they came, and
// every later one at once.
void holdMessagesUntilConnected();
void releaseMessages();

} // namespace tuvo

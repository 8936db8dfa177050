#pragma once

class QApplication;

namespace tuvo {

// Qt chooses the window system itself (Wayland, X11, or what QT_QPA_PLATFORM
// names) and, when none starts, says so in English and aborts with a core
// dump. Between these two calls, made around the construction of the
// application, its messages are held back. If no display answers, Tuvo says
// so in one French sentence; if Qt fails for another reason, a French
// sentence comes before Qt's own account; both exit with status 1. Otherwise
// the messages are passed on as they came.
void holdMessagesUntilConnected();

// GNOME draws no title bar for Wayland clients, where Qt then draws its own,
// unlike any other window, and places their windows itself. Through Xwayland,
// as on X11, Tuvo gets GNOME's title bar with its close button, opens centred
// and follows GNOME's text scaling. So on GNOME's Wayland session, with an X
// display there and no platform named by the user (QT_QPA_PLATFORM or
// -platform), Qt is asked for X11.
void preferXwaylandOnGnome(int argc, char *argv[]);
void releaseMessages();

// What every window of the program shares: its name, the temple icon, the
// faces that stand in for the design's fonts, and Qt's own texts in French.
void prepareApplication(QApplication &application);

// A session that ends, or Ctrl+C in a terminal, closes the windows and ends
// the program with status 0, as closing them by hand would. A signal handler
// may do next to nothing, so it only writes to a pipe, which the event loop
// watches. The signals are caught first thing, so that one that comes while
// Qt starts waits in the pipe until the loop runs.
void catchTermination();
void closeOnTermination(QApplication &application);

} // namespace tuvo

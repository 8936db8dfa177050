#pragma once

#include <optional>

class QApplication;

namespace tuvo {

// How the program starts, on either side of the construction of Qt's
// application: main() calls startBeforeQt(), then startWithQt().

struct CommandLine
{
    // The exit status, when --help or --version was answered.
    std::optional<int> answered;
    // Qt's -geometry gave a position: Qt puts the window there, unmoved.
    bool positionGiven = false;
};

// Answers --help and --version in French on standard output, without opening
// a window, so that they work where there is no display; reads Qt's own
// options only to skip their values (tuvo -title -v opens a window titled
// "-v"). Then takes the characters as UTF-8, chooses Xwayland on GNOME and
// explains in French why no window opens, each below.
CommandLine startBeforeQt(int argc, char *argv[]);

// Refuses, in a French sentence and with status 2, whatever Qt left on the
// command line: an option Tuvo does not know, or an argument. Gives that
// status, or prepares the application.
std::optional<int> startWithQt(QApplication &application);

// Qt 6.4 takes the locale as it finds it. Where none is set (a container, a
// fresh system), Xlib would give X11 window managers the title's "è" in the
// C locale's encoding: the characters are then taken as UTF-8, as Qt takes
// them everywhere else. A locale whose characters are UTF-8 already is left
// alone, as Xlib gives some (pt_BR, cs_CZ, el_GR...) compose tables of their
// own, and an LC_ALL that the user set still has the last word.
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
// dump. Its messages are passed on as they come; its fatal one is met with a
// French sentence and status 1: that no display, X11 or Wayland, answers, or,
// when one did, that Qt could start no platform, followed by Qt's reason.
void explainWhyNoWindow();

} // namespace tuvo

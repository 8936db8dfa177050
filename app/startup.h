#pragma once

#include <optional>

class QString;

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
// has Qt's fatal message explained in French.
CommandLine startBeforeQt(int argc, char *argv[]);

// Refuses, in a French sentence and with status 2, whatever Qt left on the
// command line but one number to convert: an option Tuvo does not know, or a
// second argument. Gives that status, or prepares the application and gives
// the number, if any, in `number`.
std::optional<int> startWithQt(QApplication &application, QString &number);

} // namespace tuvo

#pragma once

namespace tuvo {

// Tuvo takes no arguments of its own, only --help and --version, which are
// answered in French on standard output without opening a window, so that
// they work where there is no display. Qt's own options (-platform, -style,
// -display...) pass through to Qt. Returns the exit status when the program
// should end here, or -1 to go on and open the window.
int answerCommandLine(int argc, char *argv[]);

} // namespace tuvo

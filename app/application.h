#pragma once

class QApplication;

namespace tuvo {

// Whether Qt has a display to open: a platform chosen by QT_QPA_PLATFORM, or
// an X11 or Wayland display. Without one Qt would abort with a core dump.
bool displayAvailable();

// What every window of the program shares: its name and version, the temple
// icon, the faces that stand in for the design's fonts, and Qt's own texts in
// French.
void prepareApplication(QApplication &application);

// A session that ends, or Ctrl+C in a terminal, closes the windows and ends
// the program with status 0, as closing them by hand would. A signal handler
// may do next to nothing, so it only wakes the event loop through a pipe.
void closeOnTermination(QApplication &application);

} // namespace tuvo

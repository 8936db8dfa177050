#pragma once

class QApplication;

namespace tuvo {

// A session that ends, or Ctrl+C in a terminal, closes the windows and ends
// the program with status 0, as closing them by hand would. A signal handler
// may do next to nothing, so it only writes to a pipe, which the event loop
// watches. The signals are caught first thing, so that one that comes while
// Qt starts waits in the pipe until the loop runs.
void catchTermination();
void closeOnTermination(QApplication &application);

} // namespace tuvo

#pragma once

class QApplication;

namespace tuvo {

// What every window of the program shares: its name, the temple icon, the
// faces that stand in for the design's fonts, and Qt's own texts in French.
void prepareApplication(QApplication &application);

} // namespace tuvo

#pragma once

#include <QSize>

class QWidget;

namespace tuvo {

// Both windows are ordinary top-level windows, of a fixed size, with a title
// and a close button only (neither minimised nor maximised), and open centred
// on their screen. Neither is a dialog to the window manager: a dialog with
// no owner is made transient for the whole program on X11, and would then
// never go behind the main window.
void makeFixedWindow(QWidget *window, QSize size);
void centreOnScreen(QWidget *window);

} // namespace tuvo

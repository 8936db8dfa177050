#pragma once

#include <QSize>

class QWidget;

namespace tuvo {

// Both windows are ordinary top-level windows, of a fixed size, with a title
// and a close button only (neither minimised nor maximised). Neither is a
// dialog to the window manager: a dialog with no owner is made transient for
// the whole program on X11, and would then never go behind the main window.
void makeFixedWindow(QWidget *window, QSize size);

// Centres a window that is not shown yet on its screen's work area, frame
// included, once the window manager has framed it.
void centreOnScreen(QWidget *window);

} // namespace tuvo

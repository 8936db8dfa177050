#pragma once

#include <QSize>

class QWidget;

// Both windows are top-level, of a fixed size, with a title and a close
// button only (neither minimised nor maximised), and open centred on the
// screen.
void makeFixedWindow(QWidget *window, Qt::WindowType type, QSize size);
void centreOnScreen(QWidget *window);

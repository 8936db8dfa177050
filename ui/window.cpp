#include "ui/window.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

void makeFixedWindow(QWidget *window, bool dialog, QSize size)
{
    window->setWindowFlags((dialog ? Qt::Dialog : Qt::Window) | Qt::CustomizeWindowHint
                           | Qt::WindowTitleHint | Qt::WindowCloseButtonHint
                           | Qt::MSWindowsFixedSizeDialogHint);
    window->setFixedSize(size);
}

void centreOnScreen(QWidget *window)
{
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        window->move(screen->availableGeometry().center() - window->rect().center());
}

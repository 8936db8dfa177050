#include "ui/window.h"

#include <QScreen>
#include <QWidget>

namespace tuvo {

namespace {

void centreFrame(QWidget *window)
{
    if (const QScreen *screen = window->screen())
        window->move(screen->availableGeometry().center()
                     - QRect(QPoint(), window->frameGeometry().size()).center());
}

// A window manager frames a window only once it is shown: at the first event
// after that, the window is centred again, frame included, and the watch stops.
class FrameWatch : public QObject
{
public:
    using QObject::QObject;

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *window = static_cast<QWidget *>(watched);
        if (window->frameGeometry().size() != window->size()) {
            window->removeEventFilter(this); // the watch, the window's child, goes with it
            centreFrame(window);
        }
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

void makeFixedWindow(QWidget *window, QSize size)
{
    window->setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                           | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    window->setFixedSize(size);
}

void centreOnScreen(QWidget *window)
{
    centreFrame(window);
    window->installEventFilter(new FrameWatch(window));
}

} // namespace tuvo

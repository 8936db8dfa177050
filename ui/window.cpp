#include "ui/window.h"

#include <QApplication>
#include <QEvent>
#include <QScreen>
#include <QWidget>

namespace tuvo {

namespace {

void centreFrame(QWidget *window, const QMargins &frame)
{
    if (const QScreen *screen = window->screen())
        window->move(screen->availableGeometry().center()
                     - QRect(QPoint(), window->size().grownBy(frame)).center());
}

QMargins frameOf(const QWidget *window)
{
    const QRect frame = window->frameGeometry();
    const QRect inside = window->geometry();
    return {inside.left() - frame.left(), inside.top() - frame.top(),
            frame.right() - inside.right(), frame.bottom() - inside.bottom()};
}

// The window manager frames every window of the program alike, as all are
// ordinary windows of a fixed size: a window shown already tells the frame
// of the next, as it does for a Qt dialog placed over its owner.
QMargins knownFrame()
{
    for (const QWidget *shown : QApplication::topLevelWidgets()) {
        if (shown->isVisible() && !frameOf(shown).isNull())
            return frameOf(shown);
    }
    return {};
}

// A window manager frames a window once it is shown, and before it maps it:
// when the frame shows in an event, the window is centred again, frame
// included. By its first paint the window is mapped, framed or not (with no
// window manager, or on a platform that reports no frame): the watch ends
// there, either way.
class FrameWatch : public QObject
{
public:
    using QObject::QObject;

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *window = static_cast<QWidget *>(watched);
        const QMargins frame = frameOf(window);
        if (!frame.isNull() || event->type() == QEvent::Paint) {
            window->removeEventFilter(this);
            deleteLater();
            if (!frame.isNull())
                centreFrame(window, frame);
        }
        return false;
    }
};

} // namespace

void makeFixedWindow(QWidget *window, QSize size)
{
    window->setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                           | Qt::WindowCloseButtonHint);
    window->setFixedSize(size);
}

void centreOnScreen(QWidget *window)
{
    const QMargins frame = knownFrame();
    centreFrame(window, frame);
    if (frame.isNull())
        window->installEventFilter(new FrameWatch(window));
}

} // namespace tuvo

#include "ui/window.h"

#include <QApplication>
#include <QEvent>
#include <QScreen>
#include <QTimer>
#include <QWidget>

#include <chrono>

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

// A window manager frames a window once it is shown: when the frame shows in
// an event, the window is centred again, frame included, and the watch ends.
// Some frame it only after it is first painted (KWin, some 10 ms later); a
// window still unframed seconds after that has no window manager, or is on a
// platform that reports no frame, and the watch ends all the same.
class FrameWatch : public QObject
{
public:
    explicit FrameWatch(QWidget *window)
        : QObject(window)
    {
        window->installEventFilter(this);
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *window = static_cast<QWidget *>(watched);
        const QMargins frame = frameOf(window);
        if (!frame.isNull()) {
            centreFrame(window, frame);
            end();
        } else if (event->type() == QEvent::Paint && !m_painted) {
            m_painted = true;
            QTimer::singleShot(std::chrono::seconds(5), this, &FrameWatch::end);
        }
        return false;
    }

private:
    void end()
    {
        parent()->removeEventFilter(this);
        deleteLater();
    }

    bool m_painted = false;
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
        new FrameWatch(window); // the window's child, which ends itself
}

} // namespace tuvo

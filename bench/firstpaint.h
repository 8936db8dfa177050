#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QTimer>

// Quits the application once the window has been painted for the first time.
inline void quitAtFirstPaint(QObject &window)
{
    struct Watcher : QObject
    {
        using QObject::QObject;
        bool eventFilter(QObject *, QEvent *event) override
        {
            if (event->type() == QEvent::Paint)
                QTimer::singleShot(0, qApp, &QCoreApplication::quit);
            return false;
        }
    };
    window.installEventFilter(new Watcher(&window));
}

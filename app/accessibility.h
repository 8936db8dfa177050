#pragma once

// What a screen reader is told beyond what Qt tells it by itself. Qt announces
// a field's new text only to the field's own listeners, and Orca drops a change
// to a field that does not have the focus: after a click on an arrow the focus
// is on the arrow, so the answer would go unsaid. An Announcement, a child of
// the window that is never shown, says it instead, as a notification. And the
// fields report their text as one run, so that it is read to its end.

#include <QWidget>

namespace tuvo {

// The interfaces of the main window, its fields and its announcement, for
// whatever assistive technology asks. Installed once; costs nothing until
// something asks.
void installAccessibility();

class Announcement : public QWidget
{
    Q_OBJECT

public:
    explicit Announcement(QWidget *window);

    // Said at once, even when it is the same text as last time.
    void say(const QString &text);
};

} // namespace tuvo

#include "app/filterededit.h"

#include <QInputMethodEvent>
#include <QKeyEvent>

#include <limits>
#include <utility>

namespace tuvo {

namespace {

// Delete types DEL on X11, but it is an editing key here, not a character.
// (Tab and Backtab never get here: QWidget::event() moves the focus with them.)
bool typesCharacter(const QKeyEvent *event)
{
    return !event->text().isEmpty() && event->key() != Qt::Key_Delete;
}

} // namespace

FilteredEdit::FilteredEdit(const QString &text, KeyPress keyPress, QWidget *parent)
    : QLineEdit(text, parent), m_keyPress(std::move(keyPress))
{
    setMaxLength(std::numeric_limits<int>::max()); // the fields have no length limit
}

void FilteredEdit::keyPressEvent(QKeyEvent *event)
{
    if (!typesCharacter(event)) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    constexpr auto commandKeys = Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;
    const QString passed = event->modifiers() & commandKeys ? QString() : filtered(event->text());
    if (passed == event->text()) {
        QLineEdit::keyPressEvent(event);
    } else if (!passed.isEmpty()) {
        QKeyEvent rest(event->type(), event->key(), event->modifiers(), passed,
                       event->isAutoRepeat(), static_cast<ushort>(passed.size()));
        QLineEdit::keyPressEvent(&rest);
    }
    // Filtered out or not, the key goes no further: the event stays accepted.
}

// Dead keys and compose sequences arrive here rather than as key presses.
void FilteredEdit::inputMethodEvent(QInputMethodEvent *event)
{
    QInputMethodEvent rest(event->preeditString(), event->attributes());
    rest.setCommitString(filtered(event->commitString()), event->replacementStart(),
                         event->replacementLength());
    QLineEdit::inputMethodEvent(&rest);
}

QString FilteredEdit::filtered(const QString &typed) const
{
    QString passed;
    for (char32_t c : typed.toStdU32String()) {
        m_keyPress(c);
        if (c != 0)
            passed += QString::fromUcs4(&c, 1);
    }
    return passed;
}

} // namespace tuvo

#include "app/accessibility.h"

#include "app/filterededit.h"

#include <QAccessibleWidget>

#include <mutex>

namespace tuvo {

namespace {

// A field as Qt's own line edit reports it, but for its text attributes: Qt
// gives an empty run at each offset, which Orca merges into all but the last
// character. The fields have no attributes, so the whole text is one run.
class AccessibleField : public QAccessibleWidget,
                        public QAccessibleTextInterface,
                        public QAccessibleEditableTextInterface
{
public:
    explicit AccessibleField(QLineEdit *field)
        : QAccessibleWidget(field, QAccessible::EditableText)
    {
    }

    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Value ? field()->text() : QAccessibleWidget::text(t);
    }

    // Only the text can be set: the name is fixed.
    void setText(QAccessible::Text t, const QString &text) override
    {
        if (t == QAccessible::Value)
            field()->setText(text);
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.editable = true;
        state.selectableText = true;
        state.hasPopup = true; // the context menu, with which a user pastes
        return state;
    }

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface *>(this);
        if (type == QAccessible::EditableTextInterface)
            return static_cast<QAccessibleEditableTextInterface *>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QString attributes(int, int *startOffset, int *endOffset) const override
    {
        *startOffset = 0;
        *endOffset = characterCount();
        return QString();
    }

    // A field holds one selection at most.
    void selection(int selectionIndex, int *startOffset, int *endOffset) const override
    {
        *startOffset = selectionIndex == 0 ? field()->selectionStart() : 0;
        *endOffset = selectionIndex == 0 ? field()->selectionEnd() : 0;
    }
    int selectionCount() const override { return field()->hasSelectedText() ? 1 : 0; }
    void addSelection(int startOffset, int endOffset) override
    {
        setSelection(0, startOffset, endOffset);
    }
    void removeSelection(int selectionIndex) override
    {
        if (selectionIndex == 0)
            field()->deselect();
    }
    void setSelection(int selectionIndex, int startOffset, int endOffset) override
    {
        if (selectionIndex == 0)
            field()->setSelection(startOffset, endOffset - startOffset);
    }

    int cursorPosition() const override { return field()->cursorPosition(); }
    void setCursorPosition(int position) override { field()->setCursorPosition(position); }

    QString text(int startOffset, int endOffset) const override
    {
        return startOffset > endOffset ? QString()
                                       : field()->text().mid(startOffset, endOffset - startOffset);
    }
    int characterCount() const override { return int(field()->text().size()); }

    // Measured from the caret, the one position of its text a line edit tells.
    QRect characterRect(int offset) const override
    {
        const QString character = text(offset, offset + 1);
        if (character.isEmpty())
            return QRect();
        const QString all = field()->text();
        const QFontMetrics metrics(field()->font());
        const QRect caret = field()->inputMethodQuery(Qt::ImCursorRectangle).toRect();
        const int x = caret.x() + metrics.horizontalAdvance(all.left(offset))
                    - metrics.horizontalAdvance(all.left(field()->cursorPosition()));
        return QRect(field()->mapToGlobal(QPoint(x, caret.y())),
                     QSize(metrics.horizontalAdvance(character), metrics.height()));
    }
    int offsetAtPoint(const QPoint &point) const override
    {
        return field()->cursorPositionAt(field()->mapFromGlobal(point));
    }
    // A line edit scrolls to its caret when it paints: the end first, then the
    // start, so that the whole substring shows when it fits.
    void scrollToSubstring(int startIndex, int endIndex) override
    {
        field()->setCursorPosition(endIndex);
        field()->repaint();
        field()->setCursorPosition(startIndex);
    }

    // Edits by assistive technology are not typed: like pasted text, they
    // pass no filter.
    void deleteText(int startOffset, int endOffset) override
    {
        field()->setText(field()->text().remove(startOffset, endOffset - startOffset));
    }
    void insertText(int offset, const QString &text) override
    {
        field()->setText(field()->text().insert(offset, text));
    }
    void replaceText(int startOffset, int endOffset, const QString &text) override
    {
        field()->setText(field()->text().replace(startOffset, endOffset - startOffset, text));
    }

private:
    QLineEdit *field() const { return static_cast<QLineEdit *>(widget()); }
};

QAccessibleInterface *accessible(const QString &className, QObject *object)
{
    if (className == QLatin1String("tuvo::FilteredEdit"))
        return new AccessibleField(static_cast<QLineEdit *>(object));
    // A plain widget would be announced as a mere filler; the main window is a
    // window, named by its title.
    if (className == QLatin1String("tuvo::Form1"))
        return new QAccessibleWidget(static_cast<QWidget *>(object), QAccessible::Window);
    if (className == QLatin1String("tuvo::Announcement"))
        return new QAccessibleWidget(static_cast<QWidget *>(object), QAccessible::Notification);
    return nullptr;
}

} // namespace

void installAccessibility()
{
    static std::once_flag installed;
    std::call_once(installed, [] { QAccessible::installFactory(accessible); });
}

Announcement::Announcement(QWidget *window)
    : QWidget(window)
{
}

// Orca speaks a notification when it is shown, so it is shown to assistive
// technology each time, and to nobody else: the widget stays hidden.
void Announcement::say(const QString &text)
{
    setAccessibleName(text);
    QAccessibleEvent shown(this, QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&shown);
}

} // namespace tuvo

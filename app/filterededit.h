#pragma once

#include <QLineEdit>

#include <functional>

namespace tuvo {

// A field whose typed characters pass through a key-press handler first, one
// at a time: the handler sets the character to 0 to discard it. Keys that type
// nothing (arrows, Delete, Home, End, Tab, Shift+Insert) keep their roles; a
// character typed with Ctrl, Alt or Meta held is discarded, so the clipboard
// shortcuts do nothing. Text pasted with the mouse is not filtered.
class FilteredEdit : public QLineEdit
{
    Q_OBJECT

public:
    using KeyPress = std::function<void(char32_t &keyAscii)>;

    FilteredEdit(const QString &text, KeyPress keyPress, QWidget *parent = nullptr);

    // What the handler lets through of the characters typed.
    QString filtered(const QString &typed) const;

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;

private:

    KeyPress m_keyPress;
};

} // namespace tuvo

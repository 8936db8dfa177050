#pragma once

// The main window: the decimal field Text1 on the left, the Roman field Text2
// on the right, the two arrows between them, a clear button under each field
// and "A propos" in the corner, all on a background picture.
//
// The conversions run on a model of the window (the two field texts and the
// three scratch captions, which are never shown and so live in the model
// alone) and on the one Form1State: a click copies the fields in,
// converts, and writes back what changed. A click never yields to the event
// loop, so only the texts at its end are ever seen.
//
// Whoever shows the window places it: the program centres it on the screen,
// unless the user gave a position on the command line.

#include "convert/form1state.h"
#include "convert/windowmodel.h"

#include <QIcon>
#include <QPixmap>
#include <QPointer>
#include <QWidget>

#include <array>
#include <functional>

class QLineEdit;
class QPushButton;

namespace tuvo {

class Announcement;
class FilteredEdit;
class frmAbout;

class Form1 : public QWidget
{
    Q_OBJECT

public:
    explicit Form1(QWidget *parent = nullptr);

    // As if the user typed `number` into the field it belongs to (a digit
    // first: the decimal field) and clicked the arrow pointing away from it.
    void typeAndConvert(const QString &number);

protected:
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private slots:
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void Command5_Click();

private:
    void Text1_KeyPress(char32_t &keyAscii);
    void Text2_KeyPress(char32_t &keyAscii);

    FilteredEdit *field(const char *name, const QString &text, const QString &accessibleName,
                        const QRect &rect, std::function<void(char32_t &)> keyPress);
    QPushButton *button(const char *name, const QRect &rect);
    QPushButton *pictureButton(const char *name, const QIcon &picture,
                               const QString &accessibleName, const QRect &rect);
    void caption(const QString &text, const QRect &rect);
    void readFields();
    void showFields();
    void announce(const QLineEdit *answer, const QLineEdit *input, const Text &inputRead);

    FilteredEdit *m_text1;
    FilteredEdit *m_text2;
    std::array<QPixmap, 3> m_backgrounds; // 1x to 3x, each read when first painted at
    QPointer<frmAbout> m_about; // one at a time; it deletes itself on closing
    Announcement *m_announcement = nullptr; // made when a screen reader first listens

    WindowModel m_model;
    Form1State m_state;
    // The field texts as a click read them, so that it rewrites only what it
    // changed: setText() moves the caret and drops the undo history.
    Text m_read1;
    Text m_read2;
};

} // namespace tuvo

#include "app/form1.h"

#include "about/frmabout.h"
#include "app/accessibility.h"
#include "app/filterededit.h"
#include "convert/conversions.h"
#include "ui/fonts.h"
#include "ui/pictures.h"
#include "ui/twips.h"
#include "ui/window.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

namespace tuvo {

namespace {

// Whole characters, and a lone surrogate that was pasted in stays as it came
// (QString::toStdU32String() would turn it into U+FFFD).
Text toText(const QString &string)
{
    Text text;
    for (auto unit = string.cbegin(); unit != string.cend(); ++unit) {
        if (unit->isHighSurrogate() && unit + 1 != string.cend() && unit[1].isLowSurrogate()) {
            text += QChar::surrogateToUcs4(unit[0], unit[1]);
            ++unit;
        } else {
            text += unit->unicode();
        }
    }
    return text;
}

QString fromText(const Text &text)
{
    QString string;
    for (const char32_t c : text) {
        if (QChar::requiresSurrogates(c)) {
            string += QChar(QChar::highSurrogate(c));
            string += QChar(QChar::lowSurrogate(c));
        } else {
            string += QChar(static_cast<char16_t>(c));
        }
    }
    return string;
}

} // namespace

Form1::Form1(QWidget *parent)
    : QWidget(parent)
{
    installAccessibility();
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("    Cliquer sur une flèche selon la conversion choisie"));
    makeFixedWindow(this, QSize(px(5235), px(3030)));

    // Made in tab order, which the focus chain follows: Text1, the first, has
    // the focus when the window opens.
    m_text1 = field("Text1", QStringLiteral("16"), QStringLiteral("Arabe (décimal)"),
                    twips(200, 2160, 1815, 345), [this](char32_t &key) { Text1_KeyPress(key); });
    m_text2 = field("Text2", QStringLiteral("XVI"), QStringLiteral("Romain"),
                    twips(3000, 2160, 2055, 345), [this](char32_t &key) { Text2_KeyPress(key); });
    QPushButton *command1 = pictureButton("Command1", arrowLeft(),
                                          QStringLiteral("Convertir en chiffres arabes"),
                                          twips(2320, 2400, 405, 420));
    QPushButton *command2 = pictureButton("Command2", arrowRight(),
                                          QStringLiteral("Convertir en chiffres romains"),
                                          twips(2320, 1920, 405, 420));
    QPushButton *command4 = button("Command4", twips(240, 120, 855, 255));
    command4->setText(QStringLiteral("A propos"));
    command4->setFont(designFont(QStringLiteral("Arial"), 8.25, false));
    // Its face is fixed, so its caption is too: the classic black, readable on
    // that light grey under any theme.
    QPalette faceColour = command4->palette();
    faceColour.setColor(QPalette::Button, QColor(224, 224, 224));
    faceColour.setColor(QPalette::ButtonText, Qt::black);
    command4->setPalette(faceColour);
    caption(QStringLiteral("Arabe (décimal)"), twips(360, 1920, 1575, 255));
    caption(QStringLiteral("Romain"), twips(3360, 1920, 1455, 255));
    const QIcon clearPicture = clearField(); // one picture for both buttons
    QPushButton *command3 = pictureButton("Command3", clearPicture,
                                          QStringLiteral("Effacer le nombre arabe"),
                                          twips(1000, 2640, 220, 220));
    QPushButton *command5 = pictureButton("Command5", clearPicture,
                                          QStringLiteral("Effacer le nombre romain"),
                                          twips(3960, 2640, 220, 220));

    connect(command1, &QPushButton::clicked, this, &Form1::Command1_Click);
    connect(command2, &QPushButton::clicked, this, &Form1::Command2_Click);
    connect(command3, &QPushButton::clicked, this, &Form1::Command3_Click);
    connect(command4, &QPushButton::clicked, this, &Form1::Command4_Click);
    connect(command5, &QPushButton::clicked, this, &Form1::Command5_Click);
}

void Form1::paintEvent(QPaintEvent *)
{
    // Chosen when painting, as the window may have moved to a screen of
    // another density. Drawn unscaled at 1x: one pixel of the picture is cut
    // off at the right and bottom.
    const int scale = scaleFor(devicePixelRatioF());
    QPixmap &background = m_backgrounds[scale - 1];
    if (background.isNull())
        background = backgroundPicture(scale);
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawPixmap(0, 0, background);
}

// Return and keypad Enter click the focused button, as Space does. A field
// takes them as typed characters and discards them, so they never get here.
// (Qt's autoDefault would do the same, but then draw the focused button as a
// default button, which none of these is.)
void Form1::keyPressEvent(QKeyEvent *event)
{
    auto *button = qobject_cast<QPushButton *>(focusWidget());
    if (button && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter))
        button->click();
    else
        QWidget::keyPressEvent(event);
}

void Form1::typeAndConvert(const QString &number)
{
    const bool decimal = number.front() >= u'0' && number.front() <= u'9';
    FilteredEdit *field = decimal ? m_text1 : m_text2;
    field->setText(field->filtered(number));
    decimal ? Command2_Click() : Command1_Click();
}

// Left arrow: Roman to decimal.
void Form1::Command1_Click()
{
    readFields();
    romanToArabic(m_model, m_state);
    showFields();
    announce(m_text1, m_text2, m_read2);
}

// Right arrow: decimal to Roman.
void Form1::Command2_Click()
{
    readFields();
    arabicToRoman(m_model, m_state);
    showFields();
    announce(m_text2, m_text1, m_read1);
}

void Form1::Command3_Click()
{
    m_text1->setText(QString());
}

// Shows the one About dialog, non-modal and without owner: loaded afresh if it
// was closed, otherwise brought to the front.
void Form1::Command4_Click()
{
    if (!m_about)
        m_about = new frmAbout;
    m_about->show();
    m_about->raise();
    m_about->activateWindow();
}

void Form1::Command5_Click()
{
    m_text2->setText(QString());
}

// Backspace and the digits pass; both cases of the Roman letters are listed,
// as the comparison is exact.
void Form1::Text1_KeyPress(char32_t &keyAscii)
{
    if (std::u32string_view(U"0123456789\b").find(keyAscii) == std::u32string_view::npos)
        keyAscii = 0;
}

void Form1::Text2_KeyPress(char32_t &keyAscii)
{
    if (std::u32string_view(U"MDCLXVImdclxvi\b").find(keyAscii) == std::u32string_view::npos)
        keyAscii = 0;
}

FilteredEdit *Form1::field(const char *name, const QString &text, const QString &accessibleName,
                          const QRect &rect, std::function<void(char32_t &)> keyPress)
{
    auto *field = new FilteredEdit(text, std::move(keyPress), this);
    field->setObjectName(QLatin1String(name));
    field->setAccessibleName(accessibleName);
    field->setGeometry(rect);
    field->setFont(designFont(QStringLiteral("MS Sans Serif"), 12, true));
    QPalette colours = field->palette();
    colours.setColor(QPalette::Text, QColor(128, 0, 128));
    colours.setColor(QPalette::Base, QColor(224, 224, 224));
    field->setPalette(colours);
    field->setAlignment(Qt::AlignCenter);
    return field;
}

QPushButton *Form1::button(const char *name, const QRect &rect)
{
    auto *button = new QPushButton(this);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(rect);
    return button;
}

// A screen reader says the accessible name; the design has no tool tips.
QPushButton *Form1::pictureButton(const char *name, const QIcon &picture,
                                  const QString &accessibleName, const QRect &rect)
{
    QPushButton *pictureButton = button(name, rect);
    pictureButton->setAccessibleName(accessibleName);
    pictureButton->setIcon(picture);
    // The 1x size: unscaled, centred, clipped by a smaller face.
    pictureButton->setIconSize(picture.availableSizes().constFirst());
    return pictureButton;
}

// A field's caption, in light green on the background picture.
void Form1::caption(const QString &text, const QRect &rect)
{
    auto *label = new QLabel(text, this);
    label->setGeometry(rect);
    label->setFont(designFont(QStringLiteral("MS Sans Serif"), 8.25, true));
    label->setAlignment(Qt::AlignCenter);
    QPalette green = label->palette();
    green.setColor(QPalette::WindowText, QColor(128, 255, 128));
    label->setPalette(green);
}

void Form1::readFields()
{
    m_read1 = toText(m_text1->text());
    m_read2 = toText(m_text2->text());
    m_model.text1 = m_read1;
    m_model.text2 = m_read2;
}

void Form1::showFields()
{
    if (m_model.text1 != m_read1)
        m_text1->setText(fromText(m_model.text1));
    if (m_model.text2 != m_read2)
        m_text2->setText(fromText(m_model.text2));
}

// A blind user hears the answer, as nobody moves to the other field to read
// it: the field that the arrow points to, after the one it came from where the
// click rewrote that too (4000 becomes 3999), and that a field without an
// answer is empty. Letter case is no change to a listener. The clear buttons
// say nothing: their names already say what they do, and it never fails.
void Form1::announce(const QLineEdit *answer, const QLineEdit *input, const Text &inputRead)
{
    if (!QAccessible::isActive())
        return;
    QStringList said;
    if (!input->text().isEmpty()
        && input->text().compare(fromText(inputRead), Qt::CaseInsensitive) != 0)
        said << input->text();
    if (!answer->text().isEmpty())
        said << answer->text();
    else if (said.isEmpty())
        said << answer->accessibleName() + QStringLiteral(" vide");
    if (!m_announcement)
        m_announcement = new Announcement(this);
    m_announcement->say(said.join(QStringLiteral(", ")));
}

} // namespace tuvo

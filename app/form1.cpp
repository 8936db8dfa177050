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

    QPalette fieldColours;
    fieldColours.setColor(QPalette::Text, QColor(128, 0, 128));
    fieldColours.setColor(QPalette::Base, QColor(224, 224, 224));
    const QFont fieldFont = designFont(QStringLiteral("MS Sans Serif"), 12, true);

    m_text1 = new FilteredEdit(QStringLiteral("16"),
                               [this](char32_t &keyAscii) { Text1_KeyPress(keyAscii); }, this);
    m_text2 = new FilteredEdit(QStringLiteral("XVI"),
                               [this](char32_t &keyAscii) { Text2_KeyPress(keyAscii); }, this);
    m_text1->setObjectName(QStringLiteral("Text1"));
    m_text2->setObjectName(QStringLiteral("Text2"));
    m_text1->setAccessibleName(QStringLiteral("Arabe (décimal)"));
    m_text2->setAccessibleName(QStringLiteral("Romain"));
    for (FilteredEdit *field : {m_text1, m_text2}) {
        field->setFont(fieldFont);
        field->setPalette(fieldColours);
        field->setAlignment(Qt::AlignCenter);
    }

    m_command1 = pictureButton("Command1", arrowLeft(),
                               QStringLiteral("Convertir en chiffres arabes"));
    m_command2 = pictureButton("Command2", arrowRight(),
                               QStringLiteral("Convertir en chiffres romains"));

    m_command4 = new QPushButton(QStringLiteral("A propos"), this);
    m_command4->setObjectName(QStringLiteral("Command4"));
    m_command4->setFont(designFont(QStringLiteral("Arial"), 8.25, false));
    // Its face is fixed, so its caption is too: the classic black, readable on
    // that light grey under any theme.
    QPalette faceColour = m_command4->palette();
    faceColour.setColor(QPalette::Button, QColor(224, 224, 224));
    faceColour.setColor(QPalette::ButtonText, Qt::black);
    m_command4->setPalette(faceColour);

    m_label3 = new QLabel(QStringLiteral("Arabe (décimal)"), this);
    m_label4 = new QLabel(QStringLiteral("Romain"), this);
    const QIcon clearPicture = clearField(); // one picture for both buttons
    m_command3 = pictureButton("Command3", clearPicture,
                               QStringLiteral("Effacer le nombre arabe"));
    m_command5 = pictureButton("Command5", clearPicture,
                               QStringLiteral("Effacer le nombre romain"));

    for (QLabel *label : {m_label3, m_label4}) {
        label->setFont(designFont(QStringLiteral("MS Sans Serif"), 8.25, true));
        label->setAlignment(Qt::AlignCenter);
        QPalette green = label->palette();
        green.setColor(QPalette::WindowText, QColor(128, 255, 128));
        label->setPalette(green);
    }

    // Design rectangles, in tab order.
    m_text1->setGeometry(twips(200, 2160, 1815, 345));
    m_text2->setGeometry(twips(3000, 2160, 2055, 345));
    m_command1->setGeometry(twips(2320, 2400, 405, 420));
    m_command2->setGeometry(twips(2320, 1920, 405, 420));
    m_command4->setGeometry(twips(240, 120, 855, 255));
    m_label3->setGeometry(twips(360, 1920, 1575, 255));
    m_label4->setGeometry(twips(3360, 1920, 1455, 255));
    m_command3->setGeometry(twips(1000, 2640, 220, 220));
    m_command5->setGeometry(twips(3960, 2640, 220, 220));

    // The controls were made in tab order, which the focus chain follows: Text1,
    // the first, has the focus when the window opens.

    connect(m_command1, &QPushButton::clicked, this, &Form1::Command1_Click);
    connect(m_command2, &QPushButton::clicked, this, &Form1::Command2_Click);
    connect(m_command3, &QPushButton::clicked, this, &Form1::Command3_Click);
    connect(m_command4, &QPushButton::clicked, this, &Form1::Command4_Click);
    connect(m_command5, &QPushButton::clicked, this, &Form1::Command5_Click);

    // Centred on the screen: the main window has no owner.
    centreOnScreen(this);
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
void Form1::keyPressEvent(QKeyEvent *event)
{
    auto *button = qobject_cast<QPushButton *>(focusWidget());
    if (button && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter))
        button->click();
    else
        QWidget::keyPressEvent(event);
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

// A screen reader says the accessible name; the design has no tool tips.
QPushButton *Form1::pictureButton(const char *name, const QIcon &picture,
                                  const QString &accessibleName)
{
    auto *button = new QPushButton(this);
    button->setObjectName(QLatin1String(name));
    button->setAccessibleName(accessibleName);
    button->setIcon(picture);
    // The 1x size: unscaled, centred, clipped by a smaller face.
    button->setIconSize(picture.availableSizes().constFirst());
    return button;
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

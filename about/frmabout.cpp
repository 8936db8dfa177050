#include "about/frmabout.h"

#include "ui/fonts.h"
#include "ui/temple.h"
#include "ui/twips.h"
#include "ui/window.h"

#include <QApplication>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

namespace tuvo {

namespace {

const QColor paleYellow(0xFF, 0xFF, 0xC0);
const int separatorY = px(4320);

// The texts are pale yellow on the dark grey, left-aligned and wrapped in
// their rectangles, but for the title and the limit.
enum class Look { Plain, Bold, Underlined, Centred, Title, Limit };

struct AboutText
{
    const char *text; // UTF-8
    QRect rect;
    Look look;
};

constexpr AboutText aboutTexts[] = {
    {"TUVO", twips(1200, 360, 2895, 375), Look::Title},
    {"Conversion de nombres arabes en nombres romains, ou l'inverse.",
     twips(120, 960, 5685, 330), Look::Bold},
    {"Règles  suivies pour la numérotation romaine:",
     twips(1080, 1320, 3495, 255), Look::Underlined},
    {"- A 7 signes romains correspond une valeur.", twips(120, 1800, 3735, 255), Look::Plain},
    {"   I    V      X       L        C        D        M",
     twips(750, 2160, 3855, 255), Look::Bold},
    {"   1    5     10     50     100     500     1000", twips(720, 2400, 3975, 255), Look::Bold},
    {"- Le nombre romain ne peut avoir plus de 3 signes consecutifs:  CCC",
     twips(120, 2760, 4815, 255), Look::Plain},
    {"- Les signes placés à droite d'un autre signe s'ajoutent s'ils sont de valeur      "
     "égale ou inférieure: XXII = 22",
     twips(120, 3000, 5295, 375), Look::Plain},
    {"- Le signe placé à gauche d'un autre signe se retranche s'il est inférieur   : IX  = 9.   "
     "I ne se retranche que de X et de V, et  V ne se retranche pas.",
     twips(120, 3480, 5175, 375), Look::Plain},
    {"Valeurs limitées à 3999", twips(1800, 3960, 1695, 255), Look::Limit},
    {"Logiciel fourni tel quel, sans garantie.", twips(960, 4440, 3495, 195), Look::Centred},
    {"Les auteurs de Tuvo", twips(1560, 4680, 2415, 255), Look::Centred},
};

QFont fontFor(Look look)
{
    QFont font = narrowSansSerif(look == Look::Title ? 18 : 8.25);
    font.setBold(look == Look::Title || look == Look::Bold);
    font.setUnderline(look == Look::Underlined);
    return font;
}

void addText(QWidget *dialog, const AboutText &about)
{
    auto *label = new QLabel(QString::fromUtf8(about.text), dialog);
    label->setGeometry(about.rect);
    label->setWordWrap(true);
    label->setFont(fontFor(about.look));
    const bool centred = about.look == Look::Centred || about.look == Look::Title
        || about.look == Look::Limit;
    label->setAlignment((centred ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignTop);
    QPalette colours = label->palette();
    colours.setColor(QPalette::WindowText,
                     about.look == Look::Title ? QColor(0x00, 0x00, 0xFF) : paleYellow);
    label->setPalette(colours);
    if (about.look == Look::Limit) {
        // The only label that paints its own background, in the colours of a
        // button: by role rather than by colour, so that they follow a change
        // of theme; the text then takes the role that goes with a button's
        // face, ButtonText.
        label->setAutoFillBackground(true);
        label->setBackgroundRole(QPalette::Button);
    }
}

} // namespace

frmAbout::frmAbout()
{
    setObjectName(QStringLiteral("frmAbout"));
    setAttribute(Qt::WA_DeleteOnClose);
    makeFixedWindow(this, QSize(px(5745), px(5055)));
    setFont(narrowSansSerif(8.25));
    QPalette darkGrey = palette();
    darkGrey.setColor(QPalette::Window, QColor(0x40, 0x40, 0x40));
    setPalette(darkGrey);

    // Made before picIcon: Tab goes from one to the other in the design's order.
    // First in that order, OK has the focus when the dialog opens, and the
    // first button of a dialog to take the focus stays its default one: Return
    // on the picture presses it too.
    auto *cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setGeometry(twips(4320, 120, 1260, 345));
    connect(cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);

    auto *picIcon = new QLabel(this);
    picIcon->setObjectName(QStringLiteral("picIcon"));
    picIcon->setGeometry(twips(0, 0, 420, 420));
    picIcon->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    picIcon->setLineWidth(2);
    // At a fractional ratio the picture comes out a little smaller than its box,
    // which is then filled with the picture's own grey.
    picIcon->setPixmap(templePicture(devicePixelRatioF()));
    picIcon->setAlignment(Qt::AlignCenter);
    picIcon->setAutoFillBackground(true);
    QPalette grey = picIcon->palette();
    grey.setColor(QPalette::Window, QColor(0x99, 0x99, 0x99));
    picIcon->setPalette(grey);
    picIcon->setFocusPolicy(Qt::StrongFocus);
    picIcon->setAccessibleName(QStringLiteral("Temple"));

    for (const AboutText &about : aboutTexts)
        addText(this, about);

    Form_Load();
}

void frmAbout::reject()
{
    cmdOK_Click();
}

void frmAbout::paintEvent(QPaintEvent *)
{
    // The temple, the dialog's background picture, would be drawn in the
    // corner that picIcon covers, opaque: only the separator shows. It is a
    // white line two pixels wide under a grey one.
    QPainter painter(this);
    painter.fillRect(QRect(px(120), separatorY, px(5520) - px(120), 2), Qt::white);
    painter.fillRect(QRect(px(120), separatorY, px(5520) - px(120), 1), QColor(0x80, 0x80, 0x80));
}

void frmAbout::Form_Load()
{
    setWindowTitle(QStringLiteral("À propos de ") + QApplication::applicationName());
    centreOnScreen(this);
}

// Deleted on closing: the next "A propos" loads a new dialog.
void frmAbout::cmdOK_Click()
{
    done(QDialog::Accepted);
}

} // namespace tuvo

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
    m_cmdOK = new QPushButton(QStringLiteral("OK"), this);
    m_cmdOK->setObjectName(QStringLiteral("cmdOK"));
    m_cmdOK->setGeometry(twips(4320, 120, 1260, 345));

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

    QLabel *title = label(QStringLiteral("TUVO"), twips(1200, 360, 2895, 375));
    QFont titleFont = narrowSansSerif(18);
    titleFont.setBold(true);
    title->setFont(titleFont);
    title->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    QPalette blue = title->palette();
    blue.setColor(QPalette::WindowText, QColor(0x00, 0x00, 0xFF));
    title->setPalette(blue);

    QFont bold = narrowSansSerif(8.25);
    bold.setBold(true);
    QFont underlined = narrowSansSerif(8.25);
    underlined.setUnderline(true);

    label(QStringLiteral("Conversion de nombres arabes en nombres romains, ou l'inverse."),
          twips(120, 960, 5685, 330))->setFont(bold);
    label(QStringLiteral("Règles  suivies pour la numérotation romaine:"),
          twips(1080, 1320, 3495, 255))->setFont(underlined);
    label(QStringLiteral("- A 7 signes romains correspond une valeur."),
          twips(120, 1800, 3735, 255));
    label(QStringLiteral("   I    V      X       L        C        D        M"),
          twips(750, 2160, 3855, 255))->setFont(bold);
    label(QStringLiteral("   1    5     10     50     100     500     1000"),
          twips(720, 2400, 3975, 255))->setFont(bold);
    label(QStringLiteral("- Le nombre romain ne peut avoir plus de 3 signes consecutifs:  CCC"),
          twips(120, 2760, 4815, 255));
    label(QStringLiteral("- Les signes placés à droite d'un autre signe s'ajoutent s'ils sont "
                         "de valeur      égale ou inférieure: XXII = 22"),
          twips(120, 3000, 5295, 375));
    label(QStringLiteral("- Le signe placé à gauche d'un autre signe se retranche s'il est "
                         "inférieur   : IX  = 9.   I ne se retranche que de X et de V, et  V "
                         "ne se retranche pas."),
          twips(120, 3480, 5175, 375));

    // The only label that paints its own background, in the colours of a button.
    QLabel *limit = label(QStringLiteral("Valeurs limitées à 3999"),
                          twips(1800, 3960, 1695, 255));
    limit->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    limit->setAutoFillBackground(true);
    // By role rather than by colour, so that they follow a change of theme; the
    // text then takes the role that goes with a button's face, ButtonText.
    limit->setBackgroundRole(QPalette::Button);

    label(QStringLiteral("Logiciel fourni tel quel, sans garantie."),
          twips(960, 4440, 3495, 195))->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label(QStringLiteral("Les auteurs de Tuvo"), twips(1560, 4680, 2415, 255))
        ->setAlignment(Qt::AlignHCenter | Qt::AlignTop);

    connect(m_cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);
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

QLabel *frmAbout::label(const QString &text, const QRect &rect)
{
    auto *label = new QLabel(text, this);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setGeometry(rect);
    QPalette yellow = label->palette();
    yellow.setColor(QPalette::WindowText, paleYellow);
    label->setPalette(yellow);
    return label;
}

} // namespace tuvo

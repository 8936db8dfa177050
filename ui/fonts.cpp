#include "ui/fonts.h"

#include <QApplication>

namespace tuvo {

void useDesignFaces()
{
    // Qt's own stand-in for MS Sans Serif is much wider, and fontconfig gives
    // Liberation Sans for Arial by itself.
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
    // Set once for the whole program, it also spares loading a third face at
    // start-up.
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPointSizeF(8.25);
    QApplication::setFont(font);
}

QFont designFont(const QString &face, qreal points, bool bold)
{
    QFont font(face);
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

QFont narrowSansSerif(qreal points)
{
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPointSizeF(points);
    font.setStretch(90);
    return font;
}

} // namespace tuvo

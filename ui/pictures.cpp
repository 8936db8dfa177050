#include "ui/pictures.h"

#include <QGuiApplication>
#include <QImage>
#include <QResource>
#include <QScreen>

#include <algorithm>
#include <cmath>
#include <initializer_list>

namespace tuvo {

namespace {

#include "assets/arrow-left.xpm"
#include "assets/arrow-left@2x.xpm"
#include "assets/arrow-left@3x.xpm"
#include "assets/arrow-right.xpm"
#include "assets/arrow-right@2x.xpm"
#include "assets/arrow-right@3x.xpm"
#include "assets/clear.xpm"
#include "assets/clear@2x.xpm"
#include "assets/clear@3x.xpm"

// The background at a scale, as draw.py writes it: a binary PPM of 350 x 203
// pixels times the scale, whose pixels, RGB bytes after the header, the image
// shares rather than copies.
QImage backgroundPixels(const QByteArray &file, int scale)
{
    const QSize size = QSize(350, 203) * scale;
    const QByteArray header = QByteArrayLiteral("P6\n") + QByteArray::number(size.width()) + ' '
                            + QByteArray::number(size.height()) + QByteArrayLiteral("\n255\n");
    if (file.size() != header.size() + size.width() * size.height() * 3)
        return QImage(); // never read past the end of a picture of another size
    return QImage(reinterpret_cast<const uchar *>(file.constData()) + header.size(), size.width(),
                  size.height(), size.width() * 3, QImage::Format_RGB888);
}

// The finest picture the screens need.
int finestScale()
{
    qreal ratio = 1;
    for (const QScreen *screen : QGuiApplication::screens())
        ratio = std::max(ratio, screen->devicePixelRatio());
    return scaleFor(ratio);
}

// Only the scales the screens need are read at start-up: at 100% the 1x
// picture alone, as reading the others would cost more than the rest of the
// pictures together.
QIcon atEveryScale(std::initializer_list<const char *const *> xpms)
{
    QIcon icon;
    const int finest = finestScale();
    int scale = 1;
    for (const char *const *xpm : xpms) {
        if (scale > finest)
            break;
        QPixmap pixmap(xpm);
        pixmap.setDevicePixelRatio(scale++);
        icon.addPixmap(pixmap);
    }
    return icon;
}

} // namespace

int scaleFor(qreal ratio)
{
    return std::clamp(static_cast<int>(std::ceil(ratio - 0.01)), 1, 3);
}

QPixmap backgroundPicture(int scale)
{
    // Only the 1x picture is stored uncompressed, to be shown straight from the
    // program file; the finer ones are unpacked when a screen needs them.
    static const char *const files[] = {":/background.ppm", ":/background@2x.ppm",
                                        ":/background@3x.ppm"};
    const QByteArray file = QResource(QLatin1String(files[scale - 1])).uncompressedData();
    QPixmap pixmap = QPixmap::fromImage(backgroundPixels(file, scale)); // the image shares the bytes: copied here
    pixmap.setDevicePixelRatio(scale);
    return pixmap;
}

QIcon arrowLeft()
{
    return atEveryScale({arrow_left, arrow_left_2x, arrow_left_3x});
}

QIcon arrowRight()
{
    return atEveryScale({arrow_right, arrow_right_2x, arrow_right_3x});
}

QIcon clearField()
{
    return atEveryScale({clear, clear_2x, clear_3x});
}

} // namespace tuvo

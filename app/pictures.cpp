#include "app/pictures.h"

#include <QImage>
#include <QResource>

namespace {

#include "assets/arrow-left.xpm"
#include "assets/arrow-right.xpm"
#include "assets/clear.xpm"

// A binary PPM: "P6", width, height and 255, each followed by one blank, then
// the pixels as RGB bytes.
QImage readPpm(const uchar *data, qint64 size)
{
    int fields[3] = {};
    qint64 at = 2;
    if (size < 2 || data[0] != 'P' || data[1] != '6')
        return {};
    for (int &field : fields) {
        while (at < size && QChar::isSpace(data[at]))
            ++at;
        for (; at < size && data[at] >= '0' && data[at] <= '9' && field < 100000; ++at)
            field = field * 10 + (data[at] - '0');
    }
    ++at; // the one blank before the pixels
    const auto [width, height, maximum] = fields;
    if (maximum != 255 || width <= 0 || height <= 0 || size - at < qint64(width) * height * 3)
        return {};
    return QImage(data + at, width, height, width * 3, QImage::Format_RGB888);
}

} // namespace

namespace pictures {

QPixmap background()
{
    const QResource resource(QStringLiteral(":/background.ppm"));
    return QPixmap::fromImage(readPpm(resource.data(), resource.size()));
}

QPixmap arrowLeft()
{
    return QPixmap(arrow_left);
}

QPixmap arrowRight()
{
    return QPixmap(arrow_right);
}

QPixmap clearField()
{
    return QPixmap(clear);
}

} // namespace pictures

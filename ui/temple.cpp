#include "ui/temple.h"

#include <algorithm>
#include <cmath>

namespace tuvo {

namespace {

#include "assets/temple.xpm"

QPixmap enlarged(int factor)
{
    const QPixmap picture(temple);
    return factor == 1 ? picture
                       : picture.scaled(picture.size() * factor, Qt::IgnoreAspectRatio,
                                        Qt::FastTransformation);
}

} // namespace

QPixmap templePicture(qreal ratio)
{
    QPixmap picture = enlarged(std::max(1, static_cast<int>(std::floor(ratio + 0.01))));
    picture.setDevicePixelRatio(ratio);
    return picture;
}

QIcon templeIcon()
{
    QIcon icon;
    for (int factor = 1; factor <= 4; ++factor)
        icon.addPixmap(enlarged(factor));
    return icon;
}

} // namespace tuvo

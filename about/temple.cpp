#include "about/temple.h"

namespace {
#include "assets/temple.xpm"
}

QPixmap templePicture()
{
    return QPixmap(temple);
}

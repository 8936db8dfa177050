#pragma once

#include <QPixmap>

// The 24 x 24 temple front: the About dialog's picture and every window's icon.
QPixmap templePicture();

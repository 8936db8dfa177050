#pragma once

#include <QPixmap>

// The main window's pictures, compiled in: the pixel pictures as XPM arrays
// and the background as raw pixels in a resource, so that none of them goes
// through an image decoder at start-up.
namespace pictures {

QPixmap background();
QPixmap arrowLeft();
QPixmap arrowRight();
QPixmap clearField();

} // namespace pictures

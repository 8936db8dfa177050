#pragma once

#include <QIcon>
#include <QPixmap>

namespace tuvo {

// The 24 x 24 temple front: the About dialog's picture and every window's
// icon. It is pixel art, so it is only ever enlarged by whole factors, never
// smoothed.

// For a screen of this device pixel ratio: enlarged by the largest whole
// factor the ratio holds, and shown pixel for pixel (so a little smaller than
// 24 x 24 at a fractional ratio).
QPixmap templePicture(qreal ratio);

// Enlarged 1 to 4 times, for whatever size the desktop asks of a window icon.
QIcon templeIcon();

} // namespace tuvo

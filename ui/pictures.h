#pragma once

#include <QIcon>
#include <QPixmap>

namespace tuvo {

// The main window's pictures, compiled in: the pixel pictures as XPM arrays
// and the background as raw pixels in a resource, so that none of them goes
// through an image decoder at start-up. Each is drawn at 1x, 2x and 3x, the
// finer ones with more detail rather than bigger pixels.

// The scale of picture a screen of this device pixel ratio needs: 1, 2 or 3,
// the next above a fractional ratio, which Qt then scales down.
int scaleFor(qreal ratio);

// The background drawn at that scale.
QPixmap backgroundPicture(int scale);

// From 1x up to the finest the screens need, from which Qt picks for the
// screen the button is on.
QIcon arrowLeft();
QIcon arrowRight();
QIcon clearField();

} // namespace tuvo

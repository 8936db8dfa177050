#pragma once

#include <QFont>

namespace tuvo {

// The design's faces. Neither MS Sans Serif nor Arial is on Linux:
// Liberation Sans, which keeps the metrics of Arial, stands in for both.

// Liberation Sans for MS Sans Serif, and MS Sans Serif at 8.25 points for
// whatever has no font of its own (menus, the About dialog).
void useDesignFaces();

QFont designFont(const QString &face, qreal points, bool bold);

// MS Sans Serif narrowed: Liberation Sans is wider than the design's face, and
// at full width the About dialog's rules would wrap onto a third line that its
// labels cannot show.
QFont narrowSansSerif(qreal points);

} // namespace tuvo

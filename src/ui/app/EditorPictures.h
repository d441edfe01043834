#pragma once

#include <QPixmap>

class QPainter;

namespace domora {

// An editor window's picture for its mode, 48 x 48: the subject `draw` paints, with a round
// sign at the lower right for adding (0, a plus), changing (1, a pencil) and viewing (2, an
// eye; also any other index).
QPixmap BadgedPicture(void (*draw)(QPainter&), int index);

} // namespace domora

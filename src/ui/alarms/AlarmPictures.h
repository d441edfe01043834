#pragma once

#include <QIcon>
#include <QPixmap>

namespace domora {

// The alarm editor's pictures, drawn at run time: an alarm clock with a sign for adding (0),
// changing (1) and viewing (2), 48 x 48.
QPixmap EditorPicture(int index);

// The glyphs of the editor's toggle button: 0 typing a message, 1 a text file.
QIcon ToggleGlyph(int index);

} // namespace domora

#pragma once

#include <QPixmap>

namespace domora {

// Registers the pictures of the UI library's resources. A static library needs this done
// by hand before the first picture is loaded; calling it again does nothing.
void RegisterResources();

// One of those pictures, `file` in ":/pictures/", read as PNG by Qt's own reader: a picture
// read with the format left to be found has every image plugin loaded and asked first.
QPixmap Picture(const char* file);

} // namespace domora

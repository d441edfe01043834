#pragma once

#include <QColor>
#include <QImage>

namespace domora {

// The world map of the page "Время в мире" and of the time map window (drawn by
// scripts/make_world_map.py): kMapWidth x kMapHeight pixels, land in light colours and the
// ocean exactly this colour, so that it can be told from the land pixel by pixel.
inline constexpr QRgb kOceanColour = 0xFF00007F; // red 0, green 0, blue 127

// The picture, read from the program's resources (32-bit RGB).
QImage WorldMapImage();

// A copy of `map` with every pixel of the ocean colour replaced by `colour`; a colour that
// is not opaque (the page's transparent ocean) gives a picture with an alpha channel.
QImage ReplaceOcean(const QImage& map, const QColor& colour);

} // namespace domora

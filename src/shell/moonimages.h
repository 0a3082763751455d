// The thirty pictures of the moon from which the tray icon shows its age.
#pragma once

#include <QIcon>
#include <QPixmap>

namespace orv {

inline constexpr int MoonImageCount = 30;
inline constexpr int MoonImageSize = 32;

// The moon `daysSinceFullMoon` days after full moon as seen from the northern
// hemisphere (0 full, about 7 lit on the left, about 15 new, about 22 lit on
// the right), 32 x 32 on a transparent background. Counts outside 0..29 are
// clamped: 30 comes only within the day before the next full moon, whose
// picture is the nearly full moon of day 29.
QPixmap MoonImage(int daysSinceFullMoon);

// The same moon drawn at the sizes trays ask for (16 to 64 pixels), so that
// small trays get a sharp picture instead of a scaled-down one.
QIcon MoonIcon(int daysSinceFullMoon);

}  // namespace orv

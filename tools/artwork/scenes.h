#pragma once
// The pictures the program carries: two built-in car pictures and one background scene
// per game version, each an original scene of period motor racing.

#include <QImage>
#include <QSize>

namespace revalorn::artwork {

// Built-in picture 101 (800 x 600): a car in front of its pit garage.
// Built-in picture 102 (1600 x 1200): a car at speed on the circuit.
QImage PaintBuiltInPicture(int id);

// The background scenes are painted for a box of 695 x 519 (the main window's picture
// area at its design size), at a multiple of that size.
inline constexpr QSize kBackgroundDesignSize(695, 519);
inline constexpr QSize kBackgroundSize(1043, 779);

// The background of game version code 0 .. 5 (the catalogue's order).
QImage PaintBackground(int gameVersion, QSize size = kBackgroundSize);

}  // namespace revalorn::artwork

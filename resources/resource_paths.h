#pragma once
// Where the program finds its own resources inside the Qt resource system.

#include <QString>

namespace revalorn::resources {

inline constexpr char kHelpText[] = ":/revalorn/help.txt";       // ASCII, CRLF line breaks
inline constexpr char kStartupSound[] = ":/revalorn/startup.wav";  // 8-bit mono 22050 Hz PCM

// The built-in picture 101 (800 x 600) or 102 (1600 x 1200), a JPEG image.
QString BuiltInPicturePath(int id);
// The tachometer bitmap 101 .. 104 (256 x 256, 24-bit BMP): 101 and 103 are the masks
// of the dials 102 (14000 rpm) and 104 (12000 rpm).
QString TachBitmapPath(int id);

}  // namespace revalorn::resources

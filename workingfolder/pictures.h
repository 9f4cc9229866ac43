#pragma once
// Which picture the car picture box (GEMPic1) and the window's background
// (FrmSoundBackground) show. The car pictures are the game's own GEMPic.jpg files; the
// backgrounds are installed in the Working Folder. Where a picture is missing, two
// pictures built into the program take turns, 101 first, separately for each box. How a
// picture is fitted into its box is FitToCover (picture_fit.h).

#include <optional>
#include <string>
#include <string_view>

#include "core/control_model.h"

namespace revalorn {

struct Context;

inline constexpr std::string_view kCarPictureName = "GEMPic.jpg";
inline constexpr int kBuiltInPictureA = 101;
inline constexpr int kBuiltInPictureB = 102;

// The game's root folder: the game sound directory less its last 6 characters (the
// sound directory is the root's "sound" folder). Nothing when that leaves no folder.
std::optional<std::string> GameRoot(std::string_view gameSoundDirectory);

// The car picture of engine list entry listIndex of version: game root, "cars", the
// version's car set folder, the team folder, "GEMPic.jpg", each found the way Windows
// finds it (ignoring letter case). Nothing for the trainer entries and without a game
// root. The file need not exist.
std::optional<std::string> CarPicturePath(const Context& ctx, int version, int listIndex);

// The next built-in picture of a routine whose flag is flag: 102 when it is True, else
// 101; the flag is inverted.
PictureSource NextBuiltInPicture(bool& flag);

// Shows the car picture of the engine list's selected entry in GEMPic1.
void ShowCarPicture(Context& ctx);

// Shows the background pictureName from the Working Folder in FrmSoundBackground.
void ShowBackground(Context& ctx, std::string_view pictureName);

}  // namespace revalorn

#include "workingfolder/pictures.h"

#include <cstddef>

#include "catalogue/catalogue.h"
#include "core/context.h"
#include "files/file_helpers.h"
#include "workingfolder/working_folder.h"

namespace revalorn {

namespace {

constexpr std::size_t kSoundFolderLength = 6;  // a separator and "sound"

bool IsUtf8Continuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// Follows the parts of a relative path below base one folder at a time, taking each
// entry as Windows would find it. TeamFolder texts carry backslashes on every platform.
std::string FindBelowIgnoringCase(std::string path, std::string_view relative) {
  std::size_t start = 0;
  while (start <= relative.size()) {
    std::size_t end = relative.find_first_of("\\/", start);
    if (end == std::string_view::npos) end = relative.size();
    if (end > start) path = FindEntryIgnoringCase(path, relative.substr(start, end - start));
    start = end + 1;
  }
  return path;
}

}  // namespace

std::optional<std::string> GameRoot(std::string_view gameSoundDirectory) {
  // Characters, not bytes: the path is UTF-8 text.
  std::size_t end = gameSoundDirectory.size();
  for (std::size_t n = 0; n < kSoundFolderLength; ++n) {
    if (end == 0) return std::nullopt;
    --end;
    while (end > 0 && IsUtf8Continuation(gameSoundDirectory[end])) --end;
  }
  // An empty root would name the root of the file system, not the game's folder.
  if (end == 0) return std::nullopt;
  return std::string(gameSoundDirectory.substr(0, end));
}

std::optional<std::string> CarPicturePath(const Context& ctx, int version, int listIndex) {
  if (listIndex < 0 || listIndex >= ctx.catalogue.CarCount(version)) return std::nullopt;
  const auto root = GameRoot(ctx.values.LastUsedGPLPath);
  if (!root) return std::nullopt;
  std::string folder = FindBelowIgnoringCase(*root, "cars");
  folder = FindBelowIgnoringCase(folder, ctx.catalogue.CarSetFolder(version));
  folder = FindBelowIgnoringCase(folder, ctx.catalogue.TeamFolder(version, listIndex));
  return FindEntryIgnoringCase(folder, kCarPictureName);
}

PictureSource NextBuiltInPicture(bool& flag) {
  const int number = flag ? kBuiltInPictureB : kBuiltInPictureA;
  flag = !flag;
  return PictureSource::BuiltIn(number);
}

void ShowCarPicture(Context& ctx) {
  const auto path = CarPicturePath(ctx, ctx.values.GameVersion, ctx.controls.ListIndex(Ctl::Combo1));
  if (path && FileExists(*path)) {
    ctx.controls.SetPicture(Ctl::GEMPic1, PictureSource::File(*path));
  } else {
    ctx.controls.SetPicture(Ctl::GEMPic1, NextBuiltInPicture(ctx.values.BuiltInPictureTurn.Car));
  }
}

void ShowBackground(Context& ctx, std::string_view pictureName) {
  // The Working Folder is the program's own: its backgrounds are named exactly.
  const std::string path = JoinPath(WorkingFolderPath(ctx.values), pictureName);
  if (!pictureName.empty() && FileExists(path)) {
    ctx.controls.SetPicture(Ctl::FrmSoundBackground, PictureSource::File(path));
  } else {
    ctx.controls.SetPicture(Ctl::FrmSoundBackground, NextBuiltInPicture(ctx.values.BuiltInPictureTurn.Background));
  }
}

}  // namespace revalorn

#include "workingfolder/working_folder.h"

#include <filesystem>
#include <stdexcept>

#include "catalogue/catalogue.h"
#include "core/context.h"
#include "core/errors.h"
#include "files/file_helpers.h"
#include "files/wav_header.h"
#include "sounddat/sound_dat.h"
#include "workingfolder/pictures.h"

namespace revalorn {

std::string WorkingFolderPath(const Globals& values) { return JoinPath(values.ProgramFolder, kWorkingFolderName); }

void Combo2_Click(Context& ctx) {
  VersionChoice choice{};
  try {
    choice = VersionOfListPosition(ctx.controls.ListIndex(Ctl::Combo2));
  } catch (const std::out_of_range&) {
    return;  // no version selected
  }
  ctx.values.GameVersion = choice.version;
  ctx.values.CarCount = choice.carCount;
  FillEngineList(ctx);
  EnsureEngineSounds(ctx);
  LoadEngineSounds(ctx, ctx.values.LastUsedGPLPath);
  ShowBackground(ctx, ctx.catalogue.BackgroundPicture(choice.version));
}

void FillEngineList(Context& ctx) {
  const int v = ctx.values.GameVersion;
  ctx.controls.ClearList(Ctl::Combo1);
  for (const std::int16_t s : VersionSlots(ctx.catalogue, v)) {
    ctx.controls.AddItem(Ctl::Combo1, ctx.catalogue.CarLabel(v, s));
  }
  ctx.controls.SetListIndex(Ctl::Combo1, 0);
  Combo1_Click(ctx);
}

void Combo1_Click(Context& ctx) {
  const int index = ctx.controls.ListIndex(Ctl::Combo1);
  const int count = ctx.controls.ListCount(Ctl::Combo1);
  if (index < 0 || index >= count) return;
  const int v = ctx.values.GameVersion;
  const std::int16_t s = SlotOfListIndex(index, count);
  ctx.controls.SetCaption(Ctl::LabelCar, ctx.catalogue.SoundFileName(v, s));
  ctx.controls.SetEnabled(Ctl::CmdRevert, ctx.values.SoundChanged.at(static_cast<std::size_t>(s)));
  ctx.values.CurrentGameVersion = ctx.values.GameVersion;
  ShowCarPicture(ctx);
}

void LoadEngineSounds(Context& ctx, std::string_view folder) {
  const std::string workingFolder = WorkingFolderPath(ctx.values);
  SkipOnError([&] {
    std::error_code ec;
    std::filesystem::create_directories(ToPath(workingFolder), ec);
  });

  const int v = ctx.values.GameVersion;
  for (const std::int16_t s : VersionSlots(ctx.catalogue, v)) {
    const std::string& name = ctx.catalogue.SoundFileName(v, s);
    // The game's folders come from Windows, where letter case does not matter.
    const std::string source = folder.empty() ? std::string() : FindEntryIgnoringCase(folder, name);
    const bool present = FileExists(source);
    // A missing source keeps the slot's sample rate and working copy as they were.
    SkipOnError([&] {
      if (present) ctx.catalogue.SampleRate(v, s) = ReadWavSampleRate(source);
    });
    SkipOnError([&] {
      if (present) CopyFileAtomically(source, JoinPath(workingFolder, name));
    });
    ctx.values.SoundChanged.at(static_cast<std::size_t>(s)) = false;
  }

  ctx.controls.SetEnabled(CmdAutoPlay(0), true);
  ctx.controls.SetEnabled(CmdAutoPlay(1), false);
  ctx.controls.SetEnabled(CmdPedalPlay(1), false);
  if (ctx.values.PedalsAvailable) ctx.controls.SetEnabled(CmdPedalPlay(0), true);
  // The replacement's load button is disabled only while a sound plays.
  ctx.controls.SetEnabled(Ctl::CmdReplace, !ctx.controls.Enabled(Ctl::CmdReplacementLoad));
  ctx.controls.SetCaption(Ctl::LabelReplacement, "Replacement");
  ctx.controls.SetEnabled(Ctl::CmdRevert, false);
  ctx.controls.SetEnabled(Ctl::MnuRevertAll, false);
}

}  // namespace revalorn

// A version switch on a stock installation: the game sound folder holds only a 6 MB
// sound.dat, so every one of the version's 10 files is missing and is restored from the
// archive. The archive is loaded once per run; the baseline, measured in the same run,
// copies and loads it again for every missing file.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>
#include <string>

#include "catalogue/catalogue.h"
#include "core/context.h"
#include "core/headless_context.h"
#include "files/file_helpers.h"
#include "sounddat/sound_dat.h"
#include "tools/gamefiles/sound_dat_fixture.h"
#include "workingfolder/working_folder.h"

namespace {

namespace fs = std::filesystem;
using namespace revalorn;

// A program folder and a stock game installation in a temporary folder.
class StockInstallation {
 public:
  StockInstallation() {
    std::random_device rd;
    root = fs::temp_directory_path() / ("revalorn-bench-" + std::to_string(rd()));
    fs::create_directories(root / "program");
    fs::create_directories(root / "GPL" / "sound");
    const auto archive = fixtures::MakeSoundDat(fixtures::StockSoundDatEntries(6 * 1024 * 1024, 300));
    WriteFileAtomically(FromPath(root / "GPL" / "sound" / "sound.dat"), archive);
    BuildCatalogue(ctx.catalogue);
    ctx.values.ProgramFolder = FromPath(root / "program");
    ctx.values.LastUsedGPLPath = FromPath(root / "GPL" / "sound");
    ctx.values.GameVersion = kVersionMod1965;
    ctx.values.CarCount = ctx.catalogue.CarCount(kVersionMod1965);
    ctx.random = [] { return 0.5; };
    for (const auto text : VersionListTexts()) ctx.controls.AddItem(Ctl::Combo2, std::string(text));
  }
  ~StockInstallation() {
    std::error_code ec;
    fs::remove_all(root, ec);
  }
  // Back to an installation with nothing but sound.dat.
  void RemoveRestoredSounds() {
    for (const auto& entry : fs::directory_iterator(root / "GPL" / "sound")) {
      if (entry.path().filename() != "sound.dat") fs::remove(entry.path());
    }
  }

  fs::path root;
  HeadlessContext headless;
  Context& ctx = headless.ctx;
};

// The straightforward way, kept as the baseline: every missing file copies and loads the
// archive anew.
void EnsureEngineSoundsReloadingPerFile(Context& ctx) {
  const BusyCursor busy(ctx.prompts);
  const std::string& directory = ctx.values.LastUsedGPLPath;
  const int v = ctx.values.GameVersion;
  for (const auto s : VersionSlots(ctx.catalogue, v)) {
    const std::string& name = ctx.catalogue.SoundFileName(v, s);
    if (FileExists(FindEntryIgnoringCase(directory, name))) continue;
    const int r = static_cast<int>(7.0 * ctx.random());
    SoundDatArchive archive(ctx, directory);
    if (const auto data = archive.Find(ctx.catalogue.SoundFileName(kVersionOriginal1967, r))) {
      WriteFileAtomically(JoinPath(directory, name), *data);
      ctx.prompts.MsgBox(RandomSoundMessage(name), MsgButtons::Ok, MsgIcon::Information);
    }
  }
}

template <void (*Restore)(Context&)>
void BM_RestoreStockInstallation(benchmark::State& state) {
  StockInstallation game;
  for (auto _ : state) {
    state.PauseTiming();
    game.RemoveRestoredSounds();
    state.ResumeTiming();
    Restore(game.ctx);
  }
  if (!FileExists(JoinPath(game.ctx.values.LastUsedGPLPath, "f2f3.wav"))) state.SkipWithError("nothing restored");
}
BENCHMARK(BM_RestoreStockInstallation<EnsureEngineSounds>)
    ->Name("EnsureEngineSounds/OneArchiveLoad")
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RestoreStockInstallation<EnsureEngineSoundsReloadingPerFile>)
    ->Name("EnsureEngineSounds/ReloadPerFile_baseline")
    ->Unit(benchmark::kMillisecond);

// The whole switch, the working copies included, for scale.
void BM_VersionSwitch(benchmark::State& state) {
  StockInstallation game;
  game.ctx.controls.SetListIndex(Ctl::Combo2, ListPositionOfVersion(kVersionMod1965));
  for (auto _ : state) {
    state.PauseTiming();
    game.RemoveRestoredSounds();
    state.ResumeTiming();
    Combo2_Click(game.ctx);
  }
}
BENCHMARK(BM_VersionSwitch)->Name("Combo2_Click/StockInstallation")->Unit(benchmark::kMillisecond);

}  // namespace

#include "tests/soundfiles/sound_files_fixture.h"

#include <algorithm>

#include "soundfiles/replacement_loading.h"
#include "soundfiles/replace_revert.h"
#include "soundfiles/sound_sets.h"
#include "tools/gamefiles/wav_fixture.h"
#include "workingfolder/working_folder.h"

namespace revalorn::testing {

namespace fs = std::filesystem;

Bytes Sound(std::int32_t rate, int seed) {
  return fixtures::MakeWav({rate, 1, 16, fixtures::WavEncoding::Pcm}, fixtures::EngineLoop(50.0 + seed, rate, 3, seed));
}

Game::Game(int version) {
  fs::create_directories(GameSound());
  candidates = dir.path() / "candidates";
  fs::create_directories(candidates);
  values().LastUsedGPLPath = FromPath(GameSound());
  int seed = 1;
  for (const int v : {kVersionOriginal1967, kVersionCarSound1967}) {
    for (const auto s : VersionSlots(ctx.catalogue, v)) {
      const fs::path file = GameSound(ctx.catalogue.SoundFileName(v, s));
      if (!fs::exists(file)) WriteBinaryFile(file, Sound(22050, seed++));
    }
  }
  for (const auto text : VersionListTexts()) controls().AddItem(Ctl::Combo2, std::string(text));
  PickVersion(version);
}

void Game::PickVersion(int version) {
  controls().SetListIndex(Ctl::Combo2, ListPositionOfVersion(version));
  Combo2_Click(ctx);
}

void Game::PickEngine(int index) {
  controls().SetListIndex(Ctl::Combo1, index);
  Combo1_Click(ctx);
}

void Game::LoadReplacement(const std::string& file, const Bytes& bytes, int button) {
  WriteBinaryFile(candidates / file, bytes);
  const std::string folder = FromPath(candidates);
  prompts.finderScripts.push_back([folder, file, button](FinderLogic& logic, FinderModel& m) {
    m.dirPath = folder;
    logic.FolderChanged(m);
    m.fileName = file;
    logic.FileClicked(m);
    logic.Action(m, button);
  });
  CmdReplacementLoad_Click(ctx);
}

void Game::ReplaceEntry(int index, MsgResult answer) {
  PickEngine(index);
  prompts.answers.push_back(answer);
  CmdReplace_Click(ctx);
}

void Game::SaveSet(const std::string& name) {
  prompts.inputs.push_back(name);
  MnuSaveSoundSet_Click(ctx);
}

void Game::LoadSet(const fs::path& folder) {
  prompts.finderScripts.push_back([folder](FinderLogic& logic, FinderModel& m) {
    m.dirPath = FromPath(folder);
    logic.FolderChanged(m);
    logic.Action(m, 0);
  });
  MnuLoadSoundSet_Click(ctx);
}

fs::path Game::Working(const std::string& name) const {
  const fs::path folder = dir.path() / "program" / "Working Folder";
  return name.empty() ? folder : folder / name;
}

fs::path Game::GameSound(const std::string& name) const {
  const fs::path folder = dir.path() / "GPL" / "sound";
  return name.empty() ? folder : folder / name;
}

Bytes Game::WorkingBytes(const std::string& name) const { return ReadBinaryFile(Working(name)); }
Bytes Game::GameBytes(const std::string& name) const { return ReadBinaryFile(GameSound(name)); }

std::vector<std::string> Game::VersionFiles() const {
  std::vector<std::string> names;
  const int v = ctx.values.GameVersion;
  for (const auto s : VersionSlots(ctx.catalogue, v)) names.push_back(ctx.catalogue.SoundFileName(v, s));
  std::sort(names.begin(), names.end());
  names.erase(std::unique(names.begin(), names.end()), names.end());
  return names;
}

}  // namespace revalorn::testing

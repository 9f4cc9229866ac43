// The demo game folder, written for real and then used the way a player uses a game
// folder: the program switches versions on it and finds its sounds and pictures.
#include "tools/demo_game/demo_game.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <set>
#include <stdexcept>
#include <string>

#include "files/wav_header.h"
#include "patching/executable_kind.h"
#include "sounddat/sound_dat.h"
#include "tests/support/test_context.h"
#include "tools/demo_game/demo_cars.h"
#include "workingfolder/working_folder.h"

namespace revalorn {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;
using testing::ListFolder;
using testing::ReadBinaryFile;

// Every file below root, by relative path.
std::map<std::string, Bytes> Files(const fs::path& root) {
  std::map<std::string, Bytes> files;
  for (const auto& e : fs::recursive_directory_iterator(root)) {
    if (e.is_regular_file()) files[fs::relative(e.path(), root).generic_string()] = ReadBinaryFile(e.path());
  }
  return files;
}

Bytes ArchiveEntry(const fs::path& soundDat, const std::string& name) {
  const Bytes archive = ReadBinaryFile(soundDat);
  const auto entry = FindDatEntry(archive, name);
  if (!entry) throw std::runtime_error("no " + name + " in the archive");
  const auto data = DatEntryData(archive, *entry);
  return Bytes(data.begin(), data.end());
}

TEST(DemoGame, WritesEveryPartOfAGameFolderTheSameWayEveryTime) {
  testing::TempDir dir;
  const fs::path root = dir.path() / "GPL";
  demo::WriteDemoGame(root);
  demo::WriteDemoGame(dir.path() / "again");
  const auto files = Files(root);
  EXPECT_EQ(files, Files(dir.path() / "again"));

  // The archive: the six stock engine sounds, distinct and playable, then other sounds.
  std::set<Bytes> engines;
  for (const char* name : {"repco.wav", "brmh16.wav", "weslake.wav", "cosworth.wav", "ferrari.wav", "f2f3.wav"}) {
    const Bytes data = ArchiveEntry(root / "sound" / "sound.dat", name);
    EXPECT_TRUE(IsUsablePcmWav(data)) << name;
    engines.insert(data);
  }
  EXPECT_EQ(engines.size(), 6u);

  EXPECT_EQ(ListFolder(root / "sound"),
            (std::vector<std::string>{"690.wav", "694.wav", "Bra.wav", "ferrari.wav", "sound.dat"}));
  for (const auto& s : demo::LooseEngineSounds()) EXPECT_TRUE(IsUsablePcmWav(files.at("sound/" + s.name)));
  EXPECT_NE(files.at("sound/ferrari.wav"), ArchiveEntry(root / "sound" / "sound.dat", "ferrari.wav"));
  for (const auto& s : demo::DownloadedSounds()) EXPECT_TRUE(IsUsablePcmWav(files.at("Downloaded Sounds/" + s.name)));

  for (const auto& car : demo::DemoCars()) {
    const Bytes& jpeg = files.at("cars/" + car.carSet + "/" + car.team + "/GEMPic.jpg");
    EXPECT_TRUE(jpeg.size() > 1000 && jpeg[0] == 0xFF && jpeg[1] == 0xD8) << "a JPEG image";
  }

  // The executables are what their names promise, classified by the program's own code.
  testing::TestContext t;
  std::set<int> kinds;
  for (const auto& exe : demo::DemoExecutables()) {
    EXPECT_EQ(KindCode(IdentifyExecutableAt(t.ctx, FromPath(root / exe.name))), exe.kind) << exe.name;
    kinds.insert(exe.kind);
  }
  for (const int kind : {0, 1, 2, 3, 7, -1}) EXPECT_TRUE(kinds.count(kind)) << kind;
  EXPECT_TRUE(files.count("gpl.exe"));
}

TEST(DemoGame, NeverWritesIntoAFolderThatHoldsSomething) {
  testing::TempDir dir;
  const fs::path game = dir.path() / "MyGame";
  fs::create_directories(game);
  testing::WriteTextFile(game / "gpl.exe", "the player's own");
  EXPECT_THROW(demo::WriteDemoGame(game), std::runtime_error);
  EXPECT_EQ(ListFolder(game), std::vector<std::string>{"gpl.exe"});
  EXPECT_THROW(demo::WriteDemoGame(game / "gpl.exe"), std::runtime_error);

  fs::create_directories(dir.path() / "empty");
  demo::WriteDemoGame(dir.path() / "empty");
  EXPECT_TRUE(fs::exists(dir.path() / "empty" / "sound" / "sound.dat"));
}

// A player's first steps with the demo folder: the original game takes the loose
// sounds first and the archive for the rest; a mod's missing sounds are drawn from the
// archive; the cars' pictures are found.
TEST(DemoGame, TheVersionSwitchFillsTheWorkingFolderAndFindsThePictures) {
  testing::TestContext t;
  const fs::path root = t.dir.path() / "GPL";
  const fs::path dat = root / "sound" / "sound.dat";
  demo::WriteDemoGame(root);
  t.values().LastUsedGPLPath = FromPath(root / "sound");
  for (const auto text : VersionListTexts()) t.controls().AddItem(Ctl::Combo2, std::string(text));
  t.ctx.random = [] { return 0.5; };  // floor(7 * 0.5) = 3: "cosworth.wav"
  const auto pick = [&t](Ctl list, int index) {
    t.controls().SetListIndex(list, index);
    list == Ctl::Combo2 ? Combo2_Click(t.ctx) : Combo1_Click(t.ctx);
    return t.controls().Picture(Ctl::GEMPic1);
  };
  const auto working = [&t](const std::string& name) { return ReadBinaryFile(fs::path(WorkingFolderPath(t.ctx.values)) / name); };
  const auto car = [&root](const std::string& set, const std::string& team) {
    return PictureSource::File(FromPath(root / "cars" / set / team / "GEMPic.jpg"));
  };

  EXPECT_EQ(pick(Ctl::Combo2, ListPositionOfVersion(kVersionOriginal1967)), car("cars67", "brabham"));
  EXPECT_TRUE(t.prompts.messages.empty());
  EXPECT_EQ(working("repco.wav"), ArchiveEntry(dat, "repco.wav"));
  EXPECT_EQ(working("f3.wav"), ArchiveEntry(dat, "f2f3.wav"));
  EXPECT_EQ(working("ferrari.wav"), ReadBinaryFile(root / "sound" / "ferrari.wav"));
  EXPECT_EQ(t.ctx.catalogue.SampleRate(kVersionOriginal1967, 4), 44100);  // the loose one
  EXPECT_EQ(pick(Ctl::Combo1, 4), car("cars67", "ferrari"));
  EXPECT_EQ(pick(Ctl::Combo1, 2).kind, PictureSource::Kind::BuiltIn);  // no picture of this car

  pick(Ctl::Combo2, ListPositionOfVersion(kVersionCarSound1967));
  // "Bra.wav" counts as "bra.wav"; the other six cars are missing (the trainers' files
  // were restored for the original game).
  EXPECT_EQ(working("bra.wav"), ReadBinaryFile(root / "sound" / "Bra.wav"));
  EXPECT_FALSE(fs::exists(root / "sound" / "bra.wav")) << "no second file beside it";
  EXPECT_EQ(t.ctx.catalogue.SampleRate(kVersionCarSound1967, 0), 44100);
  ASSERT_EQ(t.prompts.messages.size(), 6u);
  EXPECT_EQ(t.prompts.messages[0].text, RandomSoundMessage("brm.wav"));
  EXPECT_EQ(working("mur.wav"), ArchiveEntry(dat, "cosworth.wav"));
}

}  // namespace
}  // namespace revalorn

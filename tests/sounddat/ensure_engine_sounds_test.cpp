// Restoring missing engine sounds from sound.dat, on real game folders in a temporary
// directory.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "sounddat/sound_dat.h"
#include "tools/gamefiles/sound_dat_fixture.h"
#include "tools/gamefiles/wav_fixture.h"
#include "tests/support/test_context.h"

namespace revalorn {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;
using testing::ListFolder;
using testing::ReadBinaryFile;
using testing::WriteBinaryFile;

Bytes PlayersOwnSound(int seed) {
  return fixtures::MakeWav({44100, 1, 16, fixtures::WavEncoding::Pcm},
                           fixtures::EngineLoop(50.0 + seed, 44100, 8, seed));
}

// A game installation whose sound folder holds the given archive and nothing else.
struct GameFolder : testing::TestContext {
  explicit GameFolder(std::int16_t version,
                      std::vector<fixtures::DatEntrySpec> entries = fixtures::StockEngineSounds(4)) {
    sound = dir.path() / "GPL" / "sound";
    fs::create_directories(sound);
    values().LastUsedGPLPath = dir.Sub("GPL/sound");
    values().GameVersion = version;
    values().CarCount = ctx.catalogue.CarCount(version);
    for (const auto& e : entries) stock[e.name] = e.data;
    WriteBinaryFile(sound / "sound.dat", fixtures::MakeSoundDat(entries));
  }
  // Scripted draws; records how many were taken.
  void Draws(std::vector<double> xs) {
    ctx.random = [this, xs]() { return xs.at(draws++); };
  }
  Bytes Game(const std::string& name) const { return ReadBinaryFile(sound / name); }

  fs::path sound;
  std::map<std::string, Bytes> stock;
  std::size_t draws = 0;
};

TEST(EnsureEngineSounds, AStockInstallationGetsTheOriginalGamesFilesSilently) {
  GameFolder game(kVersionOriginal1967);
  EnsureEngineSounds(game.ctx);

  EXPECT_EQ(ListFolder(game.sound),
            (std::vector<std::string>{"brmh16.wav", "cosworth.wav", "f2.wav", "f2f3.wav", "f3.wav", "ferrari.wav",
                                      "repco.wav", "sound.dat", "weslake.wav"}));
  for (const char* name : {"repco.wav", "brmh16.wav", "weslake.wav", "cosworth.wav", "ferrari.wav"}) {
    EXPECT_EQ(game.Game(name), game.stock[name]) << name;
  }
  for (const char* trainer : {"f2.wav", "f3.wav", "f2f3.wav"}) EXPECT_EQ(game.Game(trainer), game.stock["f2f3.wav"]);
  EXPECT_TRUE(game.prompts.messages.empty());
  EXPECT_EQ(game.draws, 0u);
}

TEST(EnsureEngineSounds, AModWithOneMissingFileGetsOneStockCarSoundAndOneMessage) {
  GameFolder game(kVersionMod1965);  // the clock-seeded draw of the program
  for (const auto s : VersionSlots(game.ctx.catalogue, kVersionMod1965)) {
    const std::string& name = game.ctx.catalogue.SoundFileName(kVersionMod1965, s);
    if (name != "bt1.wav") WriteBinaryFile(game.sound / name, PlayersOwnSound(s));
  }
  EnsureEngineSounds(game.ctx);

  ASSERT_EQ(game.prompts.messages.size(), 1u);
  const auto& m = game.prompts.messages[0];
  EXPECT_EQ(m.text, "The bt1.wav sound didn't exist.  Revalorn has extracted a random sound from the .dat file.");
  EXPECT_EQ(m.buttons, MsgButtons::Ok);
  EXPECT_EQ(m.icon, MsgIcon::Information);
  EXPECT_EQ(game.prompts.busyChanges, (std::vector<bool>{true, false}));
  const Bytes got = game.Game("bt1.wav");
  bool isStockCarSound = false;
  for (const auto& name : fixtures::StockCarSoundNames()) isStockCarSound |= got == game.stock[name];
  EXPECT_TRUE(isStockCarSound);
  EXPECT_NE(got, game.stock["f2f3.wav"]);
}

TEST(EnsureEngineSounds, EachMissingFileOfAModGetsItsOwnDrawAndMessageInSlotOrder) {
  GameFolder game(kVersionMod1965);
  // floor(7x): 0 0 1 2 2 3 4 4 5 6
  game.Draws({0.0, 0.1, 0.2, 0.3, 0.4, 0.5, 0.6, 0.7, 0.8, 0.99999});
  EnsureEngineSounds(game.ctx);

  const std::vector<std::pair<std::string, std::string>> expected = {
      {"bt1.wav", "repco.wav"},   {"b61.wav", "repco.wav"},    {"c77.wav", "brmh16.wav"},  {"bt7.wav", "weslake.wav"},
      {"f65.wav", "weslake.wav"}, {"l33.wav", "cosworth.wav"}, {"h65.wav", "ferrari.wav"}, {"f2.wav", "ferrari.wav"},
      {"f3.wav", "cosworth.wav"}, {"f2f3.wav", "repco.wav"}};
  EXPECT_EQ(game.draws, 10u);
  ASSERT_EQ(game.prompts.messages.size(), 10u);
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(game.prompts.messages[i].text, RandomSoundMessage(expected[i].first));
    EXPECT_EQ(game.Game(expected[i].first), game.stock[expected[i].second]) << expected[i].first;
  }
  // The stock names themselves were never written beside them.
  EXPECT_FALSE(fs::exists(game.sound / "repco.wav"));
  EXPECT_FALSE(fs::exists(game.sound / "weslake.wav"));
}

TEST(EnsureEngineSounds, APlayersOwnSoundUnderAStockNameIsNeverReplaced) {
  GameFolder game(kVersionMod1965);
  const Bytes own = PlayersOwnSound(7);
  WriteBinaryFile(game.sound / "repco.wav", own);
  game.Draws(std::vector<double>(10, 0.0));  // always "repco.wav"
  EnsureEngineSounds(game.ctx);
  EXPECT_EQ(game.Game("repco.wav"), own);
  EXPECT_EQ(game.Game("bt1.wav"), game.stock["repco.wav"]);
  EXPECT_EQ(game.Game("f2f3.wav"), game.stock["repco.wav"]);

  GameFolder original(kVersionOriginal1967);
  WriteBinaryFile(original.sound / "f2f3.wav", own);
  EnsureEngineSounds(original.ctx);
  EXPECT_EQ(original.Game("f2f3.wav"), own);
  EXPECT_EQ(original.Game("f2.wav"), original.stock["f2f3.wav"]);
}

TEST(EnsureEngineSounds, ALooseStockFileStandsInForAnEntryTheArchiveLacks) {
  auto entries = fixtures::StockEngineSounds(4);
  std::erase_if(
      entries, [](const auto& e) { return e.name == "ferrari.wav" || e.name == "brmh16.wav" || e.name == "f2f3.wav"; });
  const Bytes looseFerrari = PlayersOwnSound(3);
  const Bytes looseTrainer = PlayersOwnSound(4);

  GameFolder mod(kVersionMod1969, entries);
  WriteBinaryFile(mod.sound / "Ferrari.WAV", looseFerrari);
  mod.Draws({0.6, 0.3, 0.2});  // "ferrari.wav", "weslake.wav", "brmh16.wav"
  for (const auto s : VersionSlots(mod.ctx.catalogue, kVersionMod1969)) {
    if (s > 2) WriteBinaryFile(mod.sound / mod.ctx.catalogue.SoundFileName(kVersionMod1969, s), PlayersOwnSound(s));
  }
  EnsureEngineSounds(mod.ctx);
  EXPECT_EQ(mod.Game("690.wav"), looseFerrari);
  EXPECT_EQ(mod.Game("Ferrari.WAV"), looseFerrari);
  EXPECT_EQ(mod.Game("691.wav"), mod.stock["weslake.wav"]);
  EXPECT_FALSE(fs::exists(mod.sound / "692.wav"));  // nothing could supply "brmh16.wav"
  EXPECT_EQ(mod.prompts.MessageTexts(),
            (std::vector<std::string>{RandomSoundMessage("690.wav"), RandomSoundMessage("691.wav")}));

  GameFolder original(kVersionOriginal1967, entries);
  WriteBinaryFile(original.sound / "F2F3.wav", looseTrainer);
  EnsureEngineSounds(original.ctx);
  EXPECT_EQ(original.Game("f2.wav"), looseTrainer);
  EXPECT_EQ(original.Game("f3.wav"), looseTrainer);
  EXPECT_FALSE(fs::exists(original.sound / "ferrari.wav"));  // a car's own file has no stand-in
  EXPECT_FALSE(fs::exists(original.sound / "f2f3.wav"));
}

TEST(EnsureEngineSounds, NoArchiveOrAnEmptyOneRestoresNothing) {
  GameFolder game(kVersionOriginal1967);
  const Bytes archive = ReadBinaryFile(game.sound / "sound.dat");
  // FileBytes still holds a good archive from before: an empty file must not reuse it.
  game.values().FileBytes = archive;
  WriteBinaryFile(game.sound / "sound.dat", {});
  EnsureEngineSounds(game.ctx);
  EXPECT_EQ(ListFolder(game.sound), std::vector<std::string>{"sound.dat"});

  fs::remove(game.sound / "sound.dat");
  game.values().GameVersion = kVersionMod1965;
  EnsureEngineSounds(game.ctx);
  EXPECT_TRUE(ListFolder(game.sound).empty());
  EXPECT_TRUE(game.prompts.messages.empty());
}

TEST(SoundDatArchive, IsReadOnceThroughAWorkingCopyThatIsDeletedAtOnce) {
  GameFolder game(kVersionOriginal1967);
  SoundDatArchive archive(game.ctx, game.values().LastUsedGPLPath);
  EXPECT_EQ(archive.Loads(), 0);
  const auto repco = archive.Find("repco.wav");
  ASSERT_TRUE(repco);
  EXPECT_TRUE(std::equal(repco->begin(), repco->end(), game.stock["repco.wav"].begin(), game.stock["repco.wav"].end()));
  EXPECT_EQ(ListFolder(game.sound), std::vector<std::string>{"sound.dat"});

  // Later look-ups use the bytes already loaded.
  WriteBinaryFile(game.sound / "sound.dat", fixtures::MakeSoundDat({}));
  EXPECT_TRUE(archive.Find("ferrari.wav"));
  EXPECT_FALSE(archive.Find("nothing.wav"));
  EXPECT_EQ(archive.Loads(), 1);
}

TEST(ExtractSoundFromDat, WritesTheEntryUnderTheGameFilesOwnName) {
  GameFolder game(kVersionOriginal1967);
  const std::string dir = game.values().LastUsedGPLPath;
  EXPECT_TRUE(ExtractSoundFromDat(game.ctx, "weslake.wav", "sound.dat", dir));
  EXPECT_EQ(game.Game("weslake.wav"), game.stock["weslake.wav"]);

  // An existing "Repco.wav" is the game's "repco.wav": replaced, no second file.
  WriteBinaryFile(game.sound / "Repco.wav", PlayersOwnSound(2));
  EXPECT_TRUE(ExtractSoundFromDat(game.ctx, "repco.wav", "sound.dat", dir));
  EXPECT_EQ(game.Game("Repco.wav"), game.stock["repco.wav"]);
  EXPECT_EQ(ListFolder(game.sound), (std::vector<std::string>{"Repco.wav", "sound.dat", "weslake.wav"}));

  EXPECT_FALSE(ExtractSoundFromDat(game.ctx, "REPCO.WAV", "sound.dat", dir));  // entries match exactly
  EXPECT_FALSE(ExtractSoundFromDat(game.ctx, "repco.wav", "other.dat", dir));
  EXPECT_EQ(ListFolder(game.sound), (std::vector<std::string>{"Repco.wav", "sound.dat", "weslake.wav"}));
}

}  // namespace
}  // namespace revalorn

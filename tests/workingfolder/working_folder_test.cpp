// Picking a game version or an engine sound, on real game and program folders in a
// temporary directory.
#include "workingfolder/working_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "catalogue/catalogue.h"
#include "tools/gamefiles/sound_dat_fixture.h"
#include "tools/gamefiles/wav_fixture.h"
#include "tests/support/test_context.h"
#include "workingfolder/pictures.h"
#include "workingfolder/picture_fit.h"

namespace revalorn {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;
using testing::ListFolder;
using testing::ReadBinaryFile;
using testing::WriteBinaryFile;

Bytes Sound(std::int32_t rate, int seed = 1) {
  return fixtures::MakeWav({rate, 1, 16, fixtures::WavEncoding::Pcm}, fixtures::EngineLoop(60.0 + seed, rate, 4, seed));
}

// The program folder of TestContext and a game installed beside it, "GPL", whose sound
// folder holds a stock sound.dat.
struct Program : testing::TestContext {
  Program() {
    root = dir.path() / "GPL";
    sound = root / "sound";
    fs::create_directories(sound);
    values().LastUsedGPLPath = dir.Sub("GPL/sound");
    for (const auto& e : fixtures::StockEngineSounds(4)) stock[e.name] = e.data;
    WriteBinaryFile(sound / "sound.dat", fixtures::MakeSoundDat(fixtures::StockEngineSounds(4)));
    for (const auto text : VersionListTexts()) controls().AddItem(Ctl::Combo2, std::string(text));
    ctx.random = [] { return 0.0; };
  }
  void PickVersion(int version) {
    controls().SetListIndex(Ctl::Combo2, ListPositionOfVersion(version));
    Combo2_Click(ctx);
  }
  void PickEngine(int index) {
    controls().SetListIndex(Ctl::Combo1, index);
    Combo1_Click(ctx);
  }
  fs::path Working() const { return dir.path() / "program" / "Working Folder"; }

  fs::path root;
  fs::path sound;
  std::map<std::string, Bytes> stock;
};

TEST(VersionSwitch, AStockInstallationFillsTheWorkingFolderAndSetsTheIdleButtons) {
  Program p;
  p.values().SoundChanged[3] = true;
  p.values().SoundChanged[21] = true;
  p.values().SoundChanged[10] = true;  // not a slot of the version
  p.PickVersion(kVersionOriginal1967);

  EXPECT_EQ(ListFolder(p.Working()), (std::vector<std::string>{"brmh16.wav", "cosworth.wav", "f2.wav", "f2f3.wav",
                                                               "f3.wav", "ferrari.wav", "repco.wav", "weslake.wav"}));
  EXPECT_EQ(ReadBinaryFile(p.Working() / "cosworth.wav"), p.stock["cosworth.wav"]);
  EXPECT_EQ(ReadBinaryFile(p.Working() / "f3.wav"), p.stock["f2f3.wav"]);
  for (const auto s : VersionSlots(p.ctx.catalogue, 0)) EXPECT_EQ(p.ctx.catalogue.SampleRate(0, s), 22050) << s;
  EXPECT_FALSE(p.values().SoundChanged[3]);
  EXPECT_FALSE(p.values().SoundChanged[21]);
  EXPECT_TRUE(p.values().SoundChanged[10]);
  EXPECT_TRUE(p.prompts.messages.empty());

  const ControlModel& c = p.controls();
  EXPECT_EQ(p.values().CarCount, 7);
  EXPECT_EQ(c[Ctl::Combo1].items.size(), 10u);
  EXPECT_EQ(c[Ctl::Combo1].items[9], "F2F3 (Both Trainers)");
  EXPECT_EQ(c.ListIndex(Ctl::Combo1), 0);
  EXPECT_EQ(c.Caption(Ctl::LabelCar), "repco.wav");
  EXPECT_TRUE(c.Enabled(CmdAutoPlay(0)));
  EXPECT_FALSE(c.Enabled(Ctl::CmdReplace));
  EXPECT_EQ(c.Caption(Ctl::LabelReplacement), "Replacement");
  EXPECT_FALSE(c.Enabled(Ctl::MnuRevertAll));
  EXPECT_EQ(c.Picture(Ctl::GEMPic1), PictureSource::BuiltIn(101));
  EXPECT_EQ(c.Picture(Ctl::FrmSoundBackground), PictureSource::BuiltIn(101));
}

TEST(VersionSwitch, AnotherVersionAddsItsCopiesAndLeavesTheOthers) {
  Program p;
  p.PickVersion(kVersionOriginal1967);
  const Bytes repco = ReadBinaryFile(p.Working() / "repco.wav");
  WriteBinaryFile(p.Working() / "StartupScreen67.jpg", Bytes{0xFF, 0xD8, 0xFF});
  p.PickVersion(kVersionCarSound1967);

  EXPECT_EQ(ListFolder(p.Working()),
            (std::vector<std::string>{"StartupScreen67.jpg", "bra.wav", "brm.wav", "brmh16.wav", "cosworth.wav", "cov.wav",
                                      "eag.wav", "f2.wav", "f2f3.wav", "f3.wav", "fer.wav", "ferrari.wav", "lot.wav",
                                      "mur.wav", "repco.wav", "weslake.wav"}));
  EXPECT_EQ(ReadBinaryFile(p.Working() / "repco.wav"), repco);
  EXPECT_EQ(ReadBinaryFile(p.Working() / "bra.wav"), p.stock["repco.wav"]);  // the draws are 0
  EXPECT_EQ(p.prompts.messages.size(), 7u);                                  // the trainer files are already there
  EXPECT_EQ(p.values().GameVersion, 1);
  EXPECT_EQ(p.values().CurrentGameVersion, 1);
  EXPECT_EQ(p.controls().Picture(Ctl::FrmSoundBackground),
            PictureSource::File(FromPath(p.Working() / "StartupScreen67.jpg")));
}

TEST(EngineSelection, TheF2EntryShowsItsFileAndABuiltInPicture) {
  Program p;
  p.PickVersion(kVersionOriginal1967);
  for (const auto& team : {"brabham", "brm", "coventry", "eagle", "ferrari", "lotus", "murasama"}) {
    fs::create_directories(p.root / "cars" / "cars67" / team);
    WriteBinaryFile(p.root / "cars" / "cars67" / team / "GEMPic.jpg", Bytes{0xFF, 0xD8, 0xFF});
  }
  p.values().SoundChanged[20] = true;
  p.PickEngine(7);
  EXPECT_EQ(p.controls().Caption(Ctl::LabelCar), "f2.wav");
  EXPECT_TRUE(p.controls().Enabled(Ctl::CmdRevert));
  EXPECT_EQ(p.controls().Picture(Ctl::GEMPic1), PictureSource::BuiltIn(102));  // the second built-in one
  EXPECT_FALSE(CarPicturePath(p.ctx, 0, 7));

  p.PickEngine(4);
  EXPECT_EQ(p.controls().Caption(Ctl::LabelCar), "ferrari.wav");
  EXPECT_FALSE(p.controls().Enabled(Ctl::CmdRevert));
  EXPECT_EQ(p.controls().Picture(Ctl::GEMPic1),
            PictureSource::File(FromPath(p.root / "cars" / "cars67" / "ferrari" / "GEMPic.jpg")));
}

TEST(EngineSelection, TheEagleOfThe1966ModShowsItsPictureFoundIgnoringCase) {
  Program p;
  p.PickVersion(kVersionMod1966);
  const fs::path picture = p.root / "Cars" / "CARS66" / "Eagle" / "gempic.JPG";
  fs::create_directories(picture.parent_path());
  WriteBinaryFile(picture, Bytes{0xFF, 0xD8, 0xFF});
  p.values().CurrentGameVersion = 0;

  p.PickEngine(8);  // "Eagle AAR101-Climax S4 2.7L"
  EXPECT_EQ(p.controls()[Ctl::Combo1].items[8], "Eagle AAR101-Climax S4 2.7L");
  EXPECT_EQ(p.controls().Caption(Ctl::LabelCar), "66climS4.wav");
  EXPECT_EQ(p.values().CurrentGameVersion, kVersionMod1966);
  EXPECT_EQ(p.controls().Picture(Ctl::GEMPic1), PictureSource::File(FromPath(picture)));

  fs::remove_all(p.root / "Cars");
  EXPECT_EQ(CarPicturePath(p.ctx, kVersionMod1966, 8), FromPath(p.root / "cars" / "cars66" / "eagle" / "GEMPic.jpg"));
}

TEST(Pictures, BuiltInPicturesTakeTurnsPerBoxStartingWith101) {
  Program p;  // a fresh program: no car pictures, no backgrounds
  p.PickVersion(kVersionMod1965);
  EXPECT_EQ(p.controls().Picture(Ctl::GEMPic1), PictureSource::BuiltIn(101));
  p.PickEngine(1);
  EXPECT_EQ(p.controls().Picture(Ctl::GEMPic1), PictureSource::BuiltIn(102));
  p.PickEngine(2);
  EXPECT_EQ(p.controls().Picture(Ctl::GEMPic1), PictureSource::BuiltIn(101));
  // The background keeps its own turn.
  EXPECT_EQ(p.controls().Picture(Ctl::FrmSoundBackground), PictureSource::BuiltIn(101));
  p.PickVersion(kVersionMod1969);
  EXPECT_EQ(p.controls().Picture(Ctl::FrmSoundBackground), PictureSource::BuiltIn(102));
  EXPECT_EQ(p.controls().Picture(Ctl::GEMPic1), PictureSource::BuiltIn(102));
}

TEST(Pictures, TheGameRootIsTheSoundFolderLessSixCharacters) {
  EXPECT_EQ(GameRoot("/games/GPL/sound"), "/games/GPL");
  EXPECT_EQ(GameRoot("C:\\Sierra\\GPL\\sound"), "C:\\Sierra\\GPL");
  EXPECT_EQ(GameRoot("/spiele/gpl/s\xC3\xB6und"), "/spiele/gpl");  // six characters, seven bytes
  EXPECT_FALSE(GameRoot("sound"));
  EXPECT_FALSE(GameRoot("/sound"));  // no folder would be left
  EXPECT_FALSE(GameRoot(""));

  Program p;
  p.values().LastUsedGPLPath = "C:";
  p.PickVersion(kVersionOriginal1967);
  EXPECT_EQ(p.controls().Picture(Ctl::GEMPic1), PictureSource::BuiltIn(101));
  EXPECT_FALSE(CarPicturePath(p.ctx, 0, 0));
}

TEST(LoadEngineSounds, AMissingSourceKeepsItsRateAndCopyAndNothingIsCreatedInTheSource) {
  Program p;
  p.PickVersion(kVersionOriginal1967);
  const fs::path set = p.dir.path() / "set";
  fs::create_directories(set);
  WriteBinaryFile(set / "repco.wav", Sound(11025));
  // A rate that is not at offset 24: a chunk comes before "fmt ".
  Bytes shifted = Sound(32000);
  const Bytes list = {'L', 'I', 'S', 'T', 4, 0, 0, 0, 'i', 'n', 'f', 'o'};
  shifted.insert(shifted.begin() + 12, list.begin(), list.end());
  shifted[4] = static_cast<std::uint8_t>(shifted[4] + list.size());
  WriteBinaryFile(set / "brmh16.wav", shifted);
  WriteBinaryFile(set / "weslake.wav", Bytes{'n', 'o', 't', ' ', 'a', ' ', 'w', 'a', 'v'});
  p.values().SoundChanged[4] = true;
  p.controls().SetEnabled(Ctl::CmdReplacementLoad, false);  // as while a sound plays
  p.values().PedalsAvailable = true;

  LoadEngineSounds(p.ctx, FromPath(set));
  EXPECT_EQ(ListFolder(set), (std::vector<std::string>{"brmh16.wav", "repco.wav", "weslake.wav"}));
  EXPECT_EQ(p.ctx.catalogue.SampleRate(0, 0), 11025);
  EXPECT_EQ(p.ctx.catalogue.SampleRate(0, 6), 11025);
  EXPECT_EQ(p.ctx.catalogue.SampleRate(0, 1), 32000);
  EXPECT_EQ(p.ctx.catalogue.SampleRate(0, 2), 0);      // no readable "fmt " chunk
  EXPECT_EQ(p.ctx.catalogue.SampleRate(0, 4), 22050);  // missing: as before
  EXPECT_EQ(ReadBinaryFile(p.Working() / "ferrari.wav"), p.stock["ferrari.wav"]);
  EXPECT_EQ(ReadBinaryFile(p.Working() / "brmh16.wav"), shifted);
  EXPECT_FALSE(p.values().SoundChanged[4]);
  EXPECT_TRUE(p.controls().Enabled(Ctl::CmdReplace));
  EXPECT_TRUE(p.controls().Enabled(CmdPedalPlay(0)));
}

TEST(LoadEngineSounds, CopiesThatCannotBeWrittenAreSkippedAndTheRestIsDone) {
  Program p;
  p.values().GameVersion = kVersionOriginal1967;
  p.values().CarCount = 7;
  p.values().SoundChanged[0] = true;
  WriteBinaryFile(p.sound / "repco.wav", Sound(44100));
  testing::WriteTextFile(p.Working(), "a file where the folder should be");

  LoadEngineSounds(p.ctx, FromPath(p.sound));
  EXPECT_EQ(p.ctx.catalogue.SampleRate(0, 0), 44100);
  EXPECT_FALSE(p.values().SoundChanged[0]);
  EXPECT_TRUE(fs::is_regular_file(p.Working()));
  EXPECT_TRUE(p.controls().Enabled(CmdAutoPlay(0)));
  EXPECT_EQ(p.controls().Caption(Ctl::LabelReplacement), "Replacement");
}

TEST(FitToCover, ScalesByTheLargerRatioAndCropsTheCentreRoundingHalvesToEven) {
  const PictureFit fit = FitToCover(1600, 1200, 800, 500);  // rw 0.5, rh 0.417
  EXPECT_FLOAT_EQ(fit.scale, 0.5f);
  EXPECT_EQ(fit.scaledWidth, 800);
  EXPECT_EQ(fit.scaledHeight, 600);
  EXPECT_EQ(fit.offsetX, 0);
  EXPECT_EQ(fit.offsetY, 50);  // rows 50 to 549 are shown

  const PictureFit car = FitToCover(800, 600, 217, 161);  // enlarged to cover the car picture box
  EXPECT_FLOAT_EQ(car.scale, 217.0f / 800.0f);
  EXPECT_EQ(car.scaledWidth, 217);
  EXPECT_EQ(car.scaledHeight, 163);  // 162.75
  EXPECT_EQ(car.offsetY, 1);

  // 3 spare columns: 1.5 rounds to 2; 5 spare: 2.5 rounds to 2.
  EXPECT_EQ(FitToCover(103, 100, 100, 100).offsetX, 2);
  EXPECT_EQ(FitToCover(105, 100, 100, 100).offsetX, 2);
  EXPECT_EQ(FitToCover(0, 10, 10, 10).scaledWidth, 0);
  EXPECT_EQ(FitToCover(10, 10, 0, 10).scaledWidth, 0);
}

}  // namespace
}  // namespace revalorn

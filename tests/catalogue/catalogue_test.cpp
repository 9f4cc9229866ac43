#include "catalogue/catalogue.h"

#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>
#include <stdexcept>

#include "cli/commands.h"

namespace revalorn {
namespace {

class CatalogueTest : public ::testing::Test {
 protected:
  void SetUp() override { BuildCatalogue(catalogue); }
  Catalogue catalogue;
};

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

// catalogue.tsv was taken from the published tables, independently of the code.
TEST(CatalogueCommand, PrintsEveryRowOfTheTablesExactly) {
  std::ostringstream out, err;
  const std::string_view argv[] = {"revalorn-cli", "catalogue"};
  EXPECT_EQ(cli::RunCli(argv, out, err), 0);
  EXPECT_EQ(out.str(), ReadFile(REVALORN_TEST_DATA "/catalogue.tsv"));
  EXPECT_EQ(err.str(), "");
}

TEST(CatalogueCommand, RefusesArgumentsAndUnknownCommands) {
  for (const std::vector<std::string_view>& argv :
       {std::vector<std::string_view>{"revalorn-cli", "catalogue", "extra"},
        std::vector<std::string_view>{"revalorn-cli", "catalog"}, std::vector<std::string_view>{"revalorn-cli"}}) {
    std::ostringstream out, err;
    EXPECT_EQ(cli::RunCli(argv, out, err), 2);
    EXPECT_EQ(out.str(), "");
    EXPECT_NE(err.str().find("usage: revalorn-cli catalogue"), std::string::npos) << err.str();
  }
}

TEST_F(CatalogueTest, EveryRevLimitIsAnEngineSpeedInFiftiesTimes424) {
  for (int v = 0; v < kVersionCount; ++v) {
    for (const std::int16_t s : VersionSlots(catalogue, v)) {
      EXPECT_EQ(catalogue.MaxFreq(v, s) % 212, 0) << "version " << v << " slot " << s;
    }
  }
}

TEST_F(CatalogueTest, VersionSlotsAreTheCarsThenTheThreeTrainers) {
  const std::vector<std::int16_t> expected67 = {0, 1, 2, 3, 4, 5, 6, 20, 21, 22};
  EXPECT_EQ(VersionSlots(catalogue, kVersionOriginal1967), expected67);
  EXPECT_EQ(VersionSlots(catalogue, kVersionMod1966).size(), 19u);
  EXPECT_EQ(VersionSlots(catalogue, kVersionGT).size(), 12u);

  std::set<std::string> names;
  for (const std::int16_t s : VersionSlots(catalogue, kVersionOriginal1967)) {
    if (s < 20) names.insert(catalogue.SoundFileName(0, s));
  }
  EXPECT_EQ(names, (std::set<std::string>{"repco.wav", "brmh16.wav", "weslake.wav", "cosworth.wav", "ferrari.wav"}));
}

TEST_F(CatalogueTest, SharedSoundFilesOfThe1966Mod) {
  for (int s : {1, 2, 8}) EXPECT_EQ(catalogue.SoundFileName(kVersionMod1966, s), "66climS4.wav");
  for (int s : {3, 5, 14}) EXPECT_EQ(catalogue.SoundFileName(kVersionMod1966, s), "66brmV8.wav");
  for (int s : {4, 12}) EXPECT_EQ(catalogue.SoundFileName(kVersionMod1966, s), "66brmH16.wav");
}

TEST_F(CatalogueTest, OriginalAndCarSoundVersionsShareLabelsAndRevLimits) {
  for (const std::int16_t s : VersionSlots(catalogue, 0)) {
    EXPECT_EQ(catalogue.CarLabel(0, s), catalogue.CarLabel(1, s));
    EXPECT_EQ(catalogue.MaxFreq(0, s), catalogue.MaxFreq(1, s));
  }
  for (int v : {kVersionMod1966, kVersionGT}) {
    for (int s : {20, 21, 22}) EXPECT_EQ(catalogue.MaxFreq(v, s), 41552);
  }
}

TEST_F(CatalogueTest, ReplacementSlotStartsWithItsVersionsRevLimit) {
  const std::int32_t expected[] = {45250, 45250, 50500, 44914, 43884, 29000};
  for (int v = 0; v < kVersionCount; ++v) {
    EXPECT_EQ(catalogue.MaxFreq(v, kSlotReplacement), expected[v]);
    EXPECT_EQ(catalogue.SoundFileName(v, kSlotReplacement), "");
    EXPECT_EQ(catalogue.SampleRate(v, kSlotReplacement), 0);
  }
}

TEST_F(CatalogueTest, PerVersionColumns) {
  const char* folders[] = {"cars67", "cars67", "full65", "69Hwng", "cars66", "carsGT"};
  const char* pictures[] = {"StartupScreenPapy.jpg", "StartupScreen67.jpg", "StartupScreen65.jpg",
                            "StartupScreen69.jpg",   "StartupScreen66.jpg", "StartupScreenGT.jpg"};
  const std::int16_t counts[] = {7, 7, 7, 7, 16, 9};
  for (int v = 0; v < kVersionCount; ++v) {
    EXPECT_EQ(catalogue.CarSetFolder(v), folders[v]);
    EXPECT_EQ(catalogue.BackgroundPicture(v), pictures[v]);
    EXPECT_EQ(catalogue.CarCount(v), counts[v]);
  }
}

TEST_F(CatalogueTest, IndexesOutsideTheStorageAreErrors) {
  // Text columns are held for versions 0 to 10, numeric ones for 0 to 5.
  EXPECT_EQ(catalogue.SoundFileName(10, 0), "");
  EXPECT_EQ(catalogue.SoundFileName(0, 19), "") << "slots after the cars exist but hold nothing";
  EXPECT_THROW(catalogue.SoundFileName(11, 0), std::out_of_range);
  EXPECT_THROW(catalogue.CarLabel(-1, 0), std::out_of_range);
  EXPECT_THROW(catalogue.TeamFolder(0, 24), std::out_of_range);
  EXPECT_THROW(catalogue.MaxFreq(6, 0), std::out_of_range);
  EXPECT_THROW(catalogue.SampleRate(0, -1), std::out_of_range);
  EXPECT_THROW(catalogue.CarCount(6), std::out_of_range);
  EXPECT_THROW(catalogue.BackgroundPicture(-1), std::out_of_range);
  EXPECT_THROW(VersionOfListPosition(6), std::out_of_range);
  EXPECT_THROW(VersionOfListPosition(-1), std::out_of_range);
}

TEST(VersionList, PositionsMapToVersionCodes) {
  const std::int16_t versions[] = {2, 4, 0, 1, 3, 5};
  const std::int16_t counts[] = {7, 16, 7, 7, 7, 9};
  for (int p = 0; p < kVersionCount; ++p) {
    EXPECT_EQ(VersionOfListPosition(p).version, versions[p]);
    EXPECT_EQ(VersionOfListPosition(p).carCount, counts[p]);
    EXPECT_EQ(ListPositionOfVersion(versions[p]), p);
  }
  EXPECT_EQ(VersionListTexts()[2], "1967 Original Unpatched");
  Catalogue catalogue;
  BuildCatalogue(catalogue);
  for (int p = 0; p < kVersionCount; ++p) {
    EXPECT_EQ(VersionListTexts()[static_cast<std::size_t>(p)], catalogue.VersionName(versions[p]));
  }
}

TEST(EngineList, LastThreeEntriesAreTheTrainers) {
  // A 7-car version: 10 entries.
  EXPECT_EQ(SlotOfListIndex(0, 10), 0);
  EXPECT_EQ(SlotOfListIndex(6, 10), 6);
  EXPECT_EQ(SlotOfListIndex(7, 10), kSlotF2);
  EXPECT_EQ(SlotOfListIndex(8, 10), kSlotF3);
  EXPECT_EQ(SlotOfListIndex(9, 10), kSlotF2F3);
  // The 1966 Mod: 19 entries, trainers at 16, 17, 18.
  EXPECT_EQ(SlotOfListIndex(15, 19), 15);
  EXPECT_EQ(SlotOfListIndex(16, 19), kSlotF2);
  EXPECT_EQ(SlotOfListIndex(18, 19), kSlotF2F3);

  EXPECT_EQ(FormulaOfSlot(0), Formula::F1);
  EXPECT_EQ(FormulaOfSlot(20), Formula::F2);
  EXPECT_EQ(FormulaOfSlot(21), Formula::F3);
  EXPECT_EQ(FormulaOfSlot(22), Formula::F2F3);
}

}  // namespace
}  // namespace revalorn

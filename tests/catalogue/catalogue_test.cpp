#include "catalogue/catalogue.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <stdexcept>
#include <tuple>

#include "tests/support/cli_run.h"

namespace revalorn {
namespace {

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

// catalogue.tsv was taken from the published tables, independently of the code: every
// slot's file, label, rev limit and team folder, each version's slots in their order.
TEST(CatalogueCommand, PrintsEveryRowOfTheTablesExactlyAndRefusesOtherArguments) {
  const auto r = testing::RunCliWith({"catalogue"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, ReadFile(REVALORN_TEST_DATA "/catalogue.tsv"));
  EXPECT_EQ(r.err, "");
  for (const std::vector<std::string>& args : {std::vector<std::string>{"catalogue", "extra"}, {"catalog"}, {}}) {
    const auto refused = testing::RunCliWith(args);
    EXPECT_EQ(refused.status, 2);
    EXPECT_EQ(refused.out, "");
    EXPECT_NE(refused.err.find("usage: revalorn-cli catalogue"), std::string::npos) << refused.err;
  }
}

class CatalogueTest : public ::testing::Test {
 protected:
  void SetUp() override { BuildCatalogue(catalogue); }
  Catalogue catalogue;
};

TEST_F(CatalogueTest, PerVersionColumnsAndTheReplacementSlotsStart) {
  const char* folders[] = {"cars67", "cars67", "full65", "69Hwng", "cars66", "carsGT"};
  const char* pictures[] = {"StartupScreenPapy.jpg", "StartupScreen67.jpg", "StartupScreen65.jpg",
                            "StartupScreen69.jpg",   "StartupScreen66.jpg", "StartupScreenGT.jpg"};
  const std::int16_t counts[] = {7, 7, 7, 7, 16, 9};
  const std::int32_t replacementMaxFreq[] = {45250, 45250, 50500, 44914, 43884, 29000};
  for (int v = 0; v < kVersionCount; ++v) {
    EXPECT_EQ(catalogue.CarSetFolder(v), folders[v]);
    EXPECT_EQ(catalogue.BackgroundPicture(v), pictures[v]);
    EXPECT_EQ(catalogue.CarCount(v), counts[v]);
    EXPECT_EQ(catalogue.MaxFreq(v, kSlotReplacement), replacementMaxFreq[v]);
    EXPECT_EQ(catalogue.SoundFileName(v, kSlotReplacement), "");
    EXPECT_EQ(catalogue.SampleRate(v, kSlotReplacement), 0);
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

TEST_F(CatalogueTest, ListPositionsMapToVersionsAndTheLastThreeEngineEntriesAreTheTrainers) {
  const std::int16_t versions[] = {2, 4, 0, 1, 3, 5};
  const std::int16_t counts[] = {7, 16, 7, 7, 7, 9};
  for (int p = 0; p < kVersionCount; ++p) {
    EXPECT_EQ(VersionOfListPosition(p).version, versions[p]);
    EXPECT_EQ(VersionOfListPosition(p).carCount, counts[p]);
    EXPECT_EQ(ListPositionOfVersion(versions[p]), p);
    EXPECT_EQ(VersionListTexts()[static_cast<std::size_t>(p)], catalogue.VersionName(versions[p]));
  }
  EXPECT_EQ(VersionListTexts()[2], "1967 Original Unpatched");

  for (const auto& [index, count, slot] : {std::tuple{6, 10, 6}, {7, 10, kSlotF2}, {8, 10, kSlotF3}, {9, 10, kSlotF2F3},
                                           {15, 19, 15}, {16, 19, kSlotF2}, {18, 19, kSlotF2F3}}) {
    EXPECT_EQ(SlotOfListIndex(index, count), slot) << index << " of " << count;
  }
  EXPECT_EQ(FormulaOfSlot(0), Formula::F1);
  EXPECT_EQ(FormulaOfSlot(20), Formula::F2);
  EXPECT_EQ(FormulaOfSlot(21), Formula::F3);
  EXPECT_EQ(FormulaOfSlot(22), Formula::F2F3);
}

}  // namespace
}  // namespace revalorn

#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "patching/executable_kind.h"
#include "patching/sound_patch.h"
#include "tools/gamefiles/exe_fixture.h"
#include "tests/support/test_context.h"

namespace revalorn {
namespace {

namespace fx = fixtures;
using fx::Bytes;
using testing::ListFolder;
using testing::TestContext;
using testing::WriteBinaryFile;

// The fast search against the byte-by-byte definition, on inputs dense in partial
// matches (a three-letter alphabet), with starts before, inside and past the end.
TEST(FindPattern, AgreesWithThePlainScanEverywhere) {
  std::mt19937 rng(7);
  for (int round = 0; round < 20000; ++round) {
    Bytes hay(rng() % 120);
    for (auto& b : hay) b = static_cast<std::uint8_t>(rng() % 3);
    Bytes pattern(1 + rng() % 8);
    if (!hay.empty() && rng() % 2 == 0) {  // often a piece of the haystack itself
      const std::size_t at = rng() % hay.size();
      pattern.assign(hay.begin() + static_cast<std::ptrdiff_t>(at),
                     hay.begin() + static_cast<std::ptrdiff_t>(std::min(hay.size(), at + pattern.size())));
    } else {
      for (auto& b : pattern) b = static_cast<std::uint8_t>(rng() % 3);
    }
    const std::size_t start = rng() % (hay.size() + 3);
    ASSERT_EQ(FindPattern(hay, pattern, start), fx::PlainPatternScan(hay, pattern, start))
        << "round " << round << ", start " << start;
  }
}

TEST(FindPattern, FindsAPatternEndingAtTheLastByteButNotOneRunningPastIt) {
  EXPECT_EQ(FindPattern(Bytes{9, 1, 2, 3, 4}, Bytes{3, 4}, 0), 3u);
  EXPECT_EQ(FindPattern(Bytes{9, 1, 2, 3, 4}, Bytes{4, 5}, 0), std::nullopt);
  // Chained searches may overlap the earlier match but never start at or before it.
  const Bytes run = {7, 7, 7, 7};
  const auto first = FindPattern(run, Bytes{7, 7}, 0);
  EXPECT_EQ(first, 0u);
  EXPECT_EQ(FindPattern(run, Bytes{7, 7}, ChainedStart(first)), 1u);
  EXPECT_EQ(ChainedStart(std::nullopt), 0u);
}

class Identify : public ::testing::Test {
 protected:
  // Writes the image as ExecutableFolder/ExecutableName and classifies it.
  ExecutableKind IdentifyImage(const Bytes& bytes, const std::string& name = "gpl67.exe") {
    WriteBinaryFile(t.dir.path() / name, bytes);
    t.values().ExecutableFolder = t.dir.str();
    t.values().ExecutableName = name;
    return IdentifyExecutable(t.ctx);
  }
  TestContext t;
};

TEST_F(Identify, EveryKindOfImageAndNothingLeftBehindNotEvenAnEarlierWorkingCopy) {
  testing::WriteTextFile(t.dir.path() / "gpl67.exe.tmp", "stale");
  for (int code = 0; code <= 8; ++code) {
    const auto image = fx::MakeExecutableImage({.kind = code, .seed = static_cast<unsigned>(code)});
    EXPECT_EQ(IdentifyImage(image.bytes), static_cast<ExecutableKind>(code));
    EXPECT_EQ(IsValidExecutable(t.ctx), true);
  }
  EXPECT_EQ(ListFolder(t.dir.path()), (std::vector<std::string>{"gpl67.exe", "program"}));
  EXPECT_FALSE(t.prompts.busy);
  EXPECT_EQ(t.values().CurrentExecutableKind, 0) << "classification leaves the current kind to its callers";
}

TEST_F(Identify, TheLowestKindAfterTheMarkerWinsUpToTheLastByte) {
  auto image = fx::MakeExecutableImage({.kind = 5});
  const std::size_t afterTable = image.tableOffset + 244 + 200;
  fx::Overwrite(image.bytes, afterTable, fx::IdentityPatternBytes(3));
  EXPECT_EQ(IdentifyImage(image.bytes), ExecutableKind::Mod1965);

  // A pattern before the marker is not seen.
  image = fx::MakeExecutableImage({.kind = 5});
  fx::Overwrite(image.bytes, 100, fx::IdentityPatternBytes(0));
  EXPECT_EQ(IdentifyImage(image.bytes), ExecutableKind::Mod1969);

  // Without a marker the patterns are searched from the start.
  fx::Overwrite(image.bytes, image.markerOffset, Bytes(28, 0));
  EXPECT_EQ(IdentifyImage(image.bytes), ExecutableKind::Original1967);

  // A pattern ending at the last byte counts.
  image = fx::MakeExecutableImage({.kind = 2});
  Bytes cut(image.bytes.begin(), image.bytes.begin() + static_cast<std::ptrdiff_t>(image.tableOffset + 244));
  EXPECT_EQ(IdentifyImage(cut), ExecutableKind::CarSound1967Separate);
  cut.pop_back();
  EXPECT_EQ(IdentifyImage(cut), ExecutableKind::Unrecognised);
}

TEST_F(Identify, MissingEmptyAndUnnamedFilesAreUnrecognised) {
  const auto image = fx::MakeExecutableImage({.kind = 1});
  EXPECT_EQ(IdentifyImage(image.bytes), ExecutableKind::CarSound1967);
  // An empty file must not be judged by the bytes loaded before it.
  EXPECT_EQ(IdentifyImage({}, "empty.exe"), ExecutableKind::Unrecognised);
  t.values().ExecutableName = "";
  EXPECT_EQ(IdentifyExecutable(t.ctx), ExecutableKind::Unrecognised) << "the folder followed by an empty name";
  t.values().ExecutableName = "missing.exe";
  EXPECT_FALSE(IsValidExecutable(t.ctx));
  EXPECT_EQ(ListFolder(t.dir.path()), (std::vector<std::string>{"empty.exe", "gpl67.exe", "program"}));
}

}  // namespace
}  // namespace revalorn

// Converting executable images between their kinds, and revalorn-cli exe on real files.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "patching/executable_kind.h"
#include "patching/sound_patch.h"
#include "tools/gamefiles/exe_fixture.h"
#include "tests/support/cli_run.h"
#include "tests/support/temp_dir.h"

namespace revalorn {
namespace {

namespace fx = fixtures;
using fx::Bytes;

struct Converted {
  bool ok;
  fx::ExeImage image;
};

Converted Convert(fx::ExeImage image, int target) {
  Globals values;
  values.FileBytes = image.bytes;
  const bool ok = ConvertFileBytes(values, static_cast<ExecutableKind>(target));
  image.bytes = values.FileBytes;
  return {ok, image};
}

ExecutableKind Classify(const Bytes& bytes) {
  Globals values;
  values.FileBytes = bytes;
  return ClassifyFileBytes(values);
}

TEST(ConvertExecutable, PatchingKind1SplitsTheSharedF2F3Sound) {
  const auto before = fx::MakeExecutableImage({.kind = 1});
  const std::uint32_t a = before.RecordAddress(1);
  const auto [ok, after] = Convert(before, 2);
  ASSERT_TRUE(ok);
  EXPECT_EQ(Classify(after.bytes), ExecutableKind::CarSound1967Separate);
  EXPECT_EQ(after.SlotEntry(9), 11u);
  EXPECT_EQ(after.SlotEntry(14), 10u);
  EXPECT_EQ(after.RecordAddress(1), a);
  EXPECT_EQ(after.RecordAddress(6), a + 0x1C);
  EXPECT_EQ(after.RecordAddress(12), a + 0x20);
  EXPECT_EQ(after.RecordName(6), "f2");
  EXPECT_EQ(after.RecordName(12), "f3");
  EXPECT_EQ(after.RecordName(22), "crowd");
  EXPECT_EQ(after.RecordName(23), "rain");
}

// Every pair, both ways: the converted image is exactly the image of the partner kind.
TEST(ConvertExecutable, TurnsEachFamilyIntoItsPartnerByteForByte) {
  for (int from = 1; from <= 6; ++from) {
    const int to = from % 2 == 1 ? from + 1 : from - 1;
    SCOPED_TRACE(from);
    const auto [ok, after] = Convert(fx::MakeExecutableImage({.kind = from}), to);
    ASSERT_TRUE(ok);
    EXPECT_EQ(after.bytes, fx::MakeExecutableImage({.kind = to}).bytes);
  }
}

TEST(ConvertExecutable, ReplacesEveryFlagAndValueButKeepsTheLastTwoAddresses) {
  auto odd = fx::MakeExecutableImage({.kind = 1});
  for (int r = 1; r <= 23; ++r) {
    const std::size_t at = odd.tableOffset + 9 * static_cast<std::size_t>(r - 1);
    odd.bytes[at + 4] = 0x7E;
    fx::WriteLe32(odd.bytes, at + 5, 0x12345678u + static_cast<std::uint32_t>(r));
  }
  fx::WriteLe32(odd.bytes, odd.tableOffset + 9 * 21, 0xCAFE0022);
  fx::WriteLe32(odd.bytes, odd.tableOffset + 9 * 22, 0xCAFE0023);
  odd.bytes[odd.tableOffset + 207] = 0x55;  // the padding byte, too

  const auto patched = Convert(odd, 2).image;
  const auto roundTrip = Convert(patched, 1).image;
  auto expected = fx::MakeExecutableImage({.kind = 1});
  fx::WriteLe32(expected.bytes, expected.tableOffset + 9 * 21, 0xCAFE0022);
  fx::WriteLe32(expected.bytes, expected.tableOffset + 9 * 22, 0xCAFE0023);
  EXPECT_EQ(roundTrip.bytes, expected.bytes);
  for (int r = 1; r <= 23; ++r) EXPECT_EQ(patched.RecordFlag(r), r == 7 || (r >= 8 && r <= 10) || r == 18 ? 0 : 1);
}

// A 21-record table's names start 16 bytes before those of a 23-record table.
TEST(ConvertExecutable, TheOriginal21RecordTableMovesItsAddressesBy16) {
  const auto original = fx::MakeExecutableImage({.kind = 0});
  for (int target = 1; target <= 6; ++target) {
    SCOPED_TRACE(target);
    const auto [ok, after] = Convert(original, target);
    ASSERT_TRUE(ok);
    EXPECT_EQ(after.RecordAddress(1), original.RecordAddress(1) + 16);
    EXPECT_EQ(after.RecordAddress(22), original.RecordAddress(20));
    EXPECT_EQ(after.RecordAddress(23), original.RecordAddress(21));
    EXPECT_EQ(after.bytes, fx::MakeExecutableImage({.kind = target}).bytes);
  }
  // Addresses are 32-bit and wrap around.
  auto high = fx::MakeExecutableImage({.kind = 0, .imageBase = 0xFFFFFFF0u - 4096 - 2048 - 64 - 28 - 192});
  const auto after = Convert(high, 2).image;
  EXPECT_EQ(after.RecordAddress(1), 0u);
  EXPECT_EQ(after.RecordAddress(12), 0x20u);
}

TEST(ConvertExecutable, WritesTheFirstSlotTableAndTheTableAfterTheNextMarker) {
  auto image = fx::MakeExecutableImage({.kind = 3});
  const std::size_t second = image.slotTableOffset + 1000;  // a copy further on, still before the marker
  fx::Overwrite(image.bytes, second, fx::SlotTableBytes(3));
  fx::Overwrite(image.bytes, 40, fx::TableMarkerBytes());  // a marker before the slot table is passed over
  const auto [ok, after] = Convert(image, 4);
  ASSERT_TRUE(ok);
  EXPECT_EQ(Bytes(after.bytes.begin() + static_cast<std::ptrdiff_t>(image.slotTableOffset),
                  after.bytes.begin() + static_cast<std::ptrdiff_t>(image.slotTableOffset + 64)),
            fx::SlotTableBytes(4));
  EXPECT_EQ(Bytes(after.bytes.begin() + static_cast<std::ptrdiff_t>(second),
                  after.bytes.begin() + static_cast<std::ptrdiff_t>(second + 64)),
            fx::SlotTableBytes(3));
  EXPECT_EQ(after.RecordName(12), "f3");
}

// Nothing is written unless a whole table can be converted.
TEST(ConvertExecutable, RefusesWithoutAWholeTableAndChangesNothing) {
  const auto image = fx::MakeExecutableImage({.kind = 1});
  auto noSlots = image;
  fx::Overwrite(noSlots.bytes, noSlots.slotTableOffset, Bytes(64, 0xEE));
  auto markerFirst = image;  // the slot table moved after the only marker
  fx::Overwrite(markerFirst.bytes, image.slotTableOffset, Bytes(64, 0xEE));
  fx::Overwrite(markerFirst.bytes, image.tableOffset + 244 + 300, fx::SlotTableBytes(1));
  auto cut = image;  // the table would run one byte past the end
  cut.bytes.resize(image.tableOffset + 243);

  for (const auto* refused : {&noSlots, &markerFirst, &cut}) {
    Globals values;
    values.FileBytes = refused->bytes;
    EXPECT_FALSE(ConvertFileBytes(values, ExecutableKind::CarSound1967Separate));
    EXPECT_EQ(values.FileBytes, refused->bytes);
  }
  for (int target : {-1, 0, 7, 8}) EXPECT_FALSE(Convert(image, target).ok) << target;

  auto exact = image;  // a table that ends at the last byte is whole
  exact.bytes.resize(image.tableOffset + 244);
  EXPECT_TRUE(Convert(exact, 2).ok);
}

using testing::ListFolder;
using testing::ReadBinaryFile;
using testing::RunCliWith;
namespace fs = std::filesystem;

class ExeCommand : public ::testing::Test {
 protected:
  std::string Put(const std::string& name, int kind) {
    testing::WriteBinaryFile(dir.path() / name, fx::MakeExecutableImage({.kind = kind}).bytes);
    return dir.Sub(name);
  }
  testing::TempDir dir;
};

TEST_F(ExeCommand, IdentifiesPatchesAndUnpatches) {
  const std::string exe = Put("GPL.EXE", 1);
  const auto original = ReadBinaryFile(exe);
  EXPECT_EQ(RunCliWith({"exe", "identify", exe}).out, "1 CarSound1967\n");
  const auto patched = RunCliWith({"exe", "patch", exe});
  EXPECT_EQ(patched.status, 0) << patched.err;
  EXPECT_EQ(patched.out, "2 CarSound1967Separate\n");
  EXPECT_EQ(ReadBinaryFile(exe), fx::MakeExecutableImage({.kind = 2}).bytes);
  EXPECT_EQ(RunCliWith({"exe", "unpatch", exe}).out, "1 CarSound1967\n");
  EXPECT_EQ(ReadBinaryFile(exe), original);
  EXPECT_EQ(ReadBinaryFile(exe + ".rvlrn"), original);
  EXPECT_EQ(ListFolder(dir.path()), (std::vector<std::string>{"GPL.EXE", "GPL.EXE.rvlrn"}));

  testing::WriteTextFile(dir.path() / "readme.exe", "text");
  const auto unknown = RunCliWith({"exe", "identify", dir.Sub("readme.exe")});
  EXPECT_EQ(unknown.status, 1);
  EXPECT_EQ(unknown.out, "-1 Unrecognised\n");
}

TEST_F(ExeCommand, RefusalsChangeNothingAndMakeNoBackup) {
  testing::WriteTextFile(dir.path() / "readme.exe", "text");
  const std::vector<std::pair<std::string, std::string>> refused = {
      {"patch", Put("separate.exe", 6)}, {"unpatch", Put("single.exe", 5)}, {"patch", Put("orig.exe", 0)},
      {"patch", Put("mod66.exe", 7)},    {"unpatch", Put("mod66s.exe", 8)}, {"patch", Put("gplc66.exe", 1)},
      {"patch", dir.Sub("missing.exe")}, {"patch", dir.Sub("readme.exe")}};
  const auto before = ListFolder(dir.path());
  for (const auto& [action, path] : refused) {
    const auto bytes = fs::exists(path) ? ReadBinaryFile(path) : std::vector<std::uint8_t>{};
    const auto o = RunCliWith({"exe", action, path});
    EXPECT_EQ(o.status, 1) << path;
    EXPECT_EQ(o.out, "");
    EXPECT_EQ(std::count(o.err.begin(), o.err.end(), '\n'), 1) << o.err;
    if (!bytes.empty()) {
      EXPECT_EQ(ReadBinaryFile(path), bytes) << path;
    }
  }
  EXPECT_EQ(ListFolder(dir.path()), before);
  for (const std::vector<std::string>& usage :
       {std::vector<std::string>{"exe"}, {"exe", "identify"}, {"exe", "fix", "GPL.EXE"}, {"exe", "patch", "a", "b"}}) {
    EXPECT_EQ(RunCliWith(usage).status, 2);
  }
}

}  // namespace
}  // namespace revalorn

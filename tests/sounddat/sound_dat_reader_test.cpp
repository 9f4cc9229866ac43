// The archive reader over bytes, on archives made by the fixture builder: well-formed
// ones, and the damaged ones a player's installation may hold; then revalorn-cli dat
// list / dat extract on real files.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "sounddat/sound_dat.h"
#include "tools/gamefiles/sound_dat_fixture.h"
#include "tests/support/cli_run.h"
#include "tests/support/temp_dir.h"

namespace revalorn {
namespace {

using fixtures::DatEntrySpec;
using fixtures::DatLayout;
using fixtures::MakeSoundDat;
using Bytes = std::vector<std::uint8_t>;

Bytes Data(std::string_view text) { return Bytes(text.begin(), text.end()); }

std::string Extract(const Bytes& archive, std::string_view name) {
  const auto e = FindDatEntry(archive, name);
  if (!e) return "<none>";
  const auto data = DatEntryData(archive, *e);
  return std::string(data.begin(), data.end());
}

TEST(DatReaders, ReadLittleEndianSignedValuesAndNothingOutsideTheBuffer) {
  const Bytes b = {0xFE, 0xFF, 0x01, 0x00, 0x00, 0x80};
  EXPECT_EQ(ReadInt16At(b, 0), -2);
  EXPECT_EQ(ReadInt16At(b, 4), std::int16_t{-32768});
  EXPECT_EQ(ReadInt32At(b, 2), std::int32_t{-2147483647 - 1} + 1);  // 0x80000001
  EXPECT_FALSE(ReadInt16At(b, 5));
  EXPECT_FALSE(ReadInt32At(b, 3));
  EXPECT_FALSE(ReadInt32At(b, static_cast<std::size_t>(-2)));  // no wrap-around
  EXPECT_FALSE(ReadInt16At({}, 0));
  const Bytes name = Data(std::string("abc\0def", 7));
  EXPECT_EQ(ReadNameAt(name, 0, 13), "abc");
  EXPECT_EQ(ReadNameAt(name, 4, 2), "de");
  EXPECT_EQ(ReadNameAt(name, 4, 13), "def");  // ends with the buffer
  EXPECT_EQ(ReadNameAt(name, 100, 13), "");
}

TEST(DatDirectory, NamesOfTwelveAndThirteenCharactersAreReadWhole) {
  const Bytes archive = MakeSoundDat({{"twelve__.wav", Data("12"), {}, {}},   // 12 + NUL
                                      {"thirteen_.wav", Data("13"), {}, {}},  // 13, no NUL
                                      {"next.wav", Data("N"), {}, {}}});
  const auto dir = ReadDatDirectory(archive);
  ASSERT_EQ(dir.size(), 3u);
  EXPECT_EQ(dir[0].name, "twelve__.wav");
  EXPECT_EQ(dir[1].name, "thirteen_.wav");
  EXPECT_EQ(dir[1].offset, dir[0].offset + 2);  // the name did not run into the offset
  EXPECT_EQ(Extract(archive, "twelve__.wav"), "12");
  EXPECT_EQ(Extract(archive, "thirteen_.wav"), "13");
  EXPECT_EQ(Extract(archive, "thirteen_.wa"), "<none>");  // a prefix is not the name
  EXPECT_EQ(Extract(archive, "twelve__.wavX"), "<none>");
}

TEST(DatDirectory, NamesCompareExactlyAndTheFirstMatchWins) {
  const Bytes archive = MakeSoundDat({{"REPCO.WAV", Data("upper"), {}, {}}, {"repco.wav", Data("first"), {}, {}},
                                      {"repco.wav", Data("second"), {}, {}}});
  EXPECT_EQ(Extract(archive, "repco.wav"), "first");
  EXPECT_EQ(Extract(archive, "Repco.wav"), "<none>");
}

TEST(DatDirectory, EveryEntryIsSearchedWellBeyondSixteenBitEntryOffsets) {
  // Entry 1213 is the last whose start fits a signed 16-bit number.
  std::vector<DatEntrySpec> entries;
  for (int i = 0; i < 1500; ++i) entries.push_back({"s" + std::to_string(i) + ".wav", Data("x"), {}, {}});
  entries.push_back({"last.wav", Data("found"), {}, {}});
  const Bytes archive = MakeSoundDat(entries);
  EXPECT_EQ(ReadDatDirectory(archive).size(), 1501u);
  EXPECT_EQ(Extract(archive, "last.wav"), "found");
}

TEST(DatDirectory, DamagedEntriesAreNotFoundAndALaterGoodOneIs) {
  const auto size = [](std::int32_t s) { return std::optional<std::int32_t>(s); };
  const Bytes archive = MakeSoundDat({
      {"zero.wav", Data("z"), size(0), {}},
      {"negative.wav", Data("n"), size(-5), {}},
      {"before.wav", Data("b"), {}, std::optional<std::int32_t>(-1)},
      {"past.wav", Data("p"), size(1000), {}},
      {"huge.wav", Data("h"), size(0x7FFFFFFF), std::optional<std::int32_t>(0x7FFFFFFF)},
      {"twice.wav", Data("bad"), size(-1), {}},
      {"twice.wav", Data("good"), {}, {}},
  });
  for (const char* name : {"zero.wav", "negative.wav", "before.wav", "past.wav", "huge.wav"}) {
    EXPECT_EQ(Extract(archive, name), "<none>") << name;
  }
  EXPECT_EQ(Extract(archive, "twice.wav"), "good");  // ends exactly at the end of the file
  const auto dir = ReadDatDirectory(archive);
  ASSERT_EQ(dir.size(), 7u);  // listed, but not usable
  EXPECT_FALSE(dir[3].usable);
  EXPECT_TRUE(DatEntryData(archive, dir[3]).empty());
  EXPECT_FALSE(FindDatEntry(Bytes(archive.begin(), archive.end() - 1), "twice.wav")) << "one byte short";
}

TEST(DatDirectory, ACountBeyondTheFileEndsAtTheLastWholeEntry) {
  std::vector<DatEntrySpec> three = {
      {"a.wav", Data("A"), {}, {}}, {"b.wav", Data("B"), {}, {}}, {"c.wav", Data("C"), {}, {}}};
  // Cut inside the third entry: two whole entries remain, and their data is gone too.
  const Bytes cut = MakeSoundDat(three, DatLayout{{}, 2 + 27 * 2 + 20});
  ASSERT_EQ(ReadDatDirectory(cut).size(), 2u);
  EXPECT_EQ(ReadDatDirectory(cut)[1].name, "b.wav");
  EXPECT_FALSE(FindDatEntry(cut, "c.wav"));
  EXPECT_FALSE(FindDatEntry(cut, "a.wav"));  // its data lay beyond the cut

  // A count larger than the directory reads on into the data, but only whole entries.
  three[2].data = Bytes(60, 'C');
  const Bytes overstated = MakeSoundDat(three, DatLayout{std::int16_t{500}, {}});
  EXPECT_EQ(ReadDatDirectory(overstated).size(), (overstated.size() - 2) / 27);
  EXPECT_EQ(Extract(overstated, "c.wav"), std::string(60, 'C'));
}

TEST(DatDirectory, NegativeCountsEmptyAndTinyArchivesHaveNoEntries) {
  const std::vector<DatEntrySpec> one = {{"a.wav", Data("A"), {}, {}}};
  EXPECT_TRUE(ReadDatDirectory(MakeSoundDat(one, DatLayout{std::int16_t{-1}, {}})).empty());
  EXPECT_FALSE(FindDatEntry(MakeSoundDat(one, DatLayout{std::int16_t{-32768}, {}}), "a.wav"));
  EXPECT_TRUE(ReadDatDirectory({}).empty());
  EXPECT_TRUE(ReadDatDirectory(Bytes{0x01}).empty());
  EXPECT_TRUE(ReadDatDirectory(Bytes{0x01, 0x00}).empty());  // a count but no entry
}

using testing::ListFolder;
using testing::ReadBinaryFile;
using testing::RunCliWith;
using testing::WriteBinaryFile;

class DatCommand : public ::testing::Test {
 protected:
  testing::TempDir dir;
  std::string archive = dir.Sub("sound.dat");
};

TEST_F(DatCommand, ListsEveryEntryInDirectoryOrderDamagedOnesIncluded) {
  WriteBinaryFile(archive, fixtures::MakeSoundDat({{"b.wav", Bytes(3, 'b'), {}, {}},
                                                   {"thirteen_.wav", Bytes(5, 't'), {}, {}},
                                                   {"bad.wav", Bytes(1, 'x'), -7, {}}}));
  const auto r = RunCliWith({"dat", "list", archive});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out,
            "index\tname\tsize\toffset\n"
            "0\tb.wav\t3\t83\n"
            "1\tthirteen_.wav\t5\t86\n"
            "2\tbad.wav\t-7\t91\n");
  EXPECT_EQ(r.err, "");

  WriteBinaryFile(archive, fixtures::MakeSoundDat({{"b.wav", Bytes(3, 'b'), {}, {}}}, {std::int16_t{-1}, {}}));
  EXPECT_EQ(RunCliWith({"dat", "list", archive}).out, "index\tname\tsize\toffset\n");
  EXPECT_EQ(RunCliWith({"dat", "list", dir.Sub("none.dat")}).status, 1);
}

TEST_F(DatCommand, ExtractWritesTheFirstUsableEntryByItsExactName) {
  WriteBinaryFile(archive, fixtures::MakeSoundDat({{"Repco.wav", Bytes(2, 'R'), {}, {}},
                                                   {"repco.wav", Bytes(4, 'x'), 0, {}},
                                                   {"repco.wav", Bytes(6, 'r'), {}, {}}}));
  const auto r = RunCliWith({"dat", "extract", archive, "repco.wav", dir.Sub("out.wav")});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(ReadBinaryFile(dir.path() / "out.wav"), Bytes(6, 'r'));
  EXPECT_EQ(ListFolder(dir.path()), (std::vector<std::string>{"out.wav", "sound.dat"}));
}

TEST_F(DatCommand, AFailedExtractWritesNothingAndSaysWhyOnOneLine) {
  WriteBinaryFile(archive, fixtures::MakeSoundDat({{"a.wav", Bytes(2, 'a'), {}, 999}}));
  WriteBinaryFile(dir.path() / "kept.wav", Bytes{1, 2, 3});
  for (const auto& args : std::vector<std::vector<std::string>>{
           {"dat", "extract", archive, "a.wav", dir.Sub("out.wav")},              // data outside the file
           {"dat", "extract", archive, "A.WAV", dir.Sub("out.wav")},              // no such name
           {"dat", "extract", dir.Sub("none.dat"), "a.wav", dir.Sub("out.wav")},  // no archive
           {"dat", "extract", archive, "a.wav", dir.Sub("kept.wav")}}) {
    const auto r = RunCliWith(args);
    EXPECT_EQ(r.status, 1) << args[3];
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    EXPECT_EQ(r.out, "");
  }
  EXPECT_EQ(ListFolder(dir.path()), (std::vector<std::string>{"kept.wav", "sound.dat"}));
  EXPECT_EQ(ReadBinaryFile(dir.path() / "kept.wav"), (Bytes{1, 2, 3}));
}

TEST(DatCommandUsage, WrongArgumentsAreUsageErrors) {
  for (const auto& args : std::vector<std::vector<std::string>>{
           {"dat"}, {"dat", "list"}, {"dat", "list", "a", "b"}, {"dat", "extract", "a", "b"}, {"dat", "unpack", "a"}}) {
    const auto r = RunCliWith(args);
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("usage:"), std::string::npos);
  }
}

}  // namespace
}  // namespace revalorn

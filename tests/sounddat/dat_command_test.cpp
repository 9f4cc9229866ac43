// revalorn-cli dat list / dat extract, run in-process on real files.
#include <gtest/gtest.h>

#include <algorithm>

#include "tools/gamefiles/sound_dat_fixture.h"
#include "tests/support/cli_run.h"
#include "tests/support/temp_dir.h"

namespace revalorn {
namespace {

using Bytes = std::vector<std::uint8_t>;
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

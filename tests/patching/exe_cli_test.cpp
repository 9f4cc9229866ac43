#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "tools/gamefiles/exe_fixture.h"
#include "tests/support/cli_run.h"
#include "tests/support/temp_dir.h"

namespace fs = std::filesystem;

namespace revalorn {
namespace {

namespace fx = fixtures;
using testing::ListFolder;
using testing::ReadBinaryFile;
using testing::RunCliWith;

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

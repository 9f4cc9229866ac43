#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "cli/commands.h"
#include "tools/gamefiles/exe_fixture.h"
#include "tests/support/temp_dir.h"

namespace fs = std::filesystem;

namespace revalorn::cli {
namespace {

namespace fx = fixtures;
using revalorn::testing::ListFolder;
using revalorn::testing::ReadBinaryFile;

struct Outcome {
  int status;
  std::string out;
  std::string err;
};

Outcome Exe(std::string_view action, const std::string& path) {
  std::ostringstream out, err;
  const std::vector<std::string_view> argv = {"revalorn-cli", "exe", action, path};
  const int status = RunCli(argv, out, err);
  return {status, out.str(), err.str()};
}

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
  EXPECT_EQ(Exe("identify", exe).out, "1 CarSound1967\n");
  const Outcome patched = Exe("patch", exe);
  EXPECT_EQ(patched.status, 0) << patched.err;
  EXPECT_EQ(patched.out, "2 CarSound1967Separate\n");
  EXPECT_EQ(ReadBinaryFile(exe), fx::MakeExecutableImage({.kind = 2}).bytes);
  EXPECT_EQ(Exe("unpatch", exe).out, "1 CarSound1967\n");
  EXPECT_EQ(ReadBinaryFile(exe), original);
  EXPECT_EQ(ReadBinaryFile(exe + ".rvlrn"), original);
  EXPECT_EQ(ListFolder(dir.path()), (std::vector<std::string>{"GPL.EXE", "GPL.EXE.rvlrn"}));

  testing::WriteTextFile(dir.path() / "readme.exe", "text");
  const Outcome unknown = Exe("identify", dir.Sub("readme.exe"));
  EXPECT_EQ(unknown.status, 1);
  EXPECT_EQ(unknown.out, "-1 Unrecognised\n");
}

TEST_F(ExeCommand, RefusalsChangeNothingAndMakeNoBackup) {
  const std::vector<std::pair<std::string, std::string>> refused = {
      {"patch", Put("separate.exe", 6)}, {"unpatch", Put("single.exe", 5)}, {"patch", Put("orig.exe", 0)},
      {"patch", Put("mod66.exe", 7)},    {"unpatch", Put("mod66s.exe", 8)}, {"patch", Put("gplc66.exe", 1)},
      {"patch", dir.Sub("missing.exe")},
  };
  testing::WriteTextFile(dir.path() / "readme.exe", "text");
  const auto before = ListFolder(dir.path());
  for (const auto& [action, path] : refused) {
    SCOPED_TRACE(path);
    const bool existed = fs::exists(path);
    const auto bytes = existed ? ReadBinaryFile(path) : std::vector<std::uint8_t>{};
    const Outcome o = Exe(action, path);
    EXPECT_EQ(o.status, 1);
    EXPECT_EQ(o.out, "");
    EXPECT_EQ(std::count(o.err.begin(), o.err.end(), '\n'), 1) << o.err;
    if (existed) {
      EXPECT_EQ(ReadBinaryFile(path), bytes);
    }
  }
  EXPECT_EQ(Exe("patch", dir.Sub("readme.exe")).status, 1);
  EXPECT_EQ(ListFolder(dir.path()), before);
}

TEST_F(ExeCommand, UsageErrors) {
  std::ostringstream out, err;
  for (const std::vector<std::string_view>& argv :
       {std::vector<std::string_view>{"revalorn-cli", "exe"}, {"revalorn-cli", "exe", "identify"},
        {"revalorn-cli", "exe", "fix", "GPL.EXE"}, {"revalorn-cli", "exe", "patch", "a.exe", "b.exe"}}) {
    EXPECT_EQ(RunCli(argv, out, err), 2);
  }
}

}  // namespace
}  // namespace revalorn::cli

#include "settings/settings_store.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "tests/support/file_size_limit.h"
#include "tests/support/temp_dir.h"

namespace fs = std::filesystem;

namespace revalorn {
namespace {

using testing::ListFolder;
using testing::ReadTextFile;
using testing::TempDir;
using testing::WriteTextFile;

class FileSettingsTest : public ::testing::Test {
 protected:
  TempDir dir;
  FileSettingsBackend store{dir.path()};
};

TEST_F(FileSettingsTest, MissingValuesReadAsTheDefaultAndTheFileLivesInTheCompanyFolder) {
  EXPECT_EQ(GetRegValue(store, "LastUsedSourceDirectory", "/opt/revalorn"), "/opt/revalorn");
  EXPECT_FALSE(fs::exists(store.FilePath())) << "reading must not create the file";
  ASSERT_TRUE(SetRegValue(store, "Version", "v1.0.0"));
  EXPECT_EQ(store.FilePath(), dir.path() / "Quillmoor" / "Revalorn.conf");
  EXPECT_TRUE(fs::is_regular_file(store.FilePath()));
  EXPECT_EQ(GetRegValue(store, "lVolume", "fallback"), "fallback") << "a missing value under an existing key";
}

TEST_F(FileSettingsTest, ValuesKeepTheirTextExactlyAndLaterWritesReplaceOnlyTheirOwn) {
  const std::pair<const char*, std::string> values[] = {
      {"Empty", ""},          {"WindowsPath", "C:\\Sierra\\GPL\\sound"}, {"Spaces", "  leading and trailing  "},
      {"Equals", "a=b=c"},    {"LineBreaks", "one\r\ntwo\nthree\\n"},   {"NonAscii", "/home/jos\xC3\xA9/Jeux/GPL"},
      {"Nul", std::string("a\0b", 3)}, {"lVolume", "0"}};
  for (const auto& [name, text] : values) ASSERT_TRUE(SetRegValue(store, name, text)) << name;
  ASSERT_TRUE(SetRegValue(store, "lVolume", "-500"));

  FileSettingsBackend reopened(dir.path());
  for (const auto& [name, text] : values) {
    EXPECT_EQ(GetRegValue(reopened, name, "default"), std::string(name) == "lVolume" ? "-500" : text) << name;
  }
  // Names the file could not hold are refused.
  for (const char* name : {"", "a=b", "two\nlines"}) EXPECT_FALSE(SetRegValue(store, name, "x"));
}

TEST_F(FileSettingsTest, DeleteRemovesEveryValueAndTheNextWriteCreatesTheKeyAgain) {
  ASSERT_TRUE(SetRegValue(store, "Version", "v1.0.0"));
  ASSERT_TRUE(SetRegValue(store, "Device", "1"));
  EXPECT_TRUE(DeleteRegKey(store));
  EXPECT_EQ(GetRegValue(store, "Version", ""), "");
  EXPECT_EQ(GetRegValue(store, "Device", "none"), "none");
  EXPECT_TRUE(fs::exists(dir.path() / "Quillmoor")) << "parent keys stay";

  EXPECT_FALSE(DeleteRegKey(store)) << "there is no key left to delete";
  ASSERT_TRUE(SetRegValue(store, "Version", "v1.0.1"));
  EXPECT_EQ(GetRegValue(store, "Version", ""), "v1.0.1");
}

TEST_F(FileSettingsTest, ADamagedFileReadsAsNoValuesAndIsReplacedByTheNextWrite) {
  fs::create_directories(store.FilePath().parent_path());
  for (const std::string& damaged : {std::string("no equals sign here\n"), std::string("=value\n"),
                                    std::string("Name=bad escape \\q\n"), std::string("A=1\nA=2\n"),
                                    std::string("\x00\x01\x02\xff", 4)}) {
    WriteTextFile(store.FilePath(), damaged);
    EXPECT_EQ(GetRegValue(store, "A", "default"), "default") << damaged;
    EXPECT_EQ(GetRegValue(store, "Name", "default"), "default") << damaged;
  }
  ASSERT_TRUE(SetRegValue(store, "Version", "v1.0.0"));
  EXPECT_EQ(GetRegValue(store, "Version", ""), "v1.0.0");
}

TEST_F(FileSettingsTest, WritesThatCannotReplaceTheFileFailWithoutEffect) {
  // The company folder's place is taken by a file (this works for root too).
  WriteTextFile(dir.path() / "Quillmoor", "not a folder");
  EXPECT_FALSE(SetRegValue(store, "Version", "v1.0.0"));
  EXPECT_EQ(ReadTextFile(dir.path() / "Quillmoor"), "not a folder");

  // The settings "file" is a folder: it can be neither read nor replaced.
  TempDir other;
  FileSettingsBackend blocked(other.path());
  fs::create_directories(blocked.FilePath());
  EXPECT_EQ(GetRegValue(blocked, "Version", "default"), "default");
  EXPECT_FALSE(SetRegValue(blocked, "Version", "v1.0.0"));
  EXPECT_TRUE(fs::is_directory(blocked.FilePath()));
}

TEST_F(FileSettingsTest, AFailedWriteOnAFullDiskKeepsTheEarlierValues) {
  ASSERT_TRUE(SetRegValue(store, "Version", "v1.0.0"));
  ASSERT_TRUE(SetRegValue(store, "LastUsedGPLPath", "/games/gpl/sound"));
  const std::string before = ReadTextFile(store.FilePath());
  {
    testing::FileSizeLimit fullDisk;
    EXPECT_FALSE(SetRegValue(store, "LastUsedSourceDirectory", std::string(4096, 'x')));
  }
  EXPECT_EQ(ReadTextFile(store.FilePath()), before);
  EXPECT_EQ(GetRegValue(store, "LastUsedGPLPath", ""), "/games/gpl/sound");
  EXPECT_EQ(ListFolder(store.FilePath().parent_path()), std::vector<std::string>{"Revalorn.conf"})
      << "no temporary file is left behind";
}

TEST(SettingsLocation, FollowsXdgConfigHomeElseHomeConfig) {
  const char* oldXdg = std::getenv("XDG_CONFIG_HOME");
  const std::string savedXdg = oldXdg ? oldXdg : "";
  const char* oldHome = std::getenv("HOME");
  const std::string savedHome = oldHome ? oldHome : "";

  setenv("XDG_CONFIG_HOME", "/xdg/config", 1);
  EXPECT_EQ(FileSettingsBackend::DefaultConfigRoot(), fs::path("/xdg/config"));
  setenv("XDG_CONFIG_HOME", "relative/is/ignored", 1);
  setenv("HOME", "/home/player", 1);
  EXPECT_EQ(FileSettingsBackend::DefaultConfigRoot(), fs::path("/home/player/.config"));
  unsetenv("XDG_CONFIG_HOME");
  EXPECT_EQ(FileSettingsBackend::DefaultConfigRoot(), fs::path("/home/player/.config"));

  if (oldXdg) setenv("XDG_CONFIG_HOME", savedXdg.c_str(), 1); else unsetenv("XDG_CONFIG_HOME");
  if (oldHome) setenv("HOME", savedHome.c_str(), 1); else unsetenv("HOME");
}

}  // namespace
}  // namespace revalorn

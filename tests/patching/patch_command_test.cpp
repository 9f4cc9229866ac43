#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "patching/executable_finder.h"
#include "patching/executable_kind.h"
#include "patching/sound_patch.h"
#include "tools/gamefiles/exe_fixture.h"
#include "tests/support/file_size_limit.h"
#include "tests/support/test_context.h"

namespace fs = std::filesystem;

namespace revalorn {
namespace {

namespace fx = fixtures;
using fx::Bytes;
using testing::ListFolder;
using testing::ReadBinaryFile;

const std::string kInstall =
    "Your GPL.EXE is NOT patched to support separate F2 and F3 sounds.  Do you want to install the patch?";
const std::string kRemove = "Your GPL.EXE is patched for separate F2 and F3 sounds.  Do you want to remove the patch?";
const std::string kModified = "Your GPL.EXE was modified.";
const std::string kRefusedName =
    "You cannot patch the original gpl.exe, 1966 Mod, or GT Mod .exe file.  Please select another file.";
const std::string kNotValid = "This is not a valid GPL.exe file. Please select another.";

// A game folder with its "sound" folder, and the finder scripted to pick a file in it.
class PatchCommand : public ::testing::Test {
 protected:
  PatchCommand() : game(t.dir.path() / "GPL") {
    fs::create_directories(game / "sound");
    t.values().LastUsedGPLPath = FromPath(game / "sound");
  }

  Bytes Install(int kind, const std::string& name = "GPL.EXE") {
    const Bytes bytes = fx::MakeExecutableImage({.kind = kind}).bytes;
    testing::WriteBinaryFile(game / name, bytes);
    return bytes;
  }
  // Picks GPL.EXE, answers the question and runs the command.
  void Run(std::optional<MsgResult> answer = MsgResult::Yes) {
    t.prompts.finderScripts.push_back([](FinderLogic& logic, FinderModel& m) {
      m.fileName = "GPL.EXE";
      logic.FileClicked(m);
      logic.Action(m, 0);
    });
    if (answer) t.prompts.answers.push_back(*answer);
    MnuPatchGPL_Click(t.ctx);
  }
  Bytes Exe() const { return ReadBinaryFile(game / "GPL.EXE"); }

  testing::TestContext t;
  fs::path game;
};

TEST_F(PatchCommand, InstallsAndRemovesThePatchWithAOneTimeBackup) {
  const Bytes original = Install(1);
  Run();
  EXPECT_EQ(t.prompts.findersShown.at(0).caption, "GPL Executable Finder");
  ASSERT_EQ(t.prompts.MessageTexts(), (std::vector<std::string>{kInstall, kModified}));
  EXPECT_EQ(t.prompts.messages[0].buttons, MsgButtons::YesNo);
  EXPECT_EQ(t.prompts.messages[0].icon, MsgIcon::Question);
  EXPECT_EQ(t.prompts.messages[1].icon, MsgIcon::Information);
  EXPECT_EQ(Exe(), fx::MakeExecutableImage({.kind = 2}).bytes);
  EXPECT_EQ(ReadBinaryFile(game / "GPL.EXE.rvlrn"), original);
  EXPECT_EQ(t.values().CurrentExecutableKind, 2);
  EXPECT_FALSE(t.prompts.busy);

  Run();
  EXPECT_EQ(t.prompts.MessageTexts().at(2), kRemove);
  EXPECT_EQ(Exe(), original);
  EXPECT_EQ(t.values().CurrentExecutableKind, 1);
  EXPECT_EQ(ReadBinaryFile(game / "GPL.EXE.rvlrn"), original);
  EXPECT_EQ(ListFolder(game), (std::vector<std::string>{"GPL.EXE", "GPL.EXE.rvlrn", "sound"}));
}

TEST_F(PatchCommand, KeepsAnExistingBackupRemovesALeftoverCopyAndClearsReadOnly) {
  Install(3);
  testing::WriteTextFile(game / "GPL.EXE.rvlrn", "the executable before any change");
  testing::WriteTextFile(game / "GPL.EXE.tmp", "left over");
  fs::permissions(game / "GPL.EXE", fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  Run();
  EXPECT_EQ(Exe(), fx::MakeExecutableImage({.kind = 4}).bytes);
  EXPECT_EQ(testing::ReadTextFile(game / "GPL.EXE.rvlrn"), "the executable before any change");
  EXPECT_FALSE(fs::exists(game / "GPL.EXE.tmp"));
  EXPECT_EQ(fs::status(game / "GPL.EXE").permissions(),
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read | fs::perms::others_read);
}

TEST_F(PatchCommand, NoCancelAndTheOriginalExecutableChangeNothing) {
  const Bytes kind1 = Install(1);
  Run(MsgResult::No);
  t.prompts.finderScripts.push_back([](FinderLogic& logic, FinderModel& m) { logic.Cancel(m); });
  MnuPatchGPL_Click(t.ctx);
  EXPECT_FALSE(t.values().FinderConfirmed);
  EXPECT_EQ(t.prompts.MessageTexts(), std::vector<std::string>{kInstall});

  const Bytes original = Install(0);
  Run(MsgResult::Yes);
  EXPECT_EQ(t.prompts.MessageTexts(), (std::vector<std::string>{kInstall, kInstall})) << "no further message";
  EXPECT_EQ(Exe(), original);
  EXPECT_EQ(t.values().CurrentExecutableKind, 0);
  EXPECT_EQ(ListFolder(game), (std::vector<std::string>{"GPL.EXE", "sound"}));
}

TEST_F(PatchCommand, The1966ModGetsANoticeAndNoChange) {
  for (int kind : {7, 8}) {
    const Bytes bytes = Install(kind);
    Run(std::nullopt);
    EXPECT_EQ(t.prompts.messages.back().text, Mod1966NoticeMessage("GPL.EXE"));
    EXPECT_EQ(Exe(), bytes);
    EXPECT_EQ(t.values().CurrentExecutableKind, kind);
  }
  EXPECT_EQ(ListFolder(game), (std::vector<std::string>{"GPL.EXE", "sound"}));
}

TEST_F(PatchCommand, AnExecutableGoneBeforeTheAnswerIsReported) {
  Install(1);
  t.prompts.onMessage = [this](const testing::RecordedMessage& m) -> std::optional<MsgResult> {
    if (m.text == kInstall) fs::remove(game / "GPL.EXE");
    return std::nullopt;
  };
  Run();
  EXPECT_EQ(t.prompts.messages.back().text,
            "Couldn't find the GPL.exe file. Please reselect the GPL executable from the menu.");
  EXPECT_EQ(t.prompts.messages.back().icon, MsgIcon::None);
}

// The slot table lies after the only marker: the kind is still recognised, but there
// is no table to convert.
TEST_F(PatchCommand, NoWholeTableLeavesFileBackupStateAndKindAlone) {
  auto image = fx::MakeExecutableImage({.kind = 1});
  fx::Overwrite(image.bytes, image.slotTableOffset, Bytes(64, 0xEE));
  fx::Overwrite(image.bytes, image.tableOffset + 244 + 300, fx::SlotTableBytes(1));
  testing::WriteBinaryFile(game / "GPL.EXE", image.bytes);
  Run();
  EXPECT_EQ(t.prompts.MessageTexts(),
            (std::vector<std::string>{kInstall, PatchFailureMessage(PatchFailure::NoTable, "GPL.EXE")}));
  EXPECT_EQ(Exe(), image.bytes);
  EXPECT_EQ(t.values().CurrentExecutableKind, 1);
  EXPECT_EQ(ListFolder(game), (std::vector<std::string>{"GPL.EXE", "sound"}));
}

// Runs the enclosed code as an ordinary user when the tests run as root, so that a
// write-protected folder really is write-protected.
class AsOrdinaryUser {
 public:
  explicit AsOrdinaryUser(const fs::path& parent) {
    if (geteuid() != 0) return;
    fs::permissions(parent, fs::perms::all);
    dropped_ = setegid(65534) == 0 && seteuid(65534) == 0;
    if (!dropped_) Restore();
  }
  ~AsOrdinaryUser() { Restore(); }
  bool Ok() const { return geteuid() != 0; }

 private:
  void Restore() {
    if (seteuid(0) == 0) (void)setegid(0);
  }
  bool dropped_ = false;
};

// Each failure strikes once the working copy exists; the executable stays as it was
// and no success is claimed.
TEST_F(PatchCommand, AFailedBackupSaveOrReplacementLeavesTheExecutableWhole) {
  for (const PatchFailure failure : {PatchFailure::Backup, PatchFailure::Save, PatchFailure::Replace}) {
    SCOPED_TRACE(static_cast<int>(failure));
    const fs::path folder = t.dir.path() / ("game" + std::to_string(static_cast<int>(failure)));
    AsOrdinaryUser user(t.dir.path());
    if (failure == PatchFailure::Replace && !user.Ok()) GTEST_SKIP() << "cannot act as an ordinary user here";
    fs::create_directories(folder / "sound");
    t.values().LastUsedGPLPath = FromPath(folder / "sound");
    const Bytes original = fx::MakeExecutableImage({.kind = 1}).bytes;
    testing::WriteBinaryFile(folder / "GPL.EXE", original);
    if (failure != PatchFailure::Backup) testing::WriteTextFile(folder / "GPL.EXE.rvlrn", "backup");
    t.values().CurrentExecutableKind = 0;

    std::optional<testing::FileSizeLimit> limit;
    t.prompts.onBusyChange = [&](bool busy) {
      if (!busy || !fs::exists(folder / "GPL.EXE.tmp")) return;
      if (failure == PatchFailure::Replace) {
        fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec);
      } else if (!limit) {
        limit.emplace();
      }
    };
    Run();
    limit.reset();
    t.prompts.onBusyChange = nullptr;
    fs::permissions(folder, fs::perms::owner_all);

    EXPECT_EQ(t.prompts.messages.back().text, PatchFailureMessage(failure, "GPL.EXE"));
    EXPECT_EQ(t.prompts.messages.back().icon, MsgIcon::Exclamation);
    EXPECT_EQ(ReadBinaryFile(folder / "GPL.EXE"), original);
    EXPECT_EQ(t.values().CurrentExecutableKind, 1);
    if (failure != PatchFailure::Replace) {
      EXPECT_FALSE(fs::exists(folder / "GPL.EXE.tmp"));
    }
    if (failure == PatchFailure::Backup) {
      EXPECT_FALSE(fs::exists(folder / "GPL.EXE.rvlrn"));
    }
  }
}

class ExecutableFinder : public PatchCommand {
 protected:
  FinderModel Open() {
    FinderModel m;
    finder.Load(m);
    return m;
  }
  FrmFileManager2 finder{t.ctx};
};

TEST_F(ExecutableFinder, StartsInTheGameFolderAboveItsSoundFolder) {
  t.values().FinderFromMenu = true;
  FinderModel m = Open();
  EXPECT_EQ(m.label, "Select GPL Executable (for example GPL.EXE)");
  EXPECT_EQ(m.pattern, "*.exe");
  EXPECT_EQ(m.dirPath, FromPath(game));
  EXPECT_EQ(t.values().ExecutableFolder, FromPath(game));
  EXPECT_FALSE(m.actions.at(0).enabled);

  fs::create_directories(game / "Sound");  // only "\sound" in lower case is stripped
  t.values().LastUsedGPLPath = FromPath(game / "Sound");
  EXPECT_EQ(Open().dirPath, FromPath(game / "Sound"));

  t.values().FinderFromMenu = false;
  t.values().LastUsedGPLPath = FromPath(t.dir.path() / "gone" / "sound");
  m = Open();
  EXPECT_EQ(m.dirPath, t.values().ProgramFolder);
  EXPECT_EQ(t.values().ExecutableFolder, FromPath(t.dir.path() / "gone"));
  EXPECT_EQ(m.cancel.caption, "Quit");
  finder.Cancel(m);
  EXPECT_TRUE(t.values().ProgramEnded);
}

TEST_F(ExecutableFinder, RefusesTheThreeNamesExactlyAndUnknownFiles) {
  Install(1, "gplc66.exe");
  Install(0, "GPL.EXE");
  Install(1, "gplcgt.exe");
  testing::WriteTextFile(game / "notes.exe", "not a game");
  t.values().FinderFromMenu = true;
  t.values().CurrentExecutableKind = 5;
  FinderModel m = Open();
  t.prompts.onMessage = [&m](const testing::RecordedMessage&) -> std::optional<MsgResult> {
    EXPECT_FALSE(m.cancel.enabled) << "both buttons are disabled while Select works";
    return std::nullopt;
  };
  for (const std::string name : {"gplc66.exe", "notes.exe"}) {
    m.fileName = name;
    finder.FileClicked(m);
    finder.Action(m, 0);
    EXPECT_EQ(t.prompts.messages.back().text, name == "notes.exe" ? kNotValid : kRefusedName);
    EXPECT_EQ(t.prompts.messages.back().icon, MsgIcon::Exclamation);
    EXPECT_FALSE(m.closeRequested || m.actions[0].enabled);
    EXPECT_TRUE(m.cancel.enabled);
  }
  finder.Cancel(m);
  EXPECT_TRUE(m.closeRequested);
  EXPECT_FALSE(t.values().FinderConfirmed);
  EXPECT_EQ(t.values().ExecutableName, "notes.exe") << "Select wrote it, Cancel left it";
  EXPECT_EQ(t.values().CurrentExecutableKind, 5);

  // Other letter cases go on to classification.
  for (const auto& [name, kind] : {std::pair{"GPL.EXE", 0}, std::pair{"gplcgt.exe", 1}}) {
    m = Open();
    m.fileName = name;
    finder.FileDoubleClicked(m);
    EXPECT_TRUE(m.closeRequested && t.values().FinderConfirmed);
    EXPECT_EQ(t.values().CurrentExecutableKind, kind);
  }
  EXPECT_EQ(t.prompts.messages.size(), 2u);
  EXPECT_TRUE(IsRefusedExecutableName("gplcGT.exe"));
  EXPECT_TRUE(IsRefusedExecutableName("gpl.exe"));
}

}  // namespace
}  // namespace revalorn

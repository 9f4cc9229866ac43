// A newcomer's first session, end to end, through the program's own pieces: the main
// window with every handler wired, the Qt message boxes, input box and finders, the Qt
// clock, the sound output on SDL's `disk` driver (so that what was heard can be read
// back), the settings file, and a demo game folder. Every dialog is answered the way a
// player answers it; one that is not expected is closed and shows up in the phase's
// list of dialogs seen, so the test fails instead of hanging.
#include <QAbstractButton>
#include <QComboBox>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <csignal>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <span>

#include "app/exit_commands.h"
#include "app/startup.h"
#include "catalogue/catalogue.h"
#include "core/context.h"
#include "files/file_helpers.h"
#include "patching/executable_kind.h"
#include "playback/auto_play.h"
#include "playback/dsound.h"
#include "playback/play_common.h"
#include "playback/sdl/sdl_audio_device.h"
#include "playback/sdl/sdl_input_devices.h"
#include "playback/tachometer.h"
#include "settings/settings_store.h"
#include "soundfiles/replace_revert.h"
#include "tests/support/temp_dir.h"
#include "tests/ui/modal.h"
#include "tools/demo_game/demo_game.h"
#include "ui/finder_dialog.h"
#include "ui/frm_sound.h"
#include "ui/qt_clock.h"
#include "ui/qt_prompts.h"
#include "ui/startup_host.h"
#include "ui/wiring.h"
#include "workingfolder/working_folder.h"

// Texts in failure messages as text.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace revalorn::ui {
namespace {

namespace fs = std::filesystem;
using testing::ClickRow;
using testing::DialogScript;
using testing::ReadBinaryFile;

QString Q(const std::string& s) { return QString::fromStdString(s); }

// Answers a message box with the given text by clicking one of its buttons.
std::function<void(QDialog*)> Answer(std::string_view text, QMessageBox::StandardButton button) {
  return [text, button](QDialog* d) {
    auto* box = qobject_cast<QMessageBox*>(d);
    ASSERT_TRUE(box);
    EXPECT_EQ(box->windowTitle(), "Revalorn");
    EXPECT_EQ(box->text(), QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
    ASSERT_TRUE(box->button(button)) << box->text().toStdString();
    QTest::mouseClick(box->button(button), Qt::LeftButton);
  };
}

// Walks a finder's folder list to target the way a player does: a double-click on the
// deepest folder of the current path that leads there, then one on each folder below.
void OpenFolder(FinderDialog& d, const fs::path& target) {
  const fs::path current = ToPath(d.DirList()->Path().toStdString());
  fs::path common;
  auto c = current.begin();
  auto t = target.begin();
  for (; c != current.end() && t != target.end() && *c == *t; ++c, ++t) common /= *t;
  ASSERT_FALSE(common.empty()) << current << " and " << target;
  if (common != current) ClickRow(*d.DirList(), Q(common.filename().string()), true);
  for (; t != target.end(); ++t) ClickRow(*d.DirList(), Q(t->string()), true);
  EXPECT_EQ(d.DirList()->Path(), Q(FromPath(target)));
}

FinderDialog* AsFinder(QDialog* d, const char* caption) {
  auto* finder = dynamic_cast<FinderDialog*>(d);
  EXPECT_TRUE(finder && finder->windowTitle() == caption) << (d ? d->windowTitle().toStdString() : "no dialog");
  return finder && finder->windowTitle() == caption ? finder : nullptr;
}

// Zero crossings of a sound in blocks of kBlock frames: the engine loops are periodic
// pulses, so the count grows in proportion to the speed at which a loop is played.
constexpr std::size_t kBlock = 4800;  // a tenth of a second at 48000 Hz
std::vector<int> CrossingsPerBlock(std::span<const float> x) {
  std::vector<int> out;
  for (std::size_t i = 0; i + kBlock <= x.size(); i += kBlock) {
    int n = 0;
    for (std::size_t j = i + 1; j < i + kBlock; ++j) n += (x[j - 1] < 0) != (x[j] < 0);
    out.push_back(n);
  }
  return out;
}

double Rms(std::span<const float> x) {
  double sum = 0;
  for (const float v : x) sum += static_cast<double>(v) * v;
  return x.empty() ? 0 : std::sqrt(sum / static_cast<double>(x.size()));
}

class NewcomerRoad : public ::testing::Test {
 protected:
  NewcomerRoad() {
    // The sound goes to a file in about real time (a period every 10 ms).
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", raw.c_str(), 1);
    setenv("SDL_DISKAUDIODELAY", "10", 1);

    // A fresh program folder with its background pictures, and the demo game.
    fs::create_directories(program / "Working Folder");
    for (const auto& picture : fs::directory_iterator(REVALORN_BACKGROUNDS_DIR)) {
      fs::copy_file(picture.path(), program / "Working Folder" / picture.path().filename());
    }
    demo::WriteDemoGame(game);

    ctx.input = &pedals;
    ctx.values.ProgramFolder = FromPath(program);
    prompts.SetEndAction([this] { ++endActions; });
    AssembleMainWindow(window, ctx, prompts);
  }

  QAbstractButton* Button(Ctl c) const { return qobject_cast<QAbstractButton*>(window.Widget(c)); }
  void Click(Ctl c) {
    ASSERT_TRUE(window.Widget(c)->isEnabled()) << ControlName(c);
    QTest::mouseClick(window.Widget(c), Qt::LeftButton);
  }
  void Choose(Ctl menuItem) {
    ASSERT_TRUE(window.Action(menuItem)->isEnabled()) << ControlName(menuItem);
    window.Action(menuItem)->trigger();
  }
  std::string Settings() const { return fs::exists(settings.FilePath()) ? testing::ReadTextFile(settings.FilePath()) : ""; }
  fs::path Working(const std::string& name) const { return ToPath(WorkingFolderPath(ctx.values)) / name; }
  std::string EngineOfEntry(int index) const {
    const int v = ctx.values.GameVersion;
    return ctx.catalogue.SoundFileName(v, SlotOfListIndex(index, ctx.controls.ListCount(Ctl::Combo1)));
  }

  // The left channel the disk driver wrote from period `from` to period `to`.
  std::vector<float> Heard(std::int64_t from, std::int64_t to) {
    // Written periods may sit in the file's buffer for a while.
    EXPECT_TRUE(QTest::qWaitFor([&] { return device.Periods() > to + 8; }, 5000));
    const auto bytes = ReadBinaryFile(raw);
    const std::size_t frame = static_cast<std::size_t>(device.Format().channels) * sizeof(float);
    const auto period = static_cast<std::size_t>(device.Format().periodFrames);
    std::vector<float> left;
    for (auto i = static_cast<std::size_t>(from) * period; i < static_cast<std::size_t>(to) * period; ++i) {
      if ((i + 1) * frame > bytes.size()) break;
      float v;
      std::memcpy(&v, bytes.data() + i * frame, sizeof v);
      left.push_back(v);
    }
    return left;
  }

  // Auto Play of a row: the sound climbs from idle to the top of its range with the
  // tachometer needle, and "Stop Play" stops it during the first blip. What was heard
  // must be the loop at the cycle's speeds: idle first, about fm / fi times faster at
  // the top, rising in between; and silence after the stop.
  void AutoPlayUntilTheFirstBlip(int Index) {
    const Ctl button = CmdAutoPlay(Index);
    ASSERT_EQ(Button(button)->text(), "Auto Play");
    const std::int16_t slot = ChoosePlaySlot(ctx, Index);
    const AutoPlayFrequencies f = AutoPlayFrequenciesOf(ctx, slot);
    std::int32_t top = f.fi;
    while (top + f.d <= f.fm) top += f.d;  // where the first ramp ends

    const std::int64_t start = device.Periods();
    Click(button);
    EXPECT_EQ(Button(button)->text(), "Stop Play");
    EXPECT_TRUE(window.Widget(Ctl::Tach)->isVisible());
    const int topStep = NeedleStepOf(ctx, top, slot);
    EXPECT_TRUE(QTest::qWaitFor([&] { return ctx.controls.Tachometer().needleStep == topStep; }, 30000))
        << "the needle reached the top";
    EXPECT_TRUE(QTest::qWaitFor([&] { return ctx.controls.Tachometer().needleStep < topStep; }, 5000))
        << "and came down for the first blip";
    const std::int64_t stop = device.Periods();
    Click(button);
    EXPECT_EQ(Button(button)->text(), "Auto Play");
    EXPECT_FALSE(window.Widget(Ctl::Tach)->isVisible());
    QTest::qWait(300);
    const std::vector<float> heard = Heard(start, device.Periods());

    const auto stopFrame = static_cast<std::size_t>(stop - start) * static_cast<std::size_t>(device.Format().periodFrames);
    ASSERT_GT(heard.size(), stopFrame + 9600);
    // The play begins within a few periods of the click.
    std::size_t first = 0;
    while (first < stopFrame && std::abs(heard[first]) < 1e-4f) ++first;
    ASSERT_LT(first, 4800u) << "nothing heard after the click";
    const std::vector<int> z =
        CrossingsPerBlock(std::span<const float>(heard).subspan(first, stopFrame - first));
    ASSERT_GE(z.size(), 4u);
    EXPECT_GT(Rms(std::span<const float>(heard).subspan(first, stopFrame - first)), 0.02) << "not silent";
    EXPECT_LT(Rms(std::span<const float>(heard).last(4800)), 1e-4) << "silent after the stop";

    const auto peak = std::max_element(z.begin(), z.end());
    const double measured = static_cast<double>(*peak) / z[0];
    const double expected = static_cast<double>(top) / f.fi;
    EXPECT_NEAR(measured / expected, 1.0, 0.25) << "idle " << z[0] << ", top " << *peak << " crossings";
    // Rising all the way to the top (a block may hold a little less than the one before
    // when the steps fall unevenly into blocks).
    for (auto b = z.begin() + 1; b <= peak; ++b) EXPECT_GE(*b, b[-1] * 9 / 10 - 2) << "block " << (b - z.begin());
  }

  testing::TempDir dir;
  const fs::path program = dir.path() / "Revalorn";
  const fs::path game = dir.path() / "GPL";
  const std::string raw = dir.Sub("heard.raw");

  QtPrompts prompts;
  QtClock clock;
  FileSettingsBackend settings{dir.path() / "config"};
  SdlAudioDevice device;
  DSound sound{prompts, device};
  SdlInputDevices pedals;
  Context ctx{prompts, clock, settings, sound};
  FrmSound window{ctx.controls};
  MainWindowStartupHost host{window, prompts};
  int endActions = 0;
};

TEST_F(NewcomerRoad, FirstRunThenEveryCommandAPlayerTries) {
  // Start-up on a fresh machine: the new-install message, the sound.dat finder from the
  // program folder to the game's sound folder, and no game controller.
  {
    DialogScript dialogs;
    dialogs.Then(Answer(kNewInstallText, QMessageBox::Ok));
    dialogs.Then([&](QDialog* d) {
      FinderDialog* finder = AsFinder(d, "GPL Sound.DAT Finder");
      ASSERT_TRUE(finder);
      EXPECT_EQ(finder->DirList()->Path(), Q(FromPath(program)));
      EXPECT_FALSE(finder->ActionButton(0)->isEnabled());
      OpenFolder(*finder, game / "sound");
      ClickRow(*finder->FilList(), "sound.dat");
      QTest::mouseClick(finder->ActionButton(0), Qt::LeftButton);
    });
    dialogs.Then(Answer("No pedals attached.", QMessageBox::Ok));
    Form_Load(ctx, host);
    EXPECT_EQ(dialogs.seen, QStringList({Q(std::string(kNewInstallText)), "GPL Sound.DAT Finder", "No pedals attached."}));
  }
  ASSERT_FALSE(ctx.values.ProgramEnded);
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  EXPECT_EQ(window.windowTitle(), "Revalorn " + Q(VersionText(CurrentProgramVersion())));
  EXPECT_EQ(qobject_cast<QComboBox*>(window.Widget(Ctl::Combo2))->currentText(), "1967 Original Unpatched");
  EXPECT_EQ(GetRegValue(settings, "LastUsedGPLPath", ""), FromPath(game / "sound"));
  const std::string engine = EngineOfEntry(0);
  EXPECT_EQ(qobject_cast<QComboBox*>(window.Widget(Ctl::Combo1))->currentIndex(), 0);
  EXPECT_TRUE(fs::exists(Working(engine)));
  QTest::qWait(2500);  // the start-up sound ends

  // Auto Play of the first engine sound.
  AutoPlayUntilTheFirstBlip(0);

  // Load Sound: a downloaded sound as the F1 replacement.
  const demo::DemoSound& candidate = demo::DownloadedSounds().at(0);
  const fs::path candidatePath = game / demo::kDownloadedSoundsFolder / candidate.name;
  {
    DialogScript dialogs;
    dialogs.Then([&](QDialog* d) {
      FinderDialog* finder = AsFinder(d, "GPL Sound Finder");
      ASSERT_TRUE(finder);
      OpenFolder(*finder, candidatePath.parent_path());
      ClickRow(*finder->FilList(), Q(candidate.name));
      ASSERT_EQ(finder->ActionButton(0)->text(), "F1 Sound");
      QTest::mouseClick(finder->ActionButton(0), Qt::LeftButton);
    });
    Click(Ctl::CmdReplacementLoad);
    EXPECT_EQ(dialogs.seen, QStringList({"GPL Sound Finder"}));
  }
  EXPECT_EQ(ctx.controls.Caption(Ctl::LabelReplacement), candidate.name);
  AutoPlayUntilTheFirstBlip(1);

  // Replace, then Save All: the game's own file becomes the replacement.
  const std::string replaceText(kReplaceQuestion);
  {
    DialogScript dialogs;
    dialogs.Then(Answer(kReplaceQuestion, QMessageBox::Yes));
    Click(Ctl::CmdReplace);
    dialogs.Then(Answer(kSaveAllQuestion, QMessageBox::Yes));
    Choose(Ctl::MnuSaveEngineSounds);
    EXPECT_EQ(dialogs.seen, QStringList({Q(replaceText), Q(std::string(kSaveAllQuestion))}));
  }
  const auto replacement = ReadBinaryFile(candidatePath);
  EXPECT_EQ(ReadBinaryFile(Working(engine)), replacement);
  EXPECT_EQ(ReadBinaryFile(game / "sound" / engine), replacement);

  // Save Sound Set under a name of one's own; try the replacement on the second engine
  // too; then Load Sound Set brings the saved sounds back.
  const std::string second = EngineOfEntry(1);
  const auto secondBefore = ReadBinaryFile(Working(second));
  const fs::path set = program / "Sound Sets" / "Road Test";
  {
    DialogScript dialogs;
    dialogs.Then([](QDialog* d) {
      auto* input = qobject_cast<QInputDialog*>(d);
      ASSERT_TRUE(input);
      EXPECT_EQ(input->labelText(), "Enter a name for your sound set directory.");
      EXPECT_EQ(input->textValue(), "My Sound Set");
      input->setTextValue("Road Test");
      input->accept();
    });
    Choose(Ctl::MnuSaveSoundSet);
    QWidget* entries = window.Widget(Ctl::Combo1);
    entries->setFocus();
    QTest::keyClick(entries, Qt::Key_Down);
    ASSERT_EQ(ctx.controls.Caption(Ctl::LabelCar), second);
    dialogs.Then(Answer(kReplaceQuestion, QMessageBox::Yes));
    Click(Ctl::CmdReplace);
    ASSERT_EQ(ReadBinaryFile(Working(second)), replacement);
    dialogs.Then([&](QDialog* d) {
      FinderDialog* finder = AsFinder(d, "Sound Set Finder");
      ASSERT_TRUE(finder);
      OpenFolder(*finder, set);
      QTest::mouseClick(finder->ActionButton(0), Qt::LeftButton);
    });
    Choose(Ctl::MnuLoadSoundSet);
    EXPECT_EQ(dialogs.seen, QStringList({"Revalorn", Q(replaceText), "Sound Set Finder"}));
  }
  EXPECT_EQ(ReadBinaryFile(set / engine), replacement);
  EXPECT_EQ(ReadBinaryFile(Working(second)), secondBefore);

  // Patch Executable on a CarSound-patched executable, then again to take it out.
  const fs::path exe = game / "gplcs.exe";
  const auto exeBefore = ReadBinaryFile(exe);
  const auto patchOnce = [&](const std::string& question) {
    DialogScript dialogs;
    dialogs.Then([&](QDialog* d) {
      FinderDialog* finder = AsFinder(d, "GPL Executable Finder");
      ASSERT_TRUE(finder);
      EXPECT_EQ(finder->DirList()->Path(), Q(FromPath(game)));
      EXPECT_EQ(finder->CancelButton()->text(), "Cancel");
      ClickRow(*finder->FilList(), "gplcs.exe");
      QTest::mouseClick(finder->ActionButton(0), Qt::LeftButton);
    });
    dialogs.Then(Answer(question, QMessageBox::Yes));
    dialogs.Then(Answer("Your gplcs.exe was modified.", QMessageBox::Ok));
    Choose(Ctl::MnuPatchGPL);
    EXPECT_EQ(dialogs.seen, QStringList({"GPL Executable Finder", Q(question), "Your gplcs.exe was modified."}));
  };
  patchOnce("Your gplcs.exe is NOT patched to support separate F2 and F3 sounds.  Do you want to install the patch?");
  EXPECT_EQ(IdentifyExecutableAt(ctx, FromPath(exe)), ExecutableKind::CarSound1967Separate);
  patchOnce("Your gplcs.exe is patched for separate F2 and F3 sounds.  Do you want to remove the patch?");
  EXPECT_EQ(IdentifyExecutableAt(ctx, FromPath(exe)), ExecutableKind::CarSound1967);
  EXPECT_EQ(ReadBinaryFile(exe), exeBefore);
  EXPECT_EQ(ReadBinaryFile(game / "gplcs.exe.rvlrn"), exeBefore) << "the backup made before the first change";

  // A loaded set empties the replacement frame. The other downloaded sound, from the
  // folder the finder remembers, replaces the second engine; Exit then asks first, and
  // No keeps the program; Reset, Cancel changes nothing.
  const std::string stored = Settings();
  const demo::DemoSound& other = demo::DownloadedSounds().at(1);
  {
    DialogScript dialogs;
    dialogs.Then([&](QDialog* d) {
      FinderDialog* finder = AsFinder(d, "GPL Sound Finder");
      ASSERT_TRUE(finder);
      EXPECT_EQ(finder->DirList()->Path(), Q(FromPath(candidatePath.parent_path())));
      ClickRow(*finder->FilList(), Q(other.name));
      QTest::mouseClick(finder->ActionButton(0), Qt::LeftButton);
    });
    Click(Ctl::CmdReplacementLoad);
    dialogs.Then(Answer(kReplaceQuestion, QMessageBox::Yes));
    Click(Ctl::CmdReplace);
    dialogs.Then(Answer(kQuitQuestion, QMessageBox::No));
    Choose(Ctl::Mnuexit);
    dialogs.Then(Answer(kResetWarning, QMessageBox::Cancel));
    Choose(Ctl::MnuReset);
    EXPECT_EQ(dialogs.seen, QStringList({"GPL Sound Finder", Q(replaceText), Q(std::string(kQuitQuestion)),
                                         Q(std::string(kResetWarning))}));
  }
  EXPECT_EQ(ReadBinaryFile(Working(second)), ReadBinaryFile(candidatePath.parent_path() / other.name));
  EXPECT_FALSE(ctx.values.ProgramEnded);
  EXPECT_TRUE(window.isVisible());
  EXPECT_EQ(Settings(), stored);
  EXPECT_TRUE(device.IsOpen());

  // The close box: the same question, and Yes ends the program with the sliders stored.
  {
    DialogScript dialogs;
    dialogs.Then(Answer(kQuitQuestion, QMessageBox::Yes));
    EXPECT_TRUE(window.close());
    EXPECT_EQ(dialogs.seen, QStringList({Q(std::string(kQuitQuestion))}));
  }
  EXPECT_TRUE(ctx.values.ProgramEnded);
  EXPECT_EQ(endActions, 1);
  EXPECT_FALSE(window.isVisible());
  EXPECT_FALSE(device.IsOpen());
  EXPECT_EQ(GetRegValue(settings, "lVolume", ""), std::to_string(ctx.controls.Value(Ctl::HScroll1)));
  EXPECT_EQ(GetRegValue(settings, "lTimingDelay", ""), std::to_string(ctx.controls.Value(Ctl::HScroll2)));
}

// Ctrl+C in the terminal that started the program, and the system's request to end it,
// still end it once the sound output and the game controllers are up: SDL must not take
// SIGINT and SIGTERM for itself.
TEST(ProgramSignals, TheSdlBackEndsLeaveInterruptAndTerminateToTheProgram) {
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  struct sigaction interrupt {}, terminate {}, now {};
  sigaction(SIGINT, nullptr, &interrupt);
  sigaction(SIGTERM, nullptr, &terminate);
  QtPrompts prompts;
  SdlAudioDevice device;
  DSound sound(prompts, device);
  ASSERT_TRUE(sound.Init());
  SdlInputDevices pedals;
  pedals.List();
  sigaction(SIGINT, nullptr, &now);
  EXPECT_EQ(now.sa_handler, interrupt.sa_handler);
  sigaction(SIGTERM, nullptr, &now);
  EXPECT_EQ(now.sa_handler, terminate.sa_handler);
  sound.Shutdown();
}

}  // namespace
}  // namespace revalorn::ui

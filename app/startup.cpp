#include "app/startup.h"

#include <charconv>
#include <cmath>
#include <string>
#include <system_error>

#include "app/sound_dat_finder.h"
#include "app/start_input.h"
#include "catalogue/catalogue.h"
#include "core/rounding.h"
#include "files/file_helpers.h"
#include "playback/dsound.h"
#include "playback/playback_controls.h"
#include "playback/tachometer.h"
#include "settings/settings_store.h"
#include "workingfolder/working_folder.h"

namespace revalorn {

namespace {

// The list position selected at start-up: "1967 Original Unpatched".
constexpr int kStartupVersionPosition = 2;

// Closes the splash box on every way out of start-up, also an early end or an error.
class SplashGuard {
 public:
  explicit SplashGuard(StartupHost& host) : host_(host) {}
  ~SplashGuard() {
    if (shown_) host_.CloseSplash();
  }
  SplashGuard(const SplashGuard&) = delete;
  SplashGuard& operator=(const SplashGuard&) = delete;
  void Show(float scaleX, float scaleY) {
    shown_ = true;
    host_.ShowSplash(scaleX, scaleY);
  }
  void Close() {
    shown_ = false;
    host_.CloseSplash();
  }

 private:
  StartupHost& host_;
  bool shown_ = false;
};

void ShowStartupSoundDatFinder(Context& ctx) {
  // The cancel button then reads "Quit": nothing works without a game sound folder.
  ctx.values.FinderFromMenu = false;
  ShowSoundDatFinder(ctx);
}

// A new install or a major update: tell the player, ask for the game's sound folder,
// and only then remember the running version, so that quitting the finder asks again
// at the next start.
void CheckProgramVersion(Context& ctx, const ProgramVersion& version) {
  const std::string current = VersionText(version);
  const std::string stored = GetRegValue(ctx.settings, "Version", "");
  if (!stored.empty() && VersionKey(stored) == VersionKey(current)) return;

  std::string_view message = kNewInstallText;
  if (!stored.empty()) {
    // Every stored setting goes, the calibration included; later steps write defaults.
    DeleteRegKey(ctx.settings);
    message = kMajorUpdateText;
  }
  ctx.prompts.MsgBox(message, MsgButtons::Ok, MsgIcon::Information);
  ShowStartupSoundDatFinder(ctx);
  if (ctx.values.ProgramEnded) return;
  SetRegValue(ctx.settings, "Version", current);
}

void CheckGameSoundFolder(Context& ctx) {
  // A folder the finder has just chosen is read back from the settings. When the store
  // cannot be written, the folder chosen a moment ago is used, rather than asking again.
  ctx.values.LastUsedGPLPath = GetRegValue(ctx.settings, "LastUsedGPLPath", ctx.values.LastUsedGPLPath);
  const std::string& folder = ctx.values.LastUsedGPLPath;
  if (!folder.empty() && FileExists(JoinPath(folder, "sound.dat"))) return;
  ctx.prompts.MsgBox(kSoundDirMissingText, MsgButtons::Ok, MsgIcon::Exclamation);
  // The folder the finder returns is not tested again.
  ShowStartupSoundDatFinder(ctx);
}

void FillVersionList(Context& ctx) {
  ctx.controls.ClearList(Ctl::Combo2);
  for (const std::string_view text : VersionListTexts()) ctx.controls.AddItem(Ctl::Combo2, std::string(text));
  ctx.controls.SetListIndex(Ctl::Combo2, kStartupVersionPosition);
  Combo2_Click(ctx);
}

// A stored position moves the slider, and a move runs the slider's change handler as
// the player's would. A missing one is written as the slider's current position.
void RestoreSlider(Context& ctx, std::string_view valueName, Ctl slider, int min, int max,
                   void (*changeHandler)(Context&)) {
  const std::string stored = GetRegValue(ctx.settings, valueName, "");
  if (stored.empty()) {
    SetRegValue(ctx.settings, valueName, std::to_string(ctx.controls.Value(slider)));
    return;
  }
  // At start-up the current position is the slider's initial one, the default.
  const int position = StoredSliderPosition(stored, min, max, ctx.controls.Value(slider));
  if (ctx.controls.SetValue(slider, position)) changeHandler(ctx);
}

void PlayStartupSound(Context& ctx, StartupHost& host) {
  const std::string own = JoinPath(ctx.values.ProgramFolder, kStartupSoundFileName);
  if (FileExists(own)) {
    DSoundLoad(ctx, own);
    DSoundPlay(ctx, false, ctx.controls.Value(Ctl::HScroll1));
    return;
  }
  // The built-in sound plays from memory in the background, beside the sound buffer.
  const std::vector<std::uint8_t> builtIn = host.BuiltInStartupSound();
  if (!builtIn.empty()) ctx.sound.PlayMemorySound(builtIn);
}

}  // namespace

int StoredSliderPosition(std::string_view text, int min, int max, int fallback) {
  const auto isSpace = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
  while (!text.empty() && isSpace(text.front())) text.remove_prefix(1);
  while (!text.empty() && isSpace(text.back())) text.remove_suffix(1);
  double value = 0;
  const char* const end = text.data() + text.size();
  const auto [stop, ec] = std::from_chars(text.data(), end, value);
  // Trailing text, "inf", "nan" and numbers beyond a double's range are not numbers here.
  if (text.empty() || ec != std::errc{} || stop != end || !std::isfinite(value)) return fallback;
  if (value <= min) return min;
  if (value >= max) return max;
  return RoundHalfEven32(value);
}

void Form_Load(Context& ctx, StartupHost& host, const ProgramVersion& version) {
  Globals& v = ctx.values;
  const auto ended = [&v] { return v.ProgramEnded; };

  // 1. Only the height is tested: a screen of 768 x 1024 passes.
  const ScreenPixels screen = host.ScreenSize();
  if (screen.height < kMinimumScreenHeight) {
    ctx.prompts.MsgBox(kScreenTooSmallText, MsgButtons::Ok, MsgIcon::Information);
    ctx.EndProgram();
    return;
  }

  // 2, 3. Scale factors for the window and every dialog; scaling; centring.
  v.ScaleX = static_cast<float>(screen.width) / 1280.0f;
  v.ScaleY = static_cast<float>(screen.height) / 1024.0f;
  host.ScaleAndCentreMainWindow(v.ScaleX, v.ScaleY);

  // 4. The splash box gets one chance to paint before the slow steps.
  SplashGuard splash(host);
  splash.Show(v.ScaleX, v.ScaleY);
  ctx.prompts.ProcessEvents();

  // 5, 6, 7.
  BuildCatalogue(ctx.catalogue);
  InitTachometers(ctx);
  ctx.controls.SetCaption(Ctl::FrmSound, "Revalorn " + VersionText(version));

  // 8. A new install or a major update asks for the game's sound folder.
  CheckProgramVersion(ctx, version);
  if (ended()) return;

  // 9, 10. From here on LastUsedGPLPath does not change while the program runs.
  CheckGameSoundFolder(ctx);
  if (ended()) return;

  // 11. The replacement finder's start folder.
  v.LastUsedSourceDirectory = GetRegValue(ctx.settings, "LastUsedSourceDirectory", v.ProgramFolder);

  // 12. "1967 Original Unpatched" fills the engine list and the Working Folder.
  FillVersionList(ctx);
  if (ended()) return;

  // 13. Game controllers and the pedal calibration.
  StartInputDevices(ctx);
  if (ended()) return;

  // 14, 15, 16. The volume is restored before the sound output opens, the speed after.
  RestoreSlider(ctx, "lVolume", Ctl::HScroll1, kVolumeMin, kVolumeMax, HScroll1_Change);
  DSoundInitOrEnd(ctx);
  if (ended()) return;
  RestoreSlider(ctx, "lTimingDelay", Ctl::HScroll2, kSpeedMin, kSpeedMax, HScroll2_Change);

  // 17, 18.
  PlayStartupSound(ctx, host);
  splash.Close();
}

}  // namespace revalorn

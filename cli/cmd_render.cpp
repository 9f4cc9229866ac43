#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <exception>
#include <filesystem>
#include <optional>
#include <ostream>
#include <random>
#include <string>
#include <system_error>
#include <vector>

#include "catalogue/catalogue.h"
#include "cli/commands.h"
#include "core/headless_context.h"
#include "files/file_helpers.h"
#include "files/wav_header.h"
#include "playback/auto_play.h"
#include "playback/dsound.h"
#include "playback/offline_audio_device.h"
#include "playback/playback_controls.h"
#include "playback/tachometer.h"

namespace revalorn::cli {

namespace {

namespace fs = std::filesystem;

// The engine row of the first version plays the file; its first car slot stands in.
constexpr std::int16_t kRenderVersion = kVersionOriginal1967;
constexpr int kRenderListIndex = 0;
// After the final stop, the output fades out within a few milliseconds; this much is
// rendered beyond it and the silent end cut off again.
constexpr std::int64_t kFadeAllowanceMs = 20;
// A cycle lasts well under a minute; a bound keeps a fault from running on forever.
constexpr std::int64_t kLongestCycleMs = 30 * 60 * 1000;

struct RenderOptions {
  std::string wav;
  std::int32_t maxFreq = 0;
  int speed = kSpeedMax;
  int volume = kVolumeMax;
  std::string out;
};

std::optional<std::int64_t> ParseInteger(std::string_view text) {
  std::int64_t value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size() || text.empty()) return std::nullopt;
  return value;
}

// Reads the arguments; prints the reason and returns nothing for a usage error.
std::optional<RenderOptions> ParseOptions(Args args, std::ostream& err) {
  RenderOptions o;
  bool haveMaxFreq = false;
  auto number = [&](std::size_t& i, std::string_view name, std::int64_t low, std::int64_t high) -> std::optional<std::int64_t> {
    if (i + 1 >= args.size()) {
      err << "revalorn-cli: " << name << " needs a value\n";
      return std::nullopt;
    }
    const auto value = ParseInteger(args[++i]);
    if (!value || *value < low || *value > high) {
      err << "revalorn-cli: " << name << " must be a whole number from " << low << " to " << high << '\n';
      return std::nullopt;
    }
    return value;
  };
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string_view a = args[i];
    if (a == "--maxfreq") {
      const auto v = number(i, a, 1, INT32_MAX);
      if (!v) return std::nullopt;
      o.maxFreq = static_cast<std::int32_t>(*v);
      haveMaxFreq = true;
    } else if (a == "--speed") {
      const auto v = number(i, a, kSpeedMin, kSpeedMax);
      if (!v) return std::nullopt;
      o.speed = static_cast<int>(*v);
    } else if (a == "--volume") {
      const auto v = number(i, a, kVolumeMin, kVolumeMax);
      if (!v) return std::nullopt;
      o.volume = static_cast<int>(*v);
    } else if (a == "--out") {
      if (i + 1 >= args.size()) {
        err << "revalorn-cli: --out needs a file name\n";
        return std::nullopt;
      }
      o.out = std::string(args[++i]);
    } else if (a.starts_with("--") || !o.wav.empty()) {
      err << "revalorn-cli: unexpected argument \"" << a << "\"\n";
      return std::nullopt;
    } else {
      o.wav = std::string(a);
    }
  }
  if (o.wav.empty() || o.out.empty() || !haveMaxFreq) {
    err << "revalorn-cli: render needs a WAV file, --maxfreq and --out\n";
    return std::nullopt;
  }
  return o;
}

// A program folder of our own for the length of one render, removed afterwards.
class TempProgramFolder {
 public:
  TempProgramFolder() {
    std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt) {
      const fs::path candidate = fs::temp_directory_path() / ("revalorn-render-" + std::to_string(random()));
      std::error_code ec;
      if (fs::create_directory(candidate, ec)) {
        path_ = candidate;
        return;
      }
    }
    throw std::runtime_error("cannot make a temporary folder");
  }
  ~TempProgramFolder() {
    std::error_code ec;
    fs::remove_all(path_, ec);
  }
  TempProgramFolder(const TempProgramFolder&) = delete;
  TempProgramFolder& operator=(const TempProgramFolder&) = delete;
  std::string Path() const { return path_.string(); }

 private:
  fs::path path_;
};

// The sound output as the player hears it, noting when the sound starts to play and
// when it is stopped.
class TimedSoundOutput final : public SoundOutput {
 public:
  TimedSoundOutput(SoundOutput& inner, Clock& clock) : inner_(inner), clock_(clock) {}
  bool Init() override { return inner_.Init(); }
  void Load(std::string_view path) override { inner_.Load(path); }
  void Play(bool looping, std::int32_t volume) override {
    if (!firstPlayMs) firstPlayMs = clock_.NowMs();
    inner_.Play(looping, volume);
  }
  void Stop() override {
    lastStopMs = clock_.NowMs();
    inner_.Stop();
  }
  void SetVolume(std::int32_t volume) override { inner_.SetVolume(volume); }
  void SetFrequency(std::int32_t frequencyHz) override { inner_.SetFrequency(frequencyHz); }
  void Shutdown() override { inner_.Shutdown(); }

  std::optional<std::int64_t> firstPlayMs;
  std::optional<std::int64_t> lastStopMs;

 private:
  SoundOutput& inner_;
  Clock& clock_;
};

void PutU16(std::vector<std::uint8_t>& b, std::uint32_t v) {
  b.push_back(static_cast<std::uint8_t>(v & 0xFF));
  b.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFF));
}
void PutU32(std::vector<std::uint8_t>& b, std::uint32_t v) {
  PutU16(b, v & 0xFFFF);
  PutU16(b, v >> 16);
}
void PutTag(std::vector<std::uint8_t>& b, const char* tag) {
  for (int i = 0; i < 4; ++i) b.push_back(static_cast<std::uint8_t>(tag[i]));
}

// A canonical 16-bit PCM WAV file of interleaved float samples in -1 .. 1 (clipped).
std::vector<std::uint8_t> Pcm16Wav(const std::vector<float>& samples, int rate, int channels) {
  const auto dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
  const auto blockAlign = static_cast<std::uint32_t>(channels * 2);
  std::vector<std::uint8_t> b;
  b.reserve(44 + dataBytes);
  PutTag(b, "RIFF");
  PutU32(b, 36 + dataBytes);
  PutTag(b, "WAVE");
  PutTag(b, "fmt ");
  PutU32(b, 16);
  PutU16(b, 1);  // PCM
  PutU16(b, static_cast<std::uint32_t>(channels));
  PutU32(b, static_cast<std::uint32_t>(rate));
  PutU32(b, static_cast<std::uint32_t>(rate) * blockAlign);
  PutU16(b, blockAlign);
  PutU16(b, 16);
  PutTag(b, "data");
  PutU32(b, dataBytes);
  for (float x : samples) {
    const long v = std::lround(std::clamp(x, -1.0f, 1.0f) * 32767.0f);
    PutU16(b, static_cast<std::uint32_t>(static_cast<std::uint16_t>(static_cast<std::int16_t>(v))));
  }
  return b;
}

// The window's state for an Auto Play of the engine row: the file as the working copy
// of the selected slot, its sample rate and the rev limit, and the two sliders.
void PrepareLikeTheWindow(Context& ctx, const RenderOptions& o, const std::string& programFolder) {
  BuildCatalogue(ctx.catalogue);
  InitTachometers(ctx);
  Globals& g = ctx.values;
  g.ProgramFolder = programFolder;
  g.GameVersion = kRenderVersion;
  g.CurrentGameVersion = kRenderVersion;
  g.CarCount = ctx.catalogue.CarCount(kRenderVersion);
  for (std::int16_t s : VersionSlots(ctx.catalogue, kRenderVersion)) {
    ctx.controls.AddItem(Ctl::Combo1, ctx.catalogue.CarLabel(kRenderVersion, s));
  }
  ctx.controls.SetListIndex(Ctl::Combo1, kRenderListIndex);
  const std::int16_t slot = SlotOfListIndex(kRenderListIndex, ctx.controls.ListCount(Ctl::Combo1));

  const std::string workingFolder = JoinPath(programFolder, "Working Folder");
  fs::create_directories(workingFolder);
  try {
    CopyFileAtomically(o.wav, JoinPath(workingFolder, ctx.catalogue.SoundFileName(kRenderVersion, slot)));
  } catch (const FileError&) {
    // No working copy: the sound output says it cannot load the sound.
  }
  ctx.catalogue.SampleRate(kRenderVersion, slot) = ReadWavSampleRate(o.wav);
  ctx.catalogue.MaxFreq(kRenderVersion, slot) = o.maxFreq;

  ctx.controls.SetValue(Ctl::HScroll1, o.volume);
  HScroll1_Change(ctx);
  ctx.controls.SetValue(Ctl::HScroll2, o.speed);
  HScroll2_Change(ctx);
}

}  // namespace

int RunRender(Args args, std::ostream& /*out*/, std::ostream& err) {
  const std::optional<RenderOptions> options = ParseOptions(args, err);
  if (!options) return 2;

  try {
    const TempProgramFolder folder;
    HeadlessPrompts prompts;
    VirtualClock clock;
    MemorySettingsBackend settings;
    OfflineAudioDevice device;
    DSound dsound(prompts, device);
    TimedSoundOutput sound(dsound, clock);
    Context ctx(prompts, clock, settings, sound);
    PrepareLikeTheWindow(ctx, *options, folder.Path());
    // The first message the output or the play shows is the reason the file cannot be
    // rendered.
    auto failed = [&] {
      if (prompts.messages.empty()) return false;
      err << "revalorn-cli: " << prompts.messages.front() << '\n';
      return true;
    };
    if (!DSoundInit(ctx) && failed()) return 1;

    Steps play = CmdAutoPlay_Click(ctx, 0);
    if (failed()) return 1;
    while (!play.Finished() && clock.PendingCount() > 0 && clock.NowMs() < kLongestCycleMs) {
      device.RenderAndAdvance(clock, clock.NextDueMs() - clock.NowMs());
    }
    if (failed()) return 1;
    if (!play.Finished() || !sound.firstPlayMs || !sound.lastStopMs) {
      err << "revalorn-cli: the cycle did not end\n";
      return 1;
    }
    device.RenderUntilMs(*sound.lastStopMs + kFadeAllowanceMs);

    const AudioFormat format = device.Format();
    const auto channels = static_cast<std::size_t>(format.channels);
    auto frameAt = [&](std::int64_t ms) { return static_cast<std::size_t>(ms * format.sampleRate / 1000); };
    const std::vector<float>& all = device.Output();
    const std::size_t first = frameAt(*sound.firstPlayMs);
    std::size_t end = std::min(all.size() / channels, frameAt(*sound.lastStopMs + kFadeAllowanceMs));
    const std::size_t stopped = std::min(end, frameAt(*sound.lastStopMs));
    // The fade-out after the stop ends in silence; keep only what is heard.
    auto silent = [&](std::size_t frame) {
      return std::all_of(all.begin() + static_cast<std::ptrdiff_t>(frame * channels),
                         all.begin() + static_cast<std::ptrdiff_t>((frame + 1) * channels), [](float x) { return x == 0.0f; });
    };
    while (end > stopped && silent(end - 1)) --end;
    const std::vector<float> heard(all.begin() + static_cast<std::ptrdiff_t>(std::min(first, end) * channels),
                                   all.begin() + static_cast<std::ptrdiff_t>(end * channels));
    WriteFileAtomically(options->out, Pcm16Wav(heard, format.sampleRate, format.channels));
  } catch (const std::exception& e) {
    err << "revalorn-cli: " << e.what() << '\n';
    return 1;
  }
  return 0;
}

}  // namespace revalorn::cli

#include "tools/demo_game/demo_game.h"

#include <stdexcept>
#include <string_view>
#include <system_error>

#include "files/file_helpers.h"
#include "tools/gamefiles/exe_fixture.h"
#include "tools/gamefiles/sound_dat_fixture.h"
#include "tools/gamefiles/wav_fixture.h"
#include "tools/demo_game/demo_cars.h"
#include "tools/demo_game/embedded_pictures.h"

namespace revalorn::demo {

namespace fs = std::filesystem;

namespace {

// Engine recordings are pitched so that 22050 Hz stands for 5200 rpm: a V8 fires four
// times a revolution (347 Hz), a V12 six times (520 Hz), an H16 eight (693 Hz), a
// four-cylinder twice (173 Hz).
constexpr double kV8 = 347.0;
constexpr double kV12 = 520.0;
constexpr double kH16 = 693.0;
constexpr double kFour = 173.0;
// About a second and a half of sound: long enough that the loop's roughness does not
// repeat audibly.
constexpr double kSeconds = 1.5;

constexpr std::size_t kArchiveBytes = 900 * 1024;

constexpr std::string_view kReadme =
    "Demo GPL folder\r\n"
    "\r\n"
    "This folder was written by revalorn-demo-game. It looks to Revalorn like a GPL\r\n"
    "installation, but every file in it is synthetic: the engine sounds are made-up\r\n"
    "loops, the executables only carry an engine-sound table, and the car pictures are\r\n"
    "painted from code. None of it is part of the game.\r\n"
    "\r\n"
    "In Revalorn's sound.dat finder, choose this folder's \"sound\" folder.\r\n"
    "Replacement sounds to try are in \"Downloaded Sounds\". The executables (gpl65.exe,\r\n"
    "gpl69.exe, gplcs.exe, ...) can be patched and unpatched with Patches, Patch Executable.\r\n";

void Write(const fs::path& path, std::span<const std::uint8_t> bytes) {
  fs::create_directories(path.parent_path());
  WriteFileAtomically(FromPath(path), bytes);
}

void RequireEmptyOrMissing(const fs::path& root) {
  std::error_code ec;
  const auto status = fs::status(root, ec);
  if (ec || status.type() == fs::file_type::not_found) return;
  if (status.type() != fs::file_type::directory || !fs::is_empty(root, ec) || ec) {
    throw std::runtime_error(FromPath(root) + " exists and is not an empty folder; choose a new folder");
  }
}

}  // namespace

const std::vector<DemoSound>& ArchiveEngineSounds() {
  static const std::vector<DemoSound> sounds = {
      {"repco.wav", 22050, 16, kV8, 11},      {"brmh16.wav", 22050, 16, kH16, 12},
      {"weslake.wav", 22050, 16, kV12, 13},   {"cosworth.wav", 22050, 16, kV8 * 1.04, 14},
      {"ferrari.wav", 22050, 16, kV12 * 1.04, 15}, {"f2f3.wav", 22050, 16, kFour, 16},
  };
  return sounds;
}

const std::vector<DemoSound>& LooseEngineSounds() {
  static const std::vector<DemoSound> sounds = {
      // Wins over the archive's "ferrari.wav" in the 1967 original game.
      {"ferrari.wav", 44100, 16, kV12 * 0.97, 21},
      // The CarSound-patched game's Brabham, spelt as a Windows folder may hold it.
      {"Bra.wav", 44100, 16, kV8 * 0.98, 22},
      // Two of the 1969 mod's sounds; the others are extracted at random.
      {"690.wav", 22050, 16, kV8 * 1.06, 23},
      {"694.wav", 22050, 8, kV12 * 1.08, 24},
  };
  return sounds;
}

const std::vector<DemoSound>& DownloadedSounds() {
  static const std::vector<DemoSound> sounds = {
      {"dfv_v8.wav", 44100, 16, kV8 * 1.02, 31},
      {"flat12.wav", 22050, 16, kV12 * 1.1, 32},
  };
  return sounds;
}

std::vector<std::uint8_t> SoundFile(const DemoSound& sound) {
  // A whole number of firing periods, so the loop has no seam.
  const int periods = static_cast<int>(sound.firingHz * kSeconds);
  return fixtures::MakeWav({sound.sampleRate, 1, sound.bitsPerSample, fixtures::WavEncoding::Pcm},
                           fixtures::EngineLoop(sound.firingHz, sound.sampleRate, periods, sound.seed));
}

const std::vector<DemoExecutable>& DemoExecutables() {
  static const std::vector<DemoExecutable> exes = {
      {"gpl.exe", 0},            // the original: refused by name
      {"gplcs.exe", 1},          // CarSound-patched, one F2/F3 sound
      {"gplcs_f2f3.exe", 2},     // CarSound-patched, separate F2 and F3 sounds
      {"gpl65.exe", 3},          // 1965 mod
      {"gpl69.exe", 5},          // 1969 mod
      {"gpl66.exe", 7},          // 1966 mod under a name that may be patched
      {"gplc66.exe", 7},         // 1966 mod: refused by name
      {"gplsetup.exe", -1},      // not a game executable
  };
  return exes;
}

std::vector<std::uint8_t> ExecutableFile(const DemoExecutable& exe) {
  const unsigned seed = 100 + static_cast<unsigned>(exe.name.size()) * 7 + static_cast<unsigned>(exe.kind + 1);
  if (exe.kind < 0) return fixtures::ExecutableFiller(96 * 1024, seed);
  fixtures::ExeImageSpec spec;
  spec.kind = exe.kind;
  spec.fillerBefore = 64 * 1024;
  spec.fillerBetween = 8 * 1024;
  spec.fillerAfter = 24 * 1024;
  spec.seed = seed;
  return fixtures::MakeExecutableImage(spec).bytes;
}

std::span<const std::uint8_t> CarPicture(const std::string& pictureFileName) {
  for (const auto& picture : EmbeddedPictures()) {
    if (picture.name == pictureFileName) return picture.bytes;
  }
  throw std::runtime_error("no car picture " + pictureFileName + " built in");
}

void WriteDemoGame(const fs::path& root) {
  RequireEmptyOrMissing(root);
  // Everything is made before anything is written.
  std::vector<fixtures::DatEntrySpec> entries = fixtures::StockSoundDatEntries(kArchiveBytes);
  for (const DemoSound& sound : ArchiveEngineSounds()) {
    for (auto& entry : entries) {
      if (entry.name == sound.name) entry.data = SoundFile(sound);
    }
  }
  const std::vector<std::uint8_t> archive = fixtures::MakeSoundDat(entries);
  for (const auto& car : DemoCars()) CarPicture(PictureFileName(car));

  fs::create_directories(root);
  const fs::path sound = root / "sound";
  Write(sound / "sound.dat", archive);
  for (const DemoSound& s : LooseEngineSounds()) Write(sound / s.name, SoundFile(s));
  for (const DemoSound& s : DownloadedSounds()) Write(root / kDownloadedSoundsFolder / s.name, SoundFile(s));
  for (const auto& car : DemoCars()) {
    Write(root / "cars" / car.carSet / car.team / "GEMPic.jpg", CarPicture(PictureFileName(car)));
  }
  for (const DemoExecutable& exe : DemoExecutables()) Write(root / exe.name, ExecutableFile(exe));
  const auto* text = reinterpret_cast<const std::uint8_t*>(kReadme.data());
  Write(root / "README.txt", std::span<const std::uint8_t>(text, kReadme.size()));
}

}  // namespace revalorn::demo

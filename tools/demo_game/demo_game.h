#pragma once
// A demo game folder: everything of a GPL installation that this program looks at,
// made up from synthetic parts, so that a player without the game (or a test) can try
// every command. Its layout:
//
//   <root>/sound/sound.dat          the archive: the five stock car sounds and the
//                                   trainers' "f2f3.wav" as distinct engine loops, and
//                                   other game sounds
//   <root>/sound/<name>.wav         a few loose engine sounds (a loose file wins over the
//                                   archive's); "Bra.wav" is spelt in other letter case
//   <root>/cars/<set>/<team>/GEMPic.jpg   pictures of some cars of some versions
//   <root>/<name>.exe               game executables of several sound-table kinds, and
//                                   one that is not a game executable
//   <root>/Downloaded Sounds/       two engine sounds to load as replacements
//   <root>/README.txt               what the folder is
//
// The same program writes the same bytes every time.

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

namespace revalorn::demo {

// An engine sound made up for the folder.
struct DemoSound {
  std::string name;
  std::int32_t sampleRate;
  std::int16_t bitsPerSample;
  double firingHz;  // firing pulses per second at the recording's own pitch
  unsigned seed;
};

// The engine sounds in sound.dat, in the archive's order: "repco.wav", "brmh16.wav",
// "weslake.wav", "cosworth.wav", "ferrari.wav", "f2f3.wav".
const std::vector<DemoSound>& ArchiveEngineSounds();
// The loose engine sounds in the sound folder.
const std::vector<DemoSound>& LooseEngineSounds();
// The sounds in "Downloaded Sounds".
const std::vector<DemoSound>& DownloadedSounds();
// The WAV file of a demo sound.
std::vector<std::uint8_t> SoundFile(const DemoSound& sound);

// A game executable of the folder; kind -1 is a file that is not a game executable.
struct DemoExecutable {
  std::string name;
  int kind;
};
const std::vector<DemoExecutable>& DemoExecutables();
std::vector<std::uint8_t> ExecutableFile(const DemoExecutable& exe);

// The car picture painted for a car (see demo_cars.h), built into this program.
std::span<const std::uint8_t> CarPicture(const std::string& pictureFileName);

inline constexpr const char* kDownloadedSoundsFolder = "Downloaded Sounds";

// Writes the folder at root, creating it. Refuses (std::runtime_error, nothing written)
// a root that exists and is not an empty folder, so that a real game folder is never
// overwritten. Throws FileError when a file cannot be written.
void WriteDemoGame(const std::filesystem::path& root);

}  // namespace revalorn::demo

#pragma once
// The game's sound.dat archive, as the program reads it, and the restoring of missing
// engine sounds from it.
//
// The archive is little-endian throughout:
//
//   offset     size  field
//   0          2     entry count, signed 16-bit
//   2 + 27*i   27    directory entry i, for i = 0 .. count-1, with no gap
//
// A directory entry (offsets within the entry):
//
//   0    2    not used
//   2    4    data size in bytes, signed 32-bit
//   6    4    not used
//   10   13   name: up to the first NUL byte; a name without NUL uses all 13 bytes
//   23   4    data offset from the start of the file, signed 32-bit
//
// An entry's data is a whole WAV file, stored byte for byte. Archives come from outside,
// so nothing here trusts them: a negative count means no entries, a directory cut short
// ends at its last whole entry, and an entry whose data is empty, starts before the
// file or runs past its end is not usable. Every entry is searched.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace revalorn {

struct Context;

inline constexpr std::string_view kSoundDatFileName = "sound.dat";
inline constexpr std::size_t kDatHeaderSize = 2;
inline constexpr std::size_t kDatEntrySize = 27;
inline constexpr std::size_t kDatSizeField = 2;   // within an entry
inline constexpr std::size_t kDatNameField = 10;  // within an entry
inline constexpr std::size_t kDatNameLength = 13;
inline constexpr std::size_t kDatOffsetField = 23;  // within an entry

// Readers at a zero-based offset p of a byte buffer (the archive in FileBytes). A value
// that does not lie wholly inside the buffer is nothing.
std::optional<std::int16_t> ReadInt16At(std::span<const std::uint8_t> bytes, std::size_t p);
std::optional<std::int32_t> ReadInt32At(std::span<const std::uint8_t> bytes, std::size_t p);
// The characters from p up to the first NUL byte, at most maxLength of them, and never
// past the end of the buffer.
std::string ReadNameAt(std::span<const std::uint8_t> bytes, std::size_t p, std::size_t maxLength);

struct DatEntry {
  std::size_t index = 0;  // position in the directory
  std::string name;
  std::int32_t size = 0;
  std::int32_t offset = 0;
  // The data is at least one byte and lies wholly inside the archive.
  bool usable = false;
};

// The directory entries the archive holds, in directory order: none for a negative
// count, and only the whole entries of a directory that is cut short.
std::vector<DatEntry> ReadDatDirectory(std::span<const std::uint8_t> archive);

// The first usable entry whose name equals name exactly, letter case included.
std::optional<DatEntry> FindDatEntry(std::span<const std::uint8_t> archive, std::string_view name);

// The data of a usable entry of archive; empty for an entry that is not usable.
std::span<const std::uint8_t> DatEntryData(std::span<const std::uint8_t> archive, const DatEntry& entry);

// The archive fileName in directory, read on first use: it is copied to its ".tmp"
// working copy, loaded from there into FileBytes, and the copy is deleted. Later look-ups
// read FileBytes again, so a run that restores several sounds loads the archive once.
// Nothing else may load FileBytes while the object is in use.
class SoundDatArchive {
 public:
  SoundDatArchive(Context& ctx, std::string directory, std::string fileName = std::string(kSoundDatFileName));

  // The data of the first usable entry named exactly name, inside FileBytes; nothing
  // when the archive does not exist, cannot be read, or has no such entry.
  std::optional<std::span<const std::uint8_t>> Find(std::string_view name);

  // How many times the archive file was read (0 or 1).
  int Loads() const { return loads_; }

 private:
  std::span<const std::uint8_t> Bytes();

  Context& ctx_;
  std::string directory_;
  std::string fileName_;
  bool loaded_ = false;
  std::size_t length_ = 0;  // bytes of the archive in FileBytes; 0 when it has none
  int loads_ = 0;
};

// Writes the data of the archive entry name to the game sound directory under name (an
// existing file whose name differs only in letter case is replaced under its own name).
// True when the entry was found and written; false when the archive does not exist, has
// no usable entry of that name, or the file cannot be written.
bool ExtractSoundFromDat(Context& ctx, std::string_view name, std::string_view file, std::string_view directory);

// Makes sure every sound file of the current GameVersion's slots exists in the game sound
// directory (LastUsedGPLPath), restoring missing ones from sound.dat:
// - "1967 Original Unpatched": a car's file is extracted under its own name; a trainer
//   file receives the stock "f2f3.wav"; nothing is said.
// - Any other version: a missing file receives one of the stock car sounds, drawn at
//   random, and the player is told which file it was.
// A file that exists under another letter case counts as existing. A loose file of the
// stock name is never replaced; it is copied to the missing name only when the archive
// cannot supply the stock sound.
void EnsureEngineSounds(Context& ctx);

// The message shown after a random stock sound was given to the missing file name.
std::string RandomSoundMessage(std::string_view name);

}  // namespace revalorn

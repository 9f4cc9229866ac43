#include "sounddat/sound_dat.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <utility>

#include "catalogue/catalogue.h"
#include "core/context.h"
#include "core/errors.h"
#include "files/file_helpers.h"

namespace revalorn {

namespace {

// A value of n bytes at p lies wholly inside a buffer of size bytes. Written so that no
// sum can wrap, whatever p is.
bool Fits(std::size_t size, std::size_t p, std::size_t n) { return p <= size && n <= size - p; }

// Entry i's fields; the caller has checked that the whole entry lies inside the archive.
std::size_t EntryStart(std::size_t i) { return kDatHeaderSize + kDatEntrySize * i; }

// The number of whole directory entries the archive holds: its count, but none for a
// negative count and no more than fit before the end of the file.
std::size_t WholeEntryCount(std::span<const std::uint8_t> archive) {
  const auto count = ReadInt16At(archive, 0);
  if (!count || *count <= 0) return 0;
  const std::size_t fitting = (archive.size() - kDatHeaderSize) / kDatEntrySize;
  return std::min(static_cast<std::size_t>(*count), fitting);
}

bool Usable(std::size_t archiveSize, std::int32_t size, std::int32_t offset) {
  return size > 0 && offset >= 0 && Fits(archiveSize, static_cast<std::size_t>(offset), static_cast<std::size_t>(size));
}

DatEntry EntryAt(std::span<const std::uint8_t> archive, std::size_t i) {
  const std::size_t start = EntryStart(i);
  DatEntry e;
  e.index = i;
  e.name = ReadNameAt(archive, start + kDatNameField, kDatNameLength);
  e.size = ReadInt32At(archive, start + kDatSizeField).value_or(0);
  e.offset = ReadInt32At(archive, start + kDatOffsetField).value_or(-1);
  e.usable = Usable(archive.size(), e.size, e.offset);
  return e;
}

// The name field of entry i equals name exactly. Compares in place: a search touches
// every entry, and most of them are not the one wanted.
bool NameEquals(std::span<const std::uint8_t> archive, std::size_t i, std::string_view name) {
  if (name.size() > kDatNameLength) return false;
  const std::size_t p = EntryStart(i) + kDatNameField;
  for (std::size_t k = 0; k < name.size(); ++k) {
    if (archive[p + k] != static_cast<std::uint8_t>(name[k]) || archive[p + k] == 0) return false;
  }
  return name.size() == kDatNameLength || archive[p + name.size()] == 0;
}

}  // namespace

std::optional<std::int16_t> ReadInt16At(std::span<const std::uint8_t> bytes, std::size_t p) {
  if (!Fits(bytes.size(), p, 2)) return std::nullopt;
  return static_cast<std::int16_t>(static_cast<std::uint16_t>(bytes[p] | (bytes[p + 1] << 8)));
}

std::optional<std::int32_t> ReadInt32At(std::span<const std::uint8_t> bytes, std::size_t p) {
  if (!Fits(bytes.size(), p, 4)) return std::nullopt;
  std::uint32_t v = 0;
  for (std::size_t k = 0; k < 4; ++k) v |= static_cast<std::uint32_t>(bytes[p + k]) << (8 * k);
  return static_cast<std::int32_t>(v);
}

std::string ReadNameAt(std::span<const std::uint8_t> bytes, std::size_t p, std::size_t maxLength) {
  std::string name;
  for (std::size_t k = 0; k < maxLength && p < bytes.size() && k < bytes.size() - p; ++k) {
    const std::uint8_t c = bytes[p + k];
    if (c == 0) break;
    name.push_back(static_cast<char>(c));
  }
  return name;
}

std::vector<DatEntry> ReadDatDirectory(std::span<const std::uint8_t> archive) {
  std::vector<DatEntry> entries;
  const std::size_t n = WholeEntryCount(archive);
  entries.reserve(n);
  for (std::size_t i = 0; i < n; ++i) entries.push_back(EntryAt(archive, i));
  return entries;
}

std::optional<DatEntry> FindDatEntry(std::span<const std::uint8_t> archive, std::string_view name) {
  const std::size_t n = WholeEntryCount(archive);
  for (std::size_t i = 0; i < n; ++i) {
    if (!NameEquals(archive, i, name)) continue;
    DatEntry e = EntryAt(archive, i);
    if (e.usable) return e;
  }
  return std::nullopt;
}

std::span<const std::uint8_t> DatEntryData(std::span<const std::uint8_t> archive, const DatEntry& entry) {
  if (!Usable(archive.size(), entry.size, entry.offset)) return {};
  return archive.subspan(static_cast<std::size_t>(entry.offset), static_cast<std::size_t>(entry.size));
}

// ---------------------------------------------------------------------------------------

SoundDatArchive::SoundDatArchive(Context& ctx, std::string directory, std::string fileName)
    : ctx_(ctx), directory_(std::move(directory)), fileName_(std::move(fileName)) {}

std::span<const std::uint8_t> SoundDatArchive::Bytes() {
  if (!loaded_) {
    loaded_ = true;
    if (directory_.empty()) return {};
    const std::string path = FindEntryIgnoringCase(directory_, fileName_);
    if (!FileExists(path)) return {};
    try {
      const WorkingCopy copy(path);
      ++loads_;
      // A 0-byte archive leaves FileBytes as it was; it has no entries either way.
      length_ = static_cast<std::size_t>(LoadFileBytes(ctx_.values.FileBytes, copy.Path()));
    } catch (const std::exception&) {
      length_ = 0;  // an archive that cannot be read has no entries
    }
  }
  if (length_ == 0 || ctx_.values.FileBytes.size() < length_) return {};
  return std::span<const std::uint8_t>(ctx_.values.FileBytes.data(), length_);
}

std::optional<std::span<const std::uint8_t>> SoundDatArchive::Find(std::string_view name) {
  const auto bytes = Bytes();
  const auto entry = FindDatEntry(bytes, name);
  if (!entry) return std::nullopt;
  return DatEntryData(bytes, *entry);
}

namespace {

bool WriteEntry(SoundDatArchive& archive, std::string_view name, const std::string& target) {
  const auto data = archive.Find(name);
  if (!data) return false;
  try {
    WriteFileAtomically(target, *data);
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

// Gives target the stock sound stockName: from the archive, or else from a loose file
// of that name in the game sound directory, which is copied, never replaced. False when
// neither is there or the target cannot be written.
bool GiveStockSound(SoundDatArchive& archive, const std::string& directory, const std::string& stockName,
                    const std::string& target) {
  if (WriteEntry(archive, stockName, target)) return true;
  const std::string loose = FindEntryIgnoringCase(directory, stockName);
  if (!FileExists(loose)) return false;
  return SkipOnError([&] { CopyFileAtomically(loose, target); });
}

// floor(7x) for a draw x in [0, 1): one of the seven cars of the stock game. A draw
// outside that range (only a faulty source gives one) is held to the nearest car.
int RandomStockSlot(const RandomSource& random) {
  const double x = random ? random() : ClockSeededRandom();
  const double r = std::floor(7.0 * x);
  if (!(r >= 0.0)) return 0;
  return r >= 6.0 ? 6 : static_cast<int>(r);
}

}  // namespace

bool ExtractSoundFromDat(Context& ctx, std::string_view name, std::string_view file, std::string_view directory) {
  SoundDatArchive archive(ctx, std::string(directory), std::string(file));
  return WriteEntry(archive, name, FindEntryIgnoringCase(directory, name));
}

std::string RandomSoundMessage(std::string_view name) {
  return "The " + std::string(name) + " sound didn't exist.  Revalorn has extracted a random sound from the .dat file.";
}

void EnsureEngineSounds(Context& ctx) {
  const BusyCursor busy(ctx.prompts);
  const std::string directory = ctx.values.LastUsedGPLPath;
  if (directory.empty()) return;
  const int v = ctx.values.GameVersion;
  static const std::string kStockTrainerSound = "f2f3.wav";

  SoundDatArchive archive(ctx, directory);
  for (const std::int16_t s : VersionSlots(ctx.catalogue, v)) {
    const std::string name = ctx.catalogue.SoundFileName(v, s);
    if (name.empty() || FileExists(FindEntryIgnoringCase(directory, name))) continue;
    const std::string target = JoinPath(directory, name);

    if (v == kVersionOriginal1967) {
      // The stock game's own names: a car's file is its own archive entry, and every
      // trainer file is the shared stock trainer sound.
      GiveStockSound(archive, directory, s < kSlotF2 ? name : kStockTrainerSound, target);
      continue;
    }
    const std::string stock = ctx.catalogue.SoundFileName(kVersionOriginal1967, RandomStockSlot(ctx.random));
    if (GiveStockSound(archive, directory, stock, target)) {
      ctx.prompts.MsgBox(RandomSoundMessage(name), MsgButtons::Ok, MsgIcon::Information);
    }
  }
}

}  // namespace revalorn

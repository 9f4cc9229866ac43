#include "patching/sound_patch.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <span>
#include <stdexcept>

#include "patching/executable_finder.h"

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace revalorn {

namespace {

using SlotBytes = std::array<std::uint8_t, kSlotTableSize>;
using TableBytes = std::array<std::uint8_t, kSoundTableSize>;

constexpr std::size_t kNameBlockOffset = 208;  // in a 23-record table, after 207 bytes of records and one zero

constexpr SlotBytes SlotBytesOf(const std::array<std::uint32_t, kSlotTableEntryCount>& entries) {
  SlotBytes bytes{};
  for (std::size_t i = 0; i < entries.size(); ++i) {
    for (std::size_t b = 0; b < 4; ++b) bytes[4 * i + b] = static_cast<std::uint8_t>(entries[i] >> (8 * b));
  }
  return bytes;
}

// Kind 0; the single kinds 1, 3, 5, 7; the separate kinds 2, 4, 6, 8. The patch moves
// entry 9 from record 6 (the shared F2/F3 sound) to record 12, and entry 14 from
// record 12 to record 11.
constexpr SlotBytes kOriginalSlots = SlotBytesOf({0, 1, 2, 4, 3, 0, 4, 0, 5, 5, 0, 12, 13, 11, 10, 16});
constexpr SlotBytes kSingleSlots = SlotBytesOf({0, 1, 2, 3, 4, 19, 20, 0, 5, 5, 0, 12, 13, 11, 10, 16});
constexpr SlotBytes kSeparateSlots = SlotBytesOf({0, 1, 2, 3, 4, 19, 20, 0, 11, 5, 0, 12, 13, 10, 10, 16});

struct RecordRow {
  std::uint32_t nameOffset;  // from the start of the names; kNameFromExecutable for 22 and 23
  std::uint8_t flag;
  std::array<std::uint8_t, 4> value;  // little-endian IEEE float
};

constexpr std::uint32_t kNameFromExecutable = 0xFFFFFFFF;
constexpr std::uint32_t kRecord12Placeholder = 0;  // set per kind
constexpr std::array<std::uint8_t, 4> kOne = {0x00, 0x00, 0x80, 0x3F};    // 1.0
constexpr std::array<std::uint8_t, 4> kTenth = {0xCD, 0xCC, 0xCC, 0x3D};  // 0.1
constexpr std::array<std::uint8_t, 4> kZero = {0x00, 0x00, 0x00, 0x00};   // 0.0

// Records 1 to 23 of the target tables. Records 1 to 5, 20 and 21 name the seven engine
// sounds, record 6 the shared F2/F3 sound (or F2 alone), record 12 F3 in the separate
// kinds; offsets from 0x24 on name strings that follow the table.
constexpr std::array<RecordRow, 23> kRecords = {{
    {0x00, 0x01, kOne},   {0x04, 0x01, kOne},   {0x08, 0x01, kOne},   {0x0C, 0x01, kOne},
    {0x10, 0x01, kOne},   {0x1C, 0x01, kOne},   {0x24, 0x00, kTenth}, {0x30, 0x00, kOne},
    {0x38, 0x00, kOne},   {0x44, 0x00, kOne},   {0x50, 0x01, kOne},   {kRecord12Placeholder, 0x01, kOne},
    {0x68, 0x01, kOne},   {0x70, 0x01, kOne},   {0x78, 0x01, kTenth}, {0x80, 0x01, kTenth},
    {0x88, 0x01, kTenth}, {0x90, 0x00, kTenth}, {0x9C, 0x01, kOne},   {0x14, 0x01, kOne},
    {0x18, 0x01, kOne},   {kNameFromExecutable, 0x01, kZero},         {kNameFromExecutable, 0x01, kZero},
}};
constexpr std::uint32_t kRecord12Single = 0x5C;
constexpr std::uint32_t kRecord12Separate = 0x20;

std::uint32_t ReadLe32(std::span<const std::uint8_t> bytes, std::size_t at) {
  return static_cast<std::uint32_t>(bytes[at]) | static_cast<std::uint32_t>(bytes[at + 1]) << 8 |
         static_cast<std::uint32_t>(bytes[at + 2]) << 16 | static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

void WriteLe32(std::span<std::uint8_t> bytes, std::size_t at, std::uint32_t value) {
  for (std::size_t b = 0; b < 4; ++b) bytes[at + b] = static_cast<std::uint8_t>(value >> (8 * b));
}

TableBytes BuildSoundTable(ExecutableKind kind) {
  TableBytes table{};
  const bool separate = PatchStateOf(kind) == PatchState::SeparateF2F3;
  for (std::size_t r = 0; r < kRecords.size(); ++r) {
    const RecordRow& row = kRecords[r];
    const std::uint32_t offset = r == 11 ? (separate ? kRecord12Separate : kRecord12Single) : row.nameOffset;
    const std::size_t at = kSoundRecordSize * r;
    WriteLe32(table, at, offset);
    table[at + 4] = row.flag;
    std::copy(row.value.begin(), row.value.end(), table.begin() + static_cast<std::ptrdiff_t>(at + 5));
  }
  // table[207] stays zero; the names are the kind's identity pattern.
  const auto& names = IdentityPattern(kind);
  std::copy(names.begin(), names.end(), table.begin() + kNameBlockOffset);
  return table;
}

void SetPattern(Globals& values, std::span<const std::uint8_t> pattern) {
  values.PatternBytes.assign(pattern.begin(), pattern.end());
}

// Flushes a written file to the disk, so that renaming it over the executable never
// exposes a partly written file after a crash.
bool FlushToDisk(std::FILE* f) {
  if (std::fflush(f) != 0) return false;
#ifdef _WIN32
  return _commit(_fileno(f)) == 0;
#else
  return ::fsync(::fileno(f)) == 0;
#endif
}

std::FILE* OpenForWriting(std::string_view path) {
  const fs::path p = ToPath(path);
#ifdef _WIN32
  std::FILE* f = _wfopen(p.c_str(), L"r+b");
  if (f == nullptr && errno == ENOENT) f = _wfopen(p.c_str(), L"wb");
#else
  std::FILE* f = std::fopen(p.c_str(), "r+b");
  if (f == nullptr && errno == ENOENT) f = std::fopen(p.c_str(), "wb");
#endif
  return f;
}

// SaveFileBytes with the reason of a failure.
void SaveFileBytesOrThrow(const ByteBuffer& fileBytes, std::string_view path) {
  errno = 0;
  std::FILE* f = OpenForWriting(path);
  if (f == nullptr) throw FileError("Cannot open for writing", std::string(path), {errno, std::generic_category()});
  bool ok = fileBytes.empty() || std::fwrite(fileBytes.data(), 1, fileBytes.size(), f) == fileBytes.size();
  ok = ok && FlushToDisk(f);
  const int error = errno;
  if (std::fclose(f) != 0) ok = false;
  if (!ok) throw FileError("Cannot write", std::string(path), {error != 0 ? error : EIO, std::generic_category()});
}

}  // namespace

const std::array<std::uint8_t, kSlotTableSize>& SlotTable(ExecutableKind kind) {
  switch (PatchStateOf(kind)) {
    case PatchState::Unpatched: return kOriginalSlots;
    case PatchState::SingleF2F3: return kSingleSlots;
    case PatchState::SeparateF2F3: return kSeparateSlots;
    case PatchState::Undetermined: break;
  }
  throw std::out_of_range("no slot table for an unrecognised executable");
}

int SoundRecordCount(ExecutableKind kind) { return kind == ExecutableKind::Original1967 ? 21 : 23; }

bool IsPatchTarget(ExecutableKind kind) noexcept {
  const int code = KindCode(kind);
  return code >= 1 && code <= 6;
}

const std::array<std::uint8_t, kSoundTableSize>& SoundTable(ExecutableKind kind) {
  static const std::array<TableBytes, 6> tables = [] {
    std::array<TableBytes, 6> all{};
    for (int code = 1; code <= 6; ++code) all[code - 1] = BuildSoundTable(static_cast<ExecutableKind>(code));
    return all;
  }();
  if (!IsPatchTarget(kind)) throw std::out_of_range("no sound table for this kind");
  return tables[KindCode(kind) - 1];
}

std::optional<ExecutableKind> PatchTarget(ExecutableKind current) noexcept {
  if (!IsPatchTarget(current)) return std::nullopt;
  const int code = KindCode(current);
  return static_cast<ExecutableKind>(code % 2 == 1 ? code + 1 : code - 1);
}

bool ConvertFileBytes(Globals& values, ExecutableKind target) {
  if (!IsPatchTarget(target)) return false;
  ByteBuffer& bytes = values.FileBytes;

  // The current layout: the first kind other than the target whose SlotTable occurs.
  // Kinds with the same table and record count are interchangeable here.
  std::optional<std::size_t> slots;
  int n = 0;
  for (int code = 0; code < kKnownKindCount && !slots; ++code) {
    const auto kind = static_cast<ExecutableKind>(code);
    if (kind == target) continue;
    SetPattern(values, SlotTable(kind));
    slots = FindPattern(values, 0);
    n = SoundRecordCount(kind);
  }
  if (!slots) return false;

  // The table starts after the first marker beyond the SlotTable. No SlotTable holds a
  // 't' byte (every entry is below 0x20), so the marker cannot start inside it and is
  // the same before and after the new SlotTable is written: look for it first, and
  // refuse before writing anything when there is no whole table to convert.
  SetPattern(values, TableMarker);
  const auto marker = FindPattern(values, ChainedStart(slots));
  if (!marker) return false;
  const std::size_t table = *marker + kTableMarkerSize;
  if (table > bytes.size() || bytes.size() - table < kSoundTableSize) return false;

  const int N = SoundRecordCount(target);
  const auto& newSlots = SlotTable(target);
  std::copy(newSlots.begin(), newSlots.end(), bytes.begin() + static_cast<std::ptrdiff_t>(*slots));

  // Record 1 always names the first string, so its address is where the names start.
  const std::uint32_t base = ReadLe32(bytes, table);
  const std::uint32_t lastName = ReadLe32(bytes, table + kSoundRecordSize * static_cast<std::size_t>(n - 1));
  const std::uint32_t nextToLastName = ReadLe32(bytes, table + kSoundRecordSize * static_cast<std::size_t>(n - 2));

  SetPattern(values, SoundTable(target));
  ByteBuffer& pattern = values.PatternBytes;
  WriteLe32(pattern, kSoundRecordSize * static_cast<std::size_t>(N - 1), lastName);
  WriteLe32(pattern, kSoundRecordSize * static_cast<std::size_t>(N - 2), nextToLastName);

  // The names of a 23-record table start 16 bytes later than those of a 21-record one;
  // the strings after the table stay where they are. Addresses wrap as 32-bit values.
  const std::uint32_t shift = N > n ? 16u : (N < n ? static_cast<std::uint32_t>(-16) : 0u);
  for (std::size_t r = 0; r + 2 < static_cast<std::size_t>(N); ++r) {
    const std::size_t at = kSoundRecordSize * r;
    WriteLe32(bytes, table + at, ReadLe32(pattern, at) + base + shift);
    std::copy(pattern.begin() + static_cast<std::ptrdiff_t>(at + 4),
              pattern.begin() + static_cast<std::ptrdiff_t>(at + kSoundRecordSize),
              bytes.begin() + static_cast<std::ptrdiff_t>(table + at + 4));
  }
  const std::size_t rest = kSoundRecordSize * static_cast<std::size_t>(N - 2);
  std::copy(pattern.begin() + static_cast<std::ptrdiff_t>(rest), pattern.end(),
            bytes.begin() + static_cast<std::ptrdiff_t>(table + rest));
  return true;
}

bool ConvertExecutable(Context& ctx, ExecutableKind target) {
  const BusyCursor busy(ctx.prompts);
  return ConvertFileBytes(ctx.values, target);
}

bool SaveFileBytes(const ByteBuffer& fileBytes, std::string_view path) {
  try {
    SaveFileBytesOrThrow(fileBytes, path);
    return true;
  } catch (const FileError&) {
    return false;
  }
}

std::string BackupPath(std::string_view executablePath) { return std::string(executablePath) + ".rvlrn"; }

PatchFileResult PatchExecutableFile(Context& ctx, const std::string& path, ExecutableKind target) {
  std::optional<WorkingCopy> copy;
  try {
    copy.emplace(path);
  } catch (const std::exception& e) {
    return {PatchFailure::WorkingCopy, e.what()};
  }
  try {
    // An empty file holds no table; the buffer must not keep an older file's bytes.
    if (LoadFileBytes(ctx.values.FileBytes, copy->Path()) == 0) ctx.values.FileBytes.clear();
  } catch (const std::exception& e) {
    return {PatchFailure::Load, e.what()};
  }
  if (!ConvertExecutable(ctx, target)) return {PatchFailure::NoTable, {}};

  // The backup keeps the executable as it was before this program first changed it.
  const std::string backup = BackupPath(path);
  if (!FileExists(backup)) {
    try {
      CopyFileAtomically(path, backup);
    } catch (const std::exception& e) {
      return {PatchFailure::Backup, e.what()};
    }
  }
  try {
    SaveFileBytesOrThrow(ctx.values.FileBytes, copy->Path());
  } catch (const FileError& e) {
    return {PatchFailure::Save, e.what()};
  }

  // The converted copy takes the executable's place with the executable's permission
  // bits, read-only cleared: its owner may write it.
  std::error_code statusError;
  const fs::perms before = fs::status(ToPath(path), statusError).permissions();
  std::error_code ignored;
  if (!statusError) {
    fs::permissions(ToPath(copy->Path()), before | fs::perms::owner_write, fs::perm_options::replace, ignored);
  }
#ifdef _WIN32
  // Windows refuses to replace a read-only file: clear the attribute first, and set it
  // again when the replacement fails.
  const bool wasReadOnly = !statusError && (before & fs::perms::owner_write) == fs::perms::none;
  if (wasReadOnly) fs::permissions(ToPath(path), fs::perms::owner_write, fs::perm_options::add, ignored);
#endif
  try {
    copy->ReplaceOriginal();
  } catch (const FileError& e) {
#ifdef _WIN32
    if (wasReadOnly) fs::permissions(ToPath(path), before, fs::perm_options::replace, ignored);
#endif
    return {PatchFailure::Replace, e.what()};
  }
  return {};
}

std::string PatchFailureMessage(PatchFailure failure, std::string_view executableName) {
  const std::string name(executableName);
  const std::string unchanged = "  Your " + name + " was not changed.";
  switch (failure) {
    case PatchFailure::None: return {};
    case PatchFailure::WorkingCopy:
      return "Could not make a working copy of your " + name + " (is its folder write-protected or the disk full?)." +
             unchanged;
    case PatchFailure::Load: return "Could not read the working copy of your " + name + "." + unchanged;
    case PatchFailure::NoTable:
      return "Could not find a complete engine-sound table in your " + name + "." + unchanged;
    case PatchFailure::Backup:
      return "Could not make the backup copy " + name + ".rvlrn (is the folder write-protected or the disk full?)." +
             unchanged;
    case PatchFailure::Save:
      return "Could not write the patched copy of your " + name + " (is the disk full?)." + unchanged;
    case PatchFailure::Replace:
      return "Could not put the patched copy in place of your " + name +
             " (is the game running, or is its folder write-protected?)." + unchanged;
  }
  return {};
}

std::string Mod1966NoticeMessage(std::string_view executableName) {
  const std::string name(executableName);
  return "Your " + name + " is a 1966 Mod executable.  The separate F2 and F3 sound patch does not apply to it, so " +
         name + " was left as it is.";
}

void MnuPatchGPL_Click(Context& ctx) {
  Globals& v = ctx.values;
  v.FinderFromMenu = true;
  {
    FrmFileManager2 finder(ctx);
    FinderModel model;
    ctx.prompts.ShowFinder(finder, model);
  }
  if (v.ProgramEnded || !v.FinderConfirmed) return;

  const ExecutableKind kind = ToExecutableKind(v.CurrentExecutableKind);
  const std::string& name = v.ExecutableName;
  std::string question;
  switch (kind) {
    case ExecutableKind::Original1967:
    case ExecutableKind::CarSound1967:
    case ExecutableKind::Mod1965:
    case ExecutableKind::Mod1969:
      question = "Your " + name + " is NOT patched to support separate F2 and F3 sounds.  Do you want to install the patch?";
      break;
    case ExecutableKind::CarSound1967Separate:
    case ExecutableKind::Mod1965Separate:
    case ExecutableKind::Mod1969Separate:
      question = "Your " + name + " is patched for separate F2 and F3 sounds.  Do you want to remove the patch?";
      break;
    case ExecutableKind::Mod1966:
    case ExecutableKind::Mod1966Separate:
      ctx.prompts.MsgBox(Mod1966NoticeMessage(name), MsgButtons::Ok, MsgIcon::Information);
      return;
    case ExecutableKind::Unrecognised:
      return;
  }
  if (ctx.prompts.MsgBox(question, MsgButtons::YesNo, MsgIcon::Question) != MsgResult::Yes) return;
  const auto target = PatchTarget(kind);
  if (!target) return;  // the original executable: nothing to install

  const std::string path = JoinPath(v.ExecutableFolder, name);
  if (!FileExists(path)) {
    ctx.prompts.MsgBox("Couldn't find the GPL.exe file. Please reselect the GPL executable from the menu.",
                       MsgButtons::Ok, MsgIcon::None);
    return;
  }
  PatchFileResult result;
  {
    const BusyCursor busy(ctx.prompts);
    result = PatchExecutableFile(ctx, path, *target);
  }
  if (!result.Converted()) {
    ctx.prompts.MsgBox(PatchFailureMessage(result.failure, name), MsgButtons::Ok, MsgIcon::Exclamation);
    return;
  }
  v.CurrentExecutableKind = KindCode(*target);
  ctx.prompts.MsgBox("Your " + name + " was modified.", MsgButtons::Ok, MsgIcon::Information);
}

}  // namespace revalorn

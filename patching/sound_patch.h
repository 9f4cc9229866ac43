#pragma once
// The separate F2/F3 sound patch. In the single-sound layouts the F2 and F3 cars share
// "f2f3.wav"; the patch rewrites an executable so that they load "f2.wav" and
// "f3.wav", and rewrites a patched one back.
//
// Two structures in the executable's data change. The SlotTable (16 little-endian
// 32-bit entries, somewhere before the TableMarker) says which sound record each sound
// use takes. The SoundTable (244 bytes right after the marker) is the list of 9-byte
// SoundRecords (name address, flag, float value) followed by the sound-name strings.
// Both are replaced by the target kind's versions, with the name addresses moved to
// where the names now lie.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/context.h"
#include "files/file_helpers.h"
#include "patching/executable_kind.h"

namespace revalorn {

inline constexpr std::size_t kSlotTableEntryCount = 16;
inline constexpr std::size_t kSlotTableSize = 4 * kSlotTableEntryCount;
inline constexpr std::size_t kSoundTableSize = 244;
inline constexpr std::size_t kSoundRecordSize = 9;  // name address, flag, value; no padding

// The 64 bytes of a kind's SlotTable (kinds 0 to 8).
const std::array<std::uint8_t, kSlotTableSize>& SlotTable(ExecutableKind kind);
// The number of SoundRecords in a kind's table: 21 for kind 0, 23 for kinds 1 to 8.
int SoundRecordCount(ExecutableKind kind);
// True for the kinds the patch converts to and from: 1 to 6.
bool IsPatchTarget(ExecutableKind kind) noexcept;
// The 244-byte SoundTable of a target kind 1 to 6: 23 records whose name addresses are
// offsets from the start of the name strings (records 22 and 23: FF FF FF FF, taken
// from the executable when converting), a zero byte, and the 36 bytes of names.
const std::array<std::uint8_t, kSoundTableSize>& SoundTable(ExecutableKind kind);
// The kind the patch command turns an executable of this kind into: 1 <-> 2, 3 <-> 4,
// 5 <-> 6; nothing for the others.
std::optional<ExecutableKind> PatchTarget(ExecutableKind current) noexcept;

// Converts the image in FileBytes to the target kind's layout (using PatternBytes).
// Returns false, with FileBytes unchanged, when the target is not 1 to 6, when no
// SlotTable of another kind is found, when no TableMarker follows it, or when the
// 244-byte table after the marker would run past the end of the image.
bool ConvertFileBytes(Globals& values, ExecutableKind target);
// ConvertFileBytes under the busy pointer.
bool ConvertExecutable(Context& ctx, ExecutableKind target);

// Writes all of fileBytes into the file from its first byte, without truncating it
// (a missing file is created), and flushes it to the disk. False when any of it failed.
bool SaveFileBytes(const ByteBuffer& fileBytes, std::string_view path);

// The one-time backup made beside an executable before its first change.
std::string BackupPath(std::string_view executablePath);

// The step of the file work that failed.
enum class PatchFailure {
  None,
  WorkingCopy,  // the ".tmp" copy could not be made
  Load,         // the copy could not be read
  NoTable,      // no whole engine-sound table to convert
  Backup,       // the ".rvlrn" backup could not be made
  Save,         // the converted copy could not be written
  Replace,      // the converted copy could not take the executable's place
};

struct PatchFileResult {
  PatchFailure failure = PatchFailure::None;
  std::string detail;  // the platform's account of a file failure, for the command line
  bool Converted() const { return failure == PatchFailure::None; }
};

// The file work of the patch: converts the executable at path to target through its
// working copy path + ".tmp", which is deleted in every case. Only after a successful
// conversion is the backup path + ".rvlrn" made (never over an existing file), the
// converted copy written and flushed, made writable for its owner (the executable's
// other permission bits kept), and renamed over the executable. Any failure leaves the
// executable as it was. Does not write CurrentExecutableKind.
PatchFileResult PatchExecutableFile(Context& ctx, const std::string& path, ExecutableKind target);

// The message shown when the file work failed, naming the executable.
std::string PatchFailureMessage(PatchFailure failure, std::string_view executableName);
// The notice for the 1966 Mod layouts, which the patch leaves alone.
std::string Mod1966NoticeMessage(std::string_view executableName);

// The "Patch Executable" menu item: choose the executable in the executable finder,
// ask whether to install or remove the patch, and convert it.
void MnuPatchGPL_Click(Context& ctx);

}  // namespace revalorn

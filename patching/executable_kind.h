#pragma once
// Recognising a game executable by its engine-sound table. Every supported executable
// carries the 28-byte TableMarker right before its sound table, and the table ends in
// the sound names that tell the layouts apart: the last 36 bytes of the table are the
// kind's IdentityPattern. Classification never changes the executable; it reads a
// ".tmp" working copy that is always deleted afterwards.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "core/context.h"
#include "core/globals.h"

namespace revalorn {

// The layout of an executable's engine-sound table. Kinds come in pairs: the even
// member (2, 4, 6, 8) is the odd member (1, 3, 5, 7) with the shared F2/F3 sound split
// into separate F2 and F3 sounds.
enum class ExecutableKind : std::int16_t {
  Unrecognised = -1,
  Original1967 = 0,
  CarSound1967 = 1,
  CarSound1967Separate = 2,
  Mod1965 = 3,
  Mod1965Separate = 4,
  Mod1969 = 5,
  Mod1969Separate = 6,
  Mod1966 = 7,
  Mod1966Separate = 8,
};

inline constexpr int kKnownKindCount = 9;  // kinds 0 to 8

// The patch state derived from a kind; only the kind is ever stored.
enum class PatchState { Undetermined, Unpatched, SingleF2F3, SeparateF2F3 };

// The kind of a stored code; Unrecognised for anything outside -1..8.
ExecutableKind ToExecutableKind(int code) noexcept;
constexpr std::int16_t KindCode(ExecutableKind kind) noexcept { return static_cast<std::int16_t>(kind); }
// The kind's name, e.g. "CarSound1967Separate".
std::string_view ExecutableKindName(ExecutableKind kind) noexcept;
PatchState PatchStateOf(ExecutableKind kind) noexcept;

// "tracks", "players", "setups" with their zero padding: always right before the table.
inline constexpr std::size_t kTableMarkerSize = 28;
extern const std::array<std::uint8_t, kTableMarkerSize> TableMarker;

// The last 36 bytes of each kind's sound table (its sound-name strings), kinds 0 to 8.
inline constexpr std::size_t kIdentityPatternSize = 36;
const std::array<std::uint8_t, kIdentityPatternSize>& IdentityPattern(ExecutableKind kind);

// The first offset at or after start where the whole pattern lies inside bytes and
// matches it; nothing when there is none. Gives exactly what a byte-by-byte scan of the
// candidates in increasing order gives.
std::optional<std::size_t> FindPattern(std::span<const std::uint8_t> bytes, std::span<const std::uint8_t> pattern,
                                       std::size_t start);
// The same over the shared buffers: FileBytes searched for PatternBytes.
std::optional<std::size_t> FindPattern(const Globals& values, std::size_t start);

// Where a search that must lie beyond an earlier match starts: one byte after it, so a
// match may overlap the earlier one but never start at or before it; from the beginning
// when the earlier search found nothing.
constexpr std::size_t ChainedStart(std::optional<std::size_t> earlier) noexcept {
  return earlier ? *earlier + 1 : 0;
}

// Classifies the image in FileBytes: the marker is searched from the start, then the
// identity patterns of kinds 0 to 8 in this order after it; the first kind found wins.
// Uses PatternBytes for each search.
ExecutableKind ClassifyFileBytes(Globals& values);

// Classifies the executable at path under the busy pointer, through its working copy
// path + ".tmp" (replacing any file of that name; deleted before returning). A
// missing, empty or unreadable file is Unrecognised. Leaves FileBytes holding the
// copy's content when it was read.
ExecutableKind IdentifyExecutableAt(Context& ctx, std::string_view path);

// Classifies ExecutableFolder + ExecutableName. Does not write CurrentExecutableKind;
// the callers do.
ExecutableKind IdentifyExecutable(Context& ctx);
// True exactly when IdentifyExecutable finds one of the known kinds.
bool IsValidExecutable(Context& ctx);

}  // namespace revalorn

#include "patching/executable_kind.h"

#include <algorithm>
#include <functional>
#include <stdexcept>

#include "files/file_helpers.h"

namespace revalorn {

namespace {

using Pattern = std::array<std::uint8_t, kIdentityPatternSize>;

// The seven engine names of a family, each ended by one zero byte, then the F2/F3
// names: "f2f3" and four zero bytes in the single kinds, "f2", two zero bytes, "f3",
// two zero bytes in the separate kinds.
constexpr Pattern kIdentityPatterns[kKnownKindCount] = {
    // 0: weslake, ferrari, cosworth (+4 zero bytes), f2f3 (+4)
    {0x77, 0x65, 0x73, 0x6C, 0x61, 0x6B, 0x65, 0x00, 0x66, 0x65, 0x72, 0x72, 0x61, 0x72, 0x69, 0x00, 0x63, 0x6F,
     0x73, 0x77, 0x6F, 0x72, 0x74, 0x68, 0x00, 0x00, 0x00, 0x00, 0x66, 0x32, 0x66, 0x33, 0x00, 0x00, 0x00, 0x00},
    // 1: bra brm cov eag fer mur lot, f2f3
    {0x62, 0x72, 0x61, 0x00, 0x62, 0x72, 0x6D, 0x00, 0x63, 0x6F, 0x76, 0x00, 0x65, 0x61, 0x67, 0x00, 0x66, 0x65,
     0x72, 0x00, 0x6D, 0x75, 0x72, 0x00, 0x6C, 0x6F, 0x74, 0x00, 0x66, 0x32, 0x66, 0x33, 0x00, 0x00, 0x00, 0x00},
    // 2: bra brm cov eag fer mur lot, f2, f3
    {0x62, 0x72, 0x61, 0x00, 0x62, 0x72, 0x6D, 0x00, 0x63, 0x6F, 0x76, 0x00, 0x65, 0x61, 0x67, 0x00, 0x66, 0x65,
     0x72, 0x00, 0x6D, 0x75, 0x72, 0x00, 0x6C, 0x6F, 0x74, 0x00, 0x66, 0x32, 0x00, 0x00, 0x66, 0x33, 0x00, 0x00},
    // 3: bt1 b61 c77 bt7 f65 h65 l33, f2f3
    {0x62, 0x74, 0x31, 0x00, 0x62, 0x36, 0x31, 0x00, 0x63, 0x37, 0x37, 0x00, 0x62, 0x74, 0x37, 0x00, 0x66, 0x36,
     0x35, 0x00, 0x68, 0x36, 0x35, 0x00, 0x6C, 0x33, 0x33, 0x00, 0x66, 0x32, 0x66, 0x33, 0x00, 0x00, 0x00, 0x00},
    // 4: bt1 b61 c77 bt7 f65 h65 l33, f2, f3
    {0x62, 0x74, 0x31, 0x00, 0x62, 0x36, 0x31, 0x00, 0x63, 0x37, 0x37, 0x00, 0x62, 0x74, 0x37, 0x00, 0x66, 0x36,
     0x35, 0x00, 0x68, 0x36, 0x35, 0x00, 0x6C, 0x33, 0x33, 0x00, 0x66, 0x32, 0x00, 0x00, 0x66, 0x33, 0x00, 0x00},
    // 5: 690 691 692 693 694 696 695, f2f3
    {0x36, 0x39, 0x30, 0x00, 0x36, 0x39, 0x31, 0x00, 0x36, 0x39, 0x32, 0x00, 0x36, 0x39, 0x33, 0x00, 0x36, 0x39,
     0x34, 0x00, 0x36, 0x39, 0x36, 0x00, 0x36, 0x39, 0x35, 0x00, 0x66, 0x32, 0x66, 0x33, 0x00, 0x00, 0x00, 0x00},
    // 6: 690 691 692 693 694 696 695, f2, f3
    {0x36, 0x39, 0x30, 0x00, 0x36, 0x39, 0x31, 0x00, 0x36, 0x39, 0x32, 0x00, 0x36, 0x39, 0x33, 0x00, 0x36, 0x39,
     0x34, 0x00, 0x36, 0x39, 0x36, 0x00, 0x36, 0x39, 0x35, 0x00, 0x66, 0x32, 0x00, 0x00, 0x66, 0x33, 0x00, 0x00},
    // 7: 660 660 660 660 661 662 661, f2f3
    {0x36, 0x36, 0x30, 0x00, 0x36, 0x36, 0x30, 0x00, 0x36, 0x36, 0x30, 0x00, 0x36, 0x36, 0x30, 0x00, 0x36, 0x36,
     0x31, 0x00, 0x36, 0x36, 0x32, 0x00, 0x36, 0x36, 0x31, 0x00, 0x66, 0x32, 0x66, 0x33, 0x00, 0x00, 0x00, 0x00},
    // 8: 660 660 660 660 661 662 661, f2, f3
    {0x36, 0x36, 0x30, 0x00, 0x36, 0x36, 0x30, 0x00, 0x36, 0x36, 0x30, 0x00, 0x36, 0x36, 0x30, 0x00, 0x36, 0x36,
     0x31, 0x00, 0x36, 0x36, 0x32, 0x00, 0x36, 0x36, 0x31, 0x00, 0x66, 0x32, 0x00, 0x00, 0x66, 0x33, 0x00, 0x00},
};

constexpr std::string_view kKindNames[kKnownKindCount + 1] = {
    "Unrecognised", "Original1967", "CarSound1967", "CarSound1967Separate", "Mod1965",
    "Mod1965Separate", "Mod1969", "Mod1969Separate", "Mod1966", "Mod1966Separate",
};

void SetPattern(Globals& values, std::span<const std::uint8_t> pattern) {
  values.PatternBytes.assign(pattern.begin(), pattern.end());
}

}  // namespace

const std::array<std::uint8_t, kTableMarkerSize> TableMarker = {
    0x74, 0x72, 0x61, 0x63, 0x6B, 0x73, 0x00, 0x00,        // "tracks"
    0x70, 0x6C, 0x61, 0x79, 0x65, 0x72, 0x73, 0x00,        // "players"
    0x73, 0x65, 0x74, 0x75, 0x70, 0x73, 0x00, 0x00,        // "setups"
    0x00, 0x00, 0x00, 0x00};

ExecutableKind ToExecutableKind(int code) noexcept {
  if (code < -1 || code >= kKnownKindCount) return ExecutableKind::Unrecognised;
  return static_cast<ExecutableKind>(code);
}

std::string_view ExecutableKindName(ExecutableKind kind) noexcept {
  return kKindNames[KindCode(ToExecutableKind(KindCode(kind))) + 1];
}

PatchState PatchStateOf(ExecutableKind kind) noexcept {
  const int code = KindCode(ToExecutableKind(KindCode(kind)));
  if (code < 0) return PatchState::Undetermined;
  if (code == 0) return PatchState::Unpatched;
  return code % 2 == 1 ? PatchState::SingleF2F3 : PatchState::SeparateF2F3;
}

const std::array<std::uint8_t, kIdentityPatternSize>& IdentityPattern(ExecutableKind kind) {
  const int code = KindCode(kind);
  if (code < 0 || code >= kKnownKindCount) throw std::out_of_range("no identity pattern for this kind");
  return kIdentityPatterns[code];
}

// A Boyer-Moore search instead of a byte-by-byte loop: the result is the same (the
// first full match at or after start), but a mismatch usually skips most of a pattern
// length. Every pattern here ends in zero bytes, which an executable's padding is full
// of; the simpler Horspool variant then advances one byte at a time through the
// padding, while the good-suffix rule of the full search jumps over it.
std::optional<std::size_t> FindPattern(std::span<const std::uint8_t> bytes, std::span<const std::uint8_t> pattern,
                                       std::size_t start) {
  const std::size_t n = pattern.size();
  if (n > bytes.size() || start > bytes.size() - n) return std::nullopt;
  if (n == 0) return start;
  const auto first = bytes.begin() + static_cast<std::ptrdiff_t>(start);
  const auto found =
      std::search(first, bytes.end(), std::boyer_moore_searcher(pattern.begin(), pattern.end()));
  if (found == bytes.end()) return std::nullopt;
  return static_cast<std::size_t>(found - bytes.begin());
}

std::optional<std::size_t> FindPattern(const Globals& values, std::size_t start) {
  return FindPattern(values.FileBytes, values.PatternBytes, start);
}

ExecutableKind ClassifyFileBytes(Globals& values) {
  SetPattern(values, TableMarker);
  const std::size_t afterMarker = ChainedStart(FindPattern(values, 0));
  for (int code = 0; code < kKnownKindCount; ++code) {
    const auto kind = static_cast<ExecutableKind>(code);
    SetPattern(values, IdentityPattern(kind));
    if (FindPattern(values, afterMarker)) return kind;
  }
  return ExecutableKind::Unrecognised;
}

ExecutableKind IdentifyExecutableAt(Context& ctx, std::string_view path) {
  const BusyCursor busy(ctx.prompts);
  Globals& values = ctx.values;
  if (!FileExists(path)) return ExecutableKind::Unrecognised;
  try {
    const WorkingCopy copy{std::string(path)};
    if (LoadFileBytes(values.FileBytes, copy.Path()) == 0) {
      // An empty file holds no table; the buffer must not keep an older file's bytes.
      values.FileBytes.clear();
      return ExecutableKind::Unrecognised;
    }
    return ClassifyFileBytes(values);
  } catch (const std::exception&) {
    // A file that vanished or cannot be read (or held) is no game executable; the
    // callers say so.
    return ExecutableKind::Unrecognised;
  }
}

ExecutableKind IdentifyExecutable(Context& ctx) {
  return IdentifyExecutableAt(ctx, JoinPath(ctx.values.ExecutableFolder, ctx.values.ExecutableName));
}

bool IsValidExecutable(Context& ctx) { return IdentifyExecutable(ctx) != ExecutableKind::Unrecognised; }

}  // namespace revalorn

#pragma once
// The engine-sound catalogue: for every game version, which engine sound files it uses,
// the car each belongs to, how fast each is played at full engine speed, and where the
// car and background pictures are found.
//
// Built once at start-up and fixed afterwards, except slot 23 (the player's replacement
// sound) and the SampleRate column, which follow the working copies.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace revalorn {

// Game version codes. The codes index every per-version column.
inline constexpr std::int16_t kVersionOriginal1967 = 0;   // "1967 Original Unpatched"
inline constexpr std::int16_t kVersionCarSound1967 = 1;   // "1967 CarSound Patched"
inline constexpr std::int16_t kVersionMod1965 = 2;        // "1965 Mod"
inline constexpr std::int16_t kVersionMod1969 = 3;        // "1969 Mod"
inline constexpr std::int16_t kVersionMod1966 = 4;        // "1966 Mod"
inline constexpr std::int16_t kVersionGT = 5;             // "GT Mod"
inline constexpr int kVersionCount = 6;

// Engine slots: 0 .. CarCount-1 are the F1 cars; then the trainers and the replacement.
inline constexpr std::int16_t kSlotF2 = 20;           // "f2.wav"
inline constexpr std::int16_t kSlotF3 = 21;           // "f3.wav"
inline constexpr std::int16_t kSlotF2F3 = 22;         // "f2f3.wav"
inline constexpr std::int16_t kSlotReplacement = 23;  // the sound the player loaded
inline constexpr int kSlotCount = 24;
// Slots that carry a changed flag: 0 to 22.
inline constexpr int kChangedFlagCount = 23;

enum class Formula { F1, F2, F3, F2F3 };

// The racing class of a game slot: F1 for car slots, F2 for 20, F3 for 21, F2F3 for 22.
Formula FormulaOfSlot(std::int16_t slot);

class Catalogue {
 public:
  // The text columns are held for versions 0 to 10 (6 to 10 never filled), the numeric
  // columns for versions 0 to 5; slots run 0 to 23. Any index outside these bounds
  // throws std::out_of_range.
  static constexpr int kTextVersions = 11;

  std::string& SoundFileName(int version, int slot);
  const std::string& SoundFileName(int version, int slot) const;
  std::string& CarLabel(int version, int slot);
  const std::string& CarLabel(int version, int slot) const;
  std::string& TeamFolder(int version, int slot);
  const std::string& TeamFolder(int version, int slot) const;
  std::int32_t& MaxFreq(int version, int slot);
  std::int32_t MaxFreq(int version, int slot) const;
  std::int32_t& SampleRate(int version, int slot);
  std::int32_t SampleRate(int version, int slot) const;

  std::int16_t CarCount(int version) const;
  const std::string& CarSetFolder(int version) const;
  const std::string& BackgroundPicture(int version) const;
  // The version's name as the version list shows it, e.g. "1967 Original Unpatched".
  const std::string& VersionName(int version) const;

 private:
  friend void BuildCatalogue(Catalogue& catalogue);

  // No "{}" initialisers on the arrays of strings: clang 14 (the fuzzing compiler)
  // crashes on them, and strings start empty anyway.
  std::array<std::array<std::string, kSlotCount>, kTextVersions> soundFileName_;
  std::array<std::array<std::string, kSlotCount>, kTextVersions> carLabel_;
  std::array<std::array<std::string, kSlotCount>, kTextVersions> teamFolder_;
  std::array<std::array<std::int32_t, kSlotCount>, kVersionCount> maxFreq_{};
  std::array<std::array<std::int32_t, kSlotCount>, kVersionCount> sampleRate_{};
  std::array<std::int16_t, kVersionCount> carCount_{};
  std::array<std::string, kVersionCount> carSetFolder_;
  std::array<std::string, kVersionCount> backgroundPicture_;
  std::array<std::string, kVersionCount> versionName_;
};

// Fills every fixed column for versions 0 to 5 and slot 23's initial MaxFreq.
void BuildCatalogue(Catalogue& catalogue);

// The version list ("Combo2") shows the versions in this order; position -> code.
struct VersionChoice {
  std::int16_t version;
  std::int16_t carCount;
};
// Throws std::out_of_range for a position outside 0..5.
VersionChoice VersionOfListPosition(int listPosition);
// The version list's texts in list order.
const std::array<std::string_view, kVersionCount>& VersionListTexts();
// The list position that shows a version code. Throws std::out_of_range.
int ListPositionOfVersion(int version);

// The slot of an entry of the engine sound list ("Combo1"), which holds the version's
// car entries followed by the three trainer entries: the last three map to 20, 21, 22,
// any other index is the slot itself.
std::int16_t SlotOfListIndex(int listIndex, int listCount);

// The version's slots, the set every whole-set operation walks: the car slots
// 0 .. CarCount-1 in ascending order, then 20, 21 and 22.
std::vector<std::int16_t> VersionSlots(const Catalogue& catalogue, int version);

}  // namespace revalorn

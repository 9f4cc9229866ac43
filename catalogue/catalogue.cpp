#include "catalogue/catalogue.h"

#include <stdexcept>

namespace revalorn {

namespace {

struct CarRow {
  const char* file;
  const char* label;
  std::int32_t maxFreq;  // an engine speed in rpm (a multiple of 50) times 4.24
  const char* teamFolder;
};

struct TrainerRow {
  std::int32_t f2;
  std::int32_t f3;
  std::int32_t f2f3;
};

struct VersionTable {
  const char* name;
  const char* carSetFolder;
  const char* backgroundPicture;
  std::vector<CarRow> cars;
  TrainerRow trainers;
  std::int32_t replacementMaxFreq;  // slot 23's initial value
};

// Versions 0 and 1 share every car label and MaxFreq; only their file names differ.
const std::vector<VersionTable>& Tables() {
  static const std::vector<VersionTable> tables = {
      {"1967 Original Unpatched", "cars67", "StartupScreenPapy.jpg",
       {
           {"repco.wav", "Brabham BT24--Repco V8", 36888, "\\brabham\\"},
           {"brmh16.wav", "BRM P115--BRM H16", 47488, "\\brm\\"},
           {"weslake.wav", "Cooper T81-Maserati V12", 42400, "\\coventry\\"},
           {"cosworth.wav", "Eagle AAR103-Weslake V12", 44096, "\\eagle\\"},
           {"ferrari.wav", "Ferrari 312-Ferrari V12", 46216, "\\ferrari\\"},
           {"cosworth.wav", "Lotus 49--Ford V8 DFV", 39856, "\\lotus\\"},
           {"repco.wav", "Honda RA300-Honda V12", 48760, "\\murasama\\"},
       },
       {34768, 26288, 34768},
       45250},
      {"1967 CarSound Patched", "cars67", "StartupScreen67.jpg",
       {
           {"bra.wav", "Brabham BT24--Repco V8", 36888, "\\brabham\\"},
           {"brm.wav", "BRM P115--BRM H16", 47488, "\\brm\\"},
           {"cov.wav", "Cooper T81-Maserati V12", 42400, "\\coventry\\"},
           {"eag.wav", "Eagle AAR103-Weslake V12", 44096, "\\eagle\\"},
           {"fer.wav", "Ferrari 312-Ferrari V12", 46216, "\\ferrari\\"},
           {"lot.wav", "Lotus 49--Ford V8 DFV", 39856, "\\lotus\\"},
           {"mur.wav", "Honda RA300-Honda V12", 48760, "\\murasama\\"},
       },
       {34768, 26288, 34768},
       45250},
      {"1965 Mod", "full65", "StartupScreen65.jpg",
       {
           {"bt1.wav", "Brabham BT11-Climax V8", 47488, "\\brabham\\"},
           {"b61.wav", "BRM P261-BRM V8", 52576, "\\brm\\"},
           {"c77.wav", "Cooper T77-Climax V8", 44096, "\\coventry\\"},
           {"bt7.wav", "Brabham BT7-Climax V8", 44096, "\\eagle\\"},
           {"f65.wav", "Ferrari 1512-Ferrari V12", 53848, "\\ferrari\\"},
           {"l33.wav", "Lotus 33-Climax V8", 47488, "\\lotus\\"},
           {"h65.wav", "Honda RA272-Honda V12", 57240, "\\murasama\\"},
       },
       {50880, 38160, 50880},
       50500},
      {"1969 Mod", "69Hwng", "StartupScreen69.jpg",
       {
           {"690.wav", "Brabham BT26A-Ford V8 DFV", 43672, "\\brabham\\"},
           {"691.wav", "BRM P139-BRM V12", 46640, "\\brm\\"},
           {"692.wav", "Lotus 63-Ford V8 DFV", 43672, "\\coventry\\"},
           {"693.wav", "McLaren M7-Ford V8 DFV", 43672, "\\eagle\\"},
           {"694.wav", "Ferrari 312--Ferrari V12", 48760, "\\ferrari\\"},
           {"695.wav", "Lotus 49B-Ford V8 DFV", 43672, "\\lotus\\"},
           {"696.wav", "Matra MS80-Ford V8 DFV", 43672, "\\murasama\\"},
       },
       {43672, 37312, 43672},
       44914},
      {"1966 Mod", "cars66", "StartupScreen66.jpg",
       {
           {"66repV8.wav", "Brabham BT19-Repco V8 3.0L", 36888, "\\brabham\\"},
           {"66climS4.wav", "Brabham BT11-Climax S4 2.5L", 32648, "\\c09\\"},
           {"66climS4.wav", "Brabham BT11-Climax S4 2.7L", 30528, "\\c14\\"},
           {"66brmV8.wav", "Brabham BT11-BRM V8 2.0L", 50032, "\\c15\\"},
           {"66brmH16.wav", "BRM P83-BRM H16 3.0L", 47488, "\\brm\\"},
           {"66brmV8.wav", "BRM P261-BRM V8 2.0L", 48760, "\\c07\\"},
           {"66masaV12.wav", "Cooper T81-Maserati V12 3.0L", 43248, "\\coventry\\"},
           {"66wesV12.wav", "Eagle AAR102-Weslake V12 3.0L", 43248, "\\c10\\"},
           {"66climS4.wav", "Eagle AAR101-Climax S4 2.7L", 30528, "\\eagle\\"},
           {"66ferV12.wav", "Ferrari 312-Ferrari V12 3.0L", 45792, "\\ferrari\\"},
           {"66ferV6.wav", "Ferrari 246-Ferrari V6 2.4L", 39008, "\\c11\\"},
           {"66honV12.wav", "Honda RA273-Honda V12 3.0L", 48336, "\\murasama\\"},
           {"66brmH16.wav", "Lotus 43-BRM H16 3.0L", 47488, "\\lotus\\"},
           {"66climV8.wav", "Lotus 33-Climax V8 2.0L", 41128, "\\c08\\"},
           {"66brmV8.wav", "Lotus 33-BRM V8 2.0L", 47912, "\\c13\\"},
           {"66fordV8.wav", "McLaren M2B-Ford V8 3.0L", 43248, "\\c12\\"},
       },
       {41552, 41552, 41552},
       43884},
      {"GT Mod", "carsGT", "StartupScreenGT.jpg",
       {
           {"GTFord70.wav", "Ford MkIIB-Ford V8 7.0L", 27772, "\\brabham\\"},
           {"GTChev70.wav", "Chaparral 2D-Chev V8 7.0L", 28620, "\\brm\\"},
           {"GTFord59.wav", "Lola T70-Chev V8 5.9L", 29044, "\\coventry\\"},
           {"GTChev70.wav", "Chaparral 2F-Chev V8 7.0L", 28620, "\\eagle\\"},
           {"GTFerr40.wav", "Ferrari 330-Ferrari V12 4.0L", 36040, "\\ferrari\\"},
           {"GTFord70.wav", "Ford MkIV-Ford V8 7.0L", 27772, "\\lotus\\"},
           {"GTFord57.wav", "Mirage M1-Ford V8 5.7L", 27984, "\\murasama\\"},
           {"GTFord47.wav", "Ford MKI-Ford V8 4.7L", 29892, "\\07ForMk1\\"},
           {"GTPors22.wav", "Porsche 910-Porsche F8 2.2L", 39432, "\\08Por910\\"},
       },
       {41552, 41552, 41552},
       29000},
  };
  return tables;
}

void CheckBounds(int version, int versions, int slot) {
  if (version < 0 || version >= versions || slot < 0 || slot >= kSlotCount) {
    throw std::out_of_range("catalogue index (" + std::to_string(version) + ", " + std::to_string(slot) +
                            ") is out of bounds");
  }
}

void CheckVersion(int version) {
  if (version < 0 || version >= kVersionCount) {
    throw std::out_of_range("game version " + std::to_string(version) + " is out of bounds");
  }
}

constexpr std::array<std::int16_t, kVersionCount> kVersionOfListPosition = {
    kVersionMod1965, kVersionMod1966, kVersionOriginal1967, kVersionCarSound1967, kVersionMod1969, kVersionGT};

}  // namespace

Formula FormulaOfSlot(std::int16_t slot) {
  switch (slot) {
    case kSlotF2: return Formula::F2;
    case kSlotF3: return Formula::F3;
    case kSlotF2F3: return Formula::F2F3;
    default: return Formula::F1;
  }
}

std::string& Catalogue::SoundFileName(int version, int slot) {
  CheckBounds(version, kTextVersions, slot);
  return soundFileName_[static_cast<std::size_t>(version)][static_cast<std::size_t>(slot)];
}
const std::string& Catalogue::SoundFileName(int version, int slot) const {
  CheckBounds(version, kTextVersions, slot);
  return soundFileName_[static_cast<std::size_t>(version)][static_cast<std::size_t>(slot)];
}
std::string& Catalogue::CarLabel(int version, int slot) {
  CheckBounds(version, kTextVersions, slot);
  return carLabel_[static_cast<std::size_t>(version)][static_cast<std::size_t>(slot)];
}
const std::string& Catalogue::CarLabel(int version, int slot) const {
  CheckBounds(version, kTextVersions, slot);
  return carLabel_[static_cast<std::size_t>(version)][static_cast<std::size_t>(slot)];
}
std::string& Catalogue::TeamFolder(int version, int slot) {
  CheckBounds(version, kTextVersions, slot);
  return teamFolder_[static_cast<std::size_t>(version)][static_cast<std::size_t>(slot)];
}
const std::string& Catalogue::TeamFolder(int version, int slot) const {
  CheckBounds(version, kTextVersions, slot);
  return teamFolder_[static_cast<std::size_t>(version)][static_cast<std::size_t>(slot)];
}
std::int32_t& Catalogue::MaxFreq(int version, int slot) {
  CheckBounds(version, kVersionCount, slot);
  return maxFreq_[static_cast<std::size_t>(version)][static_cast<std::size_t>(slot)];
}
std::int32_t Catalogue::MaxFreq(int version, int slot) const {
  CheckBounds(version, kVersionCount, slot);
  return maxFreq_[static_cast<std::size_t>(version)][static_cast<std::size_t>(slot)];
}
std::int32_t& Catalogue::SampleRate(int version, int slot) {
  CheckBounds(version, kVersionCount, slot);
  return sampleRate_[static_cast<std::size_t>(version)][static_cast<std::size_t>(slot)];
}
std::int32_t Catalogue::SampleRate(int version, int slot) const {
  CheckBounds(version, kVersionCount, slot);
  return sampleRate_[static_cast<std::size_t>(version)][static_cast<std::size_t>(slot)];
}
std::int16_t Catalogue::CarCount(int version) const {
  CheckVersion(version);
  return carCount_[static_cast<std::size_t>(version)];
}
const std::string& Catalogue::CarSetFolder(int version) const {
  CheckVersion(version);
  return carSetFolder_[static_cast<std::size_t>(version)];
}
const std::string& Catalogue::BackgroundPicture(int version) const {
  CheckVersion(version);
  return backgroundPicture_[static_cast<std::size_t>(version)];
}
const std::string& Catalogue::VersionName(int version) const {
  CheckVersion(version);
  return versionName_[static_cast<std::size_t>(version)];
}

void BuildCatalogue(Catalogue& catalogue) {
  const auto& tables = Tables();
  for (int v = 0; v < kVersionCount; ++v) {
    const VersionTable& t = tables[static_cast<std::size_t>(v)];
    const auto vi = static_cast<std::size_t>(v);
    catalogue.versionName_[vi] = t.name;
    catalogue.carSetFolder_[vi] = t.carSetFolder;
    catalogue.backgroundPicture_[vi] = t.backgroundPicture;
    catalogue.carCount_[vi] = static_cast<std::int16_t>(t.cars.size());
    for (std::size_t s = 0; s < t.cars.size(); ++s) {
      const int slot = static_cast<int>(s);
      catalogue.SoundFileName(v, slot) = t.cars[s].file;
      catalogue.CarLabel(v, slot) = t.cars[s].label;
      catalogue.TeamFolder(v, slot) = t.cars[s].teamFolder;
      catalogue.MaxFreq(v, slot) = t.cars[s].maxFreq;
    }
    catalogue.SoundFileName(v, kSlotF2) = "f2.wav";
    catalogue.SoundFileName(v, kSlotF3) = "f3.wav";
    catalogue.SoundFileName(v, kSlotF2F3) = "f2f3.wav";
    catalogue.CarLabel(v, kSlotF2) = "F2 (Advanced Trainer)";
    catalogue.CarLabel(v, kSlotF3) = "F3 (Novice Trainer)";
    catalogue.CarLabel(v, kSlotF2F3) = "F2F3 (Both Trainers)";
    catalogue.MaxFreq(v, kSlotF2) = t.trainers.f2;
    catalogue.MaxFreq(v, kSlotF3) = t.trainers.f3;
    catalogue.MaxFreq(v, kSlotF2F3) = t.trainers.f2f3;
    catalogue.MaxFreq(v, kSlotReplacement) = t.replacementMaxFreq;
  }
}

VersionChoice VersionOfListPosition(int listPosition) {
  if (listPosition < 0 || listPosition >= kVersionCount) {
    throw std::out_of_range("version list position " + std::to_string(listPosition) + " is out of bounds");
  }
  const std::int16_t version = kVersionOfListPosition[static_cast<std::size_t>(listPosition)];
  const auto count = static_cast<std::int16_t>(Tables()[static_cast<std::size_t>(version)].cars.size());
  return {version, count};
}

const std::array<std::string_view, kVersionCount>& VersionListTexts() {
  static const std::array<std::string_view, kVersionCount> texts = {
      "1965 Mod", "1966 Mod", "1967 Original Unpatched", "1967 CarSound Patched", "1969 Mod", "GT Mod"};
  return texts;
}

int ListPositionOfVersion(int version) {
  CheckVersion(version);
  for (int p = 0; p < kVersionCount; ++p) {
    if (kVersionOfListPosition[static_cast<std::size_t>(p)] == version) return p;
  }
  throw std::out_of_range("game version has no list position");
}

std::int16_t SlotOfListIndex(int listIndex, int listCount) {
  if (listIndex == listCount - 3) return kSlotF2;
  if (listIndex == listCount - 2) return kSlotF3;
  if (listIndex == listCount - 1) return kSlotF2F3;
  return static_cast<std::int16_t>(listIndex);
}

std::vector<std::int16_t> VersionSlots(const Catalogue& catalogue, int version) {
  std::vector<std::int16_t> slots;
  const std::int16_t count = catalogue.CarCount(version);
  for (std::int16_t s = 0; s < count; ++s) slots.push_back(s);
  slots.push_back(kSlotF2);
  slots.push_back(kSlotF3);
  slots.push_back(kSlotF2F3);
  return slots;
}

}  // namespace revalorn

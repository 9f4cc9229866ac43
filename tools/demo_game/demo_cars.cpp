#include "tools/demo_game/demo_cars.h"

namespace revalorn::demo {

const std::vector<DemoCar>& DemoCars() {
  static const std::vector<DemoCar> cars = {
      // The 1967 cars, shared by the original and the CarSound-patched game.
      {"cars67", "brabham", 0x1E5A3C, 0xE8C23A, true, false, 1, false, false},
      {"cars67", "brm", 0x2C3A30, 0xE07020, true, false, 9, false, false},
      {"cars67", "ferrari", 0xB81C1C, 0xF0F0F0, false, false, 4, false, false},
      {"cars67", "lotus", 0x14522E, 0xEEC82A, false, true, 5, false, false},
      // The 1969 mod: high wings.
      {"69Hwng", "brabham", 0x1C4E8A, 0xF2F2F2, true, false, 6, false, true},
      {"69Hwng", "ferrari", 0xB41818, 0xF4F4F4, false, false, 11, false, true},
      {"69Hwng", "murasama", 0x1A3C9C, 0xE02828, false, true, 7, false, true},
      // The 1966 mod.
      {"cars66", "eagle", 0x2A4CA0, 0xF0F0F0, true, false, 15, false, false},
      {"cars66", "c12", 0xF0F0EC, 0x1A7A3A, false, true, 14, false, false},
      // The GT mod: closed cars.
      {"carsGT", "ferrari", 0xB01E1E, 0xF2F2F2, false, true, 23, true, false},
      {"carsGT", "lotus", 0x1E3E9A, 0xF2F2F2, false, true, 2, true, false},
  };
  return cars;
}

std::string PictureFileName(const DemoCar& car) { return car.carSet + "_" + car.team + ".jpg"; }

}  // namespace revalorn::demo

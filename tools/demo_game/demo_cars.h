#pragma once
// The cars of the demo game folder that have a picture: where the game keeps it
// (cars/<set>/<team>/GEMPic.jpg) and how the car is painted. The other cars have none,
// as in a real installation where only some cars came with a launcher picture.

#include <cstdint>
#include <string>
#include <vector>

namespace revalorn::demo {

struct DemoCar {
  std::string carSet;     // the car set folder under cars/, e.g. "cars67"
  std::string team;       // the team folder, e.g. "brabham"
  std::uint32_t body;     // 0xRRGGBB
  std::uint32_t accent;   // nose band or stripes
  bool noseBand = false;
  bool stripes = false;
  int number = 0;
  bool coupe = false;     // a closed sports car (GT Mod)
  bool highWings = false; // the strut-mounted wings of 1969
};

const std::vector<DemoCar>& DemoCars();

// The picture's file name among the committed pictures: "<set>_<team>.jpg".
std::string PictureFileName(const DemoCar& car);

}  // namespace revalorn::demo

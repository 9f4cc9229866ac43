#pragma once
// The committed car pictures (tools/demo_game/pictures/*.jpg), compiled into the demo
// tool by the build so that it needs no files beside it.

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace revalorn::demo {

struct EmbeddedPicture {
  std::string_view name;  // file name, e.g. "cars67_brabham.jpg"
  std::span<const std::uint8_t> bytes;
};

const std::vector<EmbeddedPicture>& EmbeddedPictures();

}  // namespace revalorn::demo

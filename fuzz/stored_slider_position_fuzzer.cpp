// Slider positions are read back from a settings file the player may edit: whatever
// text it holds, the position is one the slider can take.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "app/startup.h"
#include "playback/playback_controls.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const int volume = revalorn::StoredSliderPosition(text, revalorn::kVolumeMin, revalorn::kVolumeMax, -1234);
  if (volume < revalorn::kVolumeMin || volume > revalorn::kVolumeMax) std::abort();
  const int speed = revalorn::StoredSliderPosition(text, revalorn::kSpeedMin, revalorn::kSpeedMax, 50);
  if (speed < revalorn::kSpeedMin || speed > revalorn::kSpeedMax) std::abort();
  return 0;
}

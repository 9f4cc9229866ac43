// The stored calibration comes from the settings file, which a player may edit: any
// four texts for "Device", "ThrottleAxis", "JoyStickMin" and "JoyStickMax" are read
// without harm, and they are taken only when they look usable.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/context.h"
#include "core/headless_context.h"
#include "playback/pedal_input.h"

using namespace revalorn;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view rest(reinterpret_cast<const char*>(data), size);
  std::string texts[4];
  for (std::string& text : texts) {
    const std::size_t end = rest.find('\n');
    text = std::string(rest.substr(0, end));
    rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
  }
  HeadlessContext headless;  // every box answered with OK and kept
  Context& ctx = headless.ctx;
  MemorySettingsBackend& settings = headless.settings;
  const char* names[4] = {"Device", "ThrottleAxis", "JoyStickMin", "JoyStickMax"};
  for (int i = 0; i < 4; ++i) settings.values[names[i]] = texts[i];
  ctx.values.PedalsAvailable = true;

  CalibratePedals(ctx, false);
  // Taken as it is only with both numbers stored and two different readings. Otherwise
  // the player is asked; with no controller attached nothing moves, so two different
  // readings from the store are written back, and equal ones make the calibration fail.
  const Globals& g = ctx.values;
  const bool taken = headless.prompts.messages.empty();
  if (taken && (texts[0].empty() || texts[1].empty() || g.JoyStickMin == g.JoyStickMax)) std::abort();
  if (!taken && g.PedalsAvailable != (g.JoyStickMin != g.JoyStickMax)) std::abort();
  if (!taken && g.PedalsAvailable && settings.values["JoyStickMin"] != std::to_string(g.JoyStickMin)) std::abort();
  return 0;
}

// A sound's sample rate comes from its file header and the rev limit from the formula
// choice: whatever they are, an Auto Play cycle ends, and any failure is the play's own
// message, never an error escaping the step machine.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "core/headless_context.h"
#include "playback/auto_play.h"
#include "playback/playback_controls.h"
#include "playback/tachometer.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace revalorn;
  std::int32_t rate = 0, maxFreq = 0;
  if (size < sizeof rate + sizeof maxFreq + 1) return 0;
  std::memcpy(&rate, data, sizeof rate);
  std::memcpy(&maxFreq, data + sizeof rate, sizeof maxFreq);
  const int speed = kSpeedMin + data[sizeof rate + sizeof maxFreq] % kSpeedMax;

  HeadlessContext h;
  Context& ctx = h.ctx;
  BuildCatalogue(ctx.catalogue);
  InitTachometers(ctx);
  for (std::int16_t s : VersionSlots(ctx.catalogue, 0)) ctx.controls.AddItem(Ctl::Combo1, ctx.catalogue.CarLabel(0, s));
  ctx.controls.SetListIndex(Ctl::Combo1, 0);
  ctx.catalogue.SampleRate(0, 0) = rate;
  ctx.catalogue.MaxFreq(0, 0) = maxFreq;
  ctx.controls.SetValue(Ctl::HScroll2, speed);
  HScroll2_Change(ctx);

  Steps play = CmdAutoPlay_Click(ctx, 0);
  h.clock.RunUntilIdle(100000);
  if (!play.Finished() || play.Error()) std::abort();
  if (h.prompts.messages.size() > 1) std::abort();
  return 0;
}

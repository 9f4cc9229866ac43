#include "playback/playback_controls.h"

#include <stdexcept>

#include "catalogue/catalogue.h"

namespace revalorn {

void HScroll1_Change(Context& ctx) {
  try {
    DSoundSetVolume(ctx, ctx.controls.Value(Ctl::HScroll1));
  } catch (const SoundOutputError&) {
    // The volume stays as it was; the next play sets it again.
  }
}

void HScroll2_Change(Context& ctx) { ctx.values.TimingDelay = (99 - ctx.controls.Value(Ctl::HScroll2)) / 1000.0; }

void optFormula_Click(Context& ctx, int Index) {
  static constexpr std::int16_t kReferenceSlot[] = {5, kSlotF2, kSlotF3};
  if (Index < 0 || Index > 2) throw std::out_of_range("optFormula index");
  const int v = ctx.values.GameVersion;
  ctx.catalogue.MaxFreq(v, kSlotReplacement) = ctx.catalogue.MaxFreq(v, kReferenceSlot[Index]);
}

}  // namespace revalorn

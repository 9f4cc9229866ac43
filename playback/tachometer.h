#pragma once
// The tachometer: two dial designs (12000 rpm, and the 1965 Mod's 14000 rpm), the
// needle positions precomputed for every 200 units of the 22050 scale, and the two
// drawing steps of a play. The window draws what the control model says: the face of
// a version and a needle step of NeedleTable.
//
// On the 22050 scale 22050 stands for 5200 rpm, so rpm = u × 5200 / 22050.

#include <cstdint>

#include "core/context.h"

namespace revalorn {

// The face record of the 12000 rpm design (every version but the 1965 Mod) and of the
// 14000 rpm design.
TachFace TwelveThousandRpmFace();
TachFace FourteenThousandRpmFace();

// Fills the six face records (version 2 gets the 14000 rpm design) and NeedleTable.
void InitTachometers(Context& ctx);

// Shows the tachometer face of CurrentGameVersion, without a needle.
void DrawTachFace(Context& ctx);

// The needle step of a playback frequency f played from a slot: 22050 / SampleRate ×
// f / 200, rounded to nearest, halves to even. Throws when the slot's SampleRate is 0 or
// the step lies outside 0..300 (the calling play reports it).
int NeedleStepOf(const Context& ctx, std::int32_t f, std::int16_t slot);

// Moves the needle to frequency f of the slot (see NeedleStepOf; throws like it).
void DrawTachNeedle(Context& ctx, std::int32_t f, std::int16_t slot);

}  // namespace revalorn

#pragma once
// What the two play modes (Auto Play and Pedal Play) share: which slot and file a play
// uses, how a value on the 22050 scale becomes a playback frequency for the file, the
// states of the play controls, and the stop branch of the "Stop Play" button.

#include <cstdint>
#include <string>

#include "core/context.h"

namespace revalorn {

// Values on the 22050 scale, on which 22050 is a recording's own pitch.
inline constexpr double kIdleU = 3000.0;
inline constexpr double kAutoPlayStepU = 1000.0;
inline constexpr double kScaleRate = 22050.0;

// The slot whose values a play uses. Engine row (Index 0): the selected entry of the
// engine sound list. Replacement row (Index 1): 23 for F1, else 20 for F2, else 21 (F3).
std::int16_t ChoosePlaySlot(const Context& ctx, int Index);

// The file a play loads. Engine row: the slot's working copy. Replacement row: the
// replacement file in LastUsedSourceDirectory, whatever the slot.
std::string ChoosePlayFile(const Context& ctx, int Index, std::int16_t slot);

// SampleRate × u / 22050, rounded to nearest, halves to even; the product is formed in
// double precision, so it cannot overflow. Throws std::overflow_error when the result
// does not fit 32 bits.
std::int32_t PlayFrequency(std::int32_t sampleRate, double u);

// The play controls while a play runs: every play, replace, revert and load button,
// the four menus and both lists disabled; the played row's Auto Play button enabled
// and reading "Stop Play". The formula options and the sliders stay usable.
void SetPlayingState(Context& ctx, int Index);

// The play controls when no play runs.
void SetIdleState(Context& ctx);

// True while the button of row Index reads "Stop Play".
bool IsStopButton(const Context& ctx, int Index);

// The "Stop Play" click: stops the sound, restores the idle controls, gives the focus
// to the car picture, hides the tachometer and sets StopPlay.
void StopPlayBranch(Context& ctx);

// Identifies one play. A play started later makes every earlier play's ticket stale, so
// a play still waiting after a stop ends at its next wait even when the new play has
// cleared StopPlay in the meantime.
class PlayTicket {
 public:
  explicit PlayTicket(Context& ctx) : serial_(++ctx.values.PlaySerial) {}
  // True when this play must end at a stop check: StopPlay is set, or another play has
  // started.
  bool Stopped(const Context& ctx) const { return ctx.values.StopPlay || Superseded(ctx); }
  // True when another play has started since: the sound and the controls are its now.
  // Checked after every wait, also where a stop is not (the fixed pauses).
  bool Superseded(const Context& ctx) const { return ctx.values.PlaySerial != serial_; }

 private:
  std::uint64_t serial_;
};

}  // namespace revalorn

#include "playback/pedal_play.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <string_view>

#include "core/errors.h"
#include "core/input_devices.h"
#include "core/rounding.h"
#include "playback/play_common.h"
#include "playback/tachometer.h"

namespace revalorn {

namespace {

constexpr std::string_view kProblemText = "The selected sound has a problem and can't be played.";
constexpr std::string_view kRecalibrateText = "Recalibrate your pedals or joystick by restarting Revalorn.";

void ShowProblem(Context& ctx) { ctx.prompts.MsgBox(kProblemText, MsgButtons::Ok, MsgIcon::Exclamation); }

// Sends a new frequency to the sound and the needle; a step that fails is skipped, so
// the buffer may keep its previous frequency while f and the needle move on.
void Follow(Context& ctx, std::int32_t f, std::int16_t slot) {
  SkipOnError([&] { DSoundSetFrequency(ctx, f); });
  SkipOnError([&] { DrawTachNeedle(ctx, f, slot); });
}

// The values of one play.
struct PedalPlayValues {
  std::int16_t slot = 0;
  std::int32_t fi = 0;  // idle
  std::int32_t fm = 0;  // top of the rev range
  double scale = 0;     // hertz per unit of pedal travel
  std::int32_t f = 0;   // the frequency playing
};

// The start of a play, up to the first read of the controller: playing state, sound
// loaded and looping at idle, tachometer shown. Throws on any failure.
void StartPedalPlay(Context& ctx, int Index, PedalPlayValues& v) {
  Globals& g = ctx.values;
  SetPlayingState(ctx, Index);
  v.slot = ChoosePlaySlot(ctx, Index);
  DSoundLoad(ctx, ChoosePlayFile(ctx, Index, v.slot));
  DrawTachFace(ctx);
  const std::int16_t version = g.CurrentGameVersion;
  const std::int32_t sampleRate = ctx.catalogue.SampleRate(version, v.slot);
  v.fi = PlayFrequency(sampleRate, kIdleU);
  v.fm = PlayFrequency(sampleRate, ctx.catalogue.MaxFreq(version, v.slot));
  DSoundSetFrequency(ctx, v.fi);
  DSoundPlay(ctx, true, ctx.controls.Value(Ctl::HScroll1));
  DrawTachNeedle(ctx, v.fi, v.slot);
  const double travel = std::abs(static_cast<double>(g.JoyStickMin) - g.JoyStickMax);
  if (travel == 0) throw std::domain_error("the pedal's two calibrated readings are equal");
  v.scale = (static_cast<double>(v.fm) - v.fi) / travel;
  v.f = v.fi;
  g.StopPlay = false;
}

}  // namespace

Steps CmdPedalPlay_Click(Context& ctx, int Index) {
  Globals& g = ctx.values;
  InputDevices& input = *ctx.input;
  const PlayTicket ticket(ctx);
  const int device = g.DeviceIndex - 1;  // DeviceIndex counts from 1
  PedalPlayValues v;
  std::int32_t raw = 0;     // the last reading of the throttle axis
  std::int32_t target = 0;  // the frequency the pedal asks for

  if (!SkipOnError([&] { StartPedalPlay(ctx, Index, v); })) {
    ShowProblem(ctx);
    co_return;
  }

  for (bool read = false;;) {
    co_await YieldToEvents(ctx.clock);
    // A play started while events ran owns the sound now; a plain stop is seen at the
    // end of the round.
    if (ticket.Superseded(ctx)) co_return;

    if (!read) {
      // A device number that names no opened controller fails here.
      if (!SkipOnError([&] { input.Poll(device); })) {
        ShowProblem(ctx);
        co_return;
      }
    } else {
      SkipOnError([&] { input.Poll(device); });
    }

    // From the first read on, a failing step is skipped; a failed read keeps JoyState.
    read = true;
    InputRead result = InputRead::Failed;
    SkipOnError([&] { result = input.Read(device, g.JoyState); });
    if (result == InputRead::Lost) {
      // The sound keeps its pitch and the controls their playing state; "Stop Play"
      // ends it.
      SkipOnError([&] { input.Acquire(device); });
      co_return;
    }
    if (const auto reading = AxisReading(g.JoyState, g.ThrottleAxis)) raw = *reading;

    // The released reading gives fi whichever way the pedal moves.
    SkipOnError([&] { target = RoundHalfEven32(std::abs(static_cast<double>(g.JoyStickMin) - raw) * v.scale + v.fi); });
    if (target < 0) {
      // The calibration does not fit this sound. The program ends the way closing the
      // window ends it, so unsaved sounds are asked about; a player who keeps it open
      // keeps it with the play stopped.
      ctx.prompts.MsgBox(kRecalibrateText, MsgButtons::Ok, MsgIcon::Information);
      SkipOnError([&] { StopPlayBranch(ctx); });
      SkipOnError([&] { ctx.RequestQuit(); });
      co_return;
    }
    target = std::min(target, v.fm);  // no lower clamp: beyond the released end also revs

    if (target > v.f) {
      v.f = static_cast<std::int32_t>(std::min<std::int64_t>(static_cast<std::int64_t>(v.f) + kPedalRiseHz, target));
      Follow(ctx, v.f, v.slot);
    } else if (target < v.f) {
      v.f = static_cast<std::int32_t>(std::max<std::int64_t>(static_cast<std::int64_t>(v.f) - kPedalFallHz, target));
      Follow(ctx, v.f, v.slot);
    }

    co_await WaitSeconds(ctx.clock, kPedalRoundSeconds);
    if (ticket.Stopped(ctx)) co_return;
  }
}

}  // namespace revalorn

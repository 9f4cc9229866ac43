#include "playback/auto_play.h"

#include <array>
#include <stdexcept>

#include "core/rounding.h"
#include "playback/play_common.h"
#include "playback/tachometer.h"

namespace revalorn {

namespace {

// One part of the cycle: a ramp from one frequency towards another in steps of d, or
// a fixed pause.
struct CyclePart {
  enum class Kind { RampUp, RampDown, Pause } kind;
  std::int32_t from = 0;
  std::int32_t to = 0;
  double seconds = 0;
};

constexpr double kOpeningSeconds = 0.3;

// Up to the top, three blips between the top and the lower turning point, a hold, and
// down to idle.
std::array<CyclePart, 17> CycleOf(const AutoPlayFrequencies& f) {
  using K = CyclePart::Kind;
  const CyclePart pause{K::Pause, 0, 0, 0.1};
  const CyclePart down{K::RampDown, f.fm, f.fh, 0};
  const CyclePart up{K::RampUp, f.fh, f.fm, 0};
  return {{
      {K::RampUp, f.fi, f.fm, 0}, pause,
      down, pause, up, pause,
      down, pause, up, pause,
      down, pause, up, pause,
      {K::Pause, 0, 0, 0.9},
      {K::RampDown, f.fm, f.fi, 0},
      {K::Pause, 0, 0, 1.0},
  }};
}

void ShowProblem(Context& ctx) {
  ctx.prompts.MsgBox(kPlayProblemText, MsgButtons::Ok, MsgIcon::Exclamation, MsgDefault::First);
}

}  // namespace

AutoPlayFrequencies AutoPlayFrequenciesOf(const Context& ctx, std::int16_t slot) {
  const int version = ctx.values.CurrentGameVersion;
  const std::int32_t rate = ctx.catalogue.SampleRate(version, slot);
  AutoPlayFrequencies f;
  f.fi = PlayFrequency(rate, kIdleU);
  f.fm = PlayFrequency(rate, ctx.catalogue.MaxFreq(version, slot));
  f.d = PlayFrequency(rate, kAutoPlayStepU);
  f.fh = RoundHalfEven32((static_cast<double>(f.fm) - f.fi) / 2.0);
  return f;
}

Steps CmdAutoPlay_Click(Context& ctx, int Index) {
  try {
    if (IsStopButton(ctx, Index)) {
      StopPlayBranch(ctx);
      co_return;
    }

    // Every earlier play still waiting for its next step ends there.
    const PlayTicket ticket(ctx);
    SetPlayingState(ctx, Index);
    const std::int16_t slot = ChoosePlaySlot(ctx, Index);
    DSoundLoad(ctx, ChoosePlayFile(ctx, Index, slot));
    DrawTachFace(ctx);

    const AutoPlayFrequencies f = AutoPlayFrequenciesOf(ctx, slot);
    DSoundSetFrequency(ctx, f.fi);
    DSoundPlay(ctx, true, ctx.controls.Value(Ctl::HScroll1));
    DrawTachNeedle(ctx, f.fi, slot);

    // Cleared before the opening pause, so that a stop during it is seen.
    ctx.values.StopPlay = false;
    co_await WaitSeconds(ctx.clock, kOpeningSeconds);
    if (ticket.Stopped(ctx)) co_return;

    // A step of 0 (a sample rate below 11 Hz) would never leave the first ramp.
    if (f.d <= 0) throw std::domain_error("the frequency step is 0");
    for (const CyclePart& part : CycleOf(f)) {
      if (part.kind == CyclePart::Kind::Pause) {
        co_await WaitSeconds(ctx.clock, part.seconds);
        // A fixed pause does not check for a stop: a play stopped during it goes on to
        // its next step check, and after the last pause repeats the idle settings.
        // A newer play, though, owns the sound and the controls now.
        if (ticket.Superseded(ctx)) co_return;
        continue;
      }
      const bool up = part.kind == CyclePart::Kind::RampUp;
      // 64 bits: a step past the end of the range must not overflow.
      for (std::int64_t hz = part.from; up ? hz <= part.to : hz >= part.to; hz += up ? f.d : -f.d) {
        DSoundSetFrequency(ctx, static_cast<std::int32_t>(hz));
        DrawTachNeedle(ctx, static_cast<std::int32_t>(hz), slot);
        co_await WaitSeconds(ctx.clock, ctx.values.TimingDelay);
        if (ticket.Stopped(ctx)) co_return;
      }
    }

    DSoundStop(ctx);
    SetIdleState(ctx);
    ctx.controls.SetVisible(Ctl::Tach, false);
    ctx.values.StopPlay = true;
  } catch (...) {
    ShowProblem(ctx);
  }
}

}  // namespace revalorn

#include "playback/pedal_input.h"

#include <array>
#include <charconv>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/errors.h"
#include "core/rounding.h"
#include "settings/settings_store.h"

namespace revalorn {

namespace {

constexpr std::string_view kNoPedalsText = "No pedals attached.";
constexpr std::string_view kInitErrorText = "Error initializing DirectInput.";
constexpr std::string_view kMustRecalibrateText = "Your throttle pedal or joystick must be recalibrated";
constexpr std::string_view kDepressText =
    "Fully depress your throttle pedal or push your joystick full foward and hold";
constexpr std::string_view kReleaseText = "Release your throttle pedal or joystick";
constexpr std::string_view kFailedText =
    "Calibration failed miserably, pedal play will not be available in this session.\r\r"
    "Try resetting the registry and restart Revalorn.";

// An axis counts as the throttle when its two readings differ by more than this.
constexpr std::int64_t kMovementThreshold = 1000;
constexpr int kAttempts = 3;

using Readings = std::array<std::int32_t, kAxisCount>;

std::string AttemptText(int attempt) {
  return "Attempt " + std::to_string(attempt) + " of " + std::to_string(kAttempts) +
         " failed.\r\rYour pedals/joystick was not calibrated correctly.\r\rTry calibrating again\r\r";
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Parses a decimal number at the start of text: an optional sign, then digits with an
// optional fraction ("2", "-3", "2.5"). Returns the number and how many characters it
// took, or nothing when text does not start with one. std::from_chars alone would also
// take "inf" and "nan" and refuses a leading "+".
std::optional<std::pair<double, std::size_t>> NumberAt(std::string_view text, std::chars_format format) {
  std::size_t start = 0;
  bool negative = false;
  if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
    negative = text[0] == '-';
    start = 1;
  }
  const std::string_view rest = text.substr(start);
  const bool digitFirst = !rest.empty() && (IsDigit(rest[0]) || (rest[0] == '.' && rest.size() > 1 && IsDigit(rest[1])));
  if (!digitFirst) return std::nullopt;
  double value = 0;
  const auto [end, ec] = std::from_chars(rest.data(), rest.data() + rest.size(), value, format);
  if (ec != std::errc()) return std::nullopt;
  return std::make_pair(negative ? -value : value, start + static_cast<std::size_t>(end - rest.data()));
}

// The number a text starts with after blanks ("3", "3 axes"); 0 when there is none.
double LeadingNumber(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  const auto n = NumberAt(text, std::chars_format::fixed);
  return n ? n->first : 0.0;
}

// The value of a text that is a number as a whole, blanks around it allowed ("9000",
// " 500 ", "1e3"); nothing for an empty or non-numeric text.
std::optional<double> NumericValue(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  const auto n = NumberAt(text, std::chars_format::general);
  if (!n || n->second != text.size()) return std::nullopt;
  return n->first;
}

// Polls and reads every controller, keeping the eight readings of each. A read that
// fails otherwise keeps the previous state, as every read does. False when a controller
// was lost: it has been acquired again and the calibration must end.
bool ReadEveryDevice(Context& ctx, std::vector<Readings>& readings) {
  InputDevices& input = *ctx.input;
  JoystickState& state = ctx.values.JoyState;
  for (std::size_t i = 0; i < readings.size(); ++i) {
    const int device = static_cast<int>(i);
    SkipOnError([&] { input.Poll(device); });
    InputRead result = InputRead::Failed;
    SkipOnError([&] { result = input.Read(device, state); });
    if (result == InputRead::Lost) {
      SkipOnError([&] { input.Acquire(device); });
      return false;
    }
    for (int axis = 1; axis <= kAxisCount; ++axis) readings[i][static_cast<std::size_t>(axis - 1)] = *AxisReading(state, axis);
  }
  return true;
}

// Keeps the first moving axis of every controller; a later controller replaces an
// earlier one. Nothing changes when no axis moved.
void ChooseThrottle(Globals& g, const std::vector<AxisSet>& present, const std::vector<Readings>& pressed,
                    const std::vector<Readings>& released) {
  for (std::size_t i = 0; i < present.size(); ++i) {
    for (std::size_t a = 0; a < static_cast<std::size_t>(kAxisCount); ++a) {
      const std::int64_t travel = static_cast<std::int64_t>(released[i][a]) - pressed[i][a];
      if (present[i][a] && std::llabs(travel) > kMovementThreshold) {
        g.DeviceIndex = static_cast<std::int16_t>(i + 1);
        g.ThrottleAxis = static_cast<std::int16_t>(a + 1);
        g.JoyStickMin = released[i][a];
        g.JoyStickMax = pressed[i][a];
        break;
      }
    }
  }
}

}  // namespace

void DInputInit(Context& ctx) {
  int count = 0;
  try {
    count = ctx.input->List();
  } catch (...) {
    ctx.prompts.MsgBox(kInitErrorText, MsgButtons::Ok, MsgIcon::Exclamation);
    // Without input the program cannot go on; at start-up nothing is unsaved, so the
    // quit routine ends it. Should it keep the program running, it ends here anyway.
    if (!ctx.RequestQuit()) ctx.EndProgram();
    return;
  }
  if (count == 0) {
    ctx.prompts.MsgBox(kNoPedalsText, MsgButtons::Ok, MsgIcon::Information);
    ctx.values.PedalsAvailable = false;
  } else {
    ctx.values.PedalsAvailable = true;
  }
}

void CalibratePedals(Context& ctx, bool Force) {
  InputDevices& input = *ctx.input;
  Globals& g = ctx.values;

  // Open every attached controller; one that fails to open has no axes to choose from.
  int count = 0;
  SkipOnError([&] { count = input.List(); });
  if (count < 0) count = 0;
  const auto n = static_cast<std::size_t>(count);
  std::vector<AxisSet> present(n);
  std::vector<Readings> pressed(n);
  std::vector<Readings> released(n);
  for (std::size_t i = 0; i < n; ++i) {
    SkipOnError([&] { input.Open(static_cast<int>(i)); });
    SkipOnError([&] { present[i] = input.Axes(static_cast<int>(i)); });
  }

  // The stored calibration. A number too large for its value leaves the value as it was.
  const std::string deviceText = GetRegValue(ctx.settings, "Device", "");
  const std::string axisText = GetRegValue(ctx.settings, "ThrottleAxis", "");
  if (const auto v = NumericValue(GetRegValue(ctx.settings, "JoyStickMin", ""))) {
    SkipOnError([&] { g.JoyStickMin = RoundHalfEven32(*v); });
  }
  if (const auto v = NumericValue(GetRegValue(ctx.settings, "JoyStickMax", ""))) {
    SkipOnError([&] { g.JoyStickMax = RoundHalfEven32(*v); });
  }
  SkipOnError([&] { g.DeviceIndex = RoundHalfEven16(LeadingNumber(deviceText)); });
  SkipOnError([&] { g.ThrottleAxis = RoundHalfEven16(LeadingNumber(axisText)); });

  // The stored device and axis are not checked against the controllers attached now: a
  // device number that no longer names one makes Pedal Play report a problem.
  if (!Force && !deviceText.empty() && !axisText.empty() && g.JoyStickMin != g.JoyStickMax) return;
  if (!Force) ctx.prompts.MsgBox(kMustRecalibrateText, MsgButtons::Ok, MsgIcon::Information);

  // The readings are taken as soon as each box closes: the player holds the pedal down
  // while closing the first.
  for (int attempt = 0;;) {
    ctx.prompts.MsgBox(kDepressText, MsgButtons::Ok, MsgIcon::Information);
    if (!ReadEveryDevice(ctx, pressed)) return;
    ctx.prompts.MsgBox(kReleaseText, MsgButtons::Ok, MsgIcon::Information);
    if (!ReadEveryDevice(ctx, released)) return;
    ChooseThrottle(g, present, pressed, released);

    // When nothing moved, the values from before the attempt stand; if they already
    // differ (a forced calibration of a calibrated pedal) they are written back.
    if (g.JoyStickMin != g.JoyStickMax) {
      SetRegValue(ctx.settings, "Device", std::to_string(g.DeviceIndex));
      SetRegValue(ctx.settings, "ThrottleAxis", std::to_string(g.ThrottleAxis));
      SetRegValue(ctx.settings, "JoyStickMin", std::to_string(g.JoyStickMin));
      SetRegValue(ctx.settings, "JoyStickMax", std::to_string(g.JoyStickMax));
      return;
    }
    if (attempt == kAttempts - 1) {
      ctx.prompts.MsgBox(kFailedText, MsgButtons::Ok, MsgIcon::Critical);
      g.PedalsAvailable = false;
      ctx.controls.SetEnabled(CmdPedalPlay(0), false);
      ctx.controls.SetEnabled(CmdPedalPlay(1), false);
      return;
    }
    ++attempt;
    ctx.prompts.MsgBox(AttemptText(attempt), MsgButtons::Ok, MsgIcon::Exclamation);
  }
}

void DInputShutdown(Context& ctx) {
  InputDevices& input = *ctx.input;
  const int count = input.Count();
  for (int i = 0; i < count; ++i) SkipOnError([&] { input.Unacquire(i); });
}

void MnuCalibratePedals_Click(Context& ctx) { CalibratePedals(ctx, true); }

}  // namespace revalorn

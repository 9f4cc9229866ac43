#pragma once
// The frequencies one Auto Play cycle sets, each with its time in ms after the start:
// the opening at fi, a ramp up to fm, three blips down to fh and back, a ramp down to
// fi; a step every stepMs, 0.1 s at each turn and a further 0.9 s before the way down.

#include <cstdint>
#include <vector>

namespace revalorn::testing {

struct CycleStep {
  std::int64_t ms;
  std::int32_t hz;
};

inline std::vector<CycleStep> AutoPlayCycle(std::int32_t fi, std::int32_t fm, std::int32_t d, std::int32_t fh,
                                            std::int64_t stepMs) {
  std::vector<CycleStep> steps{{0, fi}};
  std::int64_t t = 300;
  auto ramp = [&](std::int32_t from, std::int32_t to, std::int32_t by) {
    for (std::int32_t f = from; by > 0 ? f <= to : f >= to; f += by, t += stepMs) steps.push_back({t, f});
    t += 100;
  };
  ramp(fi, fm, d);
  for (int blip = 0; blip < 3; ++blip) {
    ramp(fm, fh, -d);
    ramp(fh, fm, d);
  }
  t += 900;
  ramp(fm, fi, -d);
  return steps;
}

inline std::vector<std::int32_t> CycleFrequencies(std::int32_t fi, std::int32_t fm, std::int32_t d, std::int32_t fh) {
  std::vector<std::int32_t> hz;
  for (const CycleStep& s : AutoPlayCycle(fi, fm, d, fh, 1)) hz.push_back(s.hz);
  return hz;
}

}  // namespace revalorn::testing

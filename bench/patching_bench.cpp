// The pattern search over a 4 MB executable image against the byte-by-byte scan that
// defines its result, in the same run. Each pair searches from the start for the same
// pattern: the marker (found near the end), an identity pattern that is absent (the
// whole image is scanned) and a slot table that is absent (mostly small numbers and
// zeros, the hardest case for a skipping search). Compare the two times of each pair.
#include <benchmark/benchmark.h>

#include <stdexcept>

#include "patching/executable_kind.h"
#include "patching/sound_patch.h"
#include "tools/gamefiles/exe_fixture.h"

namespace {

namespace fx = revalorn::fixtures;

const fx::ExeImage& Image() {
  static const fx::ExeImage image = fx::MakeExecutableImage(
      {.kind = 1, .fillerBefore = (std::size_t{4} << 20) - 4096, .fillerBetween = 2048, .fillerAfter = 1024});
  return image;
}

std::vector<std::uint8_t> Pattern(std::int64_t which) {
  switch (which) {
    case 0: return fx::TableMarkerBytes();
    case 1: return fx::IdentityPatternBytes(8);
    default: return fx::SlotTableBytes(0);
  }
}

void Label(benchmark::State& state) {
  static constexpr const char* names[] = {"marker", "absent identity", "absent slot table"};
  state.SetLabel(names[state.range(0)]);
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(Image().bytes.size()));
}

void BM_FindPattern(benchmark::State& state) {
  const auto pattern = Pattern(state.range(0));
  const auto expected = fx::PlainPatternScan(Image().bytes, pattern, 0);
  for (auto _ : state) {
    const auto found = revalorn::FindPattern(Image().bytes, pattern, 0);
    benchmark::DoNotOptimize(found);
    if (found != expected) throw std::logic_error("the searches disagree");
  }
  Label(state);
}
BENCHMARK(BM_FindPattern)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);

void BM_PlainScan(benchmark::State& state) {
  const auto pattern = Pattern(state.range(0));
  for (auto _ : state) benchmark::DoNotOptimize(fx::PlainPatternScan(Image().bytes, pattern, 0));
  Label(state);
}
BENCHMARK(BM_PlainScan)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);

}  // namespace

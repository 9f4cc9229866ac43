// Building the catalogue happens once at start-up; this keeps an eye on its cost
// relative to walking every version's slots.
#include <benchmark/benchmark.h>

#include "catalogue/catalogue.h"

namespace {

void BM_BuildCatalogue(benchmark::State& state) {
  for (auto _ : state) {
    revalorn::Catalogue catalogue;
    revalorn::BuildCatalogue(catalogue);
    benchmark::DoNotOptimize(catalogue);
  }
}
BENCHMARK(BM_BuildCatalogue);

void BM_WalkVersionSlots(benchmark::State& state) {
  revalorn::Catalogue catalogue;
  revalorn::BuildCatalogue(catalogue);
  for (auto _ : state) {
    std::size_t total = 0;
    for (int v = 0; v < revalorn::kVersionCount; ++v) {
      for (auto s : revalorn::VersionSlots(catalogue, v)) total += catalogue.SoundFileName(v, s).size();
    }
    benchmark::DoNotOptimize(total);
  }
}
BENCHMARK(BM_WalkVersionSlots);

}  // namespace

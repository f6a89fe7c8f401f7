// World construction on the bundled sample configuration: settings, every constant list, the
// reference data (skills, damage and weapon types, races, classes), sector colours, areas list.
#include <benchmark/benchmark.h>

#include <string>

#include "support/SampleCopy.h"
#include "world/Skills.h"
#include "world/World.h"

namespace {

void BM_WorldConstruction(benchmark::State& state) {
  static const tavro::bench::TSampleCopy sample("tavro_world_bench_");
  const std::string start = sample.Root.string();
  const std::string mud = (sample.Root / "mud").string();
  for (auto _ : state) {
    tavro::TWorld world(start, mud);
    benchmark::DoNotOptimize(world.Skills->Count());
  }
}
BENCHMARK(BM_WorldConstruction)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();

// Loading and saving a large generated world: 100 areas of 1,000 rooms with objects, mobiles, resets
// and programs. Reports the throughput against the size of the files and the peak memory of a load.
#include <benchmark/benchmark.h>

#include <malloc.h>

#include <memory>

#include "area/Area.h"
#include "support/WorldGenerator.h"
#include "world/Areas.h"
#include "world/World.h"

namespace {

using tavro::bench::TGeneratedWorld;

const TGeneratedWorld& generated_world() {
  static const TGeneratedWorld world(tavro::bench::TWorldShape{});
  return world;
}

// Loads every generated area into the world's area list, as the editor does at start.
void load_all_areas(tavro::TWorld& world, const TGeneratedWorld& generated) {
  for (const std::string& path : generated.AreaPaths) {
    auto area = std::make_unique<tavro::TArea>(world.Areas.get());
    area->load_area(path);
    world.Areas->Items.push_back(std::move(area));
  }
}

void report_size(benchmark::State& state, const TGeneratedWorld& generated) {
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * generated.AreaBytes));
  state.counters["files_MB"] = static_cast<double>(generated.AreaBytes) / 1e6;
}

void BM_LoadWorld(benchmark::State& state) {
  const TGeneratedWorld& generated = generated_world();
  tavro::TWorld world(generated.StartFolder, generated.MudFolder);
  for (auto _ : state) {
    load_all_areas(world, generated);
    state.PauseTiming();
    world.Areas->Clear();
    state.ResumeTiming();
  }
  report_size(state, generated);
}

// The first load of a process, with a peak reset just before it: the memory the loaded areas and the
// loading itself take, against the size of the files. Fresh memory is slower than the reused memory
// of BM_LoadWorld's later rounds (every page is touched for the first time).
void BM_LoadWorldPeakMemory(benchmark::State& state) {
  const TGeneratedWorld& generated = generated_world();
  for (auto _ : state) {
    state.PauseTiming();
    auto world = std::make_unique<tavro::TWorld>(generated.StartFolder, generated.MudFolder);
    malloc_trim(0);  // what the generator freed must not be counted as room for the load
    const uint64_t before = tavro::bench::resident_bytes();
    const bool peak_reset = tavro::bench::reset_peak_resident_bytes();
    state.ResumeTiming();
    load_all_areas(*world, generated);
    state.PauseTiming();
    const uint64_t peak = tavro::bench::peak_resident_bytes();
    const uint64_t after = tavro::bench::resident_bytes();
    const double growth = static_cast<double>(peak > before ? peak - before : 0);
    state.counters["peak_growth_MB"] = growth / 1e6;
    state.counters["peak_to_files"] = growth / static_cast<double>(generated.AreaBytes);
    state.counters["peak_reset"] = peak_reset ? 1 : 0;
    state.counters["loaded_MB"] = static_cast<double>(after > before ? after - before : 0) / 1e6;
    world.reset();
    state.ResumeTiming();
  }
  report_size(state, generated);
}

void BM_SaveWorld(benchmark::State& state) {
  const TGeneratedWorld& generated = generated_world();
  tavro::TWorld world(generated.StartFolder, generated.MudFolder);
  load_all_areas(world, generated);
  for (auto _ : state) {
    for (size_t i = 0; i < world.Areas->Items.size(); ++i)
      world.Areas->Items[i]->save_area(generated.AreaPaths[i]);
  }
  report_size(state, generated);
}

}  // namespace

BENCHMARK(BM_LoadWorldPeakMemory)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadWorld)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_SaveWorld)->Unit(benchmark::kMillisecond)->MinTime(2.0);

BENCHMARK_MAIN();

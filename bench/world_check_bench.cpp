// The world check and the find in world on a generated world of 100 areas of 1,000 rooms (about 60 MB of
// area files): the whole `tavro check` (world, load, check, report), the checks alone, and finds over it.
//
// Targets: `tavro check` < 1 s with the load; a find < 200 ms.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <sstream>
#include <string>

#include "area/Area.h"
#include "cli/Cli.h"
#include "reading/AreaFile.h"
#include "support/WorldGenerator.h"
#include "world/Areas.h"
#include "world/World.h"
#include "world/WorldCheck.h"
#include "world/WorldFind.h"

namespace {

using tavro::bench::TGeneratedWorld;

const TGeneratedWorld& generated_world() {
  static const TGeneratedWorld world(tavro::bench::TWorldShape{});
  return world;
}

// The generated world loaded once for the benchmarks that only look at it.
const tavro::TWorld& loaded_world() {
  static const auto world = [] {
    const TGeneratedWorld& generated = generated_world();
    auto loaded = std::make_unique<tavro::TWorld>(generated.StartFolder, generated.MudFolder);
    for (const std::string& path : generated.AreaPaths)
      loaded->load_single_area(path);
    return loaded;
  }();
  return *world;
}

void BM_CheckCommand(benchmark::State& state) {
  const TGeneratedWorld& generated = generated_world();
  tavro::cli::Options options;
  options.start = generated.StartFolder;
  options.mud = generated.MudFolder;
  for (auto _ : state) {
    std::ostringstream out, err;
    benchmark::DoNotOptimize(tavro::cli::run_check(options, out, err));
    const std::string report = out.str();
    state.counters["report_lines"] = static_cast<double>(std::count(report.begin(), report.end(), '\n'));
  }
  state.counters["files_MB"] = static_cast<double>(generated.AreaBytes) / 1e6;
}
BENCHMARK(BM_CheckCommand)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_CheckWorld(benchmark::State& state) {
  const tavro::TWorld& world = loaded_world();
  size_t problems = 0;
  for (auto _ : state)
    problems = tavro::check_world(*world.Areas).size();
  state.counters["problems"] = static_cast<double>(problems);
}
BENCHMARK(BM_CheckWorld)->Unit(benchmark::kMillisecond);

// A word in capitals that the generated texts hold in small letters, the window's limit of results; a word
// they do not hold, every field read to its end; a vnum.
void BM_FindInWorld(benchmark::State& state, const char* utf8, size_t max_hits) {
  const tavro::TWorld& world = loaded_world();
  const std::string text = tavro::utf8_to_cp1251(utf8);
  size_t hits = 0;
  for (auto _ : state)
    hits = tavro::find_in_world(*world.Areas, text, max_hits).size();
  state.counters["hits"] = static_cast<double>(hits);
}
BENCHMARK_CAPTURE(BM_FindInWorld, common_word_first_2001, "ПАУТИНА", 2001)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FindInWorld, absent_word, "ЕДИНОРОГ", SIZE_MAX)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FindInWorld, vnum, "51234", SIZE_MAX)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();

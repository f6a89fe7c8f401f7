// World construction on the bundled sample configuration: settings, every constant list, the
// reference data (skills, damage and weapon types, races, classes), sector colours, areas list.
#include <benchmark/benchmark.h>

#include <unistd.h>
#include <filesystem>
#include <string>

#include "world/Skills.h"
#include "world/World.h"

namespace {

namespace fs = std::filesystem;

// A private copy: building a world writes the server root back into the settings file.
struct SampleCopy {
  SampleCopy() : root(fs::temp_directory_path() / ("tavro_world_bench_" + std::to_string(::getpid()))) {
    fs::remove_all(root);
    fs::copy(TAVRO_SAMPLE_DIR, root, fs::copy_options::recursive);
  }
  ~SampleCopy() {
    std::error_code ignored;
    fs::remove_all(root, ignored);
  }
  fs::path root;
};

void BM_WorldConstruction(benchmark::State& state) {
  static SampleCopy sample;
  const std::string start = sample.root.string();
  const std::string mud = (sample.root / "mud").string();
  for (auto _ : state) {
    tavro::TWorld world(start, mud);
    benchmark::DoNotOptimize(world.Skills->Count());
  }
}
BENCHMARK(BM_WorldConstruction)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();

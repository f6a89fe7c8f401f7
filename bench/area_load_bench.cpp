// Loading and saving a large generated world (100 areas of 1,000 rooms with objects, mobiles, resets,
// programs, shops and helps): throughput in MB/s of area files, and the peak memory of a load against
// the size of the files. The peak and the time of a first load are measured in a child process (this
// program started again with --measure-load), so that neither the generator nor the other benchmarks
// count in them.
//
// Targets: load >= 100 MB/s, peak memory of the load < 4x the files, saving at least as fast as loading.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <sstream>
#include <string>

#include "area/Area.h"
#include "support/WorldGenerator.h"
#include "world/Areas.h"
#include "world/World.h"

namespace {

namespace fs = std::filesystem;
using tavro::bench::TGeneratedWorld;
using tavro::bench::TWorldFiles;
using Clock = std::chrono::steady_clock;

constexpr const char* kMeasureLoadOption = "--measure-load";

const TGeneratedWorld& generated_world() {
  static const TGeneratedWorld world(tavro::bench::TWorldShape{});
  return world;
}

// Loads every area of the list into the world, as the editor does at start.
void load_all_areas(tavro::TWorld& world, const std::vector<std::string>& paths) {
  for (const std::string& path : paths)
    world.load_single_area(path);
}

double megabytes(uint64_t bytes) {
  return static_cast<double>(bytes) / 1e6;
}

double seconds_since(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

void report_throughput(benchmark::State& state, uint64_t bytes, double seconds) {
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(bytes));
  state.counters["files_MB"] = megabytes(bytes);
  state.counters["MB_per_s"] = megabytes(bytes) * static_cast<double>(state.iterations()) / seconds;
}

// Loads into memory the process already holds: the reading itself. One load before the timed rounds
// takes that memory from the system; the first load of a fresh process, page faults included, is timed
// by BM_LoadWorldPeakMemory.
void BM_LoadWorld(benchmark::State& state) {
  const TGeneratedWorld& generated = generated_world();
  tavro::TWorld world(generated.StartFolder, generated.MudFolder);
  load_all_areas(world, generated.AreaPaths);
  world.Areas->Items.clear();
  double seconds = 0;
  for (auto _ : state) {
    const auto start = Clock::now();
    load_all_areas(world, generated.AreaPaths);
    seconds += seconds_since(start);
    state.PauseTiming();
    world.Areas->Items.clear();
    state.ResumeTiming();
  }
  report_throughput(state, generated.AreaBytes, seconds);
}

std::string read_file(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

void BM_SaveWorld(benchmark::State& state) {
  const TGeneratedWorld& generated = generated_world();
  tavro::TWorld world(generated.StartFolder, generated.MudFolder);
  load_all_areas(world, generated.AreaPaths);
  const fs::path saved = fs::path(generated.Root) / "saved";
  fs::create_directories(saved);
  std::vector<std::string> targets;
  for (const std::string& path : generated.AreaPaths)
    targets.push_back((saved / fs::path(path).filename()).string());
  double seconds = 0;
  for (auto _ : state) {
    const auto start = Clock::now();
    for (size_t i = 0; i < targets.size(); ++i)
      world.Areas->Items[i]->save_area(targets[i]);
    seconds += seconds_since(start);
  }
  report_throughput(state, generated.AreaBytes, seconds);
  // The saved files must be the generated ones, byte for byte, or the figures compare different work.
  size_t identical = 0;
  for (size_t i = 0; i < targets.size(); ++i)
    identical += read_file(targets[i]) == read_file(generated.AreaPaths[i]) ? 1 : 0;
  state.counters["identical_files"] = static_cast<double>(identical);
  if (identical != targets.size()) state.SkipWithError("saved areas differ from the generated ones");
}

// Figures of one measured load, as the child process prints them.
struct TLoadMemory {
  uint64_t Baseline = 0;    // resident size with the world's reference data loaded, before the areas
  uint64_t Peak = 0;        // peak resident size of the process, areas loaded
  uint64_t Loaded = 0;      // resident size after the load
  double Seconds = 0;       // the load, wall clock
  double CpuSeconds = 0;    // the load, user and system time of the process
  double TouchSeconds = 0;  // the machine's own cost of handing over as much fresh memory as the load kept
  bool Valid = false;
};

double cpu_seconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  const auto seconds = [](const timeval& t) {
    return static_cast<double>(t.tv_sec) + 1e-6 * static_cast<double>(t.tv_usec);
  };
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// Writes one byte into every page of bytes of memory fresh from the system, as a load that keeps
// that much does: on a virtual machine each first touch of a page may cost far more than the reading.
double first_touch_seconds(uint64_t bytes) {
  const auto start = Clock::now();
  std::unique_ptr<char[]> fresh(new char[bytes]);
  for (uint64_t offset = 0; offset < bytes; offset += 4096)
    fresh[offset] = 1;
  benchmark::DoNotOptimize(fresh.get());
  return seconds_since(start);
}

// Child process: loads the world once, as the editor does at start in a fresh process, and prints the
// memory figures and the time of the load.
int measure_load(const std::string& start_folder, const std::string& mud_folder) {
  tavro::TWorld world(start_folder, mud_folder);
  std::vector<std::string> paths;
  for (const std::string& name : world.AreaNames)
    paths.push_back((fs::path(mud_folder) / "area" / name).string());
  const uint64_t baseline = tavro::bench::resident_bytes();
  const double cpu_start = cpu_seconds();
  const auto start = Clock::now();
  load_all_areas(world, paths);
  const double seconds = seconds_since(start);
  const double cpu = cpu_seconds() - cpu_start;
  const uint64_t loaded = tavro::bench::resident_bytes();
  const uint64_t peak = tavro::bench::peak_resident_bytes();
  const double touch = first_touch_seconds(loaded > baseline ? loaded - baseline : 0);
  std::cout << baseline << ' ' << peak << ' ' << loaded << ' ' << seconds << ' ' << cpu << ' ' << touch
            << '\n';
  return world.Areas->Items.size() == paths.size() ? 0 : 1;
}

TLoadMemory run_measured_load(const TWorldFiles& files) {
  const std::string self = fs::read_symlink("/proc/self/exe").string();
  const std::string command =
      "'" + self + "' " + kMeasureLoadOption + " '" + files.StartFolder + "' '" + files.MudFolder + "'";
  TLoadMemory memory;
  FILE* child = popen(command.c_str(), "r");
  if (child == nullptr) return memory;
  char line[256] = {};
  const bool read = std::fgets(line, sizeof line, child) != nullptr;
  const int status = pclose(child);
  if (!read || status != 0) return memory;
  std::istringstream figures(line);
  figures >> memory.Baseline >> memory.Peak >> memory.Loaded >> memory.Seconds >> memory.CpuSeconds >>
      memory.TouchSeconds;
  memory.Valid = static_cast<bool>(figures) && memory.Peak >= memory.Baseline;
  return memory;
}

void BM_LoadWorldPeakMemory(benchmark::State& state) {
  const TGeneratedWorld& generated = generated_world();
  TLoadMemory memory;
  for (auto _ : state)
    memory = run_measured_load(generated);
  if (!memory.Valid) {
    state.SkipWithError("the measured load in a child process failed");
    return;
  }
  const double files = static_cast<double>(generated.AreaBytes);
  state.counters["files_MB"] = megabytes(generated.AreaBytes);
  state.counters["process_baseline_MB"] = megabytes(memory.Baseline);
  state.counters["load_peak_MB"] = megabytes(memory.Peak - memory.Baseline);
  state.counters["loaded_MB"] =
      megabytes(memory.Loaded > memory.Baseline ? memory.Loaded - memory.Baseline : 0);
  state.counters["peak_to_files"] = static_cast<double>(memory.Peak - memory.Baseline) / files;
  state.counters["process_peak_to_files"] = static_cast<double>(memory.Peak) / files;
  // The first load of a fresh process pays for the memory it takes from the system; the repeated
  // loads of BM_LoadWorld reuse memory already taken.
  state.counters["fresh_MB_per_s"] = megabytes(generated.AreaBytes) / memory.Seconds;
  state.counters["fresh_cpu_MB_per_s"] = megabytes(generated.AreaBytes) / memory.CpuSeconds;
  // What the machine alone takes to hand over that much fresh memory, and the load without it.
  state.counters["first_touch_ms"] = 1000 * memory.TouchSeconds;
  state.counters["fresh_beyond_touch_MB_per_s"] =
      megabytes(generated.AreaBytes) / std::max(memory.Seconds - memory.TouchSeconds, 1e-9);
}

}  // namespace

BENCHMARK(BM_LoadWorldPeakMemory)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_LoadWorld)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(BM_SaveWorld)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);

int main(int argc, char** argv) {
  if (argc == 4 && std::string(argv[1]) == kMeasureLoadOption) return measure_load(argv[2], argv[3]);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

#pragma once
// Large generated worlds for the benchmarks: the sample world's settings, constant lists and reference
// data, and areas full of rooms, objects, mobiles, resets and programs, written by the real writers.
#include <cstdint>
#include <string>
#include <vector>

namespace tavro::bench {

struct TWorldShape {
  int32_t Areas = 100;
  int32_t RoomsPerArea = 1000;
  uint32_t Seed = 20261206;
};

// A world written to a fresh temporary folder, removed again with this object.
class TGeneratedWorld {
 public:
  explicit TGeneratedWorld(const TWorldShape& shape);
  ~TGeneratedWorld();
  TGeneratedWorld(const TGeneratedWorld&) = delete;
  TGeneratedWorld& operator=(const TGeneratedWorld&) = delete;

  std::string Root;
  std::string StartFolder;  // holds TavroEd.ini and the constant lists
  std::string MudFolder;    // the server root: area\, system\, races\, classes\, mudprogs\ .
  std::vector<std::string> AreaPaths;
  uint64_t AreaBytes = 0;  // the size of every area file together
};

// Memory figures of this process from /proc/self/status, in bytes (0 where the system has none).
uint64_t resident_bytes();
uint64_t peak_resident_bytes();
// Starts a new peak: the next peak_resident_bytes() counts from the current resident size. False when
// the system cannot reset it.
bool reset_peak_resident_bytes();

}  // namespace tavro::bench

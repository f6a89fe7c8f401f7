#pragma once
// Large generated worlds for the benchmarks and the round-trip and fuzz tests: the sample world's
// settings, constant lists and reference data, and areas full of rooms, objects, mobiles, resets,
// programs, shops, helps and exits. The areas are produced as text, directly in the area file format
// and exactly as the area writer lays it out, so that loading an area and saving it again gives the
// same bytes: a check of the readers and writers that does not trust the writers.
#include <cstdint>
#include <string>
#include <vector>

namespace tavro {
class TWorld;
}

namespace tavro::bench {

struct TWorldShape {
  int32_t Areas = 100;
  int32_t RoomsPerArea = 1000;
  uint32_t Seed = 20261206;
};

// Where a generated world lies and how large its areas are.
struct TWorldFiles {
  std::string StartFolder;             // TavroEd.ini and the constant lists (files/)
  std::string MudFolder;               // the server root: area/, system/, races/, classes/, mudprogs/
  std::vector<std::string> AreaPaths;  // in the order of the areas list
  uint64_t AreaBytes = 0;              // the size of every area file together
};

// Writes a complete world into folder (created when missing): the start folder with TavroEd.ini and
// files/ copied from the sample world, and under folder/mud the sample's system/, races/, classes/ and
// mudprogs/ folders, area/area.lst and the generated areas. Throws on any file error.
TWorldFiles generate_world(const TWorldShape& shape, const std::string& folder);

// The file name of generated area number index ("gen0.are", "gen1.are", ...).
std::string generated_area_name(int32_t index);

// The KOI8-R text of area number index of a world of that shape. The names of item types, weapon
// types, skills, races, classes, specials and program types are taken from world, which must hold
// the sample world's lists and reference data. The same arguments always give the same text.
std::string generate_area_text(const TWorld& world, const TWorldShape& shape, int32_t index);

// A world generated into a fresh temporary folder, removed again with this object.
class TGeneratedWorld : public TWorldFiles {
 public:
  explicit TGeneratedWorld(const TWorldShape& shape);
  ~TGeneratedWorld();
  TGeneratedWorld(const TGeneratedWorld&) = delete;
  TGeneratedWorld& operator=(const TGeneratedWorld&) = delete;

  std::string Root;
};

// A fresh, empty temporary folder. Throws when none can be made.
std::string make_temporary_folder(const std::string& prefix);

// Memory figures of this process from /proc/self/status, in bytes (0 where the system has none).
uint64_t resident_bytes();
uint64_t peak_resident_bytes();

}  // namespace tavro::bench

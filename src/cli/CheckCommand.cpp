#include <exception>
#include <ostream>

#include "cli/Cli.h"
#include "cli/CliWorld.h"
#include "reading/Paths.h"
#include "world/World.h"

namespace tavro::cli {

// Builds the world and loads every listed area the way the editor's start-up does when the user
// goes on past every failure: each failure is printed whole, the area is dropped, the rest load.
int run_check(const Options& options, std::ostream& out, std::ostream& err) {
  std::unique_ptr<TWorld> world;
  try {
    world = build_world(options);
  } catch (const std::exception& e) {
    print_error(err, e.what());
    return 2;
  }
  bool list_failed = !world->AreasListError.empty();
  if (list_failed) print_error(err, world->AreasListError);

  int loaded = 0;
  int failed = 0;
  std::string area_folder = join_path(world->MudPath, "area");
  for (size_t i = 0; i < world->AreaNames.size();) {
    try {
      world->load_single_area(join_path(area_folder, world->AreaNames[i]));
      ++loaded;
      ++i;
    } catch (const std::exception& e) {
      print_error(err, e.what());
      ++failed;
      world->AreaNames.erase(world->AreaNames.begin() + static_cast<std::ptrdiff_t>(i));
    }
  }
  out << loaded << " areas loaded, " << failed << " failed\n";
  return list_failed || failed > 0 ? 1 : 0;
}

}  // namespace tavro::cli

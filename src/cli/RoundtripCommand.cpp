#include <filesystem>
#include <memory>
#include <ostream>
#include <system_error>

#include "area/Area.h"
#include "cli/Cli.h"
#include "cli/CliWorld.h"
#include "reading/Error.h"
#include "reading/Paths.h"
#include "world/Areas.h"
#include "world/World.h"

namespace tavro::cli {

namespace {

// The world is built when the options name one, or when the start folder holds a settings file; a
// header-only area read elsewhere needs none.
bool wants_world(const Options& options) {
  if (!options.mud.empty() || options.start_given) return true;
  std::error_code error;
  return std::filesystem::is_regular_file(resolve_path_case(join_path(options.start, "TavroEd.ini")), error);
}

}  // namespace

int run_roundtrip(const Options& options, std::ostream&, std::ostream& err) {
  if (options.args.size() != 2) {
    err << "usage: tavro [--start DIR --mud DIR] roundtrip IN OUT\n";
    return 2;
  }
  try {
    std::unique_ptr<TWorld> world;
    if (wants_world(options)) world = build_world(options);
    TArea area(world ? world->Areas.get() : nullptr);
    area.load_area(options.args[0]);
    area.save_area(options.args[1]);
  } catch (const Error& e) {
    print_error(err, e.what());
    return 1;
  }
  return 0;
}

}  // namespace tavro::cli

#include "cli/CliWorld.h"

#include "reading/Paths.h"
#include "world/IniFile.h"
#include "world/World.h"

namespace tavro::cli {

std::string mud_folder(const Options& options) {
  if (!options.mud.empty()) return options.mud;
  TIniFile ini(resolve_path_case(join_path(options.start, "TavroEd.ini")));
  std::string stored = ini.ReadString("MudFiles", "Path", "");
  return join_path(options.start, stored.empty() ? std::string("mud") : stored);
}

std::unique_ptr<TWorld> build_world(const Options& options) {
  return std::make_unique<TWorld>(options.start, mud_folder(options));
}

}  // namespace tavro::cli

#include <ostream>

#include "cli/Cli.h"

namespace tavro::cli {

// Scaffold until the command lands.
int run_map(const Options&, std::ostream&, std::ostream& err) {
  err << "tavro map: not available in this build\n";
  return 2;
}

}  // namespace tavro::cli

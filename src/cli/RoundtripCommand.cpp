#include <ostream>

#include "cli/Cli.h"

namespace tavro::cli {

// Scaffold until the command lands.
int run_roundtrip(const Options&, std::ostream&, std::ostream& err) {
  err << "tavro roundtrip: not available in this build\n";
  return 2;
}

}  // namespace tavro::cli

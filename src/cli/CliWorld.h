#pragma once
// Building the world the command-line options name.
#include <memory>
#include <string>

#include "cli/Cli.h"

namespace tavro {
class TWorld;
}

namespace tavro::cli {

// The server root: --mud; else the settings file's MudFiles/Path (a relative value counts from the
// start folder); else START/mud.
std::string mud_folder(const Options& options);

// Builds the world from --start and the server root above. Throws Error when a constant list or
// reference file is missing or broken.
std::unique_ptr<TWorld> build_world(const Options& options);

}  // namespace tavro::cli

#include "cli/Cli.h"

#include <ostream>

#include "reading/AreaFile.h"

namespace tavro::cli {

namespace {

const char* const kUsage =
    "usage: tavro [--start DIR] [--mud DIR] COMMAND ...\n"
    "  roundtrip IN OUT                 load an area file and write it back\n"
    "  check [--json]                   build the world, load every listed area and check them\n"
    "  map AREA --level N [--zoom Z] --out FILE   draw one map level as PNG or SVG\n";

}  // namespace

std::string Options::named_value(const std::string& name, const std::string& fallback) const {
  for (const auto& [key, value] : named)
    if (key == name) return value;
  return fallback;
}

void print_error(std::ostream& err, const std::string& message) {
  std::string text = cp1251_to_utf8(remove_cr(message));
  err << text;
  if (text.empty() || text.back() != '\n') err << '\n';
}

int run(int argc, char** argv, std::ostream& out, std::ostream& err) {
  Options options;
  std::string command;
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    if (arg == "--json") {  // a switch, without a value
      options.named.emplace_back("json", "");
    } else if (arg.rfind("--", 0) == 0 && arg.size() > 2) {
      if (i + 1 >= argc) {
        err << "tavro: " << arg << " needs a value\n" << kUsage;
        return 2;
      }
      std::string value = argv[++i];
      if (arg == "--start") {
        options.start = value;
        options.start_given = true;
      } else if (arg == "--mud") {
        options.mud = value;
      } else {
        options.named.emplace_back(arg.substr(2), value);
      }
    } else if (command.empty()) {
      command = arg;
    } else {
      options.args.push_back(arg);
    }
  }
  if (command == "roundtrip") return run_roundtrip(options, out, err);
  if (command == "check") return run_check(options, out, err);
  if (command == "map") return run_map(options, out, err);
  err << kUsage;
  return 2;
}

}  // namespace tavro::cli

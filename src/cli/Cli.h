#pragma once
// The headless tool: argument parsing and one function per command. Output is UTF-8.
#include <iosfwd>
#include <string>
#include <vector>

namespace tavro::cli {

struct Options {
  std::string start = ".";        // start folder with TavroEd.ini and the lists
  bool start_given = false;       // --start was given (its folder may be ".")
  std::string mud;                // server root; empty: the ini's MudFiles/Path, else START/mud
  std::vector<std::string> args;  // the command's own arguments, options removed
  std::vector<std::pair<std::string, std::string>> named;  // other --name value pairs
  std::string named_value(const std::string& name, const std::string& fallback = {}) const;
};

int run(int argc, char** argv, std::ostream& out, std::ostream& err);

// Prints an error message chain: Windows-1251 to UTF-8, CR LF as a line break.
void print_error(std::ostream& err, const std::string& message);

int run_roundtrip(const Options& options, std::ostream& out, std::ostream& err);
int run_check(const Options& options, std::ostream& out, std::ostream& err);
int run_map(const Options& options, std::ostream& out, std::ostream& err);

}  // namespace tavro::cli

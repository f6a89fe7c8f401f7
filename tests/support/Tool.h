#pragma once
// Runs the command-line tool as a separate program, its output caught in files of a scratch folder.
#include <sys/wait.h>

#include <cstdlib>
#include <string>

#include "support/Scratch.h"

namespace tavro::test {

struct ToolRun {
  int exit_code = -1;
  std::string out;
  std::string err;
};

inline std::string quoted(const std::string& text) {
  return "'" + text + "'";
}

// tavro with the arguments (quoted by the caller where they need it). shell_prefix comes before the
// command: a change of folder ("cd DIR && "), or environment settings ("env -u NAME ").
inline ToolRun run_tool(const ScratchDir& dir, const std::string& arguments,
                        const std::string& shell_prefix = "") {
  const std::string out = dir.file("stdout.txt"), err = dir.file("stderr.txt");
  const int status = std::system(
      (shell_prefix + quoted(TAVRO_CLI_PATH) + " " + arguments + " >" + quoted(out) + " 2>" + quoted(err))
          .c_str());
  return ToolRun{WIFEXITED(status) ? WEXITSTATUS(status) : -1, read_file(out), read_file(err)};
}

}  // namespace tavro::test

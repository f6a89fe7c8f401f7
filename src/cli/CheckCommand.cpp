#include <algorithm>
#include <cstdio>
#include <exception>
#include <ostream>

#include "area/Area.h"
#include "cli/Cli.h"
#include "cli/CliWorld.h"
#include "reading/AreaFile.h"
#include "reading/Paths.h"
#include "world/Areas.h"
#include "world/World.h"
#include "world/WorldCheck.h"

namespace tavro::cli {

namespace {

struct LoadSummary {
  int loaded = 0;
  int failed = 0;
};

// Loads every listed area the way the editor's start-up does when the user goes on past every failure:
// each failure is printed whole, the area is dropped, the rest load.
LoadSummary load_areas(TWorld& world, std::ostream& err) {
  LoadSummary summary;
  std::string area_folder = join_path(world.MudPath, "area");
  for (size_t i = 0; i < world.AreaNames.size();) {
    try {
      world.load_single_area(join_path(area_folder, world.AreaNames[i]));
      ++summary.loaded;
      ++i;
    } catch (const std::exception& e) {
      print_error(err, e.what());
      ++summary.failed;
      world.AreaNames.erase(world.AreaNames.begin() + static_cast<std::ptrdiff_t>(i));
    }
  }
  return summary;
}

bool has_flag(const Options& options, const std::string& name) {
  return std::any_of(options.named.begin(), options.named.end(),
                     [&](const auto& pair) { return pair.first == name; });
}

void print_text(std::ostream& out, const LoadSummary& summary, const TWorldProblems& problems) {
  out << summary.loaded << " areas loaded, " << summary.failed << " failed\n";
  for (const TWorldProblem& problem : problems)
    out << cp1251_to_utf8(format_problem(problem)) << '\n';
  if (!problems.empty()) out << summarize_problems(problems) << '\n';
}

// A Windows-1251 text as a JSON string.
std::string json_string(const std::string& text) {
  std::string quoted = "\"";
  for (char c : cp1251_to_utf8(text)) {
    if (c == '"' || c == '\\') {
      quoted += '\\';
      quoted += c;
    } else if (static_cast<unsigned char>(c) < 0x20) {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned>(c));
      quoted += escape;
    } else {
      quoted += c;
    }
  }
  return quoted + "\"";
}

void print_json_problem(std::ostream& out, const TWorldProblem& problem) {
  const TRecordRef& record = problem.Record;
  out << "{\"area\": " << json_string(area_file_label(*record.Area)) << ", \"severity\": \""
      << severity_name(problem.Severity) << "\", \"kind\": \"" << record_kind_name(record.Kind)
      << "\", \"vnum\": " << record.Vnum;
  if (record.Kind == TRecordKind::Reset) out << ", \"reset\": " << record.Index + 1;
  out << ", \"message\": " << json_string(problem.Message) << "}";
}

void print_json(std::ostream& out, const LoadSummary& summary, const TWorldProblems& problems) {
  const auto counts = count_severities(problems);
  out << "{\n  \"areas_loaded\": " << summary.loaded << ",\n  \"areas_failed\": " << summary.failed
      << ",\n  \"errors\": " << counts[0] << ",\n  \"warnings\": " << counts[1]
      << ",\n  \"notes\": " << counts[2] << ",\n  \"problems\": [";
  for (size_t i = 0; i < problems.size(); ++i) {
    out << (i == 0 ? "\n    " : ",\n    ");
    print_json_problem(out, problems[i]);
  }
  out << (problems.empty() ? "]\n}\n" : "\n  ]\n}\n");
}

}  // namespace

// Builds the world, loads every listed area and checks the loaded world. Exit 1 when an area failed or an
// error was found, 2 when the world cannot be built.
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

  const LoadSummary summary = load_areas(*world, err);
  const TWorldProblems problems = check_world(*world->Areas);
  if (has_flag(options, "json"))
    print_json(out, summary, problems);
  else
    print_text(out, summary, problems);
  const bool any_error = count_severities(problems)[0] > 0;
  return list_failed || summary.failed > 0 || any_error ? 1 : 0;
}

}  // namespace tavro::cli

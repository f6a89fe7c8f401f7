#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sstream>

#include "cli/Cli.h"
#include "cli/CliWorld.h"
#include "reading/Paths.h"
#include "support/Tool.h"
#include "world/World.h"
#include "world_fixture.h"

namespace tavro {
namespace {

using ::testing::StartsWith;

using ::testing::HasSubstr;

using testing::ScratchWorld;

// Exit status, standard output and standard error of "check" on the scratch world.
std::tuple<int, std::string, std::string> check(const ScratchWorld& scratch) {
  cli::Options options;
  options.start = scratch.start();
  options.mud = scratch.mud();
  std::ostringstream out, err;
  const int status = cli::run_check(options, out, err);
  return {status, out.str(), err.str()};
}

TEST(CliWorld, TheServerRootComesFromTheOptionTheIniOrTheStartFolder) {
  ScratchWorld scratch;
  cli::Options options;
  options.start = scratch.start();
  EXPECT_EQ(cli::mud_folder(options), join_path(scratch.start(), "mud"));
  scratch.write("start/TavroEd.ini", "[MudFiles]\r\nPath=..\\server\r\n");
  EXPECT_EQ(cli::mud_folder(options), join_path(scratch.start(), "../server"));
  scratch.write("start/TavroEd.ini", "[mudfiles]\r\npath=/srv/mud\r\n");
  EXPECT_EQ(cli::mud_folder(options), "/srv/mud");
  options.mud = "elsewhere";
  EXPECT_EQ(cli::mud_folder(options), "elsewhere");
}

TEST(CliWorld, CheckReportsAWorldThatCannotBeBuilt) {
  ScratchWorld scratch;
  scratch.write_complete();
  scratch.write_server("mud/system/damages.dat", "#DAMAGE\nSkill fireball~\nEnd\n#END\n");
  const std::string start = scratch.start(), mud = scratch.mud();
  const char* argv[] = {"tavro", "--start", start.c_str(), "--mud", mud.c_str(), "check"};
  std::ostringstream out, err;
  EXPECT_EQ(cli::run(6, const_cast<char**>(argv), out, err), 2);
  EXPECT_EQ(err.str(), "Load Damages:\nLoad Damage:\nSkill 'fireball' invalid\n");
  EXPECT_EQ(out.str(), "");
}

TEST(CliWorld, CheckLoadsEveryAreaAndReportsEachFailureWhole) {
  ScratchWorld scratch;
  scratch.write_complete();
  scratch.write_server("mud/area/area.lst", "town.are\nforest.are\nswamp.are\n$\n");
  scratch.write_server("mud/area/forest.are", "#$\n");
  scratch.write_server("mud/area/swamp.are", "#$\n");
  const auto [status, out, err] = check(scratch);
  EXPECT_EQ(std::tie(status, out), std::make_tuple(1, "2 areas loaded, 1 failed\n"));
  std::string town = join_path(scratch.mud(), "area/town.are");
  EXPECT_THAT(
      err, StartsWith("Load Single Area:\nload_area \"" + town + "\":\nCannot open file \"" + town + "\""));
  scratch.write_server("mud/area/town.are", "#$\n");
  EXPECT_EQ(check(scratch), std::make_tuple(0, "3 areas loaded, 0 failed\n", ""));
  // The world's message for a list it cannot read, and no area loaded.
  scratch.write_server("mud/area/area.lst", "town.are\n");
  EXPECT_EQ(
      check(scratch),
      std::make_tuple(1, "0 areas loaded, 0 failed\n",
                      "Load Areas List (town.are):\nfread_word: fread_letter: EOF encountered on read.\n"));
}

// Where the server root comes from is tested in process above; the tool run shows the world built
// from the options and its areas checked.
TEST(CliWorld, TheSampleWorldChecksCleanThroughTheTool) {
  ScratchWorld scratch;
  std::filesystem::copy(TAVRO_SAMPLE_DIR, scratch.path("sample"), std::filesystem::copy_options::recursive);
  const test::ToolRun run =
      test::run_tool(scratch.scratch(), "check --start " + test::quoted(scratch.path("sample")));
  EXPECT_EQ(std::tie(run.exit_code, run.err), std::make_tuple(0, "")) << run.err;
  EXPECT_THAT(run.out, HasSubstr(" areas loaded, 0 failed\n"));
  EXPECT_NE(run.out.rfind("0 areas", 0), 0u) << run.out;  // the sample's areas were loaded, not skipped
}

}  // namespace
}  // namespace tavro

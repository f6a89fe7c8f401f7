#include <gtest/gtest.h>

#include <sys/wait.h>
#include <cstdlib>
#include <string>

#include "area/AreaTestSupport.h"

namespace tavro {
namespace {

using test::read_file;

const std::string kData = std::string(TAVRO_TEST_DATA_DIR) + "/area/";

struct CliResult {
  int exit_code = -1;
  std::string err;
};

std::string shell_quoted(const std::string& s) {
  return "'" + s + "'";
}

CliResult run_cli(const test::ScratchDir& dir, const std::string& arguments) {
  std::string err_file = dir.file("stderr.txt");
  std::string command =
      shell_quoted(TAVRO_CLI_PATH) + " " + arguments + " >/dev/null 2>" + shell_quoted(err_file);
  int status = std::system(command.c_str());
  CliResult result;
  result.exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  result.err = read_file(err_file);
  return result;
}

TEST(RoundtripCommandTest, HeaderOnlyAreaComesBackByteForByteWithoutAWorld) {
  test::ScratchDir dir;
  std::string first = dir.file("first.are"), second = dir.file("second.are");
  CliResult run =
      run_cli(dir, "roundtrip " + shell_quoted(kData + "header_only.are") + " " + shell_quoted(first));
  ASSERT_EQ(run.exit_code, 0) << run.err;
  EXPECT_EQ(run.err, "");
  // Russian text survives; the box-drawing characters come back as their look-alikes.
  EXPECT_EQ(read_file(first), read_file(kData + "header_only.expected.are"));
  run = run_cli(dir, "roundtrip " + shell_quoted(first) + " " + shell_quoted(second));
  ASSERT_EQ(run.exit_code, 0) << run.err;
  EXPECT_EQ(read_file(second), read_file(first));
}

TEST(RoundtripCommandTest, ErrorChainGoesToStandardErrorInUtf8) {
  test::ScratchDir dir;
  std::string in = dir.file("broken.are");
  test::write_file(in, test::koi8("#AREA Город~\n#VERSION Ж\n#$\n"));
  CliResult run = run_cli(dir, "roundtrip " + shell_quoted(in) + " " + shell_quoted(dir.file("out.are")));
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_EQ(run.err, "load_area \"" + in + "\":\n#VERSION:\nfread_number: Bad format. (Ж)\n");
  EXPECT_FALSE(std::filesystem::exists(dir.file("out.are")));
}

TEST(RoundtripCommandTest, AreaNeedingAWorldFailsClearlyWithoutOne) {
  test::ScratchDir dir;
  std::string in = dir.file("mobiles.are");
  test::write_file(
      in,
      "#VERSION 11\n#MOBILES\n#1\nm~\ns~\nl~\nd\n~\n0 0 0 C\n1 2 3 1d1+1 1d1+1\n0 0\n112 112 MALE\n"
      "13 13 13 13 13 13 13\n0 0 0 0 0\nhuman~ mage~ 0 0 0 0 0\n0 0 0 0 0 0 0 0\n#0\n#$\n");
  CliResult run = run_cli(dir, "roundtrip " + shell_quoted(in) + " " + shell_quoted(dir.file("out.are")));
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_EQ(run.err, "load_area \"" + in + "\":\n#MOBILES (beyond1):\n#MOBILES (1):\nUnknown race!\n");
}

TEST(RoundtripCommandTest, EverySampleAreaRoundTripsInItsWorldTwiceTheSame) {
  test::ScratchDir dir;
  // A copy: building the world writes the server root into the settings file.
  std::filesystem::copy(TAVRO_SAMPLE_DIR, dir.file("sample"), std::filesystem::copy_options::recursive);
  const std::string world_options =
      "--start " + shell_quoted(dir.file("sample")) + " --mud " + shell_quoted(dir.file("sample/mud")) + " ";
  int areas = 0;
  for (const auto& entry : std::filesystem::directory_iterator(dir.file("sample/mud/area"))) {
    if (entry.path().extension() != ".are") continue;
    ++areas;
    std::string name = entry.path().filename().string();
    SCOPED_TRACE(name);
    std::string first = dir.file("first-" + name), second = dir.file("second-" + name);
    CliResult run = run_cli(
        dir, world_options + "roundtrip " + shell_quoted(entry.path().string()) + " " + shell_quoted(first));
    ASSERT_EQ(run.exit_code, 0) << run.err;
    run = run_cli(dir, world_options + "roundtrip " + shell_quoted(first) + " " + shell_quoted(second));
    ASSERT_EQ(run.exit_code, 0) << run.err;
    EXPECT_EQ(read_file(second), read_file(first));
  }
  EXPECT_GE(areas, 4);
}

TEST(RoundtripCommandTest, WorldThatCannotBeBuiltIsReported) {
  test::ScratchDir dir;
  CliResult run =
      run_cli(dir, "--start " + shell_quoted(dir.file("nowhere")) + " roundtrip " +
                       shell_quoted(kData + "header_only.are") + " " + shell_quoted(dir.file("out.are")));
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_FALSE(run.err.empty());
  EXPECT_FALSE(std::filesystem::exists(dir.file("out.are")));
}

TEST(RoundtripCommandTest, WrongArgumentCountIsAUsageError) {
  test::ScratchDir dir;
  CliResult run = run_cli(dir, "roundtrip only-one.are");
  EXPECT_EQ(run.exit_code, 2);
  EXPECT_NE(run.err.find("usage:"), std::string::npos) << run.err;
}

}  // namespace
}  // namespace tavro

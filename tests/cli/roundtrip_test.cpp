#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "area/AreaTestSupport.h"
#include "support/Tool.h"

namespace tavro {
namespace {

using ::testing::HasSubstr;

using test::quoted;
using test::read_file;
using test::run_tool;
using test::ToolRun;

const std::string kData = std::string(TAVRO_TEST_DATA_DIR) + "/area/";

ToolRun roundtrip(const test::ScratchDir& dir, const std::string& in, const std::string& out,
                  const std::string& world_options = "") {
  return run_tool(dir, world_options + "roundtrip " + quoted(in) + " " + quoted(out));
}

TEST(RoundtripCommandTest, HeaderOnlyAreaComesBackByteForByteWithoutAWorld) {
  test::ScratchDir dir;
  std::string first = dir.file("first.are"), second = dir.file("second.are");
  ToolRun run = roundtrip(dir, kData + "header_only.are", first);
  ASSERT_EQ(run.exit_code, 0) << run.err;
  EXPECT_EQ(run.err, "");
  // Russian text survives; the box-drawing characters come back as their look-alikes.
  EXPECT_EQ(read_file(first), read_file(kData + "header_only.expected.are"));
  run = roundtrip(dir, first, second);
  ASSERT_EQ(run.exit_code, 0) << run.err;
  EXPECT_EQ(read_file(second), read_file(first));
}

TEST(RoundtripCommandTest, ErrorChainGoesToStandardErrorInUtf8) {
  test::ScratchDir dir;
  std::string in = dir.file("broken.are");
  test::write_file(in, test::koi8("#AREA Город~\n#VERSION Ж\n#$\n"));
  ToolRun run = roundtrip(dir, in, dir.file("out.are"));
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
  ToolRun run = roundtrip(dir, in, dir.file("out.are"));
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_EQ(run.err, "load_area \"" + in + "\":\n#MOBILES (beyond1):\n#MOBILES (1):\nUnknown race!\n");
}

// The sample world's own test writes every area twice in process; through the tool one area that
// needs a world (its mobiles name races) shows that the world reaches the area reader and writer,
// whether the options name it by absolute or relative folders, or the current folder holds its settings.
TEST(RoundtripCommandTest, SampleAreaLoadsAndSavesInItsWorld) {
  test::ScratchDir dir;
  // A copy: building the world writes the server root into the settings file.
  std::filesystem::copy(TAVRO_SAMPLE_DIR, dir.file("sample"), std::filesystem::copy_options::recursive);
  const std::string in_sample = "cd " + quoted(dir.file("sample")) + " && ";
  const std::pair<std::string, std::string> runs[] = {
      {"", "--start " + quoted(dir.file("sample")) + " --mud " + quoted(dir.file("sample/mud")) + " "},
      {in_sample, "--start . "},
      {in_sample, ""}};
  for (const auto& [prefix, world] : runs) {
    std::filesystem::remove(dir.file("out.are"));
    const ToolRun run = run_tool(dir,
                                 world + "roundtrip " + quoted(dir.file("sample/mud/area/town.are")) + " " +
                                     quoted(dir.file("out.are")),
                                 prefix);
    EXPECT_EQ(std::tie(run.exit_code, run.err), std::make_tuple(0, "")) << prefix << world;
    EXPECT_TRUE(std::filesystem::exists(dir.file("out.are")));
  }
}

TEST(RoundtripCommandTest, WorldThatCannotBeBuiltIsReported) {
  test::ScratchDir dir;
  ToolRun run = roundtrip(dir, kData + "header_only.are", dir.file("out.are"),
                          "--start " + quoted(dir.file("nowhere")) + " ");
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_FALSE(run.err.empty());
  EXPECT_FALSE(std::filesystem::exists(dir.file("out.are")));
}

TEST(RoundtripCommandTest, WrongArgumentCountIsAUsageError) {
  test::ScratchDir dir;
  ToolRun run = run_tool(dir, "roundtrip only-one.are");
  EXPECT_EQ(run.exit_code, 2);
  EXPECT_THAT(run.err, HasSubstr("usage:"));
}

}  // namespace
}  // namespace tavro

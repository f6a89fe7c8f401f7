// tavro map end to end on a copy of the sample world: PNG and SVG output of the laid-out level, and the
// messages of wrong arguments and missing areas.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/Scratch.h"
#include "support/Tool.h"

namespace tavro {
namespace {

using ::testing::StartsWith;

using ::testing::HasSubstr;

using test::quoted;
using test::read_file;
using test::run_tool;
using test::ToolRun;

const std::string kUsage =
    "usage: tavro [--start DIR] [--mud DIR] map AREA_FILE_NAME --level N [--zoom Z] --out "
    "FILE.png|FILE.svg\n";

class MapCommandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::copy(TAVRO_SAMPLE_DIR, start(), std::filesystem::copy_options::recursive);
  }
  std::string start() const { return dir.file("sample"); }

  ToolRun tavro(const std::string& arguments) const {
    return run_tool(dir, "--start " + quoted(start()) + " " + arguments);
  }

  test::ScratchDir dir;
};

uint32_t big_endian(const std::string& bytes, size_t at) {
  uint32_t value = 0;
  for (size_t i = 0; i < 4; ++i)
    value = value << 8 | static_cast<unsigned char>(bytes.at(at + i));
  return value;
}

// The command draws through Qt; a build without the UI only explains that it cannot.
#ifdef TAVRO_NO_UI
#define SKIP_WITHOUT_QT() GTEST_SKIP() << "built without Qt"
#else
#define SKIP_WITHOUT_QT() (void)0
#endif

TEST_F(MapCommandTest, WritesAPngOfTheLevelAtTheMapsSize) {
  SKIP_WITHOUT_QT();
  const std::string png = dir.file("town.png");
  // Without a runtime folder, as under a service: nothing on standard error, and the private one the
  // run makes in the temporary folder is gone after it.
  const std::string temp = dir.file("temp");
  std::filesystem::create_directory(temp);
  const ToolRun run =
      run_tool(dir, "--start " + quoted(start()) + " map town.are --level 0 --out " + quoted(png),
               "env -u XDG_RUNTIME_DIR TMPDIR=" + quoted(temp) + " ");
  ASSERT_EQ(run.exit_code, 0) << run.err;
  EXPECT_EQ(run.err, "");
  EXPECT_TRUE(std::filesystem::is_empty(temp));
  // The town's layout spans 8 columns and 9 rows: (4 * 8 + 8 + 1) * 10 by (4 * 9 + 8 + 1) * 10.
  EXPECT_EQ(run.out, "wrote " + png + ": 410 x 450 pixels, level 0 with 27 of 31 rooms (levels -1 to 1)\n");
  const std::string bytes = read_file(png);
  ASSERT_GT(bytes.size(), 24U);
  EXPECT_EQ(bytes.substr(0, 8), std::string("\x89PNG\r\n\x1a\n"));
  EXPECT_EQ(bytes.substr(12, 4), "IHDR");
  EXPECT_EQ(std::make_tuple(big_endian(bytes, 16), big_endian(bytes, 20)), std::make_tuple(410u, 450u));
}

TEST_F(MapCommandTest, WritesAnSvgByExtensionAtAnyZoom) {
  SKIP_WITHOUT_QT();
  const std::string svg = dir.file("forest.SVG");
  const ToolRun run = tavro("map FOREST.ARE --level -1 --zoom 5 --out " + quoted(svg));
  ASSERT_EQ(run.exit_code, 0) << run.err;
  const std::string text = read_file(svg);
  EXPECT_THAT(text, HasSubstr("<svg"));
  EXPECT_THAT(text, HasSubstr("viewBox=\"0 0 145 145\""));  // 5 columns and 5 rows at zoom 5
  EXPECT_THAT(text, HasSubstr("<polyline")) << "exits are drawn";
}

TEST_F(MapCommandTest, WrongArgumentsExplainAndWriteNothing) {
  const std::string png = quoted(dir.file("x.png"));
  const std::pair<std::string, std::string> cases[] = {
      {"map town.are --out " + png, "--level needs a whole number"},
      {"map town.are --level 1x --out " + png, "--level needs a whole number"},
      {"map town.are --level 0 --zoom 0 --out " + png, "--zoom needs a whole number from 1 to 1000"},
      {"map town.are --level 0", "--out FILE is needed"},
      {"map town.are --level 0 --out " + quoted(dir.file("x.gif")),
       "the output file must end in .png or .svg"},
      {"map --level 0 --out " + png, "exactly one area file name is needed"},
      {"map town.are --level 0 --colour red --out " + png, "unknown option --colour"},
  };
  for (const auto& [arguments, message] : cases) {
    const ToolRun run = tavro(arguments);
    EXPECT_EQ(run.exit_code, 2) << arguments;
    EXPECT_EQ(run.err, "tavro map: " + message + "\n" + kUsage) << arguments;
  }
  EXPECT_FALSE(std::filesystem::exists(dir.file("x.png")));
}

TEST_F(MapCommandTest, MissingAreaNamesWhereItWasLookedFor) {
  SKIP_WITHOUT_QT();
  const ToolRun run = tavro("map nosuch.are --level 0 --out " + quoted(dir.file("x.png")));
  EXPECT_EQ(run.exit_code, 1);
  const std::string where = start() + "/mud/area/nosuch.are";
  EXPECT_THAT(run.err, StartsWith("Load Single Area:\nload_area \"" + where + "\":\n"));
  EXPECT_FALSE(std::filesystem::exists(dir.file("x.png")));
}

TEST_F(MapCommandTest, WorldThatCannotBeBuiltExitsTwo) {
  const ToolRun run = tavro("--mud " + quoted(dir.file("nowhere")) + " map town.are --level 0 --out " +
                            quoted(dir.file("x.png")));
  EXPECT_EQ(run.exit_code, 2);
  EXPECT_NE(run.err, "");
  EXPECT_EQ(run.out, "");
  EXPECT_FALSE(std::filesystem::exists(dir.file("x.png")));
}

TEST_F(MapCommandTest, TooLargeAPngIsRefused) {
  SKIP_WITHOUT_QT();
  const ToolRun run = tavro("map town.are --level 0 --zoom 1000 --out " + quoted(dir.file("big.png")));
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_EQ(run.err, "tavro map: the map would be 41000 x 45000 pixels; use a smaller --zoom\n");
  EXPECT_FALSE(std::filesystem::exists(dir.file("big.png")));
}

}  // namespace
}  // namespace tavro

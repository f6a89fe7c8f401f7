// The bundled sample world: every area loads, look-ups cross area boundaries, and every area is
// written back the same way twice.
#include <gtest/gtest.h>

#include <map>
#include <regex>
#include <sstream>

#include "area/AreaTestSupport.h"
#include "area/Header.h"
#include "area/Mobiles.h"
#include "area/Objects.h"
#include "area/Resets.h"
#include "area/Rooms.h"
#include "reading/Paths.h"
#include "world/Areas.h"

namespace tavro {
namespace {

class SampleWorldTest : public ::testing::Test {
 protected:
  // The world remembers its server root in the settings file: it is built on a copy of the sample.
  void SetUp() override {
    std::filesystem::copy(TAVRO_SAMPLE_DIR, dir.file("sample"), std::filesystem::copy_options::recursive);
    world = std::make_unique<TWorld>(dir.file("sample"), dir.file("sample/mud"));
    ASSERT_EQ(world->AreasListError, "");
    ASSERT_GE(world->AreaNames.size(), 4u);
    for (const std::string& name : world->AreaNames)
      world->load_single_area(area_path(name));
  }
  std::string area_path(const std::string& name) const { return dir.file("sample/mud/area/" + name); }

  test::ScratchDir dir;
  std::unique_ptr<TWorld> world;
};

TEST_F(SampleWorldTest, EveryListedAreaLoadsInListOrder) {
  ASSERT_EQ(world->Areas->Items.size(), world->AreaNames.size());
  for (size_t i = 0; i < world->AreaNames.size(); ++i) {
    EXPECT_EQ(world->Areas->Items[i]->Header->FileName, world->AreaNames[i]);
    EXPECT_FALSE(world->Areas->Items[i]->IsNew);
  }
}

TEST_F(SampleWorldTest, ProgramFilesReachMobilesAndObjectsThroughTheirSections) {
  TArea* where = nullptr;
  TAreaMobile* miller = world->Areas->find_mobile(6000, &where);
  ASSERT_NE(miller, nullptr);
  EXPECT_EQ(where->Header->FileName, "mill.are");
  EXPECT_FALSE(miller->Progs->Items.empty());
  TAreaObject* millstone = world->Areas->find_object(6001, &where);
  ASSERT_NE(millstone, nullptr);
  EXPECT_EQ(where->Header->FileName, "mill.are");
  EXPECT_FALSE(millstone->Progs->Items.empty());
  EXPECT_NE(world->Areas->find_room(6000, &where), nullptr);
  EXPECT_EQ(where->Header->FileName, "mill.are");
}

TEST_F(SampleWorldTest, MobileResetsAreCountedAcrossAllAreas) {
  // Counted independently from the files' text: lines "M <extra> <mobile> ..." of #RESETS sections.
  std::map<int32_t, int32_t> expected;
  for (const std::string& name : world->AreaNames) {
    std::istringstream text(test::read_file(area_path(name)));
    std::string line;
    bool in_resets = false;
    std::smatch match;
    while (std::getline(text, line)) {
      if (line.rfind("#RESETS", 0) == 0)
        in_resets = true;
      else if (!line.empty() && line[0] == 'S')
        in_resets = false;
      else if (in_resets && std::regex_search(line, match, std::regex("^M\\s+-?\\d+\\s+(-?\\d+)")))
        ++expected[std::stoi(match[1])];
    }
  }
  ASSERT_FALSE(expected.empty());
  for (const auto& [vnum, count] : expected)
    EXPECT_EQ(world->Areas->count_mobile_resets(vnum), count) << vnum;
}

TEST_F(SampleWorldTest, EveryAreaIsWrittenTheSameWayTwice) {
  for (const auto& area : world->Areas->Items) {
    SCOPED_TRACE(area->Header->FileName);
    std::string first_path = dir.file("first-" + area->Header->FileName);
    area->save_area(first_path);
    TArea again(world->Areas.get());
    again.load_area(first_path);
    std::string second_path = dir.file("second-" + area->Header->FileName);
    again.save_area(second_path);
    EXPECT_EQ(test::read_file(second_path), test::read_file(first_path));
  }
}

}  // namespace
}  // namespace tavro

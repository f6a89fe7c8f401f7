// The bundled sample world: every area loads, program files reach their records, and every area is
// written back the same way twice.
#include <gtest/gtest.h>

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
  TArea* mobile_area = nullptr;
  TArea* object_area = nullptr;
  TAreaMobile* miller = world->Areas->find_mobile(6000, &mobile_area);
  TAreaObject* millstone = world->Areas->find_object(6001, &object_area);
  ASSERT_TRUE(miller != nullptr && millstone != nullptr);
  EXPECT_EQ(std::make_tuple(mobile_area->Header->FileName, object_area->Header->FileName),
            std::make_tuple("mill.are", "mill.are"));
  EXPECT_FALSE(miller->Progs->Items.empty() || millstone->Progs->Items.empty());
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

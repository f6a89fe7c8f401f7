// An area's whole contents exchanged with another's: every back reference follows its record, each area
// writes what the other wrote, and the change made of it reverts and applies again.
#include <gtest/gtest.h>

#include <filesystem>

#include "area/AreaContents.h"
#include "area/AreaTestSupport.h"
#include "area/Header.h"
#include "area/Helps.h"
#include "area/Mobiles.h"
#include "area/Objects.h"
#include "area/Resets.h"
#include "area/Rooms.h"
#include "area/Shops.h"
#include "reading/AreaFile.h"
#include "world/Areas.h"

namespace tavro {
namespace {

class AreaContentsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::copy(TAVRO_SAMPLE_DIR, dir.file("sample"), std::filesystem::copy_options::recursive);
    world = std::make_unique<TWorld>(dir.file("sample"), dir.file("sample/mud"));
    for (const std::string& name : world->AreaNames)
      world->load_single_area(dir.file("sample/mud/area/" + name));
    ASSERT_GE(world->Areas->Items.size(), 2u);
  }

  static std::string text_of(const TArea& area) {
    TAreaFile f;
    area.write_area(f);
    return f.Buffer;
  }

  // Every record of the area reaches the area through its back references.
  static void expect_owned_by(TArea& area) {
    EXPECT_EQ(area.Header->Area, &area);
    EXPECT_EQ(area.Helps->Area, &area);
    EXPECT_EQ(area.Shops->Area, &area);
    EXPECT_EQ(area.RepairShops->Area, &area);
    EXPECT_EQ(area.Resets->Area, &area);
    for (const auto& mobile : area.Mobiles->Items)
      EXPECT_EQ(mobile->area(), &area);
    for (const auto& object : area.Objects->Items) {
      EXPECT_EQ(object->area(), &area);
      EXPECT_EQ(object->Affects.Area, &area);
    }
    for (const auto& room : area.Rooms->Items)
      EXPECT_EQ(room->area(), &area);
    for (const auto& reset : area.Resets->Items)
      EXPECT_EQ(reset->Owner->Area, &area);
  }

  TArea* with_most_objects() const {
    TArea* best = world->Areas->Items.front().get();
    for (const auto& area : world->Areas->Items)
      if (area->Objects->Items.size() > best->Objects->Items.size()) best = area.get();
    return best;
  }

  test::ScratchDir dir;
  std::unique_ptr<TWorld> world;
};

TEST_F(AreaContentsTest, SwappedContentsAreWrittenByTheOtherAreaAndOwnedByIt) {
  TArea& a = *with_most_objects();
  TArea& b =
      *(world->Areas->Items.front().get() == &a ? world->Areas->Items.back() : world->Areas->Items.front());
  ASSERT_FALSE(a.Objects->Items.empty());
  const std::string text_a = text_of(a), text_b = text_of(b);
  const std::string file_a = a.Header->FileName;
  swap_area_contents(a, b);
  EXPECT_EQ(text_of(a), text_b);
  EXPECT_EQ(text_of(b), text_a);
  EXPECT_EQ(b.Header->FileName, file_a);
  expect_owned_by(a);
  expect_owned_by(b);
  swap_area_contents(a, b);
  EXPECT_EQ(text_of(a), text_a);
  expect_owned_by(a);
}

TEST_F(AreaContentsTest, TheChangeTakesTheReplacementAndGivesTheOwnContentsBack) {
  TArea& live = *with_most_objects();
  const std::string own = text_of(live);
  auto replacement = std::make_unique<TArea>(world->Areas.get());
  TAreaFile f;
  f.load_text(own);
  replacement->read_area(f);
  replacement->Header->Name = "Recovered";
  replacement->Rooms->Add().Vnum = 99999;
  const std::string recovered = text_of(*replacement);
  live.IsNew = false;

  std::unique_ptr<TChange> change = ChangeAreaContents(live, std::move(replacement));
  ASSERT_EQ(change->Touched().size(), 1u);
  EXPECT_EQ(change->Touched()[0].area, &live);
  EXPECT_EQ(change->Touched()[0].scope, kWholeAreaChanged);
  EXPECT_EQ(text_of(live), recovered);
  EXPECT_FALSE(live.IsNew);
  expect_owned_by(live);
  change->Revert();
  EXPECT_EQ(text_of(live), own);
  expect_owned_by(live);
  change->Apply();
  EXPECT_EQ(live.Header->Name, "Recovered");
  EXPECT_NE(live.Rooms->FindByVnum(99999), nullptr);
  expect_owned_by(live);
  // The world finds the records in their new place.
  TArea* found = nullptr;
  world->Areas->find_room(99999, &found);
  EXPECT_EQ(found, &live);
}

}  // namespace
}  // namespace tavro

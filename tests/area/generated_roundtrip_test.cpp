// A small generated world (the generator of the benchmarks) loads with the area readers and saves
// back byte for byte: the generator writes the text independently of the writers, so a difference
// points at a reader or a writer that moves, drops or changes something.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <set>
#include <string>

#include "area/Area.h"
#include "area/Directions.h"
#include "area/Helps.h"
#include "area/Mobiles.h"
#include "area/Objects.h"
#include "area/Programs.h"
#include "area/Resets.h"
#include "area/Rooms.h"
#include "area/Shops.h"
#include "support/Scratch.h"
#include "support/WorldGenerator.h"
#include "world/Areas.h"
#include "world/World.h"

namespace tavro {
namespace {

namespace fs = std::filesystem;
using bench::TGeneratedWorld;
using bench::TWorldShape;
using test::read_file;

constexpr TWorldShape kShape{3, 45, 77};

class GeneratedWorldRoundTrip : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { generated_ = new TGeneratedWorld(kShape); }
  static void TearDownTestSuite() {
    delete generated_;
    generated_ = nullptr;
  }

  void SetUp() override {
    world_ = std::make_unique<TWorld>(generated_->StartFolder, generated_->MudFolder);
    for (const std::string& path : generated_->AreaPaths)
      world_->load_single_area(path);
  }

  TArea& area(size_t i) const { return *world_->Areas->Items.at(i); }
  std::string saved_path(const std::string& name) const {
    return (fs::path(generated_->Root) / ("saved-" + name)).string();
  }

  static TGeneratedWorld* generated_;
  std::unique_ptr<TWorld> world_;
};

TGeneratedWorld* GeneratedWorldRoundTrip::generated_ = nullptr;

TEST_F(GeneratedWorldRoundTrip, WorldListsEveryGeneratedAreaAndAllOfThemLoad) {
  ASSERT_EQ(world_->AreaNames, (TStringList{"gen0.are", "gen1.are", "gen2.are"}));
  EXPECT_EQ(world_->Areas->Items.size(), 3u);
  EXPECT_EQ(read_file((fs::path(generated_->MudFolder) / "area" / "area.lst").string()),
            "gen0.are\ngen1.are\ngen2.are\n$\n");
  uint64_t bytes = 0;
  for (const std::string& path : generated_->AreaPaths)
    bytes += fs::file_size(path);
  EXPECT_EQ(bytes, generated_->AreaBytes);
}

// Equal bytes on the first save also make every later load and save give the same.
TEST_F(GeneratedWorldRoundTrip, SavingGivesTheGeneratedBytes) {
  for (size_t i = 0; i < generated_->AreaPaths.size(); ++i) {
    SCOPED_TRACE(generated_->AreaPaths[i]);
    const std::string saved = saved_path(std::to_string(i) + ".are");
    area(i).save_area(saved);
    EXPECT_EQ(read_file(saved), read_file(generated_->AreaPaths[i]));
  }
}

TEST_F(GeneratedWorldRoundTrip, GenerationIsDeterministic) {
  for (int32_t i = 0; i < kShape.Areas; ++i)
    EXPECT_EQ(bench::generate_area_text(*world_, kShape, i),
              read_file(generated_->AreaPaths[static_cast<size_t>(i)]));
  TWorldShape other = kShape;
  other.Seed += 1;
  EXPECT_NE(bench::generate_area_text(*world_, other, 0), read_file(generated_->AreaPaths[0]));
}

TEST_F(GeneratedWorldRoundTrip, RoomsFormAGridWithExitsBothWaysAcrossAreas) {
  size_t exits = 0, doors = 0, cross_area = 0;
  for (const auto& one_area : world_->Areas->Items) {
    ASSERT_EQ(one_area->Rooms->Items.size(), static_cast<size_t>(kShape.RoomsPerArea));
    for (const auto& room : one_area->Rooms->Items) {
      for (int32_t direction = 0; direction < DirectionCount; ++direction) {
        const TAreaDoor* exit = room->Doors[static_cast<size_t>(direction)].get();
        if (exit == nullptr) continue;
        ++exits;
        doors += exit->IsDoor() ? 1 : 0;
        TArea* target_area = nullptr;
        const TAreaRoom* target = world_->Areas->find_room(exit->ToVnum, &target_area);
        ASSERT_NE(target, nullptr) << room->Vnum << " direction " << direction;
        cross_area += target_area != one_area.get() ? 1 : 0;
        const TAreaDoor* back =
            target->Doors[static_cast<size_t>(RevDir[static_cast<size_t>(direction)])].get();
        ASSERT_NE(back, nullptr) << room->Vnum << " direction " << direction;
        EXPECT_EQ(back->ToVnum, room->Vnum);
        EXPECT_EQ(back->IsDoor(), exit->IsDoor());
      }
    }
  }
  EXPECT_GT(exits, 3u * 45u * 2u);
  EXPECT_GT(doors, 0u);
  EXPECT_EQ(cross_area, 4u);  // up and down between the first rooms of neighbouring areas
}

// How many items of list hold for count(item).
template <class List, class Count>
size_t total(const List& list, Count count) {
  size_t sum = 0;
  for (const auto& item : list.Items)
    sum += static_cast<size_t>(count(*item));
  return sum;
}

TEST_F(GeneratedWorldRoundTrip, AreasUseEverySectionAndRecordKind) {
  const TArea& first = area(0);
  EXPECT_EQ(first.Helps->Items.size(), 3u);
  std::set<char> letters;
  for (const auto& reset : first.Resets->Items)
    letters.insert(reset->Command);
  EXPECT_EQ(letters, (std::set<char>{'B', 'D', 'E', 'G', 'H', 'M', 'O', 'P', 'R', 'T'}));
  std::set<int32_t> item_types;
  for (const auto& object : first.Objects->Items)
    item_types.insert(object->ItemType);
  EXPECT_GE(item_types.size(), 15u);
  EXPECT_FALSE(first.Shops->Items.empty() || first.RepairShops->Items.empty());
  const TAreaMobiles& mobiles = *first.Mobiles;
  const TAreaObjects& objects = *first.Objects;
  const TAreaRooms& rooms = *first.Rooms;
  const std::pair<const char*, size_t> kinds[] = {
      {"complex mobiles", total(mobiles, [](const TAreaMobile& m) { return m.Complex; })},
      {"simple mobiles", total(mobiles, [](const TAreaMobile& m) { return !m.Complex; })},
      {"mobile programs", total(mobiles, [](const TAreaMobile& m) { return m.Progs->Items.size(); })},
      {"specials", total(mobiles, [](const TAreaMobile& m) { return m.Special > 0; })},
      {"affects", total(objects, [](const TAreaObject& o) { return o.Affects.Items.size(); })},
      {"object extras", total(objects, [](const TAreaObject& o) { return o.ExtraDescs.Items.size(); })},
      {"furniture", total(objects, [](const TAreaObject& o) { return o.FurnitureFlags != 0; })},
      {"vegetables", total(objects, [](const TAreaObject& o) { return o.VegetableCount; })},
      {"weapon types", total(objects, [](const TAreaObject& o) { return o.WeaponType != nullptr; })},
      {"object programs", total(objects, [](const TAreaObject& o) { return o.Progs->Items.size(); })},
      {"maps", total(rooms, [](const TAreaRoom& r) { return r.Map != nullptr; })},
      {"room programs", total(rooms, [](const TAreaRoom& r) { return r.Progs->Items.size(); })},
      {"room extras", total(rooms, [](const TAreaRoom& r) { return r.ExtraDescs.Items.size(); })},
      {"teleports", total(rooms, [](const TAreaRoom& r) { return r.TeleDelay > 0 || r.Tunnel > 0; })}};
  for (const auto& [kind, count] : kinds)
    EXPECT_GT(count, 0u) << kind;
}

TEST(GeneratedWorld, IsWrittenIntoAGivenFolderAndTemporaryWorldsAreRemoved) {
  std::string root;
  {
    const TGeneratedWorld generated(TWorldShape{1, 12, 5});
    root = generated.Root;
    const fs::path mud = generated.MudFolder;
    EXPECT_TRUE(fs::exists(fs::path(generated.StartFolder) / "TavroEd.ini"));
    EXPECT_TRUE(fs::exists(fs::path(generated.StartFolder) / "files" / "ItemTypes.lst"));
    for (const char* part : {"system/skills.dat", "races/race.lst", "classes/class.lst", "mudprogs"})
      EXPECT_TRUE(fs::exists(mud / part)) << part;
    ASSERT_EQ(generated.AreaPaths.size(), 1u);
    EXPECT_EQ(generated.AreaPaths[0], (mud / "area" / "gen0.are").string());
  }
  EXPECT_FALSE(fs::exists(root));
}

}  // namespace
}  // namespace tavro

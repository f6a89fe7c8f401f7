// A small generated world (the generator of the benchmarks) loads with the area readers and saves
// back byte for byte: the generator writes the text independently of the writers, so a difference
// points at a reader or a writer that moves, drops or changes something.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <set>
#include <string>

#include "area/Area.h"
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

// Equal bytes on the first save also make every later load and save give the same.
TEST_F(GeneratedWorldRoundTrip, SavingGivesTheGeneratedBytes) {
  for (size_t i = 0; i < generated_->AreaPaths.size(); ++i) {
    SCOPED_TRACE(generated_->AreaPaths[i]);
    const std::string saved = saved_path(std::to_string(i) + ".are");
    area(i).save_area(saved);
    EXPECT_EQ(read_file(saved), read_file(generated_->AreaPaths[i]));
  }
}

// The byte comparison above means something only if the generated areas hold every kind of record.
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

}  // namespace
}  // namespace tavro

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "area/AreaTestSupport.h"
#include "area/Header.h"
#include "area/Helps.h"
#include "area/Mobiles.h"
#include "area/Objects.h"
#include "area/Resets.h"
#include "area/Rooms.h"
#include "area/Shops.h"
#include "world/Areas.h"

namespace tavro {
namespace {

using ::testing::StartsWith;

using test::error_of;
using test::load_area_text;
using test::read_file;
using test::write_file;

const char* const kEmptyArea = "#AREA ~\n\n#VERSION 11\n\n#RESETS\nS\n\n\n#$\n";

class AreaSaveTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::create_directories(dir.file("mud/area"));
    world->AreaNames = {"town.are", "forest.are"};
  }
  std::string area_file(const std::string& name) const { return dir.file("mud/area/" + name); }
  std::string list_file() const { return area_file("area.lst"); }
  TArea& new_area() { return *world->Areas->Items.emplace_back(std::make_unique<TArea>(world->Areas.get())); }

  test::ScratchDir dir;
  std::unique_ptr<TWorld> world = test::make_test_world(dir.file("mud"));
};

TEST_F(AreaSaveTest, NewAreaStartsEmptyWithEveryPartOwnedByIt) {
  TArea& area = new_area();
  EXPECT_EQ(std::make_tuple(area.IsNew, area.ModifiedElsewhere, area.world(), area.Header->Author),
            std::make_tuple(true, false, world.get(), "(Unknown)"));
  const std::vector<const TArea*> owners = {area.Header->Area,  area.Helps->Area, area.Mobiles->Area,
                                            area.Objects->Area, area.Shops->Area, area.RepairShops->Area,
                                            area.Rooms->Area,   area.Resets->Area};
  EXPECT_EQ(owners, std::vector<const TArea*>(8, &area));
  EXPECT_EQ(TArea(nullptr).world(), nullptr);
}

TEST_F(AreaSaveTest, NewAreaJoinsTheAreasListExactlyOnce) {
  TArea& area = new_area();
  area.save_area(area_file("swamp.are"));
  EXPECT_FALSE(area.IsNew);
  EXPECT_EQ(area.Header->FileName, "swamp.are");
  EXPECT_EQ(read_file(area_file("swamp.are")), kEmptyArea);
  EXPECT_EQ(world->AreaNames, (TStringList{"town.are", "forest.are", "swamp.are"}));
  EXPECT_EQ(read_file(list_file()), "town.are\nforest.are\nswamp.are\n$\n");
  area.Header->Name = "Swamp";
  area.save_area(area_file("swamp.are"));
  EXPECT_EQ(world->AreaNames.size(), 3u);
  EXPECT_EQ(read_file(list_file()), "town.are\nforest.are\nswamp.are\n$\n");
}

TEST_F(AreaSaveTest, NewAreaUnderAListedNameIsRefused) {
  write_file(area_file("town.are"), "#AREA Town~\n#$\n");
  TArea& area = new_area();
  std::string path = area_file("TOWN.are");
  EXPECT_EQ(
      error_of([&] { area.save_area(path); }),
      "save_area \"" + path +
          "\":\r\nThe areas list already holds \"TOWN.are\": saving this new area under that name would "
          "destroy the area of that file.");
  EXPECT_TRUE(area.IsNew);
  EXPECT_FALSE(std::filesystem::exists(path));
  EXPECT_EQ(read_file(area_file("town.are")), "#AREA Town~\n#$\n");
  EXPECT_EQ(world->AreaNames.size(), 2u);
  EXPECT_FALSE(std::filesystem::exists(list_file()));
}

TEST_F(AreaSaveTest, LoadedAreaIsSavedWithoutTouchingTheList) {
  write_file(area_file("town.are"), "#AREA Town~\n#$\n");
  TArea& area = new_area();
  area.load_area(area_file("town.are"));
  area.save_area(area_file("town.are"));
  EXPECT_EQ(world->AreaNames.size(), 2u);
  EXPECT_FALSE(std::filesystem::exists(list_file()));
  EXPECT_EQ(read_file(area_file("town.are")), "#AREA Town~\n\n#VERSION 11\n\n#RESETS\nS\n\n\n#$\n");
}

TEST_F(AreaSaveTest, AreasListThatCannotBeWrittenLeavesTheAreaNewAndTheListAsItWas) {
  std::filesystem::remove_all(dir.file("mud/area"));
  write_file(dir.file("mud/area"), "a file where the folder belongs");
  TArea& area = new_area();
  std::string path = dir.file("lake.are");
  std::string message = error_of([&] { area.save_area(path); });
  EXPECT_THAT(message, StartsWith("save_area \"" + path + "\":\r\nSave Areas List:\r\n"));
  EXPECT_TRUE(area.IsNew);
  EXPECT_EQ(world->AreaNames, (TStringList{"town.are", "forest.are"}));

  std::filesystem::remove(dir.file("mud/area"));
  std::filesystem::create_directories(dir.file("mud/area"));
  area.save_area(path);  // the name was not left behind: this save is not refused
  EXPECT_EQ(world->AreaNames, (TStringList{"town.are", "forest.are", "lake.are"}));
  EXPECT_FALSE(area.IsNew);
}

TEST_F(AreaSaveTest, SaveIntoAMissingFolderFailsAndKeepsTheAreaNew) {
  TArea& area = new_area();
  std::string path = dir.file("no/such/folder/x.are");
  std::string message = error_of([&] { area.save_area(path); });
  EXPECT_THAT(message, StartsWith("save_area \"" + path + "\":\r\n"));
  EXPECT_TRUE(area.IsNew);
  EXPECT_EQ(world->AreaNames.size(), 2u);
}

TEST_F(AreaSaveTest, AreaOutsideAWorldSavesWithoutAList) {
  TArea area(nullptr);
  area.save_area(dir.file("alone.are"));
  EXPECT_FALSE(area.IsNew);
  EXPECT_EQ(read_file(dir.file("alone.are")), kEmptyArea);
}

TEST_F(AreaSaveTest, EverySectionIsWrittenInTheFixedOrder) {
  TArea& area = new_area();
  load_area_text(area, dir,
                 "#VERSION 11\n#SPECIALS\nS\n#RESETS\nS\n#HELPS\n1 H~\nhelp~\n0 "
                 "$~\n#MOBILES\n#5\nm~\ns~\nl~\nd\n~\n0 0 0 S\n"
                 "1 2 3 1d1+1 1d1+1\n0 0\n112 112 MALE\n#0\n#SHOPS\n5 1 0 0 0 0 90 120 8 19\n0\n"
                 "#REPAIRS\n5 1 0 0 60 1 8 19\n0\n#SPECIALS\nM 5 spec_fido\nS\n#AREA Order~\n#$\n");
  const std::string saved = test::save_area_text(area, dir);
  std::vector<size_t> positions;
  for (const char* heading :
       {"#AREA", "#VERSION", "#HELPS", "#MOBILES", "#RESETS", "#SHOPS", "#REPAIRS", "#SPECIALS", "\n#$\n"})
    positions.push_back(saved.find(heading));
  EXPECT_TRUE(std::is_sorted(positions.begin(), positions.end())) << saved;
  EXPECT_EQ(std::count(positions.begin(), positions.end(), std::string::npos), 0) << saved;
}

class AreasTest : public ::testing::Test {
 protected:
  TArea& load(const std::string& name, const std::string& text) {
    test::write_file(dir.file(name), text);
    return *world->load_single_area(dir.file(name));
  }
  static std::string mobile(int vnum) {
    return "#" + std::to_string(vnum) + "\nm~\ns~\nl~\nd\n~\n0 0 0 S\n1 2 3 1d1+1 1d1+1\n0 0\n112 112 MALE\n";
  }

  test::ScratchDir dir;
  std::unique_ptr<TWorld> world = test::make_test_world(dir.file("mud"));
};

TEST_F(AreasTest, LoadSingleAreaAppendsOnlyWhatLoaded) {
  TArea& first = load("a.are", "#AREA A~\n#$\n");
  EXPECT_EQ(world->Areas->Items.size(), 1u);
  EXPECT_EQ(first.Owner, world->Areas.get());
  test::write_file(dir.file("b.are"), "#AREA B~\n#VERSION x\n#$\n");
  EXPECT_EQ(error_of([&] { world->load_single_area(dir.file("b.are")); }),
            "Load Single Area:\r\nload_area \"" + dir.file("b.are") +
                "\":\r\n#VERSION:\r\nfread_number: Bad format. (x)");
  EXPECT_EQ(world->Areas->Items.size(), 1u);
}

// The earlier area wins a vnum both hold.
TEST_F(AreasTest, FindSearchesAreasInOrder) {
  const std::string room = "#ROOMS\n#5\nA room~\nIt is a room.\n~\n0 0 1\nS\n#0\n";
  TArea& a = load("a.are", "#VERSION 11\n#MOBILES\n" + mobile(1) + mobile(2) + "#0\n" + room + "#$\n");
  TArea& b = load("b.are", "#VERSION 11\n#MOBILES\n" + mobile(2) + mobile(3) + "#0\n" + room + "#$\n");
  TArea* where = nullptr;
  const auto found = [&](const TAreaMobile* mobile) { return std::make_tuple(mobile, where); };
  EXPECT_EQ(found(world->Areas->find_mobile(2, &where)), std::make_tuple(a.Mobiles->Items[1].get(), &a));
  EXPECT_EQ(found(world->Areas->find_mobile(3, &where)), std::make_tuple(b.Mobiles->Items[1].get(), &b));
  EXPECT_EQ(found(world->Areas->find_mobile(4, &where)), std::make_tuple(nullptr, nullptr));
  EXPECT_EQ(world->Areas->find_mobile(1), a.Mobiles->Items[0].get());
  EXPECT_EQ(world->Areas->find_room(5, &where), a.Rooms->Items[0].get());
  EXPECT_EQ(where, &a);
  EXPECT_EQ(world->Areas->find_room(1, &where), nullptr);
  EXPECT_EQ(world->Areas->find_object(1, &where), nullptr);
  EXPECT_EQ(where, nullptr);
}

TEST_F(AreasTest, MobileResetsAreCountedInEveryArea) {
  load("a.are", "#RESETS\nM 0 7 1 100\nO 0 7 0 100\nM 0 7 2 101\nM 0 8 1 100\nS\n#$\n");
  load("b.are", "#RESETS\nM 0 7 1 200\nG 0 7 0\nS\n#$\n");
  EXPECT_EQ(world->Areas->count_mobile_resets(7), 3);
  EXPECT_EQ(world->Areas->count_mobile_resets(8), 1);
  EXPECT_EQ(world->Areas->count_mobile_resets(9), 0);
}

TEST_F(AreasTest, ClearFreesEveryArea) {
  load("a.are", "#AREA A~\n#$\n");
  load("b.are", "#AREA B~\n#$\n");
  world->Areas->Clear();
  EXPECT_TRUE(world->Areas->Items.empty());
  EXPECT_EQ(world->Areas->find_mobile(1), nullptr);
}

}  // namespace
}  // namespace tavro

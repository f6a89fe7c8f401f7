// Removing a room: the question asked, and the repair of doors and resets across the areas of a world
// for the answers Yes, No and Cancel.
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <utility>
#include <vector>

#include "area/Area.h"
#include "area/AreaTestSupport.h"
#include "area/Changes.h"
#include "area/Resets.h"
#include "area/RoomRemoval.h"
#include "area/Rooms.h"
#include "world/Areas.h"
#include "world/World.h"

namespace tavro {
namespace {

class RemovalTest : public ::testing::Test {
 protected:
  void SetUp() override {
    home = &add_area();
    other = &add_area();
    room(*home, 100);
    link(room(*home, 101), DIR_NORTH, 100);
    link(room(*home, 102), DIR_EAST, 101);
    link(room(*other, 200), DIR_WEST, 100);
    room(*other, 201).EnsureDoor(DIR_SOUTH).ToVnum = 200;
  }

  TArea& add_area() { return *world.Areas->Items.emplace_back(std::make_unique<TArea>(world.Areas.get())); }
  static TAreaRoom& room(TArea& area, int32_t vnum) {
    TAreaRoom& r = area.Rooms->Add();
    r.Vnum = vnum;
    return r;
  }
  static TAreaRoom& link(TAreaRoom& from, int32_t direction, int32_t to) {
    from.EnsureDoor(direction).ToVnum = to;
    return from;
  }
  // Resets written as "letter arg1 arg2 arg3".
  static void resets(TArea& area, const std::vector<std::string>& lines) {
    for (const std::string& line : lines) {
      TAreaReset& reset = area.Resets->Add();
      char letter = 0;
      ASSERT_EQ(std::sscanf(line.c_str(), "%c %d %d %d", &letter, &reset.Arg1, &reset.Arg2, &reset.Arg3), 4);
      reset.Command = letter;
    }
  }
  static std::vector<std::string> resets_of(const TArea& area) {
    std::vector<std::string> lines;
    for (const auto& r : area.Resets->Items)
      lines.push_back(std::string(1, r->Command) + " " + std::to_string(r->Arg1) + " " +
                      std::to_string(r->Arg2) + " " + std::to_string(r->Arg3));
    return lines;
  }
  static std::vector<int32_t> vnums(const TArea& area) {
    std::vector<int32_t> v;
    for (const auto& r : area.Rooms->Items)
      v.push_back(r->Vnum);
    return v;
  }
  static int32_t exit_of(const TArea& area, int32_t vnum, int32_t direction) {
    return area.Rooms->FindByVnum(vnum)->Doors[direction]->ToVnum;
  }
  // The targets of the exits of 101 and 200 towards 100, then of 102 and 201 that lead elsewhere.
  std::array<int32_t, 4> exits() const {
    return {exit_of(*home, 101, DIR_NORTH), exit_of(*other, 200, DIR_WEST), exit_of(*home, 102, DIR_EAST),
            exit_of(*other, 201, DIR_SOUTH)};
  }
  std::pair<bool, bool> modified() const { return {home->ModifiedElsewhere, other->ModifiedElsewhere}; }
  void give_both_areas_resets() {
    resets(*home, {"M 3000 1 100", "E 3001 0 5", "G 3002 0 0", "P 3003 0 3001", "M 3004 1 101", "G 3005 0 0",
                   "D 100 0 1", "E 3006 0 5"});
    resets(*other, {"O 3010 0 100", "P 3011 0 3010", "P 3012 0 3010", "O 3013 0 200", "P 3014 0 3013",
                    "R 100 3 0", "M 3015 1 100", "M 3016 1 100", "E 3017 0 1", "H 3018 0 0"});
  }

  TWorld world;
  TArea* home = nullptr;
  TArea* other = nullptr;
};

TEST_F(RemovalTest, QuestionDependsOnResetsNamingTheRoomAnywhere) {
  EXPECT_EQ(RemoveRoomQuestion(*home->Rooms, 100), "Fix Exits?");
  resets(*other, {"G 100 0 0", "P 100 0 100", "E 100 0 100", "M 100 1 5", "O 100 0 5", "D 5 100 100"});
  EXPECT_FALSE(RoomHasResets(*home->Rooms, 100)) << "only M/O by the third and D/R by the first argument";
  resets(*other, {"R 100 0 0"});
  EXPECT_EQ(RemoveRoomQuestion(*home->Rooms, 100), "Fix Exits and Resets?");
  resets(*home, {"O 7 0 101"});
  EXPECT_TRUE(RoomHasResets(*home->Rooms, 101));
}

TEST_F(RemovalTest, YesRepairsDoorsAndResetsInEveryArea) {
  give_both_areas_resets();
  ASSERT_TRUE(RemoveRoom(*home->Rooms, 100, RemovalAnswer::Yes));
  EXPECT_EQ(vnums(*home), (std::vector<int32_t>{101, 102}));
  // The doors stay, leading nowhere; the resets in the room and those hanging on them go.
  EXPECT_EQ(exits(), (std::array<int32_t, 4>{0, 0, 101, 200}));
  EXPECT_EQ(resets_of(*home), (std::vector<std::string>{"M 3004 1 101", "G 3005 0 0", "E 3006 0 5"}));
  EXPECT_EQ(resets_of(*other), (std::vector<std::string>{"O 3013 0 200", "P 3014 0 3013", "H 3018 0 0"}));
  EXPECT_EQ(modified(), std::make_pair(true, true));
}

// Taken back, a removal leaves every area as it was, byte for byte; made again, as the removal left them.
TEST_F(RemovalTest, RevertingRestoresEveryAreaExactly) {
  give_both_areas_resets();
  home->IsNew = other->IsNew = false;  // saved without touching an areas list
  const test::ScratchDir dir;
  const auto bytes = [&] {
    return std::make_pair(test::save_area_text(*home, dir), test::save_area_text(*other, dir));
  };
  const auto before = bytes();
  const std::unique_ptr<TChange> removal = RemoveRoom(*home->Rooms, 100, RemovalAnswer::Yes);
  ASSERT_TRUE(removal);
  const auto after = bytes();
  ASSERT_NE(after, before);
  EXPECT_EQ(removal->Touched().size(), 2U);
  removal->Revert();
  EXPECT_EQ(bytes(), before);
  removal->Apply();
  EXPECT_EQ(bytes(), after);
}

TEST_F(RemovalTest, YesMarksOnlyTheAreasItChanged) {
  TArea& untouched = add_area();
  room(untouched, 300);
  resets(untouched, {"M 1 1 300"});
  resets(*other, {"M 3015 1 100"});
  ASSERT_TRUE(RemoveRoom(*home->Rooms, 101, RemovalAnswer::Yes));
  EXPECT_EQ(modified(), std::make_pair(true, false)) << "a door of its own area led there";
  EXPECT_FALSE(untouched.ModifiedElsewhere);
  home->ModifiedElsewhere = false;
  ASSERT_TRUE(RemoveRoom(*home->Rooms, 102, RemovalAnswer::Yes));  // nothing leads to 102 any more
  EXPECT_EQ(modified(), std::make_pair(false, false));
}

// No removes the room only; Cancel keeps it too.
TEST_F(RemovalTest, NoAndCancelRepairNothing) {
  give_both_areas_resets();
  const auto all_resets = std::make_tuple(resets_of(*home), resets_of(*other));
  EXPECT_FALSE(RemoveRoom(*home->Rooms, 100, RemovalAnswer::Cancel));
  EXPECT_EQ(vnums(*home), (std::vector<int32_t>{100, 101, 102}));
  ASSERT_TRUE(RemoveRoom(*home->Rooms, 100, RemovalAnswer::No));
  EXPECT_EQ(vnums(*home), (std::vector<int32_t>{101, 102}));
  EXPECT_EQ(exits(), (std::array<int32_t, 4>{100, 100, 101, 200}));
  EXPECT_EQ(std::make_tuple(resets_of(*home), resets_of(*other)), all_resets);
  EXPECT_EQ(modified(), std::make_pair(false, false));
}

TEST_F(RemovalTest, AskingVersionAsksOnceWithCaptionAndQuestion) {
  give_both_areas_resets();
  std::vector<std::pair<std::string, std::string>> asked;
  const auto answer = [&](RemovalAnswer a) {
    return [&asked, a](const std::string& caption, const std::string& text) {
      asked.emplace_back(caption, text);
      return a;
    };
  };
  EXPECT_FALSE(RemoveRoom(*home->Rooms, 100, answer(RemovalAnswer::Cancel)));
  EXPECT_TRUE(RemoveRoom(*home->Rooms, 102, answer(RemovalAnswer::Yes)));
  EXPECT_FALSE(RemoveRoom(*home->Rooms, 555, answer(RemovalAnswer::Yes))) << "no such room: nothing asked";
  ASSERT_EQ(asked.size(), 2U);
  EXPECT_EQ(asked[0], std::make_pair(std::string("Remove Room"),
                                     std::string("Room 100 \"\" will be removed.\r\nFix Exits and Resets?")));
  EXPECT_EQ(asked[1], std::make_pair(std::string("Remove Room"),
                                     std::string("Room 102 \"\" will be removed.\r\nFix Exits?")));
  EXPECT_EQ(vnums(*home), (std::vector<int32_t>{100, 101}));
}

TEST_F(RemovalTest, RemovesTheFirstRoomWithTheVnum) {
  room(*home, 101).Name = "second";
  ASSERT_TRUE(RemoveRoom(*home->Rooms, 101, RemovalAnswer::No));
  ASSERT_EQ(home->Rooms->Items.size(), 3U);
  EXPECT_EQ(home->Rooms->FindByVnum(101)->Name, "second");
  EXPECT_EQ(vnums(*home), (std::vector<int32_t>{100, 102, 101}));
}

TEST_F(RemovalTest, AreaOutsideAnyWorldRepairsItself) {
  TAreaRooms loose(nullptr);
  loose.Add().Vnum = 1;
  link(loose.Add(), DIR_UP, 1).Vnum = 2;
  ASSERT_TRUE(RemoveRoom(loose, 1, RemovalAnswer::Yes));
  ASSERT_EQ(loose.Items.size(), 1U);
  EXPECT_EQ(loose.Items[0]->Doors[DIR_UP]->ToVnum, 0);
}

}  // namespace
}  // namespace tavro

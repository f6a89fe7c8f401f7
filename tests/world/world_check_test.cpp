#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "area/Area.h"
#include "area/Header.h"
#include "area/Mobiles.h"
#include "area/Objects.h"
#include "area/Resets.h"
#include "area/Rooms.h"
#include "world/Areas.h"
#include "world/World.h"
#include "world/WorldCheck.h"

namespace tavro {
namespace {

// Two small areas that pass every check: town.are with rooms 100 and 101 (a locked door between them
// whose key is object 111), a container 110 and a shop-keeper 120 loaded by resets; forest.are with room
// 200, linked both ways with room 101.
class CheckWorld {
 public:
  CheckWorld() {
    world.ItemTypes = {"ITEM_NONE", "ITEM_CONTAINER", "ITEM_KEY"};
    TArea& town = area("town.are");
    link(room(town, 100), DIR_EAST, 101);
    TAreaDoor& door = room(town, 100).EnsureDoor(DIR_EAST);
    door.Flags = EX_ISDOOR | EX_CLOSED | EX_LOCKED;
    door.Key = 111;
    link(room(town, 101), DIR_WEST, 100);
    link(room(town, 101), DIR_NORTH, 200);
    object(town, 110, 1);
    object(town, 111, 2);
    TAreaMobile& keeper = mobile(town, 120);
    keeper.SetHasShop(true);
    keeper.SetHasRepairShop(true);
    reset(town, 'M', 120, 1, 100);
    reset(town, 'O', 110, 0, 100);
    reset(town, 'P', 111, 0, 110);
    reset(town, 'D', 100, 1, 2);
    link(room(area("forest.are"), 200), DIR_SOUTH, 101);
  }

  TArea& area(const std::string& file) {
    auto& items = world.Areas->Items;
    for (const auto& a : items)
      if (a->Header->FileName == file) return *a;
    items.push_back(std::make_unique<TArea>(world.Areas.get()));
    items.back()->Header->FileName = file;
    return *items.back();
  }
  TArea& town() { return area("town.are"); }
  TAreaRoom& room(TArea& a, int32_t vnum) {
    if (TAreaRoom* found = a.Rooms->FindByVnum(vnum)) return *found;
    TAreaRoom& r = a.Rooms->Add();
    r.Vnum = vnum;
    r.Name = "Room";
    r.Description = "Walls.\r\n";
    return r;
  }
  TAreaRoom& room(int32_t vnum) { return room(town(), vnum); }
  static void link(TAreaRoom& from, int32_t dir, int32_t to) { from.EnsureDoor(dir).ToVnum = to; }
  TAreaObject& object(TArea& a, int32_t vnum, int32_t item_type) {
    TAreaObject& o = a.Objects->Add();
    o.Vnum = vnum;
    o.ItemType = item_type;
    return o;
  }
  TAreaMobile& mobile(TArea& a, int32_t vnum) {
    TAreaMobile& m = a.Mobiles->Add();
    m.Vnum = vnum;
    return m;
  }
  TAreaReset& reset(TArea& a, char command, int32_t arg1, int32_t arg2, int32_t arg3) {
    TAreaReset& r = a.Resets->Add();
    r.Command = command;
    r.Arg1 = arg1;
    r.Arg2 = arg2;
    r.Arg3 = arg3;
    return r;
  }

  TWorld world;
};

using Check = void (*)(const TWorldIndex&, TWorldProblems&);

struct Case {
  const char* what;
  std::function<void(CheckWorld&)> plant;
  std::vector<std::string> lines;  // what the check reports, formatted
};

std::vector<std::string> lines_of(const TWorldProblems& problems) {
  std::vector<std::string> lines;
  for (const TWorldProblem& problem : problems)
    lines.push_back(format_problem(problem));
  return lines;
}

void run_cases(Check check, const std::vector<Case>& cases) {
  for (const Case& c : cases) {
    CheckWorld w;
    c.plant(w);
    TWorldProblems problems;
    check(TWorldIndex(*w.world.Areas), problems);
    EXPECT_EQ(lines_of(problems), c.lines) << c.what;
  }
}

TEST(WorldCheck, TheCleanWorldHasNoProblem) {
  CheckWorld w;
  EXPECT_EQ(lines_of(check_world(*w.world.Areas)), std::vector<std::string>{});
}

TEST(WorldCheck, ExitsAndTeleportsToNoRoom) {
  run_cases(check_exit_targets,
            {{"dangling exit",
              [](CheckWorld& w) { w.link(w.room(101), DIR_UP, 999); },
              {"town.are: error: room 101: exit up leads to room 999, which no loaded area has"}},
             {"teleport",
              [](CheckWorld& w) {
                w.room(100).TeleDelay = 3;
                w.room(100).TeleVnum = 998;
              },
              {"town.are: error: room 100: teleports to room 998, which no loaded area has"}},
             {"teleport without delay", [](CheckWorld& w) { w.room(100).TeleVnum = 998; }, {}},
             {"exit leading nowhere", [](CheckWorld& w) { w.link(w.room(101), DIR_UP, 0); }, {}}});
}

TEST(WorldCheck, ExitsIntoAnotherAreaWithoutAWayBack) {
  run_cases(
      check_exits_back,
      {{"no way back",
        [](CheckWorld& w) { w.link(w.room(w.area("forest.are"), 200), DIR_SOUTH, 0); },
        {"town.are: note: room 101: exit north leads to room 200 of forest.are, which has no exit back"}},
       {"one way within the area", [](CheckWorld& w) { w.link(w.room(101), DIR_WEST, 0); }, {}},
       {"back through another direction",
        [](CheckWorld& w) {
          w.link(w.room(w.area("forest.are"), 200), DIR_SOUTH, 0);
          w.link(w.room(w.area("forest.are"), 200), DIR_DOWN, 101);
        },
        {}}});
}

TEST(WorldCheck, ResetsNamingWhatNoAreaHas) {
  run_cases(
      check_reset_targets,
      {{"mobile and room",
        [](CheckWorld& w) { w.reset(w.town(), 'M', 121, 1, 999); },
        {"town.are: error: reset 5 in room 999: 'M 0 121 1 999' names room 999, which no loaded area has",
         "town.are: error: reset 5 in room 999: 'M 0 121 1 999' names mobile 121, which no loaded area has"}},
       {"object",
        [](CheckWorld& w) { w.reset(w.town(), 'O', 112, 0, 101); },
        {"town.are: error: reset 5 in room 101: 'O 0 112 0 101' names object 112, which no loaded area has"}},
       {"given before any mobile",
        [](CheckWorld& w) {
          TAreaReset& give = w.town().Resets->Insert(0);
          give.Command = 'G';
          give.Arg1 = 111;
        },
        {"town.are: error: reset 1: 'G 0 111 0' comes before any 'M' reset, so no mobile takes the object"}},
       {"container that is not one",
        [](CheckWorld& w) { w.reset(w.town(), 'P', 110, 0, 111); },
        {"town.are: error: reset 5 in room 100: 'P 0 110 0 111' puts into object 111, which is not a "
         "container"}},
       {"container missing",
        [](CheckWorld& w) { w.reset(w.town(), 'P', 110, 0, 113); },
        {"town.are: error: reset 5 in room 100: 'P 0 110 0 113' names container 113, which no loaded area "
         "has"}},
       {"the last object as container", [](CheckWorld& w) { w.reset(w.town(), 'P', 111, 0, 0); }, {}},
       {"door reset on a passage",
        [](CheckWorld& w) { w.reset(w.town(), 'D', 101, 3, 1); },
        {"town.are: error: reset 5 in room 101: 'D 0 101 3 1' sets exit west of room 101, which is not a "
         "door"}},
       {"door reset on no exit",
        [](CheckWorld& w) { w.reset(w.town(), 'D', 101, 5, 1); },
        {"town.are: error: reset 5 in room 101: 'D 0 101 5 1' sets exit down, which room 101 does not have"}},
       {"room reset",
        [](CheckWorld& w) { w.reset(w.town(), 'R', 997, 2, 0); },
        {"town.are: error: reset 5 in room 997: 'R 0 997 2' names room 997, which no loaded area has"}}});
}

TEST(WorldCheck, VnumsUsedTwice) {
  run_cases(
      check_duplicate_vnums,
      {{"room",
        [](CheckWorld& w) { w.room(w.area("forest.are"), 100); },
        {"forest.are: error: room 100: vnum 100 is also a room of town.are, which the server takes"}},
       {"object and mobile",
        [](CheckWorld& w) {
          w.object(w.area("forest.are"), 110, 0);
          w.mobile(w.area("forest.are"), 120);
        },
        {"forest.are: error: object 110: vnum 110 is also an object of town.are, which the server takes",
         "forest.are: error: mobile 120: vnum 120 is also a mobile of town.are, which the server takes"}},
       {"a room vnum for an object", [](CheckWorld& w) { w.object(w.town(), 100, 0); }, {}},
       {"vnums far apart",
        [](CheckWorld& w) {
          w.room(w.area("forest.are"), 2000000000);
          w.room(w.area("forest.are"), 100);
        },
        {"forest.are: error: room 100: vnum 100 is also a room of town.are, which the server takes"}}});
}

TEST(WorldCheck, ShopKeepersMissingOrNeverLoaded) {
  run_cases(check_shop_keepers,
            {{"keeper never loaded",
              [](CheckWorld& w) { w.town().Resets->Items.front()->Arg1 = 122; },
              {"town.are: warning: shop 120: no reset loads the keeper, so it never opens",
               "town.are: warning: repair shop 120: no reset loads the keeper, so it never opens"}},
             {"keeper gone",
              [](CheckWorld& w) { w.town().Shops->Items.front()->Keeper = nullptr; },
              {"town.are: error: shop 0: the keeper is not a mobile of this area"}}});
}

TEST(WorldCheck, DoorKeys) {
  run_cases(check_door_keys,
            {{"no such key",
              [](CheckWorld& w) { w.room(100).Doors[DIR_EAST]->Key = 999; },
              {"town.are: error: room 100: door east opens with key 999, which no loaded area has"}},
             {"not a key",
              [](CheckWorld& w) { w.room(100).Doors[DIR_EAST]->Key = 110; },
              {"town.are: warning: room 100: door east opens with object 110, which is not a key"}},
             {"a passage keeps a key", [](CheckWorld& w) { w.room(101).Doors[DIR_WEST]->Key = 999; }, {}}});
}

TEST(WorldCheck, RoomsWithoutNameOrDescription) {
  run_cases(check_room_texts, {{"blank texts",
                                [](CheckWorld& w) {
                                  w.room(100).Name = " ";
                                  w.room(101).Description = "\r\n";
                                },
                                {"town.are: warning: room 100: the room has no name",
                                 "town.are: warning: room 101: the room has no description"}}});
}

TEST(WorldCheck, ObjectsAndMobilesNoResetLoads) {
  run_cases(check_unloaded_records, {{"unloaded",
                                      [](CheckWorld& w) {
                                        w.object(w.town(), 112, 0);
                                        w.mobile(w.area("forest.are"), 220);
                                      },
                                      {"town.are: note: object 112: no reset loads the object",
                                       "forest.are: note: mobile 220: no reset loads the mobile"}}});
}

TEST(WorldCheck, ProblemsComeSortedByAreaVnumAndKind) {
  CheckWorld w;
  w.link(w.room(w.area("forest.are"), 200), DIR_UP, 999);
  w.link(w.room(101), DIR_UP, 999);
  w.reset(w.town(), 'D', 101, 3, 1);
  w.room(100).Name.clear();
  EXPECT_EQ(lines_of(check_world(*w.world.Areas)),
            (std::vector<std::string>{
                "town.are: warning: room 100: the room has no name",
                "town.are: error: room 101: exit up leads to room 999, which no loaded area has",
                "town.are: error: reset 5 in room 101: 'D 0 101 3 1' sets exit west of room 101, which is "
                "not a door",
                "forest.are: error: room 200: exit up leads to room 999, which no loaded area has",
            }));
}

}  // namespace
}  // namespace tavro

// What the map tells about a room (tool tip and screen readers) and where it scrolls when it zooms.
#include <gtest/gtest.h>

#include "area/Area.h"
#include "area/Header.h"
#include "area/MapEditing.h"
#include "area/Rooms.h"
#include "world/Areas.h"
#include "world/World.h"

namespace tavro {
namespace {

TEST(MapViewTest, ARoomIsDescribedWithItsSectorAndWhereEachExitLeads) {
  TWorld world;
  world.SectorTypes = {"inside", "city"};
  TArea& town = *world.Areas->Items.emplace_back(std::make_unique<TArea>(world.Areas.get()));
  TArea& forest = *world.Areas->Items.emplace_back(std::make_unique<TArea>(world.Areas.get()));
  forest.Header->Name = "Forest";
  forest.Rooms->Add().Vnum = 500;
  TAreaRoom& square = town.Rooms->Add();
  square.Vnum = 1;
  square.Name = "Square";
  square.Sector = 1;
  town.Rooms->Add().Vnum = 2;
  for (const auto& [dir, vnum] : {std::pair{DIR_NORTH, 2}, {DIR_EAST, 500}, {DIR_UP, 777}, {DIR_WEST, 0}})
    SetExit(square, dir, vnum);
  EXPECT_EQ(DescribeRoom(*town.Rooms, 0),
            (std::vector<std::string>{
                "Room 1: Square", "Sector: city",
                "Exits: north to 2, east to 500 in area \"Forest\", up to 777 (no such room)"}));
  town.Rooms->Items[1]->Sector = 9;  // no such sector type: its number
  EXPECT_EQ(DescribeRoom(*town.Rooms, 1), (std::vector<std::string>{"Room 2: ", "Sector: 9", "Exits: none"}));
}

// The map point under the pointer stays under it: at zoom 10 the view pixel 100 scrolled by 2 cells (80
// pixels) shows map pixel 180, which is 360 at zoom 20 and 90 at zoom 5.
TEST(MapViewTest, ZoomingKeepsThePointUnderThePointer) {
  struct Case {
    int32_t screen;
    int64_t offset;
    int32_t from, to, max;
    int32_t cells, pixels;
  };
  const std::vector<Case> cases = {
      {100, 80, 10, 20, 50, 3, 20},                             // 360 - 100 = 260 = 3 cells of 80 and 20
      {100, 80, 10, 5, 50, 0, 0},                               // 90 - 100 < 0: as far as the map goes
      {0, 400, 10, 20, 50, 10, 0},  {0, 400, 10, 20, 4, 4, 0},  // the last cell bounds it
      {7, 3, 10, 5, 50, 0, 0},
  };
  for (const Case& c : cases) {
    const TMapScroll scroll = ZoomScroll(c.screen, c.offset, c.from, c.to, c.max);
    EXPECT_EQ(std::make_pair(scroll.cells, scroll.pixels), std::make_pair(c.cells, c.pixels))
        << c.screen << " " << c.offset << " " << c.from << "->" << c.to;
  }
}

}  // namespace
}  // namespace tavro

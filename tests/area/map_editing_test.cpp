// The map's edits and view arithmetic: linked room creation, exit targets across areas, the nearest-room
// search, the status letters, the hit test, scrolling and zoom.
#include <gtest/gtest.h>

#include "area/Area.h"
#include "area/Changes.h"
#include "area/MapEditing.h"
#include "area/Rooms.h"
#include "world/Areas.h"
#include "world/World.h"

namespace tavro {
namespace {

class MapEditingTest : public ::testing::Test {
 protected:
  TWorld world;

  TArea& add_area() {
    world.Areas->Items.push_back(std::make_unique<TArea>(world.Areas.get()));
    return *world.Areas->Items.back();
  }

  static TAreaRoom& add_room(TArea& area, int32_t vnum, int32_t x = 0, int32_t y = 0, int32_t level = 0) {
    TAreaRoom& room = area.Rooms->Add();
    room.Vnum = vnum;
    room.X = x;
    room.Y = y;
    room.Level = level;
    return room;
  }
};

TEST_F(MapEditingTest, CreateLinkedRoomJoinsBothWaysAndIsTakenBack) {
  TArea& area = add_area();
  TAreaRoom& first = add_room(area, 3001);
  add_room(area, 3005);
  first.EnsureDoor(DIR_EAST).Keyword = "gate";  // an exit leading nowhere keeps its other fields

  const TRoomCreation made = CreateLinkedRoom(*area.Rooms, 0, DIR_EAST, 4);

  ASSERT_EQ(std::tie(made.index, made.vnum), std::make_tuple(2, 3006));
  const TAreaRoom& created = *area.Rooms->Items[2];
  EXPECT_EQ(std::tie(created.Vnum, created.Sector), std::make_tuple(3006, 4));
  ASSERT_TRUE(first.Doors[DIR_EAST] && created.Doors[DIR_WEST]);
  const TAreaDoor& there = *first.Doors[DIR_EAST];
  const TAreaDoor& back = *created.Doors[DIR_WEST];
  EXPECT_EQ(std::tie(there.ToVnum, there.Direction, there.Keyword), std::make_tuple(3006, DIR_EAST, "gate"));
  EXPECT_EQ(std::tie(back.ToVnum, back.Direction, back.Keyword), std::make_tuple(3001, DIR_WEST, ""));
  for (int32_t dir = 0; dir < DirectionCount; ++dir)
    EXPECT_EQ(created.Doors[static_cast<size_t>(dir)] != nullptr, dir == DIR_WEST) << dir;
  ASSERT_EQ(made.change->Touched().size(), 1U);
  EXPECT_EQ(made.change->Touched()[0].area, &area);

  // Undone: the room leaves, the exit that existed leads nowhere again; an exit made for the room goes.
  made.change->Revert();
  EXPECT_EQ(area.Rooms->Items.size(), 2U);
  EXPECT_EQ(std::tie(first.Doors[DIR_EAST]->ToVnum, first.Doors[DIR_EAST]->Keyword),
            std::make_tuple(0, "gate"));
  const TRoomCreation north = CreateLinkedRoom(*area.Rooms, 0, DIR_NORTH, 0);
  north.change->Revert();
  EXPECT_EQ(first.Doors[DIR_NORTH], nullptr);
  made.change->Apply();
  EXPECT_EQ(area.Rooms->Items[2].get(), &created) << "redone with the same room";
  EXPECT_EQ(first.Doors[DIR_EAST]->ToVnum, 3006);
}

// A vnum another area's room has is never given to a new room: the town's next room must not take the
// market's first vnum.
TEST_F(MapEditingTest, NewRoomTakesAVnumNoRoomOfTheWorldHas) {
  TArea& town = add_area();
  add_room(town, 3000);
  TArea& market = add_area();
  for (int32_t vnum : {3001, 3002, 3004})
    add_room(market, vnum);
  EXPECT_EQ(NewRoomVnum(*town.Rooms), 3003);
  EXPECT_EQ(NewRoomVnum(*market.Rooms), 3005);
  TArea& empty = add_area();
  const TRoomCreation first = CreateFirstRoom(*empty.Rooms, 2);
  ASSERT_EQ(empty.Rooms->Items.size(), 1U);
  EXPECT_EQ(std::tie(first.index, first.vnum, empty.Rooms->Items[0]->Vnum, empty.Rooms->Items[0]->Sector),
            std::make_tuple(0, 1, 1, 2));
}

TEST_F(MapEditingTest, ExitLeadsSomewhereOnlyWithAPositiveVnum) {
  TArea& area = add_area();
  TAreaRoom& room = add_room(area, 1);
  EXPECT_FALSE(ExitLeadsSomewhere(room, DIR_NORTH));
  for (int32_t vnum : {0, -5, 1}) {
    room.EnsureDoor(DIR_NORTH).ToVnum = vnum;
    EXPECT_EQ(ExitLeadsSomewhere(room, DIR_NORTH), vnum == 1) << vnum;
  }
  EXPECT_FALSE(ExitLeadsSomewhere(room, 11));
  EXPECT_FALSE(ExitLeadsSomewhere(room, -1));
}

TEST_F(MapEditingTest, FindExitTargetLooksInThisAreaThenInTheWorldInListOrder) {
  TArea& here = add_area();
  add_room(here, 100);
  add_room(here, 101);
  TArea& second = add_area();
  add_room(second, 7);
  add_room(second, 200);
  TArea& third = add_area();
  add_room(third, 200);

  const auto target = [&](int32_t vnum) {
    const ExitTarget found = FindExitTarget(*here.Rooms, vnum);
    return std::make_tuple(found.kind, found.area, found.kind == ExitTarget::Nowhere ? -1 : found.room_index);
  };
  EXPECT_EQ(target(101), std::make_tuple(ExitTarget::ThisArea, &here, 1));
  EXPECT_EQ(target(200), std::make_tuple(ExitTarget::OtherArea, &second, 1));
  EXPECT_EQ(target(999), std::make_tuple(ExitTarget::Nowhere, nullptr, -1));
  // Outside a world an area knows only its own rooms.
  TArea lone(nullptr);
  add_room(lone, 5);
  EXPECT_EQ(FindExitTarget(*lone.Rooms, 5).kind, ExitTarget::ThisArea);
  EXPECT_EQ(FindExitTarget(*lone.Rooms, 6).kind, ExitTarget::Nowhere);
}

TEST_F(MapEditingTest, FindNearestRoomAsksBeforeEveryFurtherStep) {
  TArea& area = add_area();
  add_room(area, 1, 5, 2);
  add_room(area, 2, 2, 2);
  add_room(area, 3, 1, 2);  // further on: never reached
  int asked = 0;
  const auto ask = [&](int answers) {
    asked = 0;
    return FindNearestRoom(*area.Rooms, 0, DIR_WEST, [&, answers] { return ++asked <= answers; });
  };
  EXPECT_EQ(std::make_tuple(ask(2), asked), std::make_tuple(1, 2));
  EXPECT_EQ(std::make_tuple(ask(1), asked), std::make_tuple(-1, 2));  // the user declined the second step
}

TEST_F(MapEditingTest, FindNearestRoomStepsInThreeDimensions) {
  TArea& area = add_area();
  add_room(area, 1, 3, 3, 0);
  add_room(area, 2, 3, 3, 1);
  add_room(area, 3, 4, 2, 0);
  add_room(area, 4, 2, 4, 0);
  const auto never = [] { return false; };
  EXPECT_EQ(FindNearestRoom(*area.Rooms, 0, DIR_UP, never), 1);
  EXPECT_EQ(FindNearestRoom(*area.Rooms, 0, DIR_NORTHEAST, never), 2);
  EXPECT_EQ(FindNearestRoom(*area.Rooms, 0, DIR_SOUTHWEST, never), 3);
  EXPECT_EQ(FindNearestRoom(*area.Rooms, 0, DIR_DOWN, never), -1);
}

TEST_F(MapEditingTest, RoomAtFindsTheFirstRoomOfTheCell) {
  TArea& area = add_area();
  add_room(area, 1, 1, 1);
  add_room(area, 2, 2, 1);
  add_room(area, 3, 2, 1);
  EXPECT_EQ(RoomAt(*area.Rooms, 2, 1, 0), 1);
  EXPECT_EQ(RoomAt(*area.Rooms, 2, 1, 1), -1);
}

TEST_F(MapEditingTest, SetExitCreatesOrRetargetsTheDoor) {
  TArea& area = add_area();
  TAreaRoom& room = add_room(area, 1);
  SetExit(room, DIR_SOUTHWEST, 42);
  ASSERT_TRUE(room.Doors[DIR_SOUTHWEST]);
  TAreaDoor& door = *room.Doors[DIR_SOUTHWEST];
  EXPECT_EQ(std::tie(door.ToVnum, door.Direction), std::make_tuple(42, DIR_SOUTHWEST));
  door.Flags = EX_ISDOOR;
  SetExit(room, DIR_SOUTHWEST, 43);
  EXPECT_EQ(std::tie(door.ToVnum, door.Flags), std::make_tuple(43, EX_ISDOOR));
}

TEST_F(MapEditingTest, ExitLettersNameTheExitsThatLeadSomewhere) {
  TArea& area = add_area();
  TAreaRoom& room = add_room(area, 1);
  EXPECT_EQ(ExitLetters(room), "");
  for (int32_t dir : {DIR_SOUTHWEST, DIR_NORTH, DIR_EAST, DIR_SOUTH})
    SetExit(room, dir, 5);
  SetExit(room, DIR_WEST, 0);  // leads nowhere
  EXPECT_EQ(ExitLetters(room), "NESSw");
  for (int32_t dir : {DIR_SOMEWHERE, DIR_UP, DIR_NORTHWEST})
    SetExit(room, dir, 9);
  EXPECT_EQ(ExitLetters(room), "NESUNwSw?");
}

TEST_F(MapEditingTest, RoomAtPointHitsTheSquareWithInclusiveBounds) {
  TArea& area = add_area();
  add_room(area, 1, 1, 1);
  add_room(area, 2, 2, 1);
  add_room(area, 3, 2, 1, 1);
  // Zoom 10: the room at (2, 1) stands at pixel (80, 40), scrolled by (40, 0) at (40, 40).
  const std::array<int32_t, 7> cases[] = {// level, zoom, scroll x and y, point x and y, room
                                          {0, 10, 0, 0, 80, 40, 1},  {0, 10, 0, 0, 70, 30, 1},
                                          {0, 10, 0, 0, 90, 50, 1},  {0, 10, 0, 0, 91, 50, -1},
                                          {0, 10, 0, 0, 60, 40, -1}, {0, 10, 40, 0, 40, 40, 1},
                                          {1, 10, 0, 0, 80, 40, 2},  {0, 5, 0, 0, 20, 20, 0}};
  for (const auto& [level, zoom, sx, sy, px, py, room] : cases)
    EXPECT_EQ(RoomAtPoint(*area.Rooms, level, zoom, sx, sy, px, py), room)
        << px << "," << py << " zoom " << zoom;
}

TEST_F(MapEditingTest, RoomAtPointTakesUnplacedRoomsAtTheOriginAndSurvivesHugeCoordinates) {
  TArea& area = add_area();
  add_room(area, 1, 3, 3, 2).Unplaced = true;
  EXPECT_EQ(RoomAtPoint(*area.Rooms, 0, 10, 0, 0, 0, 0), 0);
  EXPECT_EQ(RoomAtPoint(*area.Rooms, 2, 10, 0, 0, 120, 120), -1);
  add_room(area, 2, 2000000000, 1);
  EXPECT_EQ(RoomAtPoint(*area.Rooms, 0, kMaxZoom, 0, 0, 0, 4 * kMaxZoom), -1);
}

TEST(MapViewTest, VisibleCellsAndScrollingMoveOnlyAsFarAsNeeded) {
  EXPECT_EQ(std::make_tuple(VisibleCells(800, 10), VisibleCells(799, 10), VisibleCells(0, 10),
                            VisibleCells(800, 0)),
            std::make_tuple(20, 19, 0, 0));
  // A view of 20 cells at position 10 shows columns 11 to 29 fully; a view narrower than one cell pitch
  // shows at least the right half of the room at its left edge.
  const std::array<int32_t, 4> cases[] = {
      // position, column, visible cells, new position
      {10, 15, 20, 10}, {10, 11, 20, 10}, {10, 10, 20, 9}, {10, 3, 20, 2}, {10, 29, 20, 10},
      {10, 30, 20, 11}, {0, 100, 20, 81}, {5, 0, 20, 0},   {0, 7, 0, 7},   {9, 7, 1, 7}};
  for (const auto& [position, column, cells, scrolled] : cases)
    EXPECT_EQ(ScrollToShow(position, column, cells), scrolled) << position << " " << column << " " << cells;
  EXPECT_EQ(std::make_tuple(ScrollToEnd(100, 20), ScrollToEnd(5, 20), ScrollToEnd(5, 0)),
            std::make_tuple(81, 0, 5));
  EXPECT_EQ(ScrollToShow(ScrollToEnd(100, 20), 100, 20), ScrollToEnd(100, 20));
}

TEST(MapViewTest, ZoomDoublesAndHalvesWithinItsLimits) {
  EXPECT_EQ(ZoomIn(10), 20);
  EXPECT_EQ(ZoomOut(10), 5);
  EXPECT_EQ(ZoomOut(5), 5);
  int32_t zoom = 10;
  for (int i = 0; i < 40; ++i)
    zoom = ZoomIn(zoom);
  EXPECT_EQ(zoom, kMaxZoom);
  EXPECT_EQ(ZoomOut(kMaxZoom), kMaxZoom / 2);
}

}  // namespace
}  // namespace tavro

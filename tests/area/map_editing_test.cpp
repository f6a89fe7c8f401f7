// The map's edits and view arithmetic: linked room creation, exit targets across areas, the nearest-room
// search, the status letters, the hit test, scrolling and zoom.
#include <gtest/gtest.h>

#include "area/Area.h"
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

TEST_F(MapEditingTest, CreateLinkedRoomJoinsBothWaysWithTheNextFreeVnum) {
  TArea& area = add_area();
  TAreaRoom& first = add_room(area, 3001);
  add_room(area, 3005);
  first.EnsureDoor(DIR_EAST).Keyword = "gate";  // an exit leading nowhere keeps its other fields

  const int32_t index = CreateLinkedRoom(*area.Rooms, 0, DIR_EAST, 4);

  ASSERT_EQ(index, 2);
  const TAreaRoom& created = *area.Rooms->Items[2];
  EXPECT_EQ(created.Vnum, 3006);
  EXPECT_EQ(created.Sector, 4);
  ASSERT_TRUE(first.Doors[DIR_EAST]);
  EXPECT_EQ(first.Doors[DIR_EAST]->ToVnum, 3006);
  EXPECT_EQ(first.Doors[DIR_EAST]->Direction, DIR_EAST);
  EXPECT_EQ(first.Doors[DIR_EAST]->Keyword, "gate");
  ASSERT_TRUE(created.Doors[DIR_WEST]);
  EXPECT_EQ(created.Doors[DIR_WEST]->ToVnum, 3001);
  EXPECT_EQ(created.Doors[DIR_WEST]->Direction, DIR_WEST);
  EXPECT_EQ(created.Doors[DIR_WEST]->Keyword, "");
  for (int32_t dir = 0; dir < DirectionCount; ++dir) {
    if (dir != DIR_WEST) {
      EXPECT_FALSE(created.Doors[static_cast<size_t>(dir)]) << dir;
    }
  }
}

TEST_F(MapEditingTest, CreateLinkedRoomUsesTheReverseOfEveryDirection) {
  for (int32_t dir = 0; dir < 10; ++dir) {
    TArea& area = add_area();
    add_room(area, 1);
    const int32_t index = CreateLinkedRoom(*area.Rooms, 0, dir, 0);
    const TAreaRoom& created = *area.Rooms->Items[static_cast<size_t>(index)];
    EXPECT_TRUE(created.Doors[static_cast<size_t>(RevDir[static_cast<size_t>(dir)])]) << dir;
    EXPECT_EQ(created.Vnum, 2);
  }
}

TEST_F(MapEditingTest, ExitLeadsSomewhereOnlyWithAPositiveVnum) {
  TArea& area = add_area();
  TAreaRoom& room = add_room(area, 1);
  EXPECT_FALSE(ExitLeadsSomewhere(room, DIR_NORTH));
  room.EnsureDoor(DIR_NORTH).ToVnum = 0;
  EXPECT_FALSE(ExitLeadsSomewhere(room, DIR_NORTH));
  room.EnsureDoor(DIR_NORTH).ToVnum = -5;
  EXPECT_FALSE(ExitLeadsSomewhere(room, DIR_NORTH));
  room.EnsureDoor(DIR_NORTH).ToVnum = 1;
  EXPECT_TRUE(ExitLeadsSomewhere(room, DIR_NORTH));
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

  ExitTarget target = FindExitTarget(*here.Rooms, 101);
  EXPECT_EQ(target.kind, ExitTarget::ThisArea);
  EXPECT_EQ(target.area, &here);
  EXPECT_EQ(target.room_index, 1);

  target = FindExitTarget(*here.Rooms, 200);
  EXPECT_EQ(target.kind, ExitTarget::OtherArea);
  EXPECT_EQ(target.area, &second);
  EXPECT_EQ(target.room_index, 1);

  target = FindExitTarget(*here.Rooms, 999);
  EXPECT_EQ(target.kind, ExitTarget::Nowhere);
  EXPECT_EQ(target.area, nullptr);
}

TEST_F(MapEditingTest, FindExitTargetOutsideAWorldKnowsOnlyItsOwnRooms) {
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
  const int32_t found = FindNearestRoom(*area.Rooms, 0, DIR_WEST, [&] {
    ++asked;
    return true;
  });
  EXPECT_EQ(found, 1);
  EXPECT_EQ(asked, 2);
}

TEST_F(MapEditingTest, FindNearestRoomStopsWhenTheUserDeclines) {
  TArea& area = add_area();
  add_room(area, 1, 5, 2);
  add_room(area, 2, 2, 2);
  int asked = 0;
  EXPECT_EQ(FindNearestRoom(*area.Rooms, 0, DIR_WEST,
                            [&] {
                              ++asked;
                              return asked < 2;
                            }),
            -1);
  EXPECT_EQ(asked, 2);
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
  EXPECT_EQ(room.Doors[DIR_SOUTHWEST]->ToVnum, 42);
  EXPECT_EQ(room.Doors[DIR_SOUTHWEST]->Direction, DIR_SOUTHWEST);
  room.Doors[DIR_SOUTHWEST]->Flags = EX_ISDOOR;
  SetExit(room, DIR_SOUTHWEST, 43);
  EXPECT_EQ(room.Doors[DIR_SOUTHWEST]->ToVnum, 43);
  EXPECT_EQ(room.Doors[DIR_SOUTHWEST]->Flags, EX_ISDOOR);
}

TEST_F(MapEditingTest, ExitLettersNameTheExitsThatLeadSomewhere) {
  TArea& area = add_area();
  TAreaRoom& room = add_room(area, 1);
  EXPECT_EQ(ExitLetters(room), "");
  SetExit(room, DIR_SOUTHWEST, 5);
  SetExit(room, DIR_NORTH, 5);
  SetExit(room, DIR_EAST, 5);
  SetExit(room, DIR_SOUTH, 5);
  SetExit(room, DIR_WEST, 0);  // leads nowhere
  EXPECT_EQ(ExitLetters(room), "NESSw");
  SetExit(room, DIR_SOMEWHERE, 9);
  SetExit(room, DIR_UP, 9);
  SetExit(room, DIR_NORTHWEST, 9);
  EXPECT_EQ(ExitLetters(room), "NESUNwSw?");
}

TEST_F(MapEditingTest, RoomAtPointHitsTheSquareWithInclusiveBounds) {
  TArea& area = add_area();
  add_room(area, 1, 1, 1);
  add_room(area, 2, 2, 1);
  add_room(area, 3, 2, 1, 1);
  // Zoom 10: the room at (2, 1) stands at pixel (80, 40), scrolled by (40, 0) at (40, 40).
  EXPECT_EQ(RoomAtPoint(*area.Rooms, 0, 10, 0, 0, 80, 40), 1);
  EXPECT_EQ(RoomAtPoint(*area.Rooms, 0, 10, 0, 0, 70, 30), 1);
  EXPECT_EQ(RoomAtPoint(*area.Rooms, 0, 10, 0, 0, 90, 50), 1);
  EXPECT_EQ(RoomAtPoint(*area.Rooms, 0, 10, 0, 0, 91, 50), -1);
  EXPECT_EQ(RoomAtPoint(*area.Rooms, 0, 10, 0, 0, 60, 40), -1);
  EXPECT_EQ(RoomAtPoint(*area.Rooms, 0, 10, 40, 0, 40, 40), 1);
  EXPECT_EQ(RoomAtPoint(*area.Rooms, 1, 10, 0, 0, 80, 40), 2);
  EXPECT_EQ(RoomAtPoint(*area.Rooms, 0, 5, 0, 0, 20, 20), 0);
}

TEST_F(MapEditingTest, RoomAtPointTakesUnplacedRoomsAtTheOrigin) {
  TArea& area = add_area();
  TAreaRoom& room = add_room(area, 1, 3, 3, 2);
  room.Unplaced = true;
  EXPECT_EQ(RoomAtPoint(*area.Rooms, 0, 10, 0, 0, 0, 0), 0);
  EXPECT_EQ(RoomAtPoint(*area.Rooms, 2, 10, 0, 0, 120, 120), -1);
}

TEST_F(MapEditingTest, RoomAtPointSurvivesHugeCoordinates) {
  TArea& area = add_area();
  add_room(area, 1, 2000000000, 1);
  EXPECT_EQ(RoomAtPoint(*area.Rooms, 0, kMaxZoom, 0, 0, 0, 4 * kMaxZoom), -1);
}

TEST(MapViewTest, VisibleCellsCountTheCellPitch) {
  EXPECT_EQ(VisibleCells(800, 10), 20);
  EXPECT_EQ(VisibleCells(799, 10), 19);
  EXPECT_EQ(VisibleCells(0, 10), 0);
  EXPECT_EQ(VisibleCells(800, 0), 0);
}

TEST(MapViewTest, ScrollToShowMovesOnlyAsFarAsNeeded) {
  // A view of 20 cells at position 10 shows columns 11 to 29 fully.
  EXPECT_EQ(ScrollToShow(10, 15, 20), 10);
  EXPECT_EQ(ScrollToShow(10, 11, 20), 10);
  EXPECT_EQ(ScrollToShow(10, 10, 20), 9);
  EXPECT_EQ(ScrollToShow(10, 3, 20), 2);
  EXPECT_EQ(ScrollToShow(10, 29, 20), 10);
  EXPECT_EQ(ScrollToShow(10, 30, 20), 11);
  EXPECT_EQ(ScrollToShow(0, 100, 20), 81);
  EXPECT_EQ(ScrollToShow(5, 0, 20), 0);
  // A view narrower than one cell pitch shows at least the right half of the room at its left edge.
  EXPECT_EQ(ScrollToShow(0, 7, 0), 7);
  EXPECT_EQ(ScrollToShow(9, 7, 1), 7);
}

TEST(MapViewTest, ScrollToEndShowsTheLastColumn) {
  EXPECT_EQ(ScrollToEnd(100, 20), 81);
  EXPECT_EQ(ScrollToShow(ScrollToEnd(100, 20), 100, 20), ScrollToEnd(100, 20));
  EXPECT_EQ(ScrollToEnd(5, 20), 0);
  EXPECT_EQ(ScrollToEnd(5, 0), 5);
}

TEST(MapViewTest, ZoomDoublesAndHalvesWithinItsLimits) {
  EXPECT_EQ(ZoomIn(10), 20);
  EXPECT_EQ(ZoomOut(10), 5);
  EXPECT_EQ(ZoomOut(5), 5);
  int32_t zoom = 10;
  for (int i = 0; i < 40; ++i)
    zoom = ZoomIn(zoom);
  EXPECT_EQ(zoom, kMaxZoom);
  EXPECT_EQ(kMaxZoom % 5, 0);
  EXPECT_EQ(ZoomOut(kMaxZoom), kMaxZoom / 2);
}

}  // namespace
}  // namespace tavro

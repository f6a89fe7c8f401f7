// Automatic layout: placement along exits, pushing rooms aside, normalisation and bounds, checked
// against hand-worked maps.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <random>
#include <tuple>
#include <vector>

#include "area/Layout.h"
#include "area/Rooms.h"

namespace tavro {
namespace {

class LayoutTest : public ::testing::Test {
 protected:
  TAreaRoom& room(int32_t vnum) {
    TAreaRoom& r = rooms.Add();
    r.Vnum = vnum;
    return r;
  }
  static void link(TAreaRoom& from, int32_t direction, int32_t to) { from.EnsureDoor(direction).ToVnum = to; }
  const TAreaRoom& at(int32_t vnum) const { return *rooms.FindByVnum(vnum); }
  static std::tuple<int32_t, int32_t, int32_t> pos(const TAreaRoom& r) { return {r.X, r.Y, r.Level}; }

  TAreaRooms rooms{nullptr};
};

TEST_F(LayoutTest, SingleRoomStandsAtColumnOneRowOne) {
  room(5);
  rooms.MaxX = rooms.MaxY = rooms.MaxLevel = 7;  // stale bounds of an earlier layout
  rooms.MinLevel = -7;
  AutoLayout(rooms);
  EXPECT_EQ(pos(at(5)), std::make_tuple(1, 1, 0));
  EXPECT_FALSE(at(5).Unplaced);
  EXPECT_EQ(std::make_tuple(rooms.MaxX, rooms.MaxY, rooms.MinLevel, rooms.MaxLevel),
            std::make_tuple(1, 1, 0, 0));
  rooms.Clear();  // an empty list resets the bounds
  rooms.MaxX = 3;
  rooms.MinLevel = -2;
  AutoLayout(rooms);
  EXPECT_EQ(std::make_tuple(rooms.MaxX, rooms.MinLevel), std::make_tuple(0, 0));
}

TEST_F(LayoutTest, OnlyRoomsReachableFromTheFirstArePlaced) {
  link(room(1), DIR_EAST, 2);
  room(2);
  TAreaRoom& island = room(3);  // leads to the others, but nothing leads to it
  link(island, DIR_WEST, 1);
  island.X = island.Y = island.Level = 9;
  AutoLayout(rooms);
  EXPECT_TRUE(at(3).Unplaced);
  EXPECT_EQ(pos(at(3)), std::make_tuple(0, 0, 0));
  EXPECT_EQ(pos(at(1)), std::make_tuple(1, 1, 0));
  EXPECT_EQ(pos(at(2)), std::make_tuple(2, 1, 0));
  EXPECT_EQ(rooms.MaxX, 2);
}

TEST_F(LayoutTest, ExitsThatLeadNowhereAreNotFollowed) {
  TAreaRoom& first = room(1);
  link(first, DIR_NORTH, 0);
  link(first, DIR_EAST, -2);
  link(first, DIR_SOUTH, 999);  // no such room
  link(first, DIR_SOMEWHERE, 2);
  room(-2);
  room(2);
  AutoLayout(rooms);
  EXPECT_TRUE(at(-2).Unplaced);
  EXPECT_TRUE(at(2).Unplaced) << "direction 10 is never followed";
  EXPECT_EQ(rooms.MaxX, 1);
}

TEST_F(LayoutTest, EveryDirectionStepsToItsCell) {
  TAreaRoom& centre = room(100);
  const std::vector<std::tuple<int32_t, int32_t, int32_t, int32_t>> expected = {
      {DIR_NORTH, 0, -1, 0},     {DIR_EAST, 1, 0, 0},        {DIR_SOUTH, 0, 1, 0},
      {DIR_WEST, -1, 0, 0},      {DIR_UP, 0, 0, 1},          {DIR_DOWN, 0, 0, -1},
      {DIR_NORTHEAST, 1, -1, 0}, {DIR_NORTHWEST, -1, -1, 0}, {DIR_SOUTHEAST, 1, 1, 0},
      {DIR_SOUTHWEST, -1, 1, 0}};
  for (const auto& [direction, dx, dy, dz] : expected) {
    link(centre, direction, 200 + direction);
    room(200 + direction);
  }
  AutoLayout(rooms);
  // Least column and row are -1, so everything moves by 2.
  EXPECT_EQ(pos(at(100)), std::make_tuple(2, 2, 0));
  for (const auto& [direction, dx, dy, dz] : expected)
    EXPECT_EQ(pos(at(200 + direction)), std::make_tuple(2 + dx, 2 + dy, dz)) << "direction " << direction;
  EXPECT_EQ(std::make_tuple(rooms.MaxX, rooms.MaxY, rooms.MinLevel, rooms.MaxLevel),
            std::make_tuple(3, 3, -1, 1));
}

// Rooms 1 to N with the given exits, laid out: where each room stands and the bounds that follow.
TEST_F(LayoutTest, PushesMoveTheRoomsOnTheFarSideOfTheTakenCell) {
  struct Case {
    const char* rule;
    std::vector<std::array<int32_t, 3>> exits;      // from, direction, to
    std::vector<std::array<int32_t, 3>> positions;  // of rooms 1, 2, ...: column, row, level
  };
  const std::vector<Case> cases = {
      {"5 goes north of 3 into the cell of 4: 4 and 2 (rows at or above) move one row up, 1 and 3 stay, "
       "and 6 on the level above keeps its row",
       {{1, DIR_NORTH, 2}, {1, DIR_EAST, 3}, {2, DIR_EAST, 4}, {2, DIR_UP, 6}, {3, DIR_NORTH, 5}},
       {{1, 3, 0}, {1, 1, 0}, {2, 3, 0}, {2, 1, 0}, {2, 2, 0}, {1, 2, 1}}},
      {"5 goes east of 4 into the cell of 3: columns at or right of it move right",
       {{1, DIR_EAST, 2}, {1, DIR_SOUTH, 4}, {2, DIR_SOUTH, 3}, {4, DIR_EAST, 5}},
       {{1, 1, 0}, {3, 1, 0}, {3, 2, 0}, {1, 2, 0}, {2, 2, 0}}},
      {"4 goes southwest of 1 into the cell of 3: rows at or below move down, then columns at or left move "
       "left; 1 is on neither side and stays",
       {{1, DIR_WEST, 2}, {1, DIR_SOUTHWEST, 4}, {2, DIR_SOUTH, 3}},
       {{3, 1, 0}, {1, 1, 0}, {1, 3, 0}, {2, 2, 0}}},
      {"a child's position is re-read after earlier children pushed it: 3 goes south of 2 into 1's cell and "
       "pushes 1 down before 1's east exit is followed",
       {{1, DIR_NORTH, 2}, {1, DIR_EAST, 4}, {2, DIR_SOUTH, 3}},
       {{1, 3, 0}, {1, 1, 0}, {1, 2, 0}, {2, 3, 0}}}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.rule);
    rooms.Clear();
    for (size_t v = 1; v <= c.positions.size(); ++v)
      room(static_cast<int32_t>(v));
    for (const auto& [from, direction, to] : c.exits)
      link(*rooms.FindByVnum(from), direction, to);
    AutoLayout(rooms);
    std::array<int32_t, 3> bounds{};
    for (size_t i = 0; i < c.positions.size(); ++i) {
      const auto& [x, y, level] = c.positions[i];
      EXPECT_EQ(pos(at(static_cast<int32_t>(i + 1))), std::make_tuple(x, y, level)) << "room " << i + 1;
      bounds = {std::max(bounds[0], x), std::max(bounds[1], y), std::max(bounds[2], level)};
    }
    EXPECT_EQ(std::make_tuple(rooms.MaxX, rooms.MaxY, rooms.MaxLevel),
              std::make_tuple(bounds[0], bounds[1], bounds[2]));
  }
}

TEST_F(LayoutTest, LongCorridorNeedsNoDeepRecursion) {
  constexpr int32_t kRooms = 100000;
  for (int32_t v = 1; v <= kRooms; ++v) {
    TAreaRoom& r = room(v);
    if (v < kRooms) link(r, DIR_EAST, v + 1);
    if (v > 1) link(r, DIR_WEST, v - 1);
  }
  AutoLayout(rooms);
  EXPECT_EQ(std::make_tuple(rooms.MaxX, rooms.MaxY), std::make_tuple(kRooms, 1));
  EXPECT_EQ(pos(*rooms.Items.back()), std::make_tuple(kRooms, 1, 0));
}

// Rooms created from the map one after another, each added by the remembered walk when it can be: every
// room then stands where a full layout puts it. Tangled exits make many additions collide and be refused.
TEST_F(LayoutTest, AddedRoomsStandWhereAFullLayoutPutsThem) {
  std::mt19937 random(11);
  int32_t added = 0;
  for (int32_t area = 0; area < 40; ++area) {
    rooms.Clear();
    const auto count = static_cast<int32_t>(2 + random() % 30);
    for (int32_t v = 1; v <= count; ++v)
      room(v * 2);
    for (int32_t e = 0; e < count * 2; ++e)
      link(*rooms.Items[random() % count], static_cast<int32_t>(random() % DirectionCount),
           static_cast<int32_t>(2 +
                                random() % (count * 2 + 2)));  // odd vnums and one past the end lead nowhere
    TRoomLayout layout;
    layout.LayOut(rooms);
    for (int32_t step = 0; step < 10; ++step) {
      const auto from = static_cast<int32_t>(random() % rooms.Items.size());
      const auto dir = static_cast<int32_t>(random() % 10);
      if (rooms.Items[from]->Doors[dir] && rooms.Items[from]->Doors[dir]->ToVnum >= 1) continue;
      const int32_t vnum = rooms.NextFreeVnum();
      link(*rooms.Items[from], dir, vnum);
      link(room(vnum), RevDir[dir], rooms.Items[from]->Vnum);
      if (!layout.AddLinkedRoom(rooms, from, dir)) {
        layout.LayOut(rooms);
        continue;
      }
      ++added;
      std::vector<std::tuple<int32_t, int32_t, int32_t, bool>> kept;
      for (const auto& r : rooms.Items)
        kept.emplace_back(r->X, r->Y, r->Level, r->Unplaced);
      const auto bounds = std::make_tuple(rooms.MaxX, rooms.MaxY, rooms.MinLevel, rooms.MaxLevel);
      AutoLayout(rooms);
      for (size_t i = 0; i < kept.size(); ++i)
        ASSERT_EQ(kept[i], std::make_tuple(rooms.Items[i]->X, rooms.Items[i]->Y, rooms.Items[i]->Level,
                                           rooms.Items[i]->Unplaced))
            << "area " << area << " step " << step << " room " << rooms.Items[i]->Vnum;
      ASSERT_EQ(bounds, std::make_tuple(rooms.MaxX, rooms.MaxY, rooms.MinLevel, rooms.MaxLevel));
    }
  }
  EXPECT_GT(added, 100);
}

// Refused: a room the walk would reach earlier through an exit that led nowhere, a cell a later room of
// the walk takes, and a walk forgotten. 1 leads east to 2 and south to 3, 3 east to 4, and 1 also up to 9.
TEST_F(LayoutTest, AnAdditionIsRefusedWhenAFullLayoutWouldDiffer) {
  TAreaRoom& first = room(1);
  link(first, DIR_EAST, 2);
  link(first, DIR_SOUTH, 3);
  link(first, DIR_UP, 9);
  room(2);
  link(room(3), DIR_EAST, 4);
  room(4);
  TRoomLayout layout;
  const auto make = [&](int32_t from_index, int32_t dir, int32_t vnum) {
    TAreaRoom& from = *rooms.Items[static_cast<size_t>(from_index)];
    link(from, dir, vnum);
    link(room(vnum), RevDir[dir], from.Vnum);
    const bool added = layout.AddLinkedRoom(rooms, from_index, dir);
    from.Doors[dir].reset();
    rooms.Items.pop_back();
    layout.LayOut(rooms);
    return added;
  };
  layout.LayOut(rooms);
  EXPECT_FALSE(make(1, DIR_NORTH, 9)) << "1 reaches 9 by its up exit first";
  EXPECT_FALSE(make(1, DIR_SOUTH, 5)) << "4 takes the cell later";
  EXPECT_TRUE(make(1, DIR_EAST, 5));
  layout.Forget();
  EXPECT_FALSE(make(1, DIR_EAST, 5)) << "a forgotten walk";
}

TEST_F(LayoutTest, VnumIndexFindsTheFirstRoomDenseAndSparse) {
  room(10);
  room(12);
  room(10);
  const auto found = [&](const std::vector<int32_t>& vnums) {
    const VnumIndex index(rooms);
    std::vector<int32_t> positions;
    for (int32_t vnum : vnums)
      positions.push_back(index.index_of(vnum));
    return positions;
  };
  EXPECT_EQ(found({10, 12, 11, 9, INT32_MIN}), (std::vector<int32_t>{0, 1, -1, -1, -1}));
  room(2000000000);
  room(-2000000000);
  EXPECT_EQ(found({10, 2000000000, -2000000000, 11}), (std::vector<int32_t>{0, 3, 4, -1}));
}

}  // namespace
}  // namespace tavro

// The map's index against the plain look-ups it replaces: the hit test, and the rooms drawn in view after
// rooms were added from the map (the added rooms may move every room by one step).
#include <gtest/gtest.h>

#include <random>

#include "area/Layout.h"
#include "area/MapDrawing.h"
#include "area/MapEditing.h"
#include "area/Rooms.h"
#include "area/SpatialIndex.h"
#include "map_recording_canvas.h"

namespace tavro {
namespace {

class SpatialIndexTest : public ::testing::Test {
 protected:
  // A tangle of rooms on three levels, some unreachable from the first.
  void make_rooms(uint32_t seed, int32_t count) {
    std::mt19937 random(seed);
    for (int32_t v = 1; v <= count; ++v)
      rooms.Add().Vnum = v;
    for (int32_t e = 0; e < count * 2; ++e) {
      const auto dir = static_cast<int32_t>(random() % 10);
      const auto from = random() % static_cast<uint32_t>(count);
      rooms.Items[from]->EnsureDoor(dir).ToVnum = 1 + static_cast<int32_t>(random() % (count + count / 4));
    }
  }

  std::vector<test::DrawCall> drawn(const Rect& view, const TMapIndex* index) {
    test::RecordingCanvas canvas;
    DrawLevelParams p;
    p.cell_size = 5;
    p.off_x = 40;
    p.off_y = 20;
    p.visible = &view;
    p.index = index;
    for (p.level = -1; p.level <= 1; ++p.level)
      DrawLevel(rooms, canvas, p, SectorPalette());
    return canvas.calls;
  }

  TAreaRooms rooms{nullptr};
};

TEST_F(SpatialIndexTest, HitTestFindsWhatThePlainOneFinds) {
  make_rooms(3, 300);
  AutoLayout(rooms);
  rooms.Items[7]->Unplaced = true;  // stands at the origin for the hit test
  rooms.Items[7]->X = rooms.Items[7]->Y = 0;
  TMapIndex index;
  index.Build(rooms);
  int32_t hits = 0;
  for (int32_t zoom : {5, 10}) {
    for (int32_t level = -1; level <= 1; ++level) {
      for (int32_t py = -30; py < 600; py += 3) {
        for (int32_t px = -30; px < 600; px += 3) {
          const int32_t plain = RoomAtPoint(rooms, level, zoom, 7, -4, px, py);
          ASSERT_EQ(RoomAtPoint(index, level, zoom, 7, -4, px, py), plain) << px << "," << py;
          hits += plain >= 0;
        }
      }
    }
  }
  EXPECT_GT(hits, 1000);
}

TEST_F(SpatialIndexTest, RoomsAddedFromTheMapAreFoundInView) {
  make_rooms(5, 200);
  TRoomLayout layout;
  layout.LayOut(rooms);
  TMapIndex index;
  index.Build(rooms);
  std::mt19937 random(9);
  int32_t added = 0;
  for (int32_t step = 0; step < 300; ++step) {
    const auto from = static_cast<int32_t>(random() % rooms.Items.size());
    // West and north of the first rooms often make a new least column or row.
    const int32_t dir = step % 3 == 0 ? DIR_WEST : static_cast<int32_t>(random() % 10);
    TAreaRoom& room = *rooms.Items[static_cast<size_t>(from)];
    if (room.Doors[dir] && room.Doors[dir]->ToVnum >= 1) continue;
    const int32_t vnum = rooms.NextFreeVnum();
    room.EnsureDoor(dir).ToVnum = vnum;
    TAreaRoom& made = rooms.Add();
    made.Vnum = vnum;
    made.EnsureDoor(RevDir[dir]).ToVnum = room.Vnum;
    if (layout.AddLinkedRoom(rooms, from, dir)) {
      index.AddLinkedRoom(rooms, from);
      ++added;
    } else {
      layout.LayOut(rooms);
      index.Build(rooms);
    }
  }
  ASSERT_GT(added, 50);
  for (const Rect& view : {Rect{0, 0, 300, 200}, Rect{100, 150, 700, 400}, Rect{-50, -50, 2000, 2000}})
    EXPECT_EQ(drawn(view, &index), drawn(view, nullptr));
}

}  // namespace
}  // namespace tavro

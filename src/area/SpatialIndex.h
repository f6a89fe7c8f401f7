#pragma once
// Where the rooms of a laid-out list stand, so that painting and hit testing look only at what is in
// view: the placed rooms of each level in square blocks of cells, the first room of each vnum, and what
// the exits that leave the list lead to.
#include <array>
#include <cstdint>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "area/Directions.h"
#include "area/Layout.h"

namespace tavro {

class TAreaRoom;
class TAreaRooms;

// Grid cells from (left, top) to (right, bottom), both included.
struct CellRect {
  int64_t left = 0;
  int64_t top = 0;
  int64_t right = 0;
  int64_t bottom = 0;
};

// What the drawing reads of a room, kept together: a large view is drawn without visiting the rooms'
// records and exits scattered in memory.
struct TDrawnRoom {
  int32_t x = 0;
  int32_t y = 0;
  int32_t level = 0;
  int32_t sector = 0;
  bool placed = false;
  // The first room with the exit's vnum; kNoExit where there is no exit or it leads to vnum 0; an exit
  // to a vnum no room of the list has is kOutside - n, n being its place in TMapIndex::OutsideVnum.
  std::array<int32_t, DirectionCount> target{};
  std::array<uint8_t, DirectionCount> flags{};  // door, closed and locked bits of each door there is

  static constexpr int32_t kNoExit = -1;
  static constexpr int32_t kOutside = -2;
};

class TMapIndex {
 public:
  // Everything from the rooms as they are: after a layout, and after any change that kept positions.
  void Build(const TAreaRooms& rooms);
  // The last room of the list was added by TRoomLayout::AddLinkedRoom, joined to the room at from_index;
  // the others kept their places, or all moved by the same step when the least column or row changed.
  void AddLinkedRoom(const TAreaRooms& rooms, int32_t from_index);
  // The rooms of other areas changed: exits that leave this list may lead somewhere else now.
  void ClassifyOutside(const TAreaRooms& rooms);

  // The placed rooms of a level whose drawing (square, lines to rooms of the level, stubs and marks) may
  // reach the cells, in list order. A superset: the caller tests each one.
  void RoomsNear(int32_t level, const CellRect& cells, std::vector<int32_t>& out) const;
  // The first room in list order standing at the cell; unplaced rooms stand at (0, 0) on level 0. -1 when
  // none.
  int32_t RoomAtCell(int32_t level, int64_t x, int64_t y) const;

  const VnumIndex& Vnums() const { return vnums_; }
  const TDrawnRoom& Room(int32_t index) const { return drawn_[static_cast<size_t>(index)]; }
  // The vnum of an exit whose target is kOutside or below.
  int32_t OutsideVnum(int32_t target) const {
    return outside_vnums_[static_cast<size_t>(TDrawnRoom::kOutside - target)];
  }
  // An exit to a vnum that no room of this list has: true when a room of another loaded area has it.
  bool LeadsToOtherArea(int32_t vnum) const { return other_area_.contains(vnum); }

 private:
  struct Level {
    std::unordered_map<int64_t, std::vector<int32_t>> blocks;
    std::vector<int32_t> spread;  // rooms whose lines reach beyond a few blocks
  };
  struct Reach {
    int64_t left, top, right, bottom;  // cells, in the index's own frame
  };

  void Insert(int32_t index);
  Reach ReachOf(int32_t index) const;
  TDrawnRoom Drawn(const TAreaRoom& room);
  static int64_t BlockKey(int64_t bx, int64_t by);
  void Follow(const TAreaRooms& rooms);

  VnumIndex vnums_;
  std::vector<TDrawnRoom> drawn_;
  std::vector<int32_t> outside_vnums_;
  std::unordered_map<int32_t, Level> levels_;
  std::unordered_map<int32_t, Reach> spread_reach_;  // of the rooms in the spread lists
  std::unordered_set<int32_t> other_area_;
  int32_t first_unplaced_ = -1;
  // The rooms may all move by one step after an addition; the index keeps the frame it was built in.
  int64_t frame_x_ = 0;
  int64_t frame_y_ = 0;
  int32_t anchor_ = -1;  // a placed room, whose move tells the step
  int32_t anchor_x_ = 0;
  int32_t anchor_y_ = 0;
};

// The room under a pixel of the map (as RoomAtPoint of MapEditing.h), looked up in the index.
int32_t RoomAtPoint(const TMapIndex& index, int32_t level, int32_t zoom, int32_t off_x, int32_t off_y,
                    int32_t px, int32_t py);

}  // namespace tavro

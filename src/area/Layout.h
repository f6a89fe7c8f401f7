#pragma once
// Automatic grid layout of an area's rooms: every room reachable through exits from the first room of the
// list gets a column, row and level; rooms that collide push the others aside.
#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

namespace tavro {

class TAreaRooms;
class TAreaRoom;

// Recomputes X, Y, Level and Unplaced of every room and the list's MaxX, MaxY, MinLevel and MaxLevel.
// Rooms not reachable from the first room stay Unplaced at (0, 0, 0). The walk uses an explicit stack, so
// a corridor of any length lays out without deep recursion.
void AutoLayout(TAreaRooms& rooms);

// A layout that remembers its walk, so that a room the map creates can be added where a full layout
// would put it without walking the whole area again.
class TRoomLayout {
 public:
  TRoomLayout();
  ~TRoomLayout();
  TRoomLayout(TRoomLayout&&) noexcept;
  TRoomLayout& operator=(TRoomLayout&&) noexcept;

  // The full layout, as AutoLayout.
  void LayOut(TAreaRooms& rooms);

  // The last room of the list was just appended, joined by the door in slot dir of the room at
  // from_index, with its only exit leading back. When the rooms are otherwise those of the last LayOut
  // (or of earlier additions) and the new room collides with nothing now or later in the walk, every room
  // gets the position a full layout would give it and the result is true. Otherwise nothing changes and
  // the result is false: the caller lays the area out in full.
  bool AddLinkedRoom(TAreaRooms& rooms, int32_t from_index, int32_t dir);

  // Forgets the walk: the next addition is refused until the next LayOut.
  void Forget();

 private:
  class Walk;
  std::unique_ptr<Walk> walk_;
};

// The first room of a list for each vnum, for the look-ups of the layout, the drawing and the removal.
// A snapshot: valid while the list is not changed, except through Add.
class VnumIndex {
 public:
  VnumIndex() = default;
  explicit VnumIndex(const TAreaRooms& rooms);
  // Position of the first room with this vnum in the list, -1 when none.
  int32_t index_of(int32_t vnum) const;
  // A room appended to the list (a vnum already known keeps its first room).
  void Add(int32_t vnum, int32_t index);

 private:
  // Dense vnum ranges (the usual case) use a direct table, the vnums beyond it a hash map.
  int64_t base_ = 0;
  std::vector<int32_t> table_;
  std::unordered_map<int32_t, int32_t> sparse_;
};

}  // namespace tavro

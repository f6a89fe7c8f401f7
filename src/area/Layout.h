#pragma once
// Automatic grid layout of an area's rooms: every room reachable through exits from the first room of the
// list gets a column, row and level; rooms that collide push the others aside.
#include <cstdint>
#include <unordered_map>
#include <vector>

namespace tavro {

class TAreaRooms;
class TAreaRoom;

// Recomputes X, Y, Level and Unplaced of every room and the list's MaxX, MaxY, MinLevel and MaxLevel.
// Rooms not reachable from the first room stay Unplaced at (0, 0, 0). The walk uses an explicit stack, so
// a corridor of any length lays out without deep recursion.
void AutoLayout(TAreaRooms& rooms);

// The first room of a list for each vnum, for the look-ups of the layout, the drawing and the removal.
// A snapshot: valid while the list is not changed.
class VnumIndex {
 public:
  explicit VnumIndex(const TAreaRooms& rooms);
  // Position of the first room with this vnum in the list, -1 when none.
  int32_t index_of(int32_t vnum) const;

 private:
  // Dense vnum ranges (the usual case) use a direct table, sparse ones a hash map.
  int64_t base_ = 0;
  std::vector<int32_t> table_;
  std::unordered_map<int32_t, int32_t> sparse_;
  bool dense_ = true;
};

}  // namespace tavro

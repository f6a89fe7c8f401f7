#include "area/SpatialIndex.h"

#include <algorithm>

#include "area/Area.h"
#include "area/Rooms.h"
#include "world/Areas.h"
#include "world/World.h"

namespace tavro {

namespace {

constexpr int64_t kBlockShift = 3;  // blocks of 8 x 8 cells
constexpr int64_t kNearReach = 16;  // rooms whose lines reach further are kept apart

bool has_line(int32_t direction) {
  return direction <= DIR_WEST || (direction >= DIR_NORTHEAST && direction <= DIR_SOUTHWEST);
}

int64_t floor_div(int64_t a, int64_t b) {
  const int64_t q = a / b;
  return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

}  // namespace

int64_t TMapIndex::BlockKey(int64_t bx, int64_t by) {
  return static_cast<int64_t>((static_cast<uint64_t>(bx) << 32) ^ (static_cast<uint64_t>(by) & 0xFFFFFFFFu));
}

void TMapIndex::Build(const TAreaRooms& rooms) {
  vnums_ = VnumIndex(rooms);
  levels_.clear();
  spread_reach_.clear();
  first_unplaced_ = -1;
  frame_x_ = frame_y_ = 0;
  anchor_ = -1;
  for (size_t i = 0; i < rooms.Items.size(); ++i) {
    const TAreaRoom& room = *rooms.Items[i];
    if (anchor_ < 0 && !room.Unplaced) {
      anchor_ = static_cast<int32_t>(i);
      anchor_x_ = room.X;
      anchor_y_ = room.Y;
    }
    Insert(rooms, static_cast<int32_t>(i));
  }
  ClassifyOutside(rooms);
}

void TMapIndex::Follow(const TAreaRooms& rooms) {
  if (anchor_ < 0) return;
  const TAreaRoom& anchor = *rooms.Items[static_cast<size_t>(anchor_)];
  frame_x_ -= int64_t{anchor.X} - anchor_x_;
  frame_y_ -= int64_t{anchor.Y} - anchor_y_;
  anchor_x_ = anchor.X;
  anchor_y_ = anchor.Y;
}

void TMapIndex::AddLinkedRoom(const TAreaRooms& rooms, int32_t from_index) {
  Follow(rooms);
  const auto added = static_cast<int32_t>(rooms.Items.size()) - 1;
  vnums_.Add(rooms.Items.back()->Vnum, added);
  Insert(rooms, added);
  // The room it was made from reaches one cell further now.
  Insert(rooms, from_index);
}

TMapIndex::Reach TMapIndex::ReachOf(const TAreaRooms& rooms, int32_t index) const {
  const TAreaRoom& room = *rooms.Items[static_cast<size_t>(index)];
  const int64_t x = room.X + frame_x_;
  const int64_t y = room.Y + frame_y_;
  Reach reach{x, y, x, y};
  for (int32_t d = 0; d < DirectionCount; ++d) {
    const TAreaDoor* door = room.Doors[static_cast<size_t>(d)].get();
    if (!has_line(d) || door == nullptr || door->ToVnum == 0) continue;
    const int32_t target = vnums_.index_of(door->ToVnum);
    if (target < 0 || target == index) continue;
    const TAreaRoom& to = *rooms.Items[static_cast<size_t>(target)];
    if (to.Unplaced || to.Level != room.Level) continue;
    reach.left = std::min(reach.left, to.X + frame_x_);
    reach.right = std::max(reach.right, to.X + frame_x_);
    reach.top = std::min(reach.top, to.Y + frame_y_);
    reach.bottom = std::max(reach.bottom, to.Y + frame_y_);
  }
  return reach;
}

void TMapIndex::Insert(const TAreaRooms& rooms, int32_t index) {
  const TAreaRoom& room = *rooms.Items[static_cast<size_t>(index)];
  if (room.Unplaced) {
    if (first_unplaced_ < 0 || index < first_unplaced_) first_unplaced_ = index;
    return;
  }
  Level& level = levels_[room.Level];
  const Reach reach = ReachOf(rooms, index);
  // Always in the block of its own cell, for the hit test.
  level.blocks[BlockKey((room.X + frame_x_) >> kBlockShift, (room.Y + frame_y_) >> kBlockShift)].push_back(
      index);
  if (reach.right - reach.left > kNearReach || reach.bottom - reach.top > kNearReach) {
    level.spread.push_back(index);
    spread_reach_[index] = reach;
    return;
  }
  for (int64_t bx = reach.left >> kBlockShift; bx <= reach.right >> kBlockShift; ++bx)
    for (int64_t by = reach.top >> kBlockShift; by <= reach.bottom >> kBlockShift; ++by)
      level.blocks[BlockKey(bx, by)].push_back(index);
}

void TMapIndex::ClassifyOutside(const TAreaRooms& rooms) {
  other_area_.clear();
  std::unordered_set<int32_t> outside;
  for (const auto& room : rooms.Items)
    for (const auto& door : room->Doors)
      if (door && door->ToVnum >= 1 && vnums_.index_of(door->ToVnum) < 0) outside.insert(door->ToVnum);
  const TWorld* world = rooms.Area ? rooms.Area->world() : nullptr;
  if (outside.empty() || !world || !world->Areas) return;
  for (const auto& area : world->Areas->Items) {
    if (area.get() == rooms.Area || !area->Rooms) continue;
    for (const auto& room : area->Rooms->Items)
      if (outside.contains(room->Vnum)) other_area_.insert(room->Vnum);
  }
}

void TMapIndex::RoomsNear(int32_t level_number, const CellRect& cells, std::vector<int32_t>& out) const {
  out.clear();
  const auto level = levels_.find(level_number);
  if (level == levels_.end()) return;
  const CellRect r{cells.left + frame_x_, cells.top + frame_y_, cells.right + frame_x_,
                   cells.bottom + frame_y_};
  const int64_t bx0 = r.left >> kBlockShift, bx1 = r.right >> kBlockShift;
  const int64_t by0 = r.top >> kBlockShift, by1 = r.bottom >> kBlockShift;
  const auto& blocks = level->second.blocks;
  const auto take = [&out](const std::vector<int32_t>& rooms) {
    out.insert(out.end(), rooms.begin(), rooms.end());
  };
  // A view wider than the level's blocks are many walks the level's blocks instead.
  if ((bx1 - bx0 + 1) * (by1 - by0 + 1) > static_cast<int64_t>(blocks.size())) {
    for (const auto& [key, rooms] : blocks) {
      const int64_t bx = key >> 32;
      const auto by = static_cast<int64_t>(static_cast<int32_t>(key & 0xFFFFFFFF));
      if (bx >= bx0 && bx <= bx1 && by >= by0 && by <= by1) take(rooms);
    }
  } else {
    for (int64_t bx = bx0; bx <= bx1; ++bx)
      for (int64_t by = by0; by <= by1; ++by)
        if (const auto found = blocks.find(BlockKey(bx, by)); found != blocks.end()) take(found->second);
  }
  for (const int32_t index : level->second.spread) {
    const Reach& reach = spread_reach_.at(index);
    if (reach.right >= r.left && reach.left <= r.right && reach.bottom >= r.top && reach.top <= r.bottom)
      out.push_back(index);
  }
  std::sort(out.begin(), out.end());
  out.erase(std::unique(out.begin(), out.end()), out.end());
}

int32_t TMapIndex::RoomAtCell(const TAreaRooms& rooms, int32_t level_number, int64_t x, int64_t y) const {
  int32_t found = level_number == 0 && x == 0 && y == 0 ? first_unplaced_ : -1;
  const auto level = levels_.find(level_number);
  if (level == levels_.end()) return found;
  const auto block =
      level->second.blocks.find(BlockKey((x + frame_x_) >> kBlockShift, (y + frame_y_) >> kBlockShift));
  if (block == level->second.blocks.end()) return found;
  for (const int32_t index : block->second) {
    const TAreaRoom& room = *rooms.Items[static_cast<size_t>(index)];
    if (room.X == x && room.Y == y && (found < 0 || index < found)) found = index;
  }
  return found;
}

int32_t RoomAtPoint(const TAreaRooms& rooms, const TMapIndex& index, int32_t level, int32_t zoom,
                    int32_t off_x, int32_t off_y, int32_t px, int32_t py) {
  if (zoom <= 0) return -1;
  const int64_t pitch = 4 * int64_t{zoom};
  const int64_t mx = int64_t{px} + off_x;
  const int64_t my = int64_t{py} + off_y;
  const int64_t cx = floor_div(mx + pitch / 2, pitch);
  const int64_t cy = floor_div(my + pitch / 2, pitch);
  if (std::abs(cx * pitch - mx) > zoom || std::abs(cy * pitch - my) > zoom) return -1;
  return index.RoomAtCell(rooms, level, cx, cy);
}

}  // namespace tavro

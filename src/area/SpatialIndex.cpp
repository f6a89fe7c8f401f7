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

TDrawnRoom TMapIndex::Drawn(const TAreaRoom& room) {
  TDrawnRoom drawn;
  drawn.x = room.X;
  drawn.y = room.Y;
  drawn.level = room.Level;
  drawn.sector = room.Sector;
  drawn.placed = !room.Unplaced;
  for (size_t d = 0; d < drawn.target.size(); ++d) {
    const TAreaDoor* door = room.Doors[d].get();
    drawn.flags[d] = door == nullptr ? 0 : static_cast<uint8_t>(door->Flags & 0xFF);
    drawn.target[d] =
        door == nullptr || door->ToVnum == 0 ? TDrawnRoom::kNoExit : vnums_.index_of(door->ToVnum);
    if (door == nullptr || door->ToVnum == 0 || drawn.target[d] >= 0) continue;
    drawn.target[d] = TDrawnRoom::kOutside - static_cast<int32_t>(outside_vnums_.size());
    outside_vnums_.push_back(door->ToVnum);
  }
  return drawn;
}

void TMapIndex::Build(const TAreaRooms& rooms) {
  vnums_ = VnumIndex(rooms);
  drawn_.clear();
  outside_vnums_.clear();
  drawn_.reserve(rooms.Items.size());
  for (const auto& room : rooms.Items)
    drawn_.push_back(Drawn(*room));
  levels_.clear();
  spread_reach_.clear();
  first_unplaced_ = -1;
  frame_x_ = frame_y_ = 0;
  anchor_ = -1;
  for (size_t i = 0; i < drawn_.size(); ++i) {
    if (anchor_ < 0 && drawn_[i].placed) {
      anchor_ = static_cast<int32_t>(i);
      anchor_x_ = drawn_[i].x;
      anchor_y_ = drawn_[i].y;
    }
    Insert(static_cast<int32_t>(i));
  }
  ClassifyOutside(rooms);
}

// The rooms all moved by the same step when the added room made a new least column or row.
void TMapIndex::Follow(const TAreaRooms& rooms) {
  if (anchor_ < 0) return;
  const TAreaRoom& anchor = *rooms.Items[static_cast<size_t>(anchor_)];
  const int32_t dx = anchor.X - anchor_x_;
  const int32_t dy = anchor.Y - anchor_y_;
  if (dx == 0 && dy == 0) return;
  frame_x_ -= dx;
  frame_y_ -= dy;
  anchor_x_ = anchor.X;
  anchor_y_ = anchor.Y;
  for (TDrawnRoom& drawn : drawn_) {
    if (!drawn.placed) continue;
    drawn.x += dx;
    drawn.y += dy;
  }
}

void TMapIndex::AddLinkedRoom(const TAreaRooms& rooms, int32_t from_index) {
  Follow(rooms);
  const auto added = static_cast<int32_t>(rooms.Items.size()) - 1;
  vnums_.Add(rooms.Items.back()->Vnum, added);
  drawn_.push_back(Drawn(*rooms.Items.back()));
  drawn_[static_cast<size_t>(from_index)] = Drawn(*rooms.Items[static_cast<size_t>(from_index)]);
  Insert(added);
  // The room it was made from reaches one cell further now.
  Insert(from_index);
}

TMapIndex::Reach TMapIndex::ReachOf(int32_t index) const {
  const TDrawnRoom& room = drawn_[static_cast<size_t>(index)];
  const int64_t x = room.x + frame_x_;
  const int64_t y = room.y + frame_y_;
  Reach reach{x, y, x, y};
  for (int32_t d = 0; d < DirectionCount; ++d) {
    const int32_t target = room.target[static_cast<size_t>(d)];
    if (!has_line(d) || target < 0 || target == index) continue;
    const TDrawnRoom& to = drawn_[static_cast<size_t>(target)];
    if (!to.placed || to.level != room.level) continue;
    reach.left = std::min(reach.left, to.x + frame_x_);
    reach.right = std::max(reach.right, to.x + frame_x_);
    reach.top = std::min(reach.top, to.y + frame_y_);
    reach.bottom = std::max(reach.bottom, to.y + frame_y_);
  }
  return reach;
}

void TMapIndex::Insert(int32_t index) {
  const TDrawnRoom& room = drawn_[static_cast<size_t>(index)];
  if (!room.placed) {
    if (first_unplaced_ < 0 || index < first_unplaced_) first_unplaced_ = index;
    return;
  }
  Level& level = levels_[room.level];
  const Reach reach = ReachOf(index);
  // Always in the block of its own cell, for the hit test.
  level.blocks[BlockKey((room.x + frame_x_) >> kBlockShift, (room.y + frame_y_) >> kBlockShift)].push_back(
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

int32_t TMapIndex::RoomAtCell(int32_t level_number, int64_t x, int64_t y) const {
  int32_t found = level_number == 0 && x == 0 && y == 0 ? first_unplaced_ : -1;
  const auto level = levels_.find(level_number);
  if (level == levels_.end()) return found;
  const auto block =
      level->second.blocks.find(BlockKey((x + frame_x_) >> kBlockShift, (y + frame_y_) >> kBlockShift));
  if (block == level->second.blocks.end()) return found;
  for (const int32_t index : block->second) {
    const TDrawnRoom& room = drawn_[static_cast<size_t>(index)];
    if (room.x == x && room.y == y && (found < 0 || index < found)) found = index;
  }
  return found;
}

int32_t RoomAtPoint(const TMapIndex& index, int32_t level, int32_t zoom, int32_t off_x, int32_t off_y,
                    int32_t px, int32_t py) {
  if (zoom <= 0) return -1;
  const int64_t pitch = 4 * int64_t{zoom};
  const int64_t mx = int64_t{px} + off_x;
  const int64_t my = int64_t{py} + off_y;
  const int64_t cx = floor_div(mx + pitch / 2, pitch);
  const int64_t cy = floor_div(my + pitch / 2, pitch);
  if (std::abs(cx * pitch - mx) > zoom || std::abs(cy * pitch - my) > zoom) return -1;
  return index.RoomAtCell(level, cx, cy);
}

}  // namespace tavro

#include "area/Layout.h"

#include <algorithm>
#include <array>
#include <limits>

#include "area/Rooms.h"

namespace tavro {

namespace {

// Grid steps wrap in 32 bits instead of overflowing.
int32_t wrap_add(int32_t a, int32_t b) {
  return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}

// The first room is placed with no push direction; every other placement pushes in a direction 0 to 9
// (up and down push rows like north).
constexpr int32_t kPushNone = -1;

struct Step {
  int32_t dx, dy, dz, push;
};

// Target cell offsets and push direction of each followed exit direction (0 to 9).
constexpr std::array<Step, 10> kSteps = {{
    {0, -1, 0, DIR_NORTH},
    {1, 0, 0, DIR_EAST},
    {0, 1, 0, DIR_SOUTH},
    {-1, 0, 0, DIR_WEST},
    {0, 0, 1, DIR_NORTH},
    {0, 0, -1, DIR_NORTH},
    {1, -1, 0, DIR_NORTHEAST},
    {-1, -1, 0, DIR_NORTHWEST},
    {1, 1, 0, DIR_SOUTHEAST},
    {-1, 1, 0, DIR_SOUTHWEST},
}};

struct Cell {
  int32_t x, y, level;
  friend bool operator==(const Cell&, const Cell&) = default;
};

struct CellHash {
  size_t operator()(const Cell& c) const {
    uint64_t h = static_cast<uint32_t>(c.x);
    h = h * 0x9E3779B97F4A7C15ULL ^ static_cast<uint32_t>(c.y);
    h = h * 0x9E3779B97F4A7C15ULL ^ static_cast<uint32_t>(c.level);
    return static_cast<size_t>(h ^ (h >> 29));
  }
};

// The walk of one layout: placed rooms by cell and by level, so that the occupancy test is a look-up and a
// push touches only the rooms of its level.
class LayoutWalk {
 public:
  explicit LayoutWalk(TAreaRooms& rooms) : rooms_(rooms.Items), index_(rooms) {
    occupied_.reserve(rooms_.size());
  }

  void run() {
    place(0, Cell{0, 0, 0}, kPushNone);
    struct Frame {
      int32_t room;
      int32_t next_direction;
    };
    std::vector<Frame> stack{{0, 0}};
    while (!stack.empty()) {
      Frame& frame = stack.back();
      const TAreaRoom& room = *rooms_[frame.room];
      int32_t direction = frame.next_direction;
      int32_t target = -1;
      for (; direction < static_cast<int32_t>(kSteps.size()); ++direction) {
        target = unplaced_target(room, direction);
        if (target >= 0) break;
      }
      if (target < 0) {
        stack.pop_back();
        continue;
      }
      frame.next_direction = direction + 1;
      // The room's position is read now: placing an earlier child may have pushed it.
      const Step& step = kSteps[direction];
      place(target, Cell{wrap_add(room.X, step.dx), wrap_add(room.Y, step.dy), wrap_add(room.Level, step.dz)},
            step.push);
      stack.push_back(Frame{target, 0});
    }
  }

 private:
  int32_t unplaced_target(const TAreaRoom& room, int32_t direction) const {
    const TAreaDoor* door = room.Doors[direction].get();
    if (door == nullptr || door->ToVnum < 1) return -1;
    const int32_t target = index_.index_of(door->ToVnum);
    if (target < 0 || !rooms_[target]->Unplaced) return -1;
    return target;
  }

  void place(int32_t index, const Cell& cell, int32_t push) {
    if (occupied_.contains(cell)) push_aside(cell, push);
    TAreaRoom& room = *rooms_[index];
    room.X = cell.x;
    room.Y = cell.y;
    room.Level = cell.level;
    room.Unplaced = false;
    occupied_.emplace(cell, index);
    by_level_[cell.level].push_back(index);
  }

  // Moves every placed room of the cell's level one row and/or column away from the cell, which frees it.
  void push_aside(const Cell& cell, int32_t direction) {
    const bool rows_up = direction == DIR_NORTH || direction == DIR_NORTHEAST || direction == DIR_NORTHWEST;
    const bool rows_down = direction == DIR_SOUTH || direction == DIR_SOUTHEAST || direction == DIR_SOUTHWEST;
    const bool columns_right =
        direction == DIR_EAST || direction == DIR_NORTHEAST || direction == DIR_SOUTHEAST;
    const bool columns_left =
        direction == DIR_WEST || direction == DIR_NORTHWEST || direction == DIR_SOUTHWEST;
    if (!rows_up && !rows_down && !columns_right && !columns_left) return;
    moved_.clear();
    for (int32_t index : by_level_[cell.level]) {
      TAreaRoom& room = *rooms_[index];
      int32_t y = room.Y;
      int32_t x = room.X;
      if (rows_up && y <= cell.y) y = wrap_add(y, -1);
      if (rows_down && y >= cell.y) y = wrap_add(y, 1);
      if (columns_right && x >= cell.x) x = wrap_add(x, 1);
      if (columns_left && x <= cell.x) x = wrap_add(x, -1);
      if (x == room.X && y == room.Y) continue;
      occupied_.erase(Cell{room.X, room.Y, room.Level});
      room.X = x;
      room.Y = y;
      moved_.push_back(index);
    }
    for (int32_t index : moved_) {
      const TAreaRoom& room = *rooms_[index];
      occupied_.emplace(Cell{room.X, room.Y, room.Level}, index);
    }
  }

  std::vector<std::unique_ptr<TAreaRoom>>& rooms_;
  VnumIndex index_;
  std::unordered_map<Cell, int32_t, CellHash> occupied_;
  std::unordered_map<int32_t, std::vector<int32_t>> by_level_;
  std::vector<int32_t> moved_;
};

// The least column and row of placed rooms become 1 when they were 0 or less.
void normalise(TAreaRooms& rooms) {
  int32_t mx = 1;
  int32_t my = 1;
  for (const auto& room : rooms.Items) {
    if (room->Unplaced) continue;
    mx = std::min(mx, room->X);
    my = std::min(my, room->Y);
  }
  if (mx < 1) mx = wrap_add(mx, -1);
  if (my < 1) my = wrap_add(my, -1);
  for (const auto& room : rooms.Items) {
    if (room->Unplaced) continue;
    room->X = static_cast<int32_t>(static_cast<uint32_t>(room->X) - static_cast<uint32_t>(mx));
    room->Y = static_cast<int32_t>(static_cast<uint32_t>(room->Y) - static_cast<uint32_t>(my));
  }
}

void compute_bounds(TAreaRooms& rooms) {
  rooms.MaxX = rooms.MaxY = rooms.MinLevel = rooms.MaxLevel = 0;
  for (const auto& room : rooms.Items) {
    if (room->Unplaced) continue;
    rooms.MaxX = std::max(rooms.MaxX, room->X);
    rooms.MaxY = std::max(rooms.MaxY, room->Y);
    if (room->Level > rooms.MaxLevel)
      rooms.MaxLevel = room->Level;
    else if (room->Level < rooms.MinLevel)
      rooms.MinLevel = room->Level;
  }
}

}  // namespace

VnumIndex::VnumIndex(const TAreaRooms& rooms) {
  const auto& items = rooms.Items;
  if (items.empty()) return;
  int64_t low = std::numeric_limits<int64_t>::max();
  int64_t high = std::numeric_limits<int64_t>::min();
  for (const auto& room : items) {
    low = std::min<int64_t>(low, room->Vnum);
    high = std::max<int64_t>(high, room->Vnum);
  }
  const int64_t span = high - low + 1;
  dense_ = span <= 4 * static_cast<int64_t>(items.size()) + 64;
  if (dense_) {
    base_ = low;
    table_.assign(static_cast<size_t>(span), -1);
  } else {
    sparse_.reserve(items.size());
  }
  for (size_t i = 0; i < items.size(); ++i) {
    const int32_t vnum = items[i]->Vnum;
    if (dense_) {
      int32_t& slot = table_[static_cast<size_t>(vnum - base_)];
      if (slot < 0) slot = static_cast<int32_t>(i);
    } else {
      sparse_.try_emplace(vnum, static_cast<int32_t>(i));
    }
  }
}

int32_t VnumIndex::index_of(int32_t vnum) const {
  if (!dense_) {
    const auto found = sparse_.find(vnum);
    return found == sparse_.end() ? -1 : found->second;
  }
  const int64_t offset = vnum - base_;
  if (offset < 0 || offset >= static_cast<int64_t>(table_.size())) return -1;
  return table_[static_cast<size_t>(offset)];
}

void AutoLayout(TAreaRooms& rooms) {
  for (const auto& room : rooms.Items) {
    room->X = room->Y = room->Level = 0;
    room->Unplaced = true;
  }
  if (!rooms.Items.empty()) {
    LayoutWalk(rooms).run();
    normalise(rooms);
  }
  compute_bounds(rooms);
}

}  // namespace tavro

#include "area/Layout.h"

#include <algorithm>
#include <array>
#include <limits>
#include <unordered_set>
#include <utility>

#include "area/Rooms.h"

namespace tavro {

namespace {

// The first room is placed with no push direction; every other placement pushes in a direction 0 to 9
// (up and down push rows like north).
constexpr int32_t kPushNone = -1;
constexpr int32_t kFollowed = 10;  // directions 0 to 9 are followed, "somewhere" never

struct Step {
  int32_t dx, dy, dz, push;
};

// Target cell offsets and push direction of each followed exit direction (0 to 9).
constexpr std::array<Step, kFollowed> kSteps = {{
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

// Levels step in 32 bits and wrap instead of overflowing. Columns and rows are counted in 64 bits during
// the walk: each push moves them by one, so they stay within the room count of the start.
int32_t wrap_add(int32_t a, int32_t b) {
  return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}
int32_t wrap(int64_t v) {
  return static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(v)));
}

struct Cell {
  int64_t x, y;
  int32_t level;
};

// Which sides of the taken cell a push moves: rows at or above it up, rows at or below it down, columns at
// or right of it right, columns at or left of it left.
struct PushSides {
  bool up, down, right, left;
  explicit PushSides(int32_t direction)
      : up(direction == DIR_NORTH || direction == DIR_NORTHEAST || direction == DIR_NORTHWEST),
        down(direction == DIR_SOUTH || direction == DIR_SOUTHEAST || direction == DIR_SOUTHWEST),
        right(direction == DIR_EAST || direction == DIR_NORTHEAST || direction == DIR_SOUTHEAST),
        left(direction == DIR_WEST || direction == DIR_NORTHWEST || direction == DIR_SOUTHWEST) {}
  bool any() const { return up || down || right || left; }
};

struct PushRecord {
  Cell cell;
  int32_t direction;

  // Where a room standing at p before the push stands after it.
  Cell forward(Cell p) const {
    if (p.level != cell.level) return p;
    const PushSides s(direction);
    if (s.up && p.y <= cell.y) --p.y;
    if (s.down && p.y >= cell.y) ++p.y;
    if (s.right && p.x >= cell.x) ++p.x;
    if (s.left && p.x <= cell.x) --p.x;
    return p;
  }
  // Where a room standing at p after the push stood before it (right after a push nothing stands on the
  // taken cell's row or column on the moved side).
  Cell backward(Cell p) const {
    if (p.level != cell.level) return p;
    const PushSides s(direction);
    if (s.up && p.y < cell.y) ++p.y;
    if (s.down && p.y > cell.y) --p.y;
    if (s.right && p.x > cell.x) --p.x;
    if (s.left && p.x < cell.x) ++p.x;
    return p;
  }
};

// The rows (or the columns) of one level that hold placed rooms. A push moves every line on one side of
// a cell by one, which never changes their order, so the lines are a treap ordered by coordinate: a shift
// of one side is a split, an addition pending on one subtree and a merge. A room keeps its row and column
// lines for the whole walk, so the occupied cells are known by line, whatever moved them.
class ShiftLines {
 public:
  // The line at this coordinate, -1 when none.
  int32_t find(int64_t coordinate) const {
    int64_t pending = 0;
    for (int32_t t = root_; t >= 0;) {
      const Node& node = nodes_[t];
      const int64_t key = node.key + pending;
      if (key == coordinate) return t;
      pending += node.pending;
      t = coordinate < key ? node.left : node.right;
    }
    return -1;
  }

  // A new line where there is none.
  int32_t insert(int64_t coordinate) {
    seed_ ^= seed_ << 13;
    seed_ ^= seed_ >> 17;
    seed_ ^= seed_ << 5;
    const auto line = static_cast<int32_t>(nodes_.size());
    nodes_.push_back(Node{coordinate, 0, seed_, -1, -1, -1});
    const auto [low, high] = split(root_, coordinate);
    set_root(merge(merge(low, line), high));
    return line;
  }

  // Lines at or below the coordinate (at_most) or at or above it move by delta.
  void shift(int64_t coordinate, bool at_most, int64_t delta) {
    const auto [low, high] = split(root_, at_most ? coordinate : coordinate - 1);
    add(at_most ? low : high, delta);
    set_root(merge(low, high));
  }

  int64_t coordinate(int32_t line) const {
    int64_t value = nodes_[line].key;
    for (int32_t t = nodes_[line].parent; t >= 0; t = nodes_[t].parent)
      value += nodes_[t].pending;
    return value;
  }

 private:
  struct Node {
    int64_t key;      // with every addition of the ancestors applied
    int64_t pending;  // still to be added to the subtrees below
    uint32_t priority;
    int32_t left, right, parent;
  };

  void add(int32_t t, int64_t delta) {
    if (t < 0) return;
    nodes_[t].key += delta;
    nodes_[t].pending += delta;
  }
  void push_down(int32_t t) {
    Node& node = nodes_[t];
    if (node.pending == 0) return;
    add(node.left, node.pending);
    add(node.right, node.pending);
    node.pending = 0;
  }
  void set_left(int32_t t, int32_t child) {
    nodes_[t].left = child;
    if (child >= 0) nodes_[child].parent = t;
  }
  void set_right(int32_t t, int32_t child) {
    nodes_[t].right = child;
    if (child >= 0) nodes_[child].parent = t;
  }
  void set_root(int32_t t) {
    root_ = t;
    if (t >= 0) nodes_[t].parent = -1;
  }
  // Lines at or below the coordinate, and the others. The treap's depth is random, not the input's.
  std::pair<int32_t, int32_t> split(int32_t t, int64_t coordinate) {
    if (t < 0) return {-1, -1};
    push_down(t);
    if (nodes_[t].key <= coordinate) {
      const auto [low, high] = split(nodes_[t].right, coordinate);
      set_right(t, low);
      return {t, high};
    }
    const auto [low, high] = split(nodes_[t].left, coordinate);
    set_left(t, high);
    return {low, t};
  }
  int32_t merge(int32_t low, int32_t high) {
    if (low < 0) return high;
    if (high < 0) return low;
    if (nodes_[low].priority > nodes_[high].priority) {
      push_down(low);
      set_right(low, merge(nodes_[low].right, high));
      return low;
    }
    push_down(high);
    set_left(high, merge(low, nodes_[high].left));
    return high;
  }

  std::vector<Node> nodes_;
  int32_t root_ = -1;
  uint32_t seed_ = 2463534242u;
};

struct LevelLines {
  ShiftLines rows, columns;
};

struct Slot {
  int32_t level = -1;  // in Walk::levels_; -1 while unplaced
  int32_t row = -1;
  int32_t column = -1;
};

struct SlotKey {
  int32_t level, row, column;
  friend bool operator==(const SlotKey&, const SlotKey&) = default;
};

// The rooms by their level, row line and column line. A room never leaves its lines, so entries are only
// added: an open-addressed table with linear probing, which a layout of many rooms asks constantly.
class SlotTable {
 public:
  explicit SlotTable(size_t rooms) {
    size_t capacity = 16;
    while (capacity < 2 * rooms + 2)
      capacity *= 2;
    entries_.assign(capacity, Entry{});
  }
  // The room at the slot, -1 when none.
  int32_t find(const SlotKey& key) const {
    for (size_t i = home(key);; i = (i + 1) & (entries_.size() - 1)) {
      const Entry& entry = entries_[i];
      if (entry.room < 0) return -1;
      if (entry.key == key) return entry.room;
    }
  }
  // Keeps the first room of a slot.
  void add(const SlotKey& key, int32_t room) {
    if (2 * (count_ + 1) > entries_.size()) grow();
    for (size_t i = home(key);; i = (i + 1) & (entries_.size() - 1)) {
      Entry& entry = entries_[i];
      if (entry.room >= 0 && entry.key == key) return;
      if (entry.room < 0) {
        entry = Entry{key, room};
        ++count_;
        return;
      }
    }
  }

 private:
  struct Entry {
    SlotKey key{0, 0, 0};
    int32_t room = -1;
  };
  size_t home(const SlotKey& k) const {
    uint64_t h = static_cast<uint32_t>(k.level);
    h = h * 0x9E3779B97F4A7C15ULL ^ static_cast<uint32_t>(k.row);
    h = h * 0x9E3779B97F4A7C15ULL ^ static_cast<uint32_t>(k.column);
    h *= 0x9E3779B97F4A7C15ULL;
    return static_cast<size_t>(h >> 20) & (entries_.size() - 1);
  }
  void grow() {
    std::vector<Entry> old(entries_.size() * 2, Entry{});
    old.swap(entries_);
    count_ = 0;
    for (const Entry& entry : old)
      if (entry.room >= 0) add(entry.key, entry.room);
  }
  std::vector<Entry> entries_;
  size_t count_ = 0;
};

// The least column and row become 1 when they were 0 or less.
int64_t normal_shift(int64_t least) {
  const int64_t m = std::min<int64_t>(1, least);
  return m < 1 ? m - 1 : m;
}

}  // namespace

// One walk of the layout and what it leaves behind: where each room's scan of each exit happened among
// the pushes, every push in order, and the exits that led to no room.
class TRoomLayout::Walk {
 public:
  explicit Walk(TAreaRooms& rooms)
      : rooms_(rooms.Items),
        index_(rooms),
        slots_(rooms_.size()),
        scans_(rooms_.size() * kFollowed, 0),
        targets_(rooms_.size() * kFollowed, kNoTarget),
        occupied_(rooms_.size()) {
    // The exits are read once, in list order: the walk itself jumps about the list.
    for (size_t i = 0; i < rooms_.size(); ++i)
      for (int32_t d = 0; d < kFollowed; ++d)
        targets_[i * kFollowed + d] = target_of(rooms_[i]->Doors[d].get());
  }

  void run() {
    place(0, Cell{0, 0, 0}, kPushNone);
    std::vector<Frame> stack{{0, 0, Cell{0, 0, 0}, 0}};
    while (!stack.empty()) {
      Frame& frame = stack.back();
      const size_t first = size_t(frame.room) * kFollowed;
      int32_t direction = frame.next_direction;
      int32_t target = kNoTarget;
      for (; direction < kFollowed; ++direction) {
        scans_[first + direction] = static_cast<int32_t>(pushes_.size());
        target = targets_[first + direction];
        if (target == kNowhere) dangling_.insert(rooms_[frame.room]->Doors[direction]->ToVnum);
        if (target >= 0 && slots_[target].level < 0) break;
        target = kNoTarget;
      }
      if (target < 0) {
        stack.pop_back();
        continue;
      }
      frame.next_direction = direction + 1;
      // The room's position is read now: placing an earlier child may have pushed it.
      const Cell cell = step_from(current(frame), direction);
      place(target, cell, kSteps[direction].push);
      stack.push_back(Frame{target, 0, position(target), pushes_.size()});
    }
    store_positions();
  }

  size_t room_count() const { return slots_.size(); }

  bool add_linked_room(TAreaRooms& rooms, int32_t from_index, int32_t dir) {
    const size_t added_index = slots_.size();
    if (rooms.Items.size() != added_index + 1 || from_index < 0 || size_t(from_index) >= added_index ||
        dir < 0 || dir >= kFollowed)
      return false;
    TAreaRoom& from = *rooms_[from_index];
    TAreaRoom& added = *rooms_[added_index];
    if (!only_links_back(added, from, dir) || dangling_.contains(added.Vnum) ||
        index_.index_of(added.Vnum) >= 0)
      return false;
    int32_t scan = 0;
    Cell cell{};
    if (!from.Unplaced) {
      scan = scans_[size_t(from_index) * kFollowed + dir];
      cell = forward(step_from(backward(position(from_index), scan), dir), scan);
      if (taken(cell)) return false;
    }
    slots_.emplace_back();
    scans_.resize(scans_.size() + kFollowed, scan);
    index_.Add(added.Vnum, static_cast<int32_t>(added_index));
    added.X = added.Y = added.Level = 0;
    added.Unplaced = true;
    if (!from.Unplaced) settle(static_cast<int32_t>(added_index), cell, rooms);
    return true;
  }

 private:
  Cell step_from(const Cell& p, int32_t direction) const {
    const Step& step = kSteps[direction];
    return Cell{p.x + step.dx, p.y + step.dy, wrap_add(p.level, step.dz)};
  }

  static constexpr int32_t kNoTarget = -1;  // no exit, or one to a vnum below 1
  static constexpr int32_t kNowhere = -2;   // an exit to a vnum no room of the list has

  struct Frame {
    int32_t room;
    int32_t next_direction;
    Cell at;        // where the room stood
    size_t pushes;  // when that was known
  };

  int32_t target_of(const TAreaDoor* door) const {
    if (door == nullptr || door->ToVnum < 1) return kNoTarget;
    const int32_t target = index_.index_of(door->ToVnum);
    return target < 0 ? kNowhere : target;
  }

  // The frame's room where it stands now: a few pushes since it was known are replayed, after many the
  // lines are asked.
  Cell current(Frame& frame) const {
    constexpr size_t kReplayed = 16;
    if (pushes_.size() - frame.pushes > kReplayed) {
      frame.at = position(frame.room);
    } else {
      for (size_t i = frame.pushes; i < pushes_.size(); ++i)
        frame.at = pushes_[i].forward(frame.at);
    }
    frame.pushes = pushes_.size();
    return frame.at;
  }

  // The new room's only exits lead back through the reverse door, and the door in dir leads to it.
  static bool only_links_back(const TAreaRoom& added, const TAreaRoom& from, int32_t dir) {
    const TAreaDoor* door = from.Doors[dir].get();
    if (door == nullptr || door->ToVnum != added.Vnum) return false;
    for (int32_t d = 0; d < kFollowed; ++d) {
      const TAreaDoor* own = added.Doors[d].get();
      if (own != nullptr && own->ToVnum >= 1 && (d != RevDir[dir] || own->ToVnum != from.Vnum)) return false;
    }
    return true;
  }

  int32_t level_of(int32_t level) {
    if (last_level_ >= 0 && level == last_level_number_) return last_level_;
    const auto [found, inserted] = level_index_.try_emplace(level, static_cast<int32_t>(levels_.size()));
    if (inserted) levels_.emplace_back();
    last_level_number_ = level;
    last_level_ = found->second;
    return last_level_;
  }

  Cell position(int32_t room) const {
    const Slot& slot = slots_[room];
    const LevelLines& lines = levels_[slot.level];
    return Cell{lines.columns.coordinate(slot.column), lines.rows.coordinate(slot.row), rooms_[room]->Level};
  }

  bool taken(const Cell& cell) const {
    const auto level = level_index_.find(cell.level);
    if (level == level_index_.end()) return false;
    const LevelLines& lines = levels_[level->second];
    const int32_t row = lines.rows.find(cell.y);
    const int32_t column = lines.columns.find(cell.x);
    return row >= 0 && column >= 0 && occupied_.find(SlotKey{level->second, row, column}) >= 0;
  }

  void place(int32_t index, const Cell& cell, int32_t push) {
    const int32_t level = level_of(cell.level);
    LevelLines& lines = levels_[level];
    int32_t row = lines.rows.find(cell.y);
    int32_t column = lines.columns.find(cell.x);
    if (row >= 0 && column >= 0 && occupied_.find(SlotKey{level, row, column}) >= 0) {
      push_aside(cell, push);
      row = lines.rows.find(cell.y);
      column = lines.columns.find(cell.x);
    }
    if (row < 0) row = lines.rows.insert(cell.y);
    if (column < 0) column = lines.columns.insert(cell.x);
    slots_[index] = Slot{level, row, column};
    occupied_.add(SlotKey{level, row, column}, index);
    TAreaRoom& room = *rooms_[index];
    room.Level = cell.level;
    room.Unplaced = false;
  }

  // Moves every placed room of the cell's level one row and/or column away from the cell, which frees it.
  void push_aside(const Cell& cell, int32_t direction) {
    const PushSides sides(direction);
    if (!sides.any()) return;
    LevelLines& lines = levels_[level_of(cell.level)];
    if (sides.up) lines.rows.shift(cell.y, true, -1);
    if (sides.down) lines.rows.shift(cell.y, false, 1);
    if (sides.right) lines.columns.shift(cell.x, false, 1);
    if (sides.left) lines.columns.shift(cell.x, true, -1);
    pushes_.push_back(PushRecord{cell, direction});
  }

  // Where a room stood when the pushes from the given one on had not yet happened.
  Cell backward(Cell p, int32_t since) const {
    for (auto push = pushes_.rbegin(); push != pushes_.rend() - since; ++push)
      p = push->backward(p);
    return p;
  }
  Cell forward(Cell p, int32_t since) const {
    for (auto push = pushes_.begin() + since; push != pushes_.end(); ++push)
      p = push->forward(p);
    return p;
  }

  // The grid fields of every room from the lines, normalised, and the list's bounds.
  void store_positions() {
    least_x_ = least_y_ = std::numeric_limits<int64_t>::max();
    for (size_t i = 0; i < rooms_.size(); ++i) {
      if (slots_[i].level < 0) continue;
      const Cell p = position(static_cast<int32_t>(i));
      least_x_ = std::min(least_x_, p.x);
      least_y_ = std::min(least_y_, p.y);
      rooms_[i]->X = wrap(p.x);
      rooms_[i]->Y = wrap(p.y);
    }
    shift_x_ = normal_shift(least_x_);
    shift_y_ = normal_shift(least_y_);
    for (const auto& room : rooms_) {
      if (room->Unplaced) continue;
      room->X = wrap(room->X - shift_x_);
      room->Y = wrap(room->Y - shift_y_);
    }
  }

  // The added room takes its cell; a new least column or row moves every room.
  void settle(int32_t index, const Cell& cell, TAreaRooms& rooms) {
    place(index, cell, kPushNone);
    least_x_ = std::min(least_x_, cell.x);
    least_y_ = std::min(least_y_, cell.y);
    const int64_t dx = shift_x_ - normal_shift(least_x_);
    const int64_t dy = shift_y_ - normal_shift(least_y_);
    shift_x_ -= dx;
    shift_y_ -= dy;
    if (dx != 0 || dy != 0) {
      for (const auto& room : rooms_) {
        if (room->Unplaced) continue;
        room->X = wrap(room->X + dx);
        room->Y = wrap(room->Y + dy);
      }
      rooms.MaxX = wrap(rooms.MaxX + dx);
      rooms.MaxY = wrap(rooms.MaxY + dy);
    }
    TAreaRoom& room = *rooms_[index];
    room.X = wrap(cell.x - shift_x_);
    room.Y = wrap(cell.y - shift_y_);
    rooms.MaxX = std::max(rooms.MaxX, room.X);
    rooms.MaxY = std::max(rooms.MaxY, room.Y);
    if (room.Level > rooms.MaxLevel)
      rooms.MaxLevel = room.Level;
    else if (room.Level < rooms.MinLevel)
      rooms.MinLevel = room.Level;
  }

  std::vector<std::unique_ptr<TAreaRoom>>& rooms_;
  VnumIndex index_;
  std::vector<Slot> slots_;
  std::vector<int32_t> scans_;    // per room and direction: how many pushes had happened at its scan
  std::vector<int32_t> targets_;  // per room and direction: the room the exit leads to, or kNo...
  SlotTable occupied_;
  int32_t last_level_ = -1;
  int32_t last_level_number_ = 0;
  std::vector<PushRecord> pushes_;
  std::unordered_map<int32_t, int32_t> level_index_;
  std::vector<LevelLines> levels_;
  std::unordered_set<int32_t> dangling_;  // vnums of followed exits that found no room
  int64_t least_x_ = 0, least_y_ = 0;
  int64_t shift_x_ = 0, shift_y_ = 0;
};

namespace {

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

TRoomLayout::TRoomLayout() = default;
TRoomLayout::~TRoomLayout() = default;
TRoomLayout::TRoomLayout(TRoomLayout&&) noexcept = default;
TRoomLayout& TRoomLayout::operator=(TRoomLayout&&) noexcept = default;

void TRoomLayout::LayOut(TAreaRooms& rooms) {
  walk_.reset();
  for (const auto& room : rooms.Items) {
    room->X = room->Y = room->Level = 0;
    room->Unplaced = true;
  }
  if (!rooms.Items.empty()) {
    walk_ = std::make_unique<Walk>(rooms);
    walk_->run();
  }
  compute_bounds(rooms);
}

bool TRoomLayout::AddLinkedRoom(TAreaRooms& rooms, int32_t from_index, int32_t dir) {
  return walk_ && walk_->add_linked_room(rooms, from_index, dir);
}

void TRoomLayout::Forget() {
  walk_.reset();
}

void AutoLayout(TAreaRooms& rooms) {
  TRoomLayout().LayOut(rooms);
}

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
  if (span <= 4 * static_cast<int64_t>(items.size()) + 64) {
    base_ = low;
    table_.assign(static_cast<size_t>(span), -1);
  } else {
    sparse_.reserve(items.size());
  }
  for (size_t i = 0; i < items.size(); ++i)
    Add(items[i]->Vnum, static_cast<int32_t>(i));
}

void VnumIndex::Add(int32_t vnum, int32_t index) {
  const int64_t offset = vnum - base_;
  // A room appended just past the table (the next free vnum) grows it.
  if (!table_.empty() && offset == static_cast<int64_t>(table_.size())) {
    const auto earlier = sparse_.find(vnum);
    table_.push_back(earlier == sparse_.end() ? -1 : earlier->second);
    if (earlier != sparse_.end()) sparse_.erase(earlier);
  }
  if (offset >= 0 && offset < static_cast<int64_t>(table_.size())) {
    int32_t& slot = table_[static_cast<size_t>(offset)];
    if (slot < 0) slot = index;
    return;
  }
  sparse_.try_emplace(vnum, index);
}

int32_t VnumIndex::index_of(int32_t vnum) const {
  const int64_t offset = vnum - base_;
  if (offset >= 0 && offset < static_cast<int64_t>(table_.size())) return table_[static_cast<size_t>(offset)];
  const auto found = sparse_.find(vnum);
  return found == sparse_.end() ? -1 : found->second;
}

}  // namespace tavro

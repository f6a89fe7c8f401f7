#include "area/ResetEditing.h"

#include <algorithm>
#include <charconv>
#include <utility>

#include "area/Area.h"
#include "area/Changes.h"
#include "area/Mobiles.h"
#include "area/Objects.h"
#include "area/ResetTree.h"
#include "area/Resets.h"
#include "area/Rooms.h"
#include "reading/AreaFile.h"
#include "world/Areas.h"
#include "world/TextLists.h"
#include "world/World.h"

namespace tavro {

namespace {

constexpr uint32_t kScope = kResetsChanged;
// B resets whose second argument's low byte is this change an object's extra flags.
constexpr int32_t kObjectBits = 1;
// T resets with this bit in Extra trap an object.
constexpr int32_t kObjectTrap = 2;

std::unique_ptr<TAreaReset> copy_of(const TAreaReset& reset, TAreaResets* owner) {
  auto copy = std::make_unique<TAreaReset>(owner);
  copy->Assign(reset);
  return copy;
}

// The list's entries change places; the records themselves stay as they are.
class TSwapChange : public TChange {
 public:
  TSwapChange(std::vector<std::unique_ptr<TAreaReset>>& list, size_t first, size_t second)
      : list_(list), first_(first), second_(second) {
    Apply();
  }
  void Apply() override { std::swap(list_[first_], list_[second_]); }
  void Revert() override { Apply(); }

 private:
  std::vector<std::unique_ptr<TAreaReset>>& list_;
  size_t first_;
  size_t second_;
};

class TReplaceChange : public TChange {
 public:
  TReplaceChange(std::vector<std::unique_ptr<TAreaReset>>& list,
                 std::vector<std::unique_ptr<TAreaReset>> other)
      : list_(list), held_(std::move(other)) {
    Apply();
  }
  void Apply() override { list_.swap(held_); }
  void Revert() override { list_.swap(held_); }

 private:
  std::vector<std::unique_ptr<TAreaReset>>& list_;
  std::vector<std::unique_ptr<TAreaReset>> held_;
};

std::unique_ptr<TChange> touching(std::unique_ptr<TChange> change, TArea& area) {
  change->AddTouch(&area, kScope);
  return change;
}

std::string_view trimmed(std::string_view text) {
  const size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// The number in a cell; false when the cell is not a whole number of 32 bits.
bool cell_number(std::string_view cell, int32_t& value) {
  cell = trimmed(cell);
  if (!cell.empty() && cell.front() == '+') cell.remove_prefix(1);
  const auto [end, error] = std::from_chars(cell.data(), cell.data() + cell.size(), value);
  return !cell.empty() && error == std::errc() && end == cell.data() + cell.size();
}

// Appends the resets of one room's tree in tree order, rewriting how each child finds its container:
// by its depth below an object placed in the room, or by the vnum of the object it hangs under.
// Depth -1 marks what a mobile carries, where only the objects' own contents count depth again.
class TreeAppender {
 public:
  TreeAppender(const TResetTree& tree, TAreaResets* owner, std::vector<std::unique_ptr<TAreaReset>>& out,
               std::vector<bool>& placed)
      : tree_(tree), owner_(owner), out_(out), placed_(placed) {}

  void AppendRoot(int32_t root) {
    const TAreaReset& copy = Append(root);
    if (!Node(root).Children.empty()) Walk(root, copy.Arg1, copy.Command == 'O' ? 0 : -1);
  }

 private:
  struct Frame {
    int32_t node;
    int32_t parent_arg1;
    int32_t depth;
    size_t next = 0;
  };

  // An explicit stack: containers may nest as deep as the list is long.
  void Walk(int32_t node, int32_t parent_arg1, int32_t depth) {
    std::vector<Frame> frames{{node, parent_arg1, depth}};
    while (!frames.empty()) {
      Frame& frame = frames.back();
      const auto& children = Node(frame.node).Children;
      if (frame.next == children.size()) {
        frames.pop_back();
        continue;
      }
      const int32_t child = children[frame.next++];
      // A reset that names its container by vnum can show in the trees of two rooms: it goes with the
      // first, once.
      if (placed_[Node(child).Index]) continue;
      TAreaReset& copy = Append(child);
      if (copy.Command == 'E' || copy.Command == 'G') frame.depth = -1;
      Adjust(copy, frame.parent_arg1, frame.depth);
      if (!Node(child).Children.empty()) frames.push_back({child, copy.Arg1, frame.depth + 1});
    }
  }

  static void Adjust(TAreaReset& reset, int32_t parent_arg1, int32_t depth) {
    const int32_t by_vnum = depth > 0 ? parent_arg1 : 0;
    switch (reset.Command) {
      case 'B':
        if ((reset.Arg2 & 255) == kObjectBits) reset.Arg1 = by_vnum;
        return;
      case 'H':
        reset.Arg1 = by_vnum;
        return;
      case 'P':
        reset.Arg3 = 0;
        reset.Extra = depth > 0 ? depth : 0;
        return;
      case 'T':
        if (reset.Extra & kObjectTrap) reset.Arg3 = by_vnum;
        return;
      default:
        return;
    }
  }

  TAreaReset& Append(int32_t node) {
    const TResetNode& shown = Node(node);
    placed_[shown.Index] = true;
    return *out_.emplace_back(copy_of(*shown.Reset, owner_));
  }

  const TResetNode& Node(int32_t node) const { return tree_.Nodes[static_cast<size_t>(node)]; }

  const TResetTree& tree_;
  TAreaResets* owner_;
  std::vector<std::unique_ptr<TAreaReset>>& out_;
  std::vector<bool>& placed_;
};

template <class Record>
void add_entries(const std::vector<std::unique_ptr<Record>>& items, bool all, const TResetItemFilter& filter,
                 std::vector<TPickEntry>& entries) {
  const std::string vnum_digits = std::to_string(filter.Vnum);
  for (const auto& item : items) {
    bool listed = all;
    if (filter.Typed == TypedField::Vnum)
      listed = listed || std::to_string(item->Vnum).find(vnum_digits) != std::string::npos;
    if (filter.Typed == TypedField::Name)
      listed = listed || (!filter.Name.empty() && item->Name.find(filter.Name) != std::string::npos);
    if (listed) entries.push_back({item->Name, item->Vnum});
  }
}

// The areas the picker takes items from.
std::vector<const TArea*> picked_areas(const TArea& area, bool only_local) {
  const TWorld* world = area.world();
  if (only_local || world == nullptr || world->Areas == nullptr) return {&area};
  std::vector<const TArea*> areas;
  for (const auto& other : world->Areas->Items) {
    areas.push_back(other.get());
    if (other.get() == &area) return areas;
  }
  areas.push_back(&area);  // an area outside the world's list still offers its own items
  return areas;
}

// The bit of the wear flag named name; 0 when no entry of the wear flags names it.
uint32_t wear_flag_bit(const TWorld& world, std::string_view name) {
  const std::string wanted = to_upper(name);
  for (const std::string& entry : world.WearFlags) {
    if (to_upper(entry_value(entry)) != wanted) continue;
    int32_t bit = 0;
    return cell_number(entry_name(entry), bit) && bit >= 0 && bit < 32 ? 1u << bit : 0u;
  }
  return 0;
}

}  // namespace

void swap_record(TAreaReset& live, TAreaReset& held) {
  TAreaReset parked(live.Owner);
  parked.Assign(live);
  live.Assign(held);
  held.Assign(parked);
}

size_t CarriedResetPosition(const TAreaResets& resets, size_t mobile) {
  const auto& items = resets.Items;
  size_t at = std::min(mobile + 1, items.size());
  while (at < items.size() && std::string_view("EGHP").find(items[at]->Command) != std::string_view::npos)
    ++at;
  return at;
}

std::string ResetRowText(const TAreaReset& reset) {
  std::string row(1, reset.Command);
  for (int32_t number : {reset.Extra, reset.Arg1, reset.Arg2, reset.Arg3})
    row += "\r\n" + std::to_string(number);
  return row;
}

std::string ParseResetRow(std::string_view row, TAreaReset& reset) {
  std::vector<std::string_view> cells;
  for (size_t start = 0;;) {
    const size_t end = row.find("\r\n", start);
    cells.push_back(row.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
    if (end == std::string_view::npos) break;
    start = end + 2;
  }
  if (cells.size() != 5) return "a reset row has 5 cells, this one " + std::to_string(cells.size());
  const std::string_view letter_cell = trimmed(cells[0]);
  if (letter_cell.empty()) return "the letter is missing";
  const char letter = to_upper(letter_cell.substr(0, 1))[0];
  if (!is_reset_command(letter)) return "'" + std::string(1, letter_cell[0]) + "' is no reset letter";
  int32_t numbers[4] = {};
  for (size_t i = 0; i < 4; ++i)
    if (!cell_number(cells[i + 1], numbers[i]))
      return "'" + std::string(cells[i + 1]) + "' is not a whole number";
  reset.Command = letter;
  reset.Extra = numbers[0];
  reset.Arg1 = numbers[1];
  reset.Arg2 = numbers[2];
  reset.Arg3 = numbers[3];
  return {};
}

int32_t CountMobileResets(const TArea& area, int32_t vnum) {
  const TWorld* world = area.world();
  if (world != nullptr && world->Areas != nullptr) return world->Areas->count_mobile_resets(vnum);
  return static_cast<int32_t>(
      std::count_if(area.Resets->Items.begin(), area.Resets->Items.end(),
                    [vnum](const auto& r) { return r->Command == 'M' && r->Arg1 == vnum; }));
}

std::unique_ptr<TChange> InsertReset(TArea& area, size_t index, const TAreaReset& values) {
  auto& list = area.Resets->Items;
  return ChangeList(list, std::min(index, list.size()), copy_of(values, area.Resets.get()), &area, kScope);
}

std::unique_ptr<TChange> RemoveReset(TArea& area, size_t index) {
  return ChangeList<TAreaReset>(area.Resets->Items, index, nullptr, &area, kScope);
}

std::unique_ptr<TChange> ChangeReset(TArea& area, size_t index, const TAreaReset& values) {
  return ChangeRecord(*area.Resets->Items.at(index), copy_of(values, area.Resets.get()), &area, kScope);
}

std::unique_ptr<TChange> SwapResets(TArea& area, size_t first, size_t second) {
  auto& list = area.Resets->Items;
  if (first >= list.size() || second >= list.size()) return nullptr;
  return touching(std::make_unique<TSwapChange>(list, first, second), area);
}

TRestructuredResets RestructuredResets(const TArea& area) {
  TRestructuredResets result;
  const auto& old = area.Resets->Items;
  std::vector<bool> placed(old.size(), false);
  for (const auto& room : area.Rooms->Items) {
    const TResetTree tree = BuildResetTree(area, room->Vnum);
    TreeAppender appender(tree, area.Resets.get(), result.Resets, placed);
    for (int32_t root : tree.Roots)
      appender.AppendRoot(root);
  }
  for (size_t i = 0; i < old.size(); ++i) {
    if (placed[i]) continue;
    result.Resets.push_back(copy_of(*old[i], area.Resets.get()));
    ++result.Unplaced;
  }
  return result;
}

std::string RestructureQuestion(size_t unplaced) {
  std::string question =
      "Attention!\r\nThis operation may cause damage, if resets list\r\nhave hidden behavior.\r\n\r\n";
  if (unplaced > 0)
    question += std::to_string(unplaced) +
                " reset(s) belong to no room's tree; they are kept at the end of the list.\r\n\r\n";
  return question + "Are you sure to continue?";
}

std::unique_ptr<TChange> ReplaceResets(TArea& area, std::vector<std::unique_ptr<TAreaReset>> resets) {
  return touching(std::make_unique<TReplaceChange>(area.Resets->Items, std::move(resets)), area);
}

std::vector<TPickEntry> ResetItemEntries(const TArea& area, ResetItemKind kind,
                                         const TResetItemFilter& filter) {
  std::vector<TPickEntry> entries;
  for (const TArea* from : picked_areas(area, filter.OnlyLocal)) {
    const bool all = filter.OnlyLocal && !filter.Strong;
    if (kind == ResetItemKind::Object && from->Objects)
      add_entries(from->Objects->Items, all, filter, entries);
    if (kind == ResetItemKind::Mobile && from->Mobiles)
      add_entries(from->Mobiles->Items, all, filter, entries);
  }
  std::stable_sort(entries.begin(), entries.end(),
                   [](const TPickEntry& a, const TPickEntry& b) { return text_less(a.Text, b.Text); });
  return entries;
}

std::vector<TPickEntry> WearLocationEntries(const TWorld& world, uint32_t wear_flags) {
  std::vector<TPickEntry> entries;
  for (const std::string& entry : world.WearLocations) {
    int32_t number = 0;
    if (!cell_number(entry_name(entry), number)) continue;
    const std::string_view value = entry_value(entry);
    const size_t blank = value.find(' ');
    const std::string_view flag = value.substr(0, blank);
    const std::string_view text =
        blank == std::string_view::npos ? std::string_view() : value.substr(blank + 1);
    if (number < 1 || (wear_flags & wear_flag_bit(world, flag)) != 0)
      entries.push_back({std::string(text), number});
  }
  return entries;
}

}  // namespace tavro

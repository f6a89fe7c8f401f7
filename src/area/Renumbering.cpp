#include "area/Renumbering.h"

#include <algorithm>

#include "area/Area.h"
#include "area/Changes.h"
#include "area/Header.h"
#include "area/Resets.h"
#include "area/Rooms.h"
#include "world/Areas.h"
#include "world/World.h"

namespace tavro {

namespace {

// Where a reference is kept. Exits by room and slot rather than by door: an edit of the room made later
// and taken back since may have replaced the door object.
struct Slot {
  enum Kind { Exit, Reset, Teleport };
  Kind kind;
  TAreaRoom* room = nullptr;
  int32_t dir = 0;
  TAreaReset* reset = nullptr;
  int32_t TAreaReset::*field = nullptr;

  int32_t& target() const {
    switch (kind) {
      case Exit:
        return room->Doors[static_cast<size_t>(dir)]->ToVnum;
      case Reset:
        return reset->*field;
      default:
        return room->TeleVnum;
    }
  }
};

// The argument of a reset that names the room it acts on; null for a reset that names no room.
int32_t TAreaReset::*room_field(const TAreaReset& reset) {
  switch (reset.Command) {
    case 'M':
    case 'O':
      return &TAreaReset::Arg3;
    case 'D':
    case 'R':
      return &TAreaReset::Arg1;
    case 'T':  // a trap on an object names the object
      return (reset.Extra & 2) ? nullptr : &TAreaReset::Arg3;
    case 'B': {  // exit and room bits name the room; object and mobile bits do not
      const int32_t target = reset.Arg2 & 255;
      return target == 0 || target == 3 ? &TAreaReset::Arg1 : nullptr;
    }
    default:
      return nullptr;
  }
}

std::vector<TArea*> world_areas(const TArea& area) {
  std::vector<TArea*> areas;
  const TWorld* world = area.world();
  if (world != nullptr && world->Areas != nullptr)
    for (const auto& item : world->Areas->Items)
      areas.push_back(item.get());
  auto* own = const_cast<TArea*>(&area);
  if (std::find(areas.begin(), areas.end(), own) == areas.end()) areas.push_back(own);
  return areas;
}

std::vector<Slot> slots_in(TArea& area, int32_t vnum) {
  std::vector<Slot> slots;
  if (area.Rooms != nullptr)
    for (const auto& room : area.Rooms->Items) {
      for (const auto& door : room->Doors)
        if (door != nullptr && door->ToVnum == vnum)
          slots.push_back({Slot::Exit, room.get(), door->Direction});
      if (room->TeleVnum == vnum) slots.push_back({Slot::Teleport, room.get()});
    }
  if (area.Resets != nullptr)
    for (const auto& reset : area.Resets->Items) {
      const auto field = room_field(*reset);
      if (field != nullptr && (*reset).*field == vnum)
        slots.push_back({Slot::Reset, nullptr, 0, reset.get(), field});
    }
  return slots;
}

class TRetarget : public TChange {
 public:
  TRetarget(std::vector<Slot> slots, int32_t from, int32_t to)
      : slots_(std::move(slots)), from_(from), to_(to) {
    Apply();
  }
  void Apply() override { set_all(to_); }
  void Revert() override { set_all(from_); }

 private:
  void set_all(int32_t vnum) {
    for (const Slot& slot : slots_)
      slot.target() = vnum;
  }
  std::vector<Slot> slots_;
  int32_t from_;
  int32_t to_;
};

std::string counted(int32_t count, const char* one, const char* many) {
  return std::to_string(count) + " " + (count == 1 ? one : many);
}

// "2 exits, 1 reset and 3 teleports"
std::string kinds_text(int32_t exits, int32_t resets, int32_t teleports) {
  std::vector<std::string> parts;
  if (exits) parts.push_back(counted(exits, "exit", "exits"));
  if (resets) parts.push_back(counted(resets, "reset", "resets"));
  if (teleports) parts.push_back(counted(teleports, "teleport", "teleports"));
  std::string text;
  for (size_t i = 0; i < parts.size(); ++i)
    text += (i == 0 ? "" : i + 1 == parts.size() ? " and " : ", ") + parts[i];
  return text;
}

}  // namespace

std::vector<TRoomReferences> CountRoomReferences(const TArea& area, int32_t vnum) {
  std::vector<TRoomReferences> counts;
  for (TArea* each : world_areas(area)) {
    TRoomReferences count{each};
    for (const Slot& slot : slots_in(*each, vnum))
      ++(slot.kind == Slot::Exit ? count.Exits : slot.kind == Slot::Reset ? count.Resets : count.Teleports);
    if (count.total() > 0) counts.push_back(count);
  }
  return counts;
}

std::string RenumberQuestion(const std::vector<TRoomReferences>& references, int32_t from, int32_t to) {
  if (references.empty()) return {};
  TRoomReferences all;
  std::string where;
  for (const TRoomReferences& count : references) {
    all.Exits += count.Exits;
    all.Resets += count.Resets;
    all.Teleports += count.Teleports;
    where += (where.empty() ? "" : ", ") + std::to_string(count.total()) + " in \"" +
             count.Area->Header->Name + "\" (" + count.Area->Header->FileName + ")";
  }
  const std::string old_vnum = std::to_string(from);
  const std::string new_vnum = std::to_string(to);
  const bool one = all.total() == 1;
  return "Room " + old_vnum + " becomes room " + new_vnum + ".\r\n" +
         kinds_text(all.Exits, all.Resets, all.Teleports) + (one ? " names" : " name") + " room " + old_vnum +
         ": " + where + ".\r\n\r\nMake " + (one ? "it" : "them") + " name room " + new_vnum +
         "?\r\nNo leaves " + (one ? "it" : "them") + " naming " + old_vnum + ", where no room will be.";
}

std::unique_ptr<TChange> RetargetRoomReferences(TArea& area, int32_t from, int32_t to) {
  auto group = std::make_unique<TChangeGroup>();
  for (TArea* each : world_areas(area)) {
    std::vector<Slot> slots = slots_in(*each, from);
    if (slots.empty()) continue;
    uint32_t scope = 0;
    for (const Slot& slot : slots)
      scope |= slot.kind == Slot::Reset ? kResetsChanged : kRoomsChanged;
    auto part = std::make_unique<TRetarget>(std::move(slots), from, to);
    part->AddTouch(each, scope);
    group->Add(std::move(part));
  }
  if (group->empty()) return nullptr;
  return group;
}

}  // namespace tavro

#include "area/RoomRemoval.h"

#include <algorithm>
#include <vector>

#include "area/Area.h"
#include "area/Changes.h"
#include "area/Resets.h"
#include "area/Rooms.h"
#include "world/Areas.h"
#include "world/World.h"

namespace tavro {

namespace {

// Every area of the world, and the rooms' own area even when it is not (yet) in the world's list.
std::vector<TArea*> areas_to_repair(const TAreaRooms& rooms) {
  std::vector<TArea*> areas;
  const TWorld* world = rooms.Area == nullptr ? nullptr : rooms.Area->world();
  if (world != nullptr && world->Areas != nullptr)
    for (const auto& area : world->Areas->Items)
      areas.push_back(area.get());
  if (rooms.Area != nullptr && std::find(areas.begin(), areas.end(), rooms.Area) == areas.end())
    areas.push_back(rooms.Area);
  return areas;
}

bool places_in_room(const TAreaReset& reset, int32_t vnum) {
  return (reset.Command == 'M' || reset.Command == 'O') && reset.Arg3 == vnum;
}

bool acts_on_room(const TAreaReset& reset, int32_t vnum) {
  return (reset.Command == 'D' || reset.Command == 'R') && reset.Arg1 == vnum;
}

bool follows_placement(const TAreaReset& reset) {
  return reset.Command == 'E' || reset.Command == 'G' || reset.Command == 'P';
}

// Doors leading to the room lead nowhere; reverting makes them lead to it again.
class TDoorRepairs : public TChange {
 public:
  TDoorRepairs(TAreaRooms& rooms, int32_t vnum) : vnum_(vnum) {
    for (const auto& room : rooms.Items)
      for (const auto& door : room->Doors)
        if (door != nullptr && door->ToVnum == vnum) doors_.push_back({room.get(), door->Direction});
    Apply();
  }
  bool empty() const { return doors_.empty(); }
  void Apply() override { set_targets(0); }
  void Revert() override { set_targets(vnum_); }

 private:
  // The room and the slot rather than the door: an edit of the room made later and taken back since
  // may have replaced the door object.
  struct Slot {
    TAreaRoom* room;
    int32_t dir;
  };
  void set_targets(int32_t vnum) {
    for (const Slot& slot : doors_)
      slot.room->Doors[static_cast<size_t>(slot.dir)]->ToVnum = vnum;
  }

  int32_t vnum_;
  std::vector<Slot> doors_;
};

// Deletes the M/O resets placing something in the room with the E, G and P resets that belong to them,
// and the D/R resets of the room. One pass gives the same list as deleting at an index and looking at
// that index again. Reverting puts every deleted reset back at its place.
class TResetRepairs : public TChange {
 public:
  TResetRepairs(TAreaResets& resets, int32_t vnum) : items_(resets.Items) {
    size_t i = 0;
    while (i < items_.size()) {
      if (places_in_room(*items_[i], vnum)) {
        removed_.push_back({i++, nullptr});
        while (i < items_.size() && follows_placement(*items_[i]))
          removed_.push_back({i++, nullptr});
      } else if (acts_on_room(*items_[i], vnum)) {
        removed_.push_back({i++, nullptr});
      } else {
        ++i;
      }
    }
    Apply();
  }
  bool empty() const { return removed_.empty(); }

  void Apply() override {
    std::vector<std::unique_ptr<TAreaReset>> kept;
    kept.reserve(items_.size() - removed_.size());
    size_t next = 0;
    for (size_t i = 0; i < items_.size(); ++i) {
      if (next < removed_.size() && removed_[next].index == i)
        removed_[next++].reset = std::move(items_[i]);
      else
        kept.push_back(std::move(items_[i]));
    }
    items_ = std::move(kept);
  }

  void Revert() override {
    std::vector<std::unique_ptr<TAreaReset>> all;
    const size_t total = items_.size() + removed_.size();
    all.reserve(total);
    size_t next = 0;
    size_t kept = 0;
    while (all.size() < total) {
      if (next < removed_.size() && removed_[next].index == all.size())
        all.push_back(std::move(removed_[next++].reset));
      else
        all.push_back(std::move(items_[kept++]));
    }
    items_ = std::move(all);
  }

 private:
  struct Removed {
    size_t index;  // in the list as it was before the removal
    std::unique_ptr<TAreaReset> reset;
  };
  std::vector<std::unique_ptr<TAreaReset>>& items_;
  std::vector<Removed> removed_;
};

template <class Repair, class List>
void add_repair(TChangeGroup& group, TArea* area, List& list, int32_t vnum, uint32_t scope) {
  auto repair = std::make_unique<Repair>(list, vnum);
  if (repair->empty()) return;
  if (area != nullptr) area->ModifiedElsewhere = true;
  repair->AddTouch(area, scope);
  group.Add(std::move(repair));
}

void repair_world(TAreaRooms& rooms, int32_t vnum, TChangeGroup& group) {
  // A list outside any area (tests, scratch copies) still has its own doors repaired.
  if (rooms.Area == nullptr) add_repair<TDoorRepairs>(group, nullptr, rooms, vnum, kRoomsChanged);
  for (TArea* area : areas_to_repair(rooms)) {
    if (area->Rooms != nullptr) add_repair<TDoorRepairs>(group, area, *area->Rooms, vnum, kRoomsChanged);
    if (area->Resets != nullptr) add_repair<TResetRepairs>(group, area, *area->Resets, vnum, kResetsChanged);
  }
}

}  // namespace

bool RoomHasResets(const TAreaRooms& rooms, int32_t vnum) {
  for (const TArea* area : areas_to_repair(rooms)) {
    if (area->Resets == nullptr) continue;
    for (const auto& reset : area->Resets->Items)
      if (places_in_room(*reset, vnum) || acts_on_room(*reset, vnum)) return true;
  }
  return false;
}

std::string RemoveRoomQuestion(const TAreaRooms& rooms, int32_t vnum) {
  return RoomHasResets(rooms, vnum) ? "Fix Exits and Resets?" : "Fix Exits?";
}

std::unique_ptr<TChange> RemoveRoom(TAreaRooms& rooms, int32_t vnum, RemovalAnswer answer) {
  const int32_t index = rooms.IndexOfVnum(vnum);
  if (index < 0 || answer == RemovalAnswer::Cancel) return nullptr;
  auto group = std::make_unique<TChangeGroup>();
  if (answer == RemovalAnswer::Yes) repair_world(rooms, vnum, *group);
  auto removal = std::make_unique<TListChange<TAreaRoom>>(rooms.Items, static_cast<size_t>(index), nullptr);
  removal->AddTouch(rooms.Area, kRoomsChanged);
  group->Add(std::move(removal));
  return group;
}

std::unique_ptr<TChange> RemoveRoom(TAreaRooms& rooms, int32_t vnum, const RemovalQuestion& ask) {
  const TAreaRoom* room = rooms.FindByVnum(vnum);
  if (room == nullptr) return nullptr;
  const std::string question = "Room " + std::to_string(vnum) + " \"" + room->Name +
                               "\" will be removed.\r\n" + RemoveRoomQuestion(rooms, vnum);
  return RemoveRoom(rooms, vnum, ask(kRemoveRoomCaption, question));
}

}  // namespace tavro

#include "area/RoomRemoval.h"

#include <algorithm>
#include <vector>

#include "area/Area.h"
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

// Doors leading to the room lead nowhere afterwards; true when any did.
bool repair_doors(TAreaRooms& rooms, int32_t vnum) {
  bool changed = false;
  for (const auto& room : rooms.Items)
    for (const auto& door : room->Doors)
      if (door != nullptr && door->ToVnum == vnum) {
        door->ToVnum = 0;
        changed = true;
      }
  return changed;
}

// Deletes the M/O resets placing something in the room with the E, G and P resets that belong to them,
// and the D/R resets of the room; true when any was deleted. One pass gives the same list as deleting at
// an index and looking at that index again.
bool repair_resets(TArea& area, int32_t vnum) {
  if (area.Resets == nullptr) return false;
  auto& items = area.Resets->Items;
  std::vector<std::unique_ptr<TAreaReset>> kept;
  kept.reserve(items.size());
  size_t i = 0;
  while (i < items.size()) {
    if (places_in_room(*items[i], vnum)) {
      ++i;
      while (i < items.size() && follows_placement(*items[i]))
        ++i;
    } else if (acts_on_room(*items[i], vnum)) {
      ++i;
    } else {
      kept.push_back(std::move(items[i++]));
    }
  }
  const bool changed = kept.size() != items.size();
  items = std::move(kept);
  return changed;
}

void repair_world(TAreaRooms& rooms, int32_t vnum) {
  // A list outside any area (tests, scratch copies) still has its own doors repaired.
  if (rooms.Area == nullptr) repair_doors(rooms, vnum);
  for (TArea* area : areas_to_repair(rooms)) {
    const bool doors = area->Rooms != nullptr && repair_doors(*area->Rooms, vnum);
    const bool resets = repair_resets(*area, vnum);
    if (doors || resets) area->ModifiedElsewhere = true;
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

bool RemoveRoom(TAreaRooms& rooms, int32_t vnum, RemovalAnswer answer) {
  const int32_t index = rooms.IndexOfVnum(vnum);
  if (index < 0 || answer == RemovalAnswer::Cancel) return false;
  if (answer == RemovalAnswer::Yes) repair_world(rooms, vnum);
  rooms.Items.erase(rooms.Items.begin() + index);
  return true;
}

bool RemoveRoom(TAreaRooms& rooms, int32_t vnum, const RemovalQuestion& ask) {
  if (rooms.IndexOfVnum(vnum) < 0) return false;
  return RemoveRoom(rooms, vnum, ask(kRemoveRoomCaption, RemoveRoomQuestion(rooms, vnum)));
}

}  // namespace tavro

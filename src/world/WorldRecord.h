#pragma once
// A record of the loaded world as the world check and the find in world name it, and as the editor goes
// to it: the area, the kind of record and what tells it apart within its area.
#include <cstdint>
#include <string>

namespace tavro {

class TArea;

enum class TRecordKind { Room, Object, Mobile, Reset, Shop, RepairShop, Help };

struct TRecordRef {
  const TArea* Area = nullptr;
  TRecordKind Kind = TRecordKind::Room;
  // Rooms, objects and mobiles: their own vnum; shops and repair shops: the keeper's; resets: the room
  // they act on (0 when none).
  int32_t Vnum = 0;
  // Resets and helps: the position in the area's list, from 0; -1 for the other kinds.
  int32_t Index = -1;

  bool operator==(const TRecordRef&) const = default;
};

// "room", "object", "mobile", "reset", "shop", "repair shop", "help".
const char* record_kind_name(TRecordKind kind);
// The record as a builder names it: "room 3001", "reset 12 in room 3001" (resets and helps count from 1),
// "help 2".
std::string record_label(const TRecordRef& record);
// The area's file name, or its name in brackets while it has none (a new area never saved).
std::string area_file_label(const TArea& area);

}  // namespace tavro

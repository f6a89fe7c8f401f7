#pragma once
// The text the room editor's View shows a builder: the room as a player sees it on entering, with the
// game's colour codes: name and vnum, description, the exits by their Russian names (closed ones in
// square brackets, windows in braces), then what the room's resets put there.
#include <string>

namespace tavro {

class TArea;
class TAreaRoom;

// The fields as the builder typed them (Windows-1251; trimmed here).
struct TRoomViewFields {
  std::string Name;
  std::string Vnum;
  std::string Description;
};

// The exits are those of room (the editor's working copy, its doors as edited); the objects and mobiles
// come from the reset tree of room's vnum in area, their long descriptions from the world.
std::string RoomViewText(const TRoomViewFields& fields, const TAreaRoom& room, const TArea& area);

}  // namespace tavro

#pragma once
// Removing a room from its area, with the repair of exits and resets that name it anywhere in the world.
// The core never asks the user itself: the caller asks RemoveRoomQuestion and passes the answer in.
#include <cstdint>
#include <functional>
#include <string>

namespace tavro {

class TAreaRooms;

enum class RemovalAnswer { Yes, No, Cancel };

inline constexpr char kRemoveRoomCaption[] = "Remove Room";

// True when a reset of any area of the world names this room: a D or R reset by its first argument, an M
// or O reset by its third.
bool RoomHasResets(const TAreaRooms& rooms, int32_t vnum);

// The question to ask (Yes/No/Cancel, question icon, caption kRemoveRoomCaption):
// "Fix Exits and Resets?" when a reset names the room, "Fix Exits?" otherwise.
std::string RemoveRoomQuestion(const TAreaRooms& rooms, int32_t vnum);

// Cancel changes nothing and gives false. Yes first repairs every area of the world: doors leading to the
// room lead nowhere (ToVnum 0), M/O resets placing something in the room are deleted with the E, G and P
// resets that follow them, D/R resets of the room are deleted, and every area changed this way is marked
// ModifiedElsewhere. After Yes or No the first room with the vnum is taken out of the list and freed, and
// the result is true. A vnum that no room of the list has changes nothing and gives false.
bool RemoveRoom(TAreaRooms& rooms, int32_t vnum, RemovalAnswer answer);

// The same, asking through ask(caption, question) only when the room exists.
using RemovalQuestion = std::function<RemovalAnswer(const std::string& caption, const std::string& text)>;
bool RemoveRoom(TAreaRooms& rooms, int32_t vnum, const RemovalQuestion& ask);

}  // namespace tavro

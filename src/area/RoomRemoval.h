#pragma once
// Removing a room from its area, with the repair of exits and resets that name it anywhere in the world.
// The core never asks the user itself: the caller asks RemoveRoomQuestion and passes the answer in.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace tavro {

class TAreaRooms;
class TChange;

enum class RemovalAnswer { Yes, No, Cancel };

inline constexpr char kRemoveRoomCaption[] = "Remove Room";

// True when a reset of any area of the world names this room: a D or R reset by its first argument, an M
// or O reset by its third.
bool RoomHasResets(const TAreaRooms& rooms, int32_t vnum);

// The question to ask (Yes/No/Cancel, question icon, caption kRemoveRoomCaption):
// "Fix Exits and Resets?" when a reset names the room, "Fix Exits?" otherwise.
std::string RemoveRoomQuestion(const TAreaRooms& rooms, int32_t vnum);

// Cancel changes nothing and gives no change. Yes first repairs every area of the world: doors leading to
// the room lead nowhere (ToVnum 0), M/O resets placing something in the room are deleted with the E, G
// and P resets that follow them, D/R resets of the room are deleted, and every area changed this way is
// marked ModifiedElsewhere. After Yes or No the first room with the vnum is taken out of the list. The
// result is the change that did all this (already applied; reverting it brings back the room at its
// place, and every exit and reset it repaired); it names every area it touched. A vnum that no room of
// the list has changes nothing and gives no change.
std::unique_ptr<TChange> RemoveRoom(TAreaRooms& rooms, int32_t vnum, RemovalAnswer answer);

// The same, asking through ask(caption, question) only when the room exists; the question first names
// the room: "Room 3001 \"Town square\" will be removed." CR LF, then RemoveRoomQuestion.
using RemovalQuestion = std::function<RemovalAnswer(const std::string& caption, const std::string& text)>;
std::unique_ptr<TChange> RemoveRoom(TAreaRooms& rooms, int32_t vnum, const RemovalQuestion& ask);

}  // namespace tavro

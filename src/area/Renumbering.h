#pragma once
// A room's vnum changed: the exits, resets and teleports of the loaded world that named the old vnum
// would lead nowhere. These count them for the question to the builder and make them name the new vnum
// as one reversible change, which goes with the room's own change into one undoable step.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace tavro {

class TArea;
class TChange;

// What names a room vnum in one area: exits leading to it, resets acting on it (placing a mobile or an
// object there, setting or randomising its exits, trapping it, changing its or its exits' bits), rooms
// teleporting to it.
struct TRoomReferences {
  TArea* Area = nullptr;
  int32_t Exits = 0;
  int32_t Resets = 0;
  int32_t Teleports = 0;

  int32_t total() const { return Exits + Resets + Teleports; }
};

// Every area of area's world (area itself too, when it is outside the world's list) whose records name
// the vnum, in list order.
std::vector<TRoomReferences> CountRoomReferences(const TArea& area, int32_t vnum);

// The question for a room renumbered from one vnum to another (Windows-1251, Yes / No / Cancel):
// how many of each kind name it, in which areas, and whether they should follow. Empty when none do.
std::string RenumberQuestion(const std::vector<TRoomReferences>& references, int32_t from, int32_t to);
inline constexpr char kRenumberRoomCaption[] = "Renumber Room";

// Makes everything that names from name to instead, in every area counted as above. The change names
// every area it touched; null when nothing names from.
std::unique_ptr<TChange> RetargetRoomReferences(TArea& area, int32_t from, int32_t to);

}  // namespace tavro

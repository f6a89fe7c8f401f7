#pragma once
// Editing an area's reset list as the room's reset page does it: where a new reset goes, a reset's row
// in the grid and back, the list rebuilt room by room from the rooms' trees, the items a builder can
// pick for a reset, and every edit as a reversible change of the list.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "area/ObjectValues.h"

namespace tavro {

class TArea;
class TAreaReset;
class TAreaResets;
class TChange;
class TWorld;

// Exchanges the letters and numbers of two resets; each keeps its owner.
void swap_record(TAreaReset& live, TAreaReset& held);

// Where a reset for what the mobile of the M reset at index carries or wears goes: after that reset
// and the run of E, G, H and P resets directly after it (the end of the list when the run reaches it).
size_t CarriedResetPosition(const TAreaResets& resets, size_t mobile);

// The grid row of a reset: letter, Extra, Arg1, Arg2 and Arg3 in decimal, joined by CR LF.
std::string ResetRowText(const TAreaReset& reset);
// Reads such a row into reset, all of it or nothing. Gives why it cannot (empty when it could): a cell
// missing, a number that does not convert, a letter the server does not know.
std::string ParseResetRow(std::string_view row, TAreaReset& reset);

// How many mobile resets (M) of the world's areas load the mobile (of the area alone outside a world).
int32_t CountMobileResets(const TArea& area, int32_t vnum);

// The reset list changed as one step each; the changes are made already applied.
// A copy of values put into the list at index (appended when index is past the end).
std::unique_ptr<TChange> InsertReset(TArea& area, size_t index, const TAreaReset& values);
std::unique_ptr<TChange> RemoveReset(TArea& area, size_t index);
// The reset at index takes the letter and numbers of values.
std::unique_ptr<TChange> ChangeReset(TArea& area, size_t index, const TAreaReset& values);
// The resets at two indexes change places.
std::unique_ptr<TChange> SwapResets(TArea& area, size_t first, size_t second);

// The list rebuilt room by room from the rooms' trees, in the order of the area's rooms: each room's
// resets in tree order, with the numbers by which a reset finds its container rewritten so that each
// finds it by its place; a reset two rooms' trees show goes with the first room. Resets that no room's
// tree shows keep their order at the end.
struct TRestructuredResets {
  std::vector<std::unique_ptr<TAreaReset>> Resets;  // owned by the area's list
  size_t Unplaced = 0;                              // resets no tree shows, kept at the end
};
TRestructuredResets RestructuredResets(const TArea& area);
// The question asked before restructuring, naming the resets no room's tree shows when there are any.
std::string RestructureQuestion(size_t unplaced);
// The area's reset list replaced by another as one change.
std::unique_ptr<TChange> ReplaceResets(TArea& area, std::vector<std::unique_ptr<TAreaReset>> resets);

// The items the reset item picker lists.
enum class ResetItemKind { Object = 1, Mobile = 2 };
enum class TypedField { None, Vnum, Name };
struct TResetItemFilter {
  bool OnlyLocal = true;
  bool Strong = true;
  TypedField Typed = TypedField::None;
  int32_t Vnum = 0;
  std::string Name;  // Windows-1251
};
// Each item its keywords (Name) standing for its vnum, sorted by keywords: the own area's items when
// OnlyLocal, else those of the world's areas up to and with the own area. Without the strong check the
// own area's items are all listed; otherwise an item is listed when its vnum contains the typed vnum's
// digits, or its keywords contain the typed name (case-sensitive; an empty name matches nothing).
std::vector<TPickEntry> ResetItemEntries(const TArea& area, ResetItemKind kind,
                                         const TResetItemFilter& filter);

// The wear locations an object with these wear flags can be equipped at: each location's text, standing
// for its number. A location is listed when its number is below 1 or the object has the wear flag the
// location names (a location naming no wear flag has none to have).
std::vector<TPickEntry> WearLocationEntries(const TWorld& world, uint32_t wear_flags);

}  // namespace tavro

#pragma once
// An area's whole contents exchanged with another area's: the header and every list move as they are,
// and each back reference (a list's area, an object's affects) follows to the area that now holds it.
// Recovery after a crash puts the autosaved contents in place of the loaded ones this way, as one change.
#include <cstdint>
#include <memory>

#include "area/Changes.h"

namespace tavro {

class TArea;

// Every part of an area a change of its whole contents touches.
inline constexpr uint32_t kWholeAreaChanged = kRoomsChanged | kRoomsLaidOut | kResetsChanged |
                                              kHeaderChanged | kHelpsChanged | kObjectsChanged |
                                              kMobilesChanged;

// Exchanges the header, helps, mobiles, objects, shops, rooms, repair shops and resets of a and b. The
// areas keep their owner, IsNew and ModifiedElsewhere. A view bound to one of the lists (rather than to
// the area) must bind again: the list objects themselves change areas.
void swap_area_contents(TArea& a, TArea& b);

// live takes the contents of replacement, as one change touching live as a whole; reverting gives live
// its own contents back. replacement must belong to the same world (its records look up the world's
// lists through it).
std::unique_ptr<TChange> ChangeAreaContents(TArea& live, std::unique_ptr<TArea> replacement);

}  // namespace tavro

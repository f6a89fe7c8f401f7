#pragma once
// An object prototype given a new vnum takes along what the loaded world says about it by number:
// resets that load, give, equip or put it (or put things into it), door keys, and program lines that
// load it or test for it. Shops name item types, never object vnums, so they have nothing to follow.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace tavro {

class TChange;
class TWorld;

struct TObjectReferences {
  int Resets = 0;
  int DoorKeys = 0;
  int ProgramLines = 0;
  int total() const { return Resets + DoorKeys + ProgramLines; }
  bool operator==(const TObjectReferences&) const = default;
};

// The places in the loaded world that name object vnum.
TObjectReferences FindObjectReferences(const TWorld& world, int32_t vnum);

// A program text with object vnum from made to where a line loads an object or tests for one by vnum
// (the number after mpoload, ovnumhere and the other ovnum checks); other numbers there name rooms,
// mobiles or counts and stay. lines, when given, counts the lines changed.
std::string RenumberObjectInProgram(std::string_view body, int32_t from, int32_t to, int* lines = nullptr);

// Makes every place that names object from name to, as one change (already applied) touching each
// area it changed; null when nothing names from.
std::unique_ptr<TChange> RenumberObjectReferences(TWorld& world, int32_t from, int32_t to);

}  // namespace tavro

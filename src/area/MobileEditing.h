#pragma once
// What the mobile editor decides without a window: attributes drawn at random for a new creature, and
// a mobile given a new vnum taking along what the loaded world says about it by number (resets that
// load it, program lines that load it or look for it) as one reversible change. Its shops need nothing:
// the shop sections are written from the keeper itself.
#include <array>
#include <cstdint>
#include <memory>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace tavro {

class TArea;
class TChange;

// Seven attributes (Str, Int, Wis, Dex, Con, Cha, Lck), each drawn on its own and uniformly from
// kRandomStatLow to kRandomStatHigh, both included.
inline constexpr int32_t kRandomStatLow = 13;
inline constexpr int32_t kRandomStatHigh = 25;
std::array<int32_t, 7> RandomStats(std::mt19937& random);

// What names a mobile vnum in one area: resets loading it, program lines (of its mobiles, objects and
// rooms) loading it or testing for it.
struct TMobileReferences {
  TArea* Area = nullptr;
  int32_t Resets = 0;
  int32_t ProgramLines = 0;

  int32_t total() const { return Resets + ProgramLines; }
};

// Every area of area's world (area itself too, when it is outside the world's list) whose records name
// the mobile vnum, in list order.
std::vector<TMobileReferences> CountMobileReferences(const TArea& area, int32_t vnum);

// The question for a mobile renumbered from one vnum to another (Yes / No / Cancel): how many of each
// kind name it, in which areas, and whether they should follow. Empty when nothing names it.
std::string MobileRenumberQuestion(const std::vector<TMobileReferences>& references, int32_t from,
                                   int32_t to);
inline constexpr char kRenumberMobileCaption[] = "Renumber Mobile";

// A program text with mobile vnum from made to where a line loads a mobile or tests for one by vnum
// (the number after mpmload, mobinarea, mobinroom and mobinworld); other numbers there name rooms,
// objects or counts and stay. lines, when given, counts the lines changed.
std::string RenumberMobileInProgram(std::string_view body, int32_t from, int32_t to, int* lines = nullptr);

// Makes everything counted above name to instead of from, as one change (already applied) touching
// each area it changed; null when nothing names from.
std::unique_ptr<TChange> RetargetMobileReferences(TArea& area, int32_t from, int32_t to);

}  // namespace tavro

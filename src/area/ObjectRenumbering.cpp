#include "area/ObjectRenumbering.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <functional>
#include <vector>

#include "area/Area.h"
#include "area/Changes.h"
#include "area/Mobiles.h"
#include "area/Objects.h"
#include "area/Programs.h"
#include "area/Resets.h"
#include "area/Rooms.h"
#include "world/Areas.h"
#include "world/World.h"

namespace tavro {

namespace {

// Program words whose numbers are object vnums.
constexpr std::array<std::string_view, 7> kObjectWords = {"mpoload",   "ovnumhere", "ovnumroom", "ovnumcarry",
                                                          "ovnumwear", "ovnuminv",  "ovnum"};

bool is_word_char(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '_' || c == '$' || c == '-' ||
         static_cast<unsigned char>(c) >= 0x80;
}

std::string lower(std::string_view text) {
  std::string result(text);
  for (char& c : result)
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return result;
}

bool whole_word_at(const std::string& text, size_t at, size_t length) {
  const size_t end = at + length;
  return (at == 0 || !is_word_char(text[at - 1])) && (end == text.size() || !is_word_char(text[end]));
}

// The first whole number after from (a number glued to a word, "$n1", does not count); npos when none.
size_t next_number(const std::string& line, size_t from, size_t& length) {
  for (size_t at = from; at < line.size(); ++at) {
    if (!std::isdigit(static_cast<unsigned char>(line[at]))) continue;
    length = 0;
    while (at + length < line.size() && std::isdigit(static_cast<unsigned char>(line[at + length])))
      ++length;
    if (whole_word_at(line, at, length)) return at;
    at += length;
  }
  return std::string::npos;
}

// Makes the number that follows each object word of a line ("mpoload 300", "ovnumhere(300)",
// "ovnum($o) == 300") name to when it names from; true when any did.
bool renumber_line(std::string& line, const std::string& from, const std::string& to) {
  const std::string text = lower(line);
  std::vector<size_t> numbers;
  for (std::string_view word : kObjectWords)
    for (size_t at = text.find(word); at != std::string::npos; at = text.find(word, at + 1)) {
      size_t length = 0;
      if (!whole_word_at(text, at, word.size())) continue;
      const size_t number = next_number(text, at + word.size(), length);
      if (number != std::string::npos && text.compare(number, length, from) == 0) numbers.push_back(number);
    }
  std::sort(numbers.begin(), numbers.end());
  numbers.erase(std::unique(numbers.begin(), numbers.end()), numbers.end());
  for (auto it = numbers.rbegin(); it != numbers.rend(); ++it)
    line.replace(*it, from.size(), to);
  return !numbers.empty();
}

// One reference: how to make it name the new vnum and how to take that back.
struct TEdit {
  std::function<void()> apply, revert;
};

class TObjectRenumbering : public TChange {
 public:
  void Add(TArea* area, uint32_t scope, TEdit edit) {
    AddTouch(area, scope);
    edits_.push_back(std::move(edit));
  }
  bool empty() const { return edits_.empty(); }
  void Apply() override {
    for (auto& edit : edits_)
      edit.apply();
  }
  void Revert() override {
    for (auto it = edits_.rbegin(); it != edits_.rend(); ++it)
      it->revert();
  }

 private:
  std::vector<TEdit> edits_;
};

// Walks every reference to an object vnum in the world. Door keys are given by room and direction and
// programs by list and position: those parts are made afresh when an edit swaps their owner's contents,
// while the rooms and program lists themselves stay.
struct TReferenceWalk {
  std::function<void(TArea&, TAreaReset&, int32_t TAreaReset::*)> reset;
  std::function<void(TArea&, TAreaRoom&, size_t)> door;
  std::function<void(TArea&, uint32_t, TWorldProgs&, size_t)> program;

  void Walk(const TWorld& world, int32_t vnum) const {
    for (const auto& area : world.Areas->Items) {
      for (const auto& r : area->Resets->Items)
        for (int32_t TAreaReset::*arg : args_naming_objects(*r))
          if ((*r).*arg == vnum) reset(*area, *r, arg);
      for (const auto& room : area->Rooms->Items) {
        for (size_t d = 0; d < room->Doors.size(); ++d)
          if (room->Doors[d] && room->Doors[d]->Key == vnum) door(*area, *room, d);
        Programs(*area, kRoomsChanged, *room->Progs, vnum);
      }
      for (const auto& object : area->Objects->Items)
        Programs(*area, kObjectsChanged, *object->Progs, vnum);
      for (const auto& mobile : area->Mobiles->Items)
        Programs(*area, kMobilesChanged, *mobile->Progs, vnum);
    }
  }

 private:
  static std::vector<int32_t TAreaReset::*> args_naming_objects(const TAreaReset& r) {
    switch (r.Command) {
      case 'O':
      case 'G':
      case 'E':
        return {&TAreaReset::Arg1};
      case 'P':
        return {&TAreaReset::Arg1, &TAreaReset::Arg3};
      default:
        return {};
    }
  }
  void Programs(TArea& area, uint32_t scope, TWorldProgs& progs, int32_t vnum) const {
    const std::string from = std::to_string(vnum);
    for (size_t i = 0; i < progs.Items.size(); ++i)
      if (progs.Items[i]->Body.find(from) != std::string::npos) program(area, scope, progs, i);
  }
};

}  // namespace

std::string RenumberObjectInProgram(std::string_view body, int32_t from, int32_t to, int* lines) {
  const std::string from_text = std::to_string(from), to_text = std::to_string(to);
  std::string result;
  result.reserve(body.size());
  int changed = 0;
  size_t start = 0;
  while (start <= body.size()) {
    const size_t end = std::min(body.find('\n', start), body.size());
    std::string line(body.substr(start, end - start));
    if (renumber_line(line, from_text, to_text)) ++changed;
    result += line;
    if (end < body.size()) result += '\n';
    start = end + 1;
  }
  if (lines) *lines = changed;
  return result;
}

TObjectReferences FindObjectReferences(const TWorld& world, int32_t vnum) {
  TObjectReferences found;
  TReferenceWalk walk;
  walk.reset = [&](TArea&, TAreaReset&, int32_t TAreaReset::*) { ++found.Resets; };
  walk.door = [&](TArea&, TAreaRoom&, size_t) { ++found.DoorKeys; };
  walk.program = [&](TArea&, uint32_t, TWorldProgs& progs, size_t i) {
    int lines = 0;
    RenumberObjectInProgram(progs.Items[i]->Body, vnum, vnum, &lines);
    found.ProgramLines += lines;
  };
  walk.Walk(world, vnum);
  return found;
}

std::unique_ptr<TChange> RenumberObjectReferences(TWorld& world, int32_t from, int32_t to) {
  auto change = std::make_unique<TObjectRenumbering>();
  TReferenceWalk walk;
  walk.reset = [&](TArea& area, TAreaReset& r, int32_t TAreaReset::*arg) {
    TAreaReset* at = &r;
    change->Add(&area, kResetsChanged,
                {[at, arg, to] { at->*arg = to; }, [at, arg, from] { at->*arg = from; }});
  };
  walk.door = [&](TArea& area, TAreaRoom& room, size_t d) {
    TAreaRoom* at = &room;
    change->Add(&area, kRoomsChanged,
                {[at, d, to] { at->Doors[d]->Key = to; }, [at, d, from] { at->Doors[d]->Key = from; }});
  };
  walk.program = [&](TArea& area, uint32_t scope, TWorldProgs& progs, size_t i) {
    std::string before = progs.Items[i]->Body;
    std::string after = RenumberObjectInProgram(before, from, to);
    if (after == before) return;
    TWorldProgs* list = &progs;
    change->Add(&area, scope,
                {[list, i, after] { list->Items[i]->Body = after; },
                 [list, i, before] { list->Items[i]->Body = before; }});
  };
  walk.Walk(world, from);
  if (change->empty()) return nullptr;
  change->Apply();
  return change;
}

}  // namespace tavro

#include "area/MobileEditing.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <functional>

#include "area/Area.h"
#include "area/Changes.h"
#include "area/Header.h"
#include "area/Mobiles.h"
#include "area/Objects.h"
#include "area/Programs.h"
#include "area/Resets.h"
#include "area/Rooms.h"
#include "world/Areas.h"
#include "world/World.h"

namespace tavro {

namespace {

constexpr std::array<std::string_view, 4> kMobileWords = {"mpmload", "mobinarea", "mobinroom", "mobinworld"};

bool word_char(char ch) {
  const auto byte = static_cast<unsigned char>(ch);
  return std::isalnum(byte) != 0 || ch == '_' || ch == '$' || byte >= 0x80;
}

bool is_number(std::string_view token) {
  return std::all_of(token.begin(), token.end(),
                     [](char ch) { return std::isdigit(static_cast<unsigned char>(ch)); });
}

bool is_mobile_word(std::string_view token) {
  std::string lower(token);
  for (char& ch : lower)
    ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
  return std::find(kMobileWords.begin(), kMobileWords.end(), lower) != kMobileWords.end();
}

// Token by token: a number standing alone right after a mobile word ("mpmload 5000", "mobinroom(5000)")
// is the vnum; "$n1" or "room5000" are words of their own.
bool retarget_line(std::string& line, const std::string& from, const std::string& to) {
  bool after_word = false, changed = false;
  size_t at = 0;
  while (at < line.size()) {
    if (!word_char(line[at])) {
      ++at;
      continue;
    }
    size_t end = at;
    while (end < line.size() && word_char(line[end]))
      ++end;
    const std::string_view token(line.data() + at, end - at);
    if (is_number(token)) {
      if (after_word && token == from) {
        line.replace(at, from.size(), to);
        end = at + to.size();
        changed = true;
      }
      after_word = false;
    } else {
      after_word = is_mobile_word(token);
    }
    at = end;
  }
  return changed;
}

// One number or text of the world set to a new value. The place is found afresh each time: programs
// are made anew whenever their owner's contents are swapped, while the lists holding them stay.
template <class V>
class TValueChange : public TChange {
 public:
  TValueChange(std::function<V&()> where, V after)
      : where_(std::move(where)), before_(where_()), after_(after) {
    Apply();
  }
  void Apply() override { where_() = after_; }
  void Revert() override { where_() = before_; }

 private:
  std::function<V&()> where_;
  V before_, after_;
};

// The areas whose records may name a vnum: the world's, and area itself when it is not among them.
std::vector<TArea*> areas_around(const TArea& area) {
  std::vector<TArea*> areas;
  if (const TWorld* world = area.world())
    for (const auto& item : world->Areas->Items)
      areas.push_back(item.get());
  if (std::find(areas.begin(), areas.end(), &area) == areas.end()) areas.push_back(const_cast<TArea*>(&area));
  return areas;
}

struct TReferenceVisitor {
  std::function<void(TArea&, TAreaReset&)> reset;
  std::function<void(TArea&, uint32_t scope, TWorldProgs&, size_t index)> program;
};

void visit_programs(TArea& area, uint32_t scope, TWorldProgs& progs, const std::string& vnum,
                    const TReferenceVisitor& visit) {
  for (size_t i = 0; i < progs.Items.size(); ++i)
    if (progs.Items[i]->Body.find(vnum) != std::string::npos) visit.program(area, scope, progs, i);
}

void visit_references(TArea& area, int32_t vnum, const TReferenceVisitor& visit) {
  const std::string text = std::to_string(vnum);
  for (const auto& reset : area.Resets->Items)
    if (reset->Command == 'M' && reset->Arg1 == vnum) visit.reset(area, *reset);
  for (const auto& mobile : area.Mobiles->Items)
    visit_programs(area, kMobilesChanged, *mobile->Progs, text, visit);
  for (const auto& object : area.Objects->Items)
    visit_programs(area, kObjectsChanged, *object->Progs, text, visit);
  for (const auto& room : area.Rooms->Items)
    visit_programs(area, kRoomsChanged, *room->Progs, text, visit);
}

std::string counted(int32_t count, const char* one, const char* many) {
  return std::to_string(count) + " " + (count == 1 ? one : many);
}

}  // namespace

std::array<int32_t, 7> RandomStats(std::mt19937& random) {
  std::uniform_int_distribution<int32_t> draw(kRandomStatLow, kRandomStatHigh);
  std::array<int32_t, 7> stats{};
  for (int32_t& stat : stats)
    stat = draw(random);
  return stats;
}

std::string RenumberMobileInProgram(std::string_view body, int32_t from, int32_t to, int* lines) {
  const std::string from_text = std::to_string(from), to_text = std::to_string(to);
  std::string result;
  result.reserve(body.size());
  int changed = 0;
  for (size_t start = 0; start <= body.size();) {
    const size_t end = std::min(body.find('\n', start), body.size());
    std::string line(body.substr(start, end - start));
    if (retarget_line(line, from_text, to_text)) ++changed;
    result += line;
    if (end < body.size()) result += '\n';
    start = end + 1;
  }
  if (lines != nullptr) *lines = changed;
  return result;
}

std::vector<TMobileReferences> CountMobileReferences(const TArea& area, int32_t vnum) {
  std::vector<TMobileReferences> found;
  for (TArea* each : areas_around(area)) {
    TMobileReferences count{each};
    TReferenceVisitor visit;
    visit.reset = [&](TArea&, TAreaReset&) { ++count.Resets; };
    visit.program = [&](TArea&, uint32_t, TWorldProgs& progs, size_t i) {
      int lines = 0;
      RenumberMobileInProgram(progs.Items[i]->Body, vnum, vnum, &lines);
      count.ProgramLines += lines;
    };
    visit_references(*each, vnum, visit);
    if (count.total() > 0) found.push_back(count);
  }
  return found;
}

std::string MobileRenumberQuestion(const std::vector<TMobileReferences>& references, int32_t from,
                                   int32_t to) {
  if (references.empty()) return {};
  TMobileReferences all;
  std::string where;
  for (const TMobileReferences& count : references) {
    all.Resets += count.Resets;
    all.ProgramLines += count.ProgramLines;
    where += (where.empty() ? "" : ", ") + std::to_string(count.total()) + " in \"" +
             count.Area->Header->Name + "\" (" + count.Area->Header->FileName + ")";
  }
  std::string kinds;
  if (all.Resets > 0) kinds = counted(all.Resets, "reset", "resets");
  if (all.ProgramLines > 0)
    kinds += (kinds.empty() ? "" : " and ") + counted(all.ProgramLines, "program line", "program lines");
  const std::string old_vnum = std::to_string(from), new_vnum = std::to_string(to);
  const bool one = all.total() == 1;
  return "Mobile " + old_vnum + " becomes mobile " + new_vnum + ".\r\n" + kinds + (one ? " names" : " name") +
         " mobile " + old_vnum + ": " + where + ".\r\n\r\nMake " + (one ? "it" : "them") + " name mobile " +
         new_vnum + "?\r\nNo leaves " + (one ? "it" : "them") + " naming " + old_vnum +
         ", where no mobile will be.";
}

std::unique_ptr<TChange> RetargetMobileReferences(TArea& area, int32_t from, int32_t to) {
  auto group = std::make_unique<TChangeGroup>();
  TReferenceVisitor visit;
  visit.reset = [&](TArea& where, TAreaReset& reset) {
    TAreaReset* at = &reset;
    auto change = std::make_unique<TValueChange<int32_t>>([at]() -> int32_t& { return at->Arg1; }, to);
    change->AddTouch(&where, kResetsChanged);
    group->Add(std::move(change));
  };
  visit.program = [&](TArea& where, uint32_t scope, TWorldProgs& progs, size_t i) {
    std::string body = RenumberMobileInProgram(progs.Items[i]->Body, from, to);
    if (body == progs.Items[i]->Body) return;
    TWorldProgs* list = &progs;
    auto change = std::make_unique<TValueChange<std::string>>(
        [list, i]() -> std::string& { return list->Items[i]->Body; }, body);
    change->AddTouch(&where, scope);
    group->Add(std::move(change));
  };
  for (TArea* each : areas_around(area))
    visit_references(*each, from, visit);
  if (group->empty()) return nullptr;
  return group;
}

}  // namespace tavro

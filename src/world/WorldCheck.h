#pragma once
// The world check: problems that no single area file shows and that a builder wants to know before the
// server (or a player falling through the world) finds them. Each check is a small function over an
// index of the loaded world; check_world runs them all.
#include <algorithm>
#include <array>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

#include "world/WorldRecord.h"

namespace tavro {

class TAreas;
class TAreaRoom;
class TAreaObject;
class TAreaMobile;
class TWorld;

// Errors break the world in the game; warnings are texts or settings a builder surely meant otherwise;
// notes may be intended.
enum class TSeverity { Error, Warning, Note };
// "error", "warning", "note".
const char* severity_name(TSeverity severity);

struct TWorldProblem {
  TSeverity Severity = TSeverity::Error;
  TRecordRef Record;
  std::string Message;  // one line, Windows-1251

  bool operator==(const TWorldProblem&) const = default;
};
using TWorldProblems = std::vector<TWorldProblem>;

// Records by vnum, the first of each vnum kept. Areas number their records in blocks, so the vnums mostly
// lie close together: then the table is a plain array over their range, which a walk over every exit of a
// large world looks up several times faster than a hash map; scattered vnums go to a hash map.
template <class T>
class TVnumTable {
 public:
  using Entries = std::vector<std::pair<int32_t, const T*>>;

  explicit TVnumTable(const Entries& entries) {
    if (entries.empty()) return;
    const auto [low, high] = std::minmax_element(entries.begin(), entries.end());
    low_ = low->first;
    const int64_t range = int64_t(high->first) - low_ + 1;
    if (range <= 8 * int64_t(entries.size()) + 65536) {
      dense_.assign(size_t(range), nullptr);
      for (auto it = entries.rbegin(); it != entries.rend(); ++it)
        dense_[size_t(it->first - low_)] = it->second;
    } else {
      for (const auto& [vnum, record] : entries)
        sparse_.try_emplace(vnum, record);
    }
  }

  const T* find(int32_t vnum) const {
    if (sparse_.empty()) {
      const uint64_t offset = uint64_t(int64_t(vnum) - low_);
      return offset < dense_.size() ? dense_[offset] : nullptr;
    }
    const auto it = sparse_.find(vnum);
    return it == sparse_.end() ? nullptr : it->second;
  }

 private:
  int64_t low_ = 0;
  std::vector<const T*> dense_;
  std::unordered_map<int32_t, const T*> sparse_;
};

// What the checks look up across areas, gathered in one pass over the world.
class TWorldIndex {
 public:
  explicit TWorldIndex(const TAreas& areas);

  const TAreas& Areas;
  const TWorld* World;  // for the item types; null for areas outside a world

  // The first record with the vnum in area order, as the server and TAreas::find_room take it.
  const TAreaRoom* room(int32_t vnum) const { return rooms_.find(vnum); }
  const TAreaObject* object(int32_t vnum) const { return objects_.find(vnum); }
  const TAreaMobile* mobile(int32_t vnum) const { return mobiles_.find(vnum); }
  // Whether some reset of some area loads the object (M for mobiles; O, G, E, P for objects).
  bool loads_object(int32_t vnum) const { return loaded_objects_.count(vnum) != 0; }
  bool loads_mobile(int32_t vnum) const { return loaded_mobiles_.count(vnum) != 0; }
  // Whether the object's item type is one of the names; true without a world to tell.
  bool is_item_type(const TAreaObject& object, std::initializer_list<std::string_view> names) const;

 private:
  TVnumTable<TAreaRoom> rooms_;
  TVnumTable<TAreaObject> objects_;
  TVnumTable<TAreaMobile> mobiles_;
  std::unordered_set<int32_t> loaded_objects_;
  std::unordered_set<int32_t> loaded_mobiles_;
};

// The checks. Each appends what it finds, area by area in list order.
// Errors: exits and teleports to a vnum that no loaded room has.
void check_exit_targets(const TWorldIndex& index, TWorldProblems& problems);
// Notes: exits into another area whose target room has no exit back.
void check_exits_back(const TWorldIndex& index, TWorldProblems& problems);
// Errors: resets naming a room, mobile or object that no loaded area has, putting into an object that is
// not a container, giving or equipping with no mobile loaded before, closing an exit that is not a door.
void check_reset_targets(const TWorldIndex& index, TWorldProblems& problems);
// Errors: a room, object or mobile vnum that an earlier area (or record) has already.
void check_duplicate_vnums(const TWorldIndex& index, TWorldProblems& problems);
// Errors: shops and repair shops without a keeper among their area's mobiles; warnings: keepers that no
// reset loads, so the shop never opens.
void check_shop_keepers(const TWorldIndex& index, TWorldProblems& problems);
// Errors: doors whose key object does not exist; warnings: keys that are not of the key type.
void check_door_keys(const TWorldIndex& index, TWorldProblems& problems);
// Warnings: rooms without a name or a description.
void check_room_texts(const TWorldIndex& index, TWorldProblems& problems);
// Notes: objects and mobiles that no reset loads.
void check_unloaded_records(const TWorldIndex& index, TWorldProblems& problems);

// Every check over the loaded areas; the problems sorted by area (in list order), vnum, record kind,
// position and severity, in the order the checks found them otherwise.
TWorldProblems check_world(const TAreas& areas);

// How many problems there are of each severity, in the order of TSeverity.
std::array<size_t, 3> count_severities(const TWorldProblems& problems);
// "2 errors, 1 warning, 0 notes".
std::string summarize_problems(const TWorldProblems& problems);

// One line: "town.are: error: room 3001: exit north leads to room 9999, which no loaded area has".
std::string format_problem(const TWorldProblem& problem);

}  // namespace tavro

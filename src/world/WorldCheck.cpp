#include "world/WorldCheck.h"

#include <algorithm>
#include <tuple>

#include "area/Area.h"
#include "area/Header.h"
#include "area/Mobiles.h"
#include "area/Objects.h"
#include "area/Resets.h"
#include "area/Rooms.h"
#include "area/Shops.h"
#include "world/Areas.h"
#include "world/World.h"

namespace tavro {

namespace {

const TArea* area_of(const TAreaRoom& room) {
  return room.Owner->Area;
}
const TArea* area_of(const TAreaObject& object) {
  return object.Owner->Area;
}
const TArea* area_of(const TAreaMobile& mobile) {
  return mobile.Owner->Area;
}

std::string vnum_text(int32_t vnum) {
  return std::to_string(vnum);
}

void add(TWorldProblems& problems, TSeverity severity, TRecordRef record, std::string message) {
  problems.push_back(TWorldProblem{severity, record, std::move(message)});
}

void add_room(TWorldProblems& problems, TSeverity severity, const TAreaRoom& room, std::string message) {
  add(problems, severity, TRecordRef{area_of(room), TRecordKind::Room, room.Vnum}, std::move(message));
}

std::string which_no_area_has(const char* kind, int32_t vnum) {
  return std::string(kind) + " " + vnum_text(vnum) + ", which no loaded area has";
}

bool is_blank(const std::string& text) {
  return std::all_of(text.begin(), text.end(),
                     [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; });
}

// Calls visit(room, door) for every exit of every room that leads somewhere.
template <class Visit>
void for_each_exit(const TAreas& areas, Visit visit) {
  for (const auto& area : areas.Items)
    for (const auto& room : area->Rooms->Items)
      for (const auto& door : room->Doors)
        if (door && door->ToVnum != 0) visit(*room, *door);
}

std::string exit_name(const TAreaDoor& door) {
  return std::string("exit ") + DirectionNames[static_cast<size_t>(door.Direction)];
}

}  // namespace

const char* severity_name(TSeverity severity) {
  switch (severity) {
    case TSeverity::Error:
      return "error";
    case TSeverity::Warning:
      return "warning";
    case TSeverity::Note:
      break;
  }
  return "note";
}

// ---- Index ------------------------------------------------------------------------------------------

namespace {

// Every record of one kind in the world, in area order, with its vnum.
template <class T, class List>
typename TVnumTable<T>::Entries vnum_entries(const TAreas& areas, List list) {
  typename TVnumTable<T>::Entries entries;
  for (const auto& area : areas.Items)
    for (const auto& record : list(*area).Items)
      entries.emplace_back(record->Vnum, record.get());
  return entries;
}

}  // namespace

TWorldIndex::TWorldIndex(const TAreas& areas)
    : Areas(areas),
      World(areas.World),
      rooms_(vnum_entries<TAreaRoom>(areas, [](const TArea& a) -> const TAreaRooms& { return *a.Rooms; })),
      objects_(
          vnum_entries<TAreaObject>(areas, [](const TArea& a) -> const TAreaObjects& { return *a.Objects; })),
      mobiles_(vnum_entries<TAreaMobile>(areas,
                                         [](const TArea& a) -> const TAreaMobiles& { return *a.Mobiles; })) {
  for (const auto& area : areas.Items) {
    for (const auto& reset : area->Resets->Items) {
      if (reset->Command == 'M') loaded_mobiles_.insert(reset->Arg1);
      if (reset->Command == 'O' || reset->Command == 'G' || reset->Command == 'E' || reset->Command == 'P')
        loaded_objects_.insert(reset->Arg1);
    }
  }
}

bool TWorldIndex::is_item_type(const TAreaObject& object,
                               std::initializer_list<std::string_view> names) const {
  return World == nullptr || World->item_type_is(object.ItemType, names);
}

// ---- Exits ------------------------------------------------------------------------------------------

void check_exit_targets(const TWorldIndex& index, TWorldProblems& problems) {
  for (const auto& area : index.Areas.Items) {
    for (const auto& room : area->Rooms->Items) {
      for (const auto& door : room->Doors)
        if (door && door->ToVnum != 0 && !index.room(door->ToVnum))
          add_room(problems, TSeverity::Error, *room,
                   exit_name(*door) + " leads to " + which_no_area_has("room", door->ToVnum));
      if (room->TeleDelay > 0 && room->TeleVnum != 0 && !index.room(room->TeleVnum))
        add_room(problems, TSeverity::Error, *room,
                 "teleports to " + which_no_area_has("room", room->TeleVnum));
    }
  }
}

void check_exits_back(const TWorldIndex& index, TWorldProblems& problems) {
  for_each_exit(index.Areas, [&](const TAreaRoom& room, const TAreaDoor& door) {
    const TAreaRoom* target = index.room(door.ToVnum);
    if (!target || area_of(*target) == area_of(room)) return;
    const bool back = std::any_of(target->Doors.begin(), target->Doors.end(),
                                  [&](const auto& other) { return other && other->ToVnum == room.Vnum; });
    if (!back)
      add_room(problems, TSeverity::Note, room,
               exit_name(door) + " leads to room " + vnum_text(door.ToVnum) + " of " +
                   area_file_label(*area_of(*target)) + ", which has no exit back");
  });
}

// ---- Resets -----------------------------------------------------------------------------------------

namespace {

// The reset as its line in the file reads: "'M 0 3050 1 3001'".
std::string reset_text(const TAreaReset& reset) {
  std::string text = "'";
  text += reset.Command;
  for (int32_t number : {reset.Extra, reset.Arg1, reset.Arg2})
    text += " " + vnum_text(number);
  if (reset.HasArg3()) text += " " + vnum_text(reset.Arg3);
  return text + "'";
}

// Walks an area's resets in order, keeping what the server keeps between them: the room acted on, whether a
// mobile was loaded, and the object of the last 'O' (the container of a 'P' that names none).
class TResetWalk {
 public:
  TResetWalk(const TWorldIndex& index, const TArea& area, TWorldProblems& problems)
      : index_(index), area_(area), problems_(problems) {}

  void Visit(const TAreaReset& reset, int32_t position) {
    reset_ = &reset;
    position_ = position;
    switch (reset.Command) {
      case 'M':
        room_ = reset.Arg3;
        have_mobile_ = true;
        NeedRoom(reset.Arg3);
        NeedRecord("mobile", reset.Arg1, index_.mobile(reset.Arg1) != nullptr);
        break;
      case 'O':
        room_ = reset.Arg3;
        last_object_ = reset.Arg1;
        NeedRoom(reset.Arg3);
        NeedObject(reset.Arg1);
        break;
      case 'G':
      case 'E':
        NeedObject(reset.Arg1);
        if (!have_mobile_) Report("comes before any 'M' reset, so no mobile takes the object");
        break;
      case 'P':
        NeedObject(reset.Arg1);
        NeedContainer(reset.Arg3 > 0 ? reset.Arg3 : last_object_);
        break;
      case 'D':
        room_ = reset.Arg1;
        if (NeedRoom(reset.Arg1)) NeedDoor(*index_.room(reset.Arg1), reset.Arg2);
        break;
      case 'R':
        room_ = reset.Arg1;
        NeedRoom(reset.Arg1);
        break;
      default:
        break;
    }
  }

 private:
  void Report(const std::string& what) {
    add(problems_, TSeverity::Error, TRecordRef{&area_, TRecordKind::Reset, room_, position_},
        reset_text(*reset_) + " " + what);
  }
  bool NeedRecord(const char* kind, int32_t vnum, bool found) {
    if (!found) Report("names " + which_no_area_has(kind, vnum));
    return found;
  }
  bool NeedRoom(int32_t vnum) { return NeedRecord("room", vnum, index_.room(vnum) != nullptr); }
  void NeedObject(int32_t vnum) { NeedRecord("object", vnum, index_.object(vnum) != nullptr); }
  void NeedContainer(int32_t vnum) {
    if (vnum == 0) return Report("comes before any 'O' reset and names no container");
    const TAreaObject* container = index_.object(vnum);
    if (!NeedRecord("container", vnum, container != nullptr)) return;
    if (!index_.is_item_type(
            *container, {"ITEM_CONTAINER", "ITEM_CORPSE", "ITEM_CORPSE_PC", "ITEM_KEYRING", "ITEM_QUIVER"}))
      Report("puts into object " + vnum_text(vnum) + ", which is not a container");
  }
  void NeedDoor(const TAreaRoom& room, int32_t direction) {
    const bool valid = is_valid_direction(direction);
    const TAreaDoor* door = valid ? room.Doors[static_cast<size_t>(direction)].get() : nullptr;
    const std::string exit =
        "exit " + (valid ? DirectionNames[static_cast<size_t>(direction)] : vnum_text(direction));
    if (!door)
      Report("sets " + exit + ", which room " + vnum_text(room.Vnum) + " does not have");
    else if (!door->IsDoor())
      Report("sets " + exit + " of room " + vnum_text(room.Vnum) + ", which is not a door");
  }

  const TWorldIndex& index_;
  const TArea& area_;
  TWorldProblems& problems_;
  const TAreaReset* reset_ = nullptr;
  int32_t position_ = 0;
  int32_t room_ = 0;
  int32_t last_object_ = 0;
  bool have_mobile_ = false;
};

}  // namespace

void check_reset_targets(const TWorldIndex& index, TWorldProblems& problems) {
  for (const auto& area : index.Areas.Items) {
    TResetWalk walk(index, *area, problems);
    const auto& resets = area->Resets->Items;
    for (size_t i = 0; i < resets.size(); ++i)
      walk.Visit(*resets[i], static_cast<int32_t>(i));
  }
}

// ---- Vnums, shops, keys, texts, loading -------------------------------------------------------------

namespace {

template <class Record, class First>
void report_duplicates(const std::vector<std::unique_ptr<Record>>& records, TRecordKind kind,
                       const char* noun, First first, TWorldProblems& problems) {
  for (const auto& record : records) {
    const Record* holder = first(record->Vnum);
    if (holder == record.get()) continue;
    add(problems, TSeverity::Error, TRecordRef{area_of(*record), kind, record->Vnum},
        "vnum " + vnum_text(record->Vnum) + " is also " + noun + " of " + area_file_label(*area_of(*holder)) +
            ", which the server takes");
  }
}

template <class Shop>
void check_keepers(const TWorldIndex& index, const TArea& area, const std::vector<Shop*>& shops,
                   TRecordKind kind, TWorldProblems& problems) {
  for (const Shop* shop : shops) {
    const TAreaMobile* keeper = shop->Keeper;
    const bool listed = keeper && keeper->Owner == area.Mobiles.get() && keeper->is_listed();
    const TRecordRef record{&area, kind, keeper ? keeper->Vnum : 0};
    if (!listed)
      add(problems, TSeverity::Error, record, "the keeper is not a mobile of this area");
    else if (!index.loads_mobile(keeper->Vnum))
      add(problems, TSeverity::Warning, record, "no reset loads the keeper, so it never opens");
  }
}

}  // namespace

void check_duplicate_vnums(const TWorldIndex& index, TWorldProblems& problems) {
  for (const auto& area : index.Areas.Items) {
    report_duplicates(
        area->Rooms->Items, TRecordKind::Room, "a room", [&](int32_t v) { return index.room(v); }, problems);
    report_duplicates(
        area->Objects->Items, TRecordKind::Object, "an object", [&](int32_t v) { return index.object(v); },
        problems);
    report_duplicates(
        area->Mobiles->Items, TRecordKind::Mobile, "a mobile", [&](int32_t v) { return index.mobile(v); },
        problems);
  }
}

void check_shop_keepers(const TWorldIndex& index, TWorldProblems& problems) {
  for (const auto& area : index.Areas.Items) {
    check_keepers(index, *area, area->Shops->Items, TRecordKind::Shop, problems);
    check_keepers(index, *area, area->RepairShops->Items, TRecordKind::RepairShop, problems);
  }
}

void check_door_keys(const TWorldIndex& index, TWorldProblems& problems) {
  for_each_exit(index.Areas, [&](const TAreaRoom& room, const TAreaDoor& door) {
    if (!door.IsDoor() || door.Key <= 0) return;
    const TAreaObject* key = index.object(door.Key);
    const std::string door_name = "door " + std::string(DirectionNames[static_cast<size_t>(door.Direction)]);
    if (!key)
      add_room(problems, TSeverity::Error, room,
               door_name + " opens with " + which_no_area_has("key", door.Key));
    else if (!index.is_item_type(*key, {"ITEM_KEY"}))
      add_room(problems, TSeverity::Warning, room,
               door_name + " opens with object " + vnum_text(door.Key) + ", which is not a key");
  });
}

void check_room_texts(const TWorldIndex& index, TWorldProblems& problems) {
  for (const auto& area : index.Areas.Items) {
    for (const auto& room : area->Rooms->Items) {
      if (is_blank(room->Name)) add_room(problems, TSeverity::Warning, *room, "the room has no name");
      if (is_blank(room->Description))
        add_room(problems, TSeverity::Warning, *room, "the room has no description");
    }
  }
}

void check_unloaded_records(const TWorldIndex& index, TWorldProblems& problems) {
  for (const auto& area : index.Areas.Items) {
    for (const auto& object : area->Objects->Items)
      if (!index.loads_object(object->Vnum))
        add(problems, TSeverity::Note, TRecordRef{area.get(), TRecordKind::Object, object->Vnum},
            "no reset loads the object");
    for (const auto& mobile : area->Mobiles->Items)
      if (!index.loads_mobile(mobile->Vnum))
        add(problems, TSeverity::Note, TRecordRef{area.get(), TRecordKind::Mobile, mobile->Vnum},
            "no reset loads the mobile");
  }
}

// ---- All of them ------------------------------------------------------------------------------------

TWorldProblems check_world(const TAreas& areas) {
  const TWorldIndex index(areas);
  TWorldProblems problems;
  for (auto check : {check_exit_targets, check_exits_back, check_reset_targets, check_duplicate_vnums,
                     check_shop_keepers, check_door_keys, check_room_texts, check_unloaded_records})
    check(index, problems);

  std::unordered_map<const TArea*, size_t> position;
  for (size_t i = 0; i < areas.Items.size(); ++i)
    position.emplace(areas.Items[i].get(), i);
  const auto key = [&](const TWorldProblem& p) {
    return std::make_tuple(position[p.Record.Area], p.Record.Vnum, p.Record.Kind, p.Record.Index, p.Severity);
  };
  std::stable_sort(problems.begin(), problems.end(),
                   [&](const TWorldProblem& a, const TWorldProblem& b) { return key(a) < key(b); });
  return problems;
}

std::array<size_t, 3> count_severities(const TWorldProblems& problems) {
  std::array<size_t, 3> counts{};
  for (const TWorldProblem& problem : problems)
    ++counts[static_cast<size_t>(problem.Severity)];
  return counts;
}

std::string summarize_problems(const TWorldProblems& problems) {
  const auto counts = count_severities(problems);
  std::string summary;
  for (size_t i = 0; i < counts.size(); ++i) {
    const char* noun = severity_name(static_cast<TSeverity>(i));
    summary += (i > 0 ? ", " : "") + std::to_string(counts[i]) + " " + noun + (counts[i] == 1 ? "" : "s");
  }
  return summary;
}

std::string format_problem(const TWorldProblem& problem) {
  return area_file_label(*problem.Record.Area) + ": " + severity_name(problem.Severity) + ": " +
         record_label(problem.Record) + ": " + problem.Message;
}

}  // namespace tavro

#include "area/Objects.h"

#include <algorithm>
#include <initializer_list>
#include <span>
#include <string_view>

#include "area/Area.h"
#include "area/Header.h"
#include "area/Programs.h"
#include "area/VnumSection.h"
#include "reading/AreaFile.h"
#include "reading/Cases.h"
#include "reading/Error.h"
#include "world/DamagesWeapons.h"
#include "world/Skills.h"
#include "world/World.h"

namespace tavro {

int32_t area_format_version(const TArea* area) {
  return area != nullptr && area->Header != nullptr ? area->Header->Version : 0;
}

TWorld* area_world(const TArea* area) {
  return area != nullptr ? area->world() : nullptr;
}

namespace {

// ---- World look-ups: every object value that is stored by name in the file goes through these.

bool skill_is_valid(const TWorld* world, int32_t index) {
  return world != nullptr && world->Skills != nullptr && world->Skills->IsValid(index);
}

std::string skill_name_of(const TWorld* world, int32_t index) {
  return world != nullptr && world->Skills != nullptr ? world->Skills->NameOf(index) : std::string("NONE");
}

int32_t skill_index_of_name(const TWorld* world, const std::string& name) {
  return world != nullptr && world->Skills != nullptr ? world->Skills->IndexOfName(name) : 0;
}

int32_t skill_index_of_slot(const TWorld* world, int32_t slot) {
  return world != nullptr && world->Skills != nullptr ? world->Skills->IndexOfSlot(slot) : 0;
}

int32_t weapon_count(const TWorld* world) {
  return world != nullptr && world->Weapons != nullptr ? static_cast<int32_t>(world->Weapons->Items.size())
                                                       : 0;
}

const TWorldWeapon* weapon_at(const TWorld* world, int32_t index) {
  if (index < 0 || index >= weapon_count(world)) return nullptr;
  return world->Weapons->Items[static_cast<size_t>(index)].get();
}

// Position of a weapon-type entry in the world's list; 0 for none or a stranger.
int32_t weapon_index(const TWorld* world, const TWorldWeapon* weapon) {
  for (int32_t i = 0; i < weapon_count(world); ++i)
    if (world->Weapons->Items[static_cast<size_t>(i)].get() == weapon) return i;
  return 0;
}

// The first weapon type with exactly this name, or -1.
int32_t weapon_position_of_name(const TWorld* world, const std::string& name) {
  for (int32_t i = 0; i < weapon_count(world); ++i)
    if (world->Weapons->Items[static_cast<size_t>(i)]->Name == name) return i;
  return -1;
}

std::string weapon_name(const TWorldWeapon* weapon) {
  return weapon != nullptr ? weapon->Name : std::string();
}

// A constant list upper-cased once, for look-ups without regard to letter case.
class TUpperList {
 public:
  explicit TUpperList(const TStringList* list) {
    if (list == nullptr) return;
    upper_.reserve(list->size());
    for (const auto& entry : *list)
      upper_.push_back(to_upper(entry));
  }
  // Position of the first entry equal to name without regard to case, or -1.
  int32_t index_of(std::string_view name) const {
    std::string key = to_upper(name);
    for (size_t i = 0; i < upper_.size(); ++i)
      if (upper_[i] == key) return static_cast<int32_t>(i);
    return -1;
  }

 private:
  std::vector<std::string> upper_;
};

const TStringList* list_or_null(const TWorld* world, TStringList TWorld::*list) {
  return world != nullptr ? &(world->*list) : nullptr;
}

// Positions of a group of names in a constant list (names missing from it match nothing).
class TPositionGroup {
 public:
  TPositionGroup(const TUpperList& list, std::initializer_list<const char*> names) {
    for (const char* name : names) {
      int32_t index = list.index_of(name);
      if (index >= 0) positions_.push_back(index);
    }
  }
  bool contains(int32_t position) const {
    return std::find(positions_.begin(), positions_.end(), position) != positions_.end();
  }

 private:
  std::vector<int32_t> positions_;
};

std::string quoted_value_message(const char* what, const std::string& name) {
  return std::string(what) + " \"" + name + "\"!";
}

}  // namespace

TVegetableLines& TVegetableLines::operator=(const TVegetableLines& source) {
  if (this != &source) Lines = source.Lines ? std::make_unique<TLines>(*source.Lines) : nullptr;
  return *this;
}

const std::string& TVegetableLines::operator[](size_t index) const {
  static const std::string kEmpty;
  return Lines ? Lines->at(index) : kEmpty;
}

std::string& TVegetableLines::operator[](size_t index) {
  if (!Lines) Lines = std::make_unique<TLines>();
  return Lines->at(index);
}

bool TVegetableLines::operator==(const TVegetableLines& other) const {
  for (size_t i = 0; i < static_cast<size_t>(MaxVegetables); ++i)
    if ((*this)[i] != other[i]) return false;
  return true;
}

// Everything a record needs from its area and world, looked up once per section.
struct TObjectContext {
  explicit TObjectContext(const TArea* area)
      : Version(area_format_version(area)),
        World(area_world(area)),
        ItemTypes(list_or_null(World, &TWorld::ItemTypes)),
        NativeItemTypes(list_or_null(World, &TWorld::ItemTypesNative)),
        ApplyTypes(list_or_null(World, &TWorld::ApplyTypes)),
        WeaponLike(ItemTypes, {"ITEM_WEAPON", "ITEM_FIREWEAPON", "ITEM_MISSILE", "ITEM_PROJECTILE",
                               "ITEM_MISSILE_WEAPON"}),
        WeaponIndexed(ItemTypes, {"ITEM_WEAPON", "ITEM_FIREWEAPON", "ITEM_MISSILE"}),
        Projectile(ItemTypes, {"ITEM_PROJECTILE"}),
        ThreeSpell(ItemTypes, {"ITEM_PILL", "ITEM_POTION", "ITEM_SCROLL"}),
        OneSpell(ItemTypes, {"ITEM_STAFF", "ITEM_WAND"}),
        Salve(ItemTypes, {"ITEM_SALVE"}),
        SpellLocations(ApplyTypes, {"WEAPONSPELL", "WEARSPELL", "REMOVESPELL", "STRIPSN", "RECURRINGSPELL"}) {
  }

  // The values that hold spells (skill indexes) for an item type.
  std::span<const int32_t> spell_values(int32_t item_type) const {
    static constexpr int32_t three[] = {1, 2, 3}, one[] = {3}, salve[] = {4, 5};
    if (ThreeSpell.contains(item_type)) return three;
    if (OneSpell.contains(item_type)) return one;
    if (Salve.contains(item_type)) return salve;
    return {};
  }

  bool has_native_name(int32_t item_type) const {
    return World != nullptr && item_type >= 0 &&
           static_cast<size_t>(item_type) < World->ItemTypesNative.size();
  }

  // The name the file stores. A type the list does not name would be saved as an empty name that no
  // reader accepts, so it is refused here, before anything reaches the disk.
  std::string native_name(int32_t item_type) const {
    if (World == nullptr) return std::string();
    if (!has_native_name(item_type))
      throw Error("Item type " + std::to_string(item_type) + " is not in the item-type list");
    return World->ItemTypesNative[static_cast<size_t>(item_type)];
  }

  // The weapon-type name a projectile stores for value 6. No name reads back as 0, so a value that
  // names no entry (an older file may hold one) is refused as an unnamed item type is.
  std::string projectile_weapon_name(int32_t value) const {
    const TWorldWeapon* weapon = weapon_at(World, value);
    if (weapon == nullptr && value != 0)
      throw Error("Weapon type " + std::to_string(value) + " in value 6 is not in the weapon-type list");
    return weapon_name(weapon);
  }

  int32_t Version;
  const TWorld* World;
  TUpperList ItemTypes;
  TUpperList NativeItemTypes;
  TUpperList ApplyTypes;
  TPositionGroup WeaponLike, WeaponIndexed, Projectile, ThreeSpell, OneSpell, Salve, SpellLocations;
};

namespace {

// A weapon-type name as objects store it: empty for none; otherwise it must name an entry.
int32_t read_weapon_type_name(TAreaFile& f, const TObjectContext& c) {
  std::string name = fread_string(f);
  if (name.empty()) return -1;
  int32_t index = weapon_position_of_name(c.World, name);
  if (index < 0) throw Error(quoted_value_message("Bad WEAPON TYPE value", name));
  return index;
}

void read_affect(TAreaAffect& affect, TAreaFile& f, const TObjectContext& c) {
  affect.Location = fread_number(f);
  if (!c.SpellLocations.contains(affect.Location))
    affect.Modifier = fread_number(f);
  else if (c.Version < 6)
    affect.Modifier = skill_index_of_slot(c.World, fread_number(f));
  else
    affect.Modifier = skill_index_of_name(c.World, fread_word(f));
}

void write_affect(const TAreaAffect& affect, TAreaFile& f, const TObjectContext& c) {
  fwrite_text(f, "A\n");
  fwrite_number(f, affect.Location);
  fwrite_text(f, " ");
  if (c.SpellLocations.contains(affect.Location) && skill_is_valid(c.World, affect.Modifier)) {
    fwrite_text(f, "'");
    fwrite_text(f, skill_name_of(c.World, affect.Modifier));
    fwrite_text(f, "'");
  } else {
    fwrite_number(f, affect.Modifier);
  }
  fwrite_eol(f);
}

}  // namespace

// ---- Extra descriptions

void TAreaExtraDesc::Read(TAreaFile& f) {
  Keyword = fread_string(f);
  Description = fread_string(f);
}

void TAreaExtraDesc::Write(TAreaFile& f) const {
  fwrite_text(f, "E\n");
  fwrite_string(f, Keyword);
  fwrite_eol(f);
  fwrite_string(f, Description);
  fwrite_eol(f);
}

void TAreaExtraDesc::Assign(const TAreaExtraDesc& source) {
  *this = source;
}

TAreaExtraDesc& TAreaExtraDescs::Add() {
  return *Items.emplace_back(std::make_unique<TAreaExtraDesc>());
}

void TAreaExtraDescs::Write(TAreaFile& f) const {
  for (const auto& desc : Items)
    desc->Write(f);
}

void TAreaExtraDescs::Assign(const TAreaExtraDescs& source) {
  if (&source == this) return;
  Clear();
  for (const auto& desc : source.Items)
    Add().Assign(*desc);
}

// ---- Affects

void TAreaAffect::Read(TAreaFile& f) {
  read_affect(*this, f, TObjectContext(Owner->Area));
}

void TAreaAffect::Write(TAreaFile& f) const {
  write_affect(*this, f, TObjectContext(Owner->Area));
}

void TAreaAffect::Assign(const TAreaAffect& source) {
  TAreaAffectData::operator=(source);
}

bool TAreaAffect::IsSpellLocation() const {
  return TObjectContext(Owner->Area).SpellLocations.contains(Location);
}

TAreaAffect& TAreaAffects::Add() {
  return *Items.emplace_back(std::make_unique<TAreaAffect>(this));
}

void TAreaAffects::Write(TAreaFile& f) const {
  TObjectContext context(Area);
  for (const auto& affect : Items)
    write_affect(*affect, f, context);
}

void TAreaAffects::Assign(const TAreaAffects& source) {
  if (&source == this) return;
  Clear();
  for (const auto& affect : source.Items)
    Add().Assign(*affect);
}

// ---- Objects

namespace {
TArea* owner_area(const TAreaObjects* owner) {
  return owner != nullptr ? owner->Area : nullptr;
}
}  // namespace

TAreaObject::TAreaObject(TAreaObjects* owner)
    : Progs(std::make_unique<TWorldProgs>(area_world(owner_area(owner)))),
      Affects(this, owner_area(owner), area_world(owner_area(owner))),
      Owner(owner) {}

TAreaObject::~TAreaObject() = default;

TArea* TAreaObject::area() const {
  return owner_area(Owner);
}

TWorld* TAreaObject::world() const {
  return area_world(area());
}

void TAreaObject::Read(TAreaFile& f) {
  ReadBody(f, TObjectContext(area()));
}

namespace {

std::string read_short_description(TAreaFile& f, int32_t version) {
  if (version >= 5) return fread_string(f);
  std::array<std::string, 6> forms;
  for (auto& form : forms)
    form = fread_padej(f);
  return encode_cases(forms);
}

void read_vegetables(TAreaObject& object, TAreaFile& f) {
  for (;;) {
    if (fread_letter(f) == '|') return;
    f.ungetc();
    if (object.VegetableCount >= MaxVegetables) throw Error("MAX_NUM_STATS in OBJECT");
    object.Vegetables[static_cast<size_t>(object.VegetableCount)] = fread_string(f);
    ++object.VegetableCount;
  }
}

}  // namespace

void TAreaObject::ReadBody(TAreaFile& f, const TObjectContext& c) {
  Name = fread_string(f);
  ShortDescription = read_short_description(f, c.Version);
  LongDescription = fread_string(f);
  Description = fread_string(f);

  int32_t projectile_weapon = 0;
  if (c.Version >= 7) {
    std::string type = fread_string(f);
    ItemType = c.NativeItemTypes.index_of(type);
    if (ItemType < 0) throw Error(quoted_value_message("Bad ITEM TYPE value", type));
    if (c.WeaponLike.contains(ItemType)) WeaponType = weapon_at(c.World, read_weapon_type_name(f, c));
    if (c.Projectile.contains(ItemType)) projectile_weapon = std::max(0, read_weapon_type_name(f, c));
  } else {
    ItemType = fread_number(f);
  }

  ExtraFlags = fread_bitvector(f);
  WearFlags = fread_flag(f);
  Layers = fread_number_eol(f);
  Values[0] = fread_number(f);
  for (size_t i = 1; i < Values.size(); ++i)
    Values[i] = fread_number_eol(f);
  if (c.Version >= 7) {
    if (c.WeaponIndexed.contains(ItemType)) Values[3] = weapon_index(c.World, WeaponType);
    if (c.Projectile.contains(ItemType)) Values[6] = projectile_weapon;
  }

  Weight = std::max(1, fread_number(f));
  for (int32_t* field : {&Cost, &Rent, &Level, &Condition, &MaxCondition, &RepairsCount})
    *field = fread_number_eol(f);
  fread_number_eol(f);  // a field the server no longer uses

  const std::span<const int32_t> spells = c.spell_values(ItemType);
  if (c.Version >= 1)
    for (int32_t value : spells)
      Values[static_cast<size_t>(value)] = skill_index_of_name(c.World, fread_word(f));

  ReadSubRecords(f, c);

  if (c.Version == 0)
    for (int32_t value : spells)
      Values[static_cast<size_t>(value)] = skill_index_of_slot(c.World, Values[static_cast<size_t>(value)]);
  // Older files keep a weapon's type only as its position in value 3: take the entry it names, so
  // that saving writes the name and a reload gives the same value.
  if (c.Version < 7 && c.WeaponIndexed.contains(ItemType)) WeaponType = weapon_at(c.World, Values[3]);
}

void TAreaObject::ReadSubRecords(TAreaFile& f, const TObjectContext& c) {
  for (;;) {
    switch (fread_letter(f)) {
      case '>':
        f.ungetc();
        Progs->Read(f);
        break;
      case 'A': {
        auto affect = std::make_unique<TAreaAffect>(&Affects);
        read_affect(*affect, f, c);
        Affects.Items.push_back(std::move(affect));
        break;
      }
      case 'E': {
        auto desc = std::make_unique<TAreaExtraDesc>();
        desc->Read(f);
        ExtraDescs.Items.push_back(std::move(desc));
        break;
      }
      case 'F':
        FurnitureFlags = fread_flag(f);
        for (auto& capacity : Capacity)
          capacity = fread_number(f);
        break;
      case 'S':
        with_prefix("load_object_stats:\r\n", [&] { read_vegetables(*this, f); });
        break;
      default:
        f.ungetc();  // the start of the next object
        return;
    }
  }
}

void TAreaObject::Write(TAreaFile& f) const {
  WriteBody(f, TObjectContext(area()));
}

void TAreaObject::WriteBody(TAreaFile& f, const TObjectContext& c) const {
  fwrite_text(f, "#");
  fwrite_number(f, Vnum);
  fwrite_eol(f);
  for (const std::string* text : {&Name, &ShortDescription, &LongDescription}) {
    fwrite_string(f, *text);
    fwrite_eol(f);
  }
  fwrite_long_string(f, Description);
  fwrite_eol(f);

  fwrite_string(f, c.native_name(ItemType));
  fwrite_text(f, " ");
  if (c.WeaponLike.contains(ItemType)) {
    fwrite_string(f, weapon_name(WeaponType));
    fwrite_text(f, " ");
  }
  if (c.Projectile.contains(ItemType)) {
    fwrite_string(f, c.projectile_weapon_name(Values[6]));
    fwrite_text(f, " ");
  }
  fwrite_bitvector(f, ExtraFlags);
  fwrite_text(f, " ");
  fwrite_flag(f, WearFlags);
  fwrite_text(f, " ");
  fwrite_number(f, Layers);
  fwrite_eol(f);

  WriteValues(f, c);
  for (int32_t number : {Weight, Cost, Rent, Level, Condition, MaxCondition, RepairsCount}) {
    fwrite_number(f, number);
    fwrite_text(f, " ");
  }
  fwrite_eol(f);
  WriteSpellNames(f, c);

  ExtraDescs.Write(f);
  for (const auto& affect : Affects.Items)
    write_affect(*affect, f, c);
  if (FurnitureFlags != 0) {
    fwrite_text(f, "F\n");
    fwrite_flag(f, FurnitureFlags);
    for (int32_t capacity : Capacity) {
      fwrite_text(f, " ");
      fwrite_number(f, capacity);
    }
    fwrite_eol(f);
  }
  if (VegetableCount > 0) {
    fwrite_text(f, "S\n");
    for (int32_t i = 0; i < VegetableCount && i < MaxVegetables; ++i) {
      const std::string& line = Vegetables[static_cast<size_t>(i)];
      // The reader takes a line whose first non-blank character is '|' for the end of the list.
      const size_t first = line.find_first_not_of(" \t\r\n");
      if (first != std::string::npos && line[first] == '|')
        throw Error("Vegetable line " + std::to_string(i + 1) + " starts with '|'");
      fwrite_string(f, line);
      fwrite_eol(f);
    }
    fwrite_text(f, "|\n");
  }
  Progs->Write(f);
  fwrite_eol(f);
}

// Spells that name a skill are written as -1 here and by name on the next line.
void TAreaObject::WriteValues(TAreaFile& f, const TObjectContext& c) const {
  std::array<int32_t, ObjectValueCount> values = Values;
  for (int32_t value : c.spell_values(ItemType))
    if (skill_is_valid(c.World, values[static_cast<size_t>(value)])) values[static_cast<size_t>(value)] = -1;
  size_t count = values[4] > 0 || values[5] > 0 ? 6 : 4;
  for (size_t i = 0; i < count; ++i) {
    if (i > 0) fwrite_text(f, " ");
    fwrite_number(f, values[i]);
  }
  fwrite_eol(f);
}

void TAreaObject::WriteSpellNames(TAreaFile& f, const TObjectContext& c) const {
  const std::span<const int32_t> spells = c.spell_values(ItemType);
  if (spells.empty()) return;
  bool first = true;
  for (int32_t value : spells) {
    fwrite_text(f, first ? "'" : " '");
    fwrite_text(f, skill_name_of(c.World, Values[static_cast<size_t>(value)]));
    fwrite_text(f, "'");
    first = false;
  }
  fwrite_eol(f);
}

void TAreaObject::Assign(const TAreaObject& source) {
  if (&source == this) return;
  TAreaObjectData::operator=(source);
  Affects.Assign(source.Affects);
  ExtraDescs.Assign(source.ExtraDescs);
  Progs->Assign(*source.Progs);
}

// ---- The object list

TAreaObjects::~TAreaObjects() = default;

void TAreaObjects::ReadSection(TAreaFile& f) {
  TObjectContext context(Area);
  read_vnum_section(f, "#OBJECTS", *this, [&](TAreaObject& object) { object.ReadBody(f, context); });
}

void TAreaObjects::WriteSection(TAreaFile& f) const {
  const TObjectContext context(Area);
  write_vnum_section(f, "#OBJECTS", *this, [&](const TAreaObject& object) { object.WriteBody(f, context); });
}

TAreaObject* TAreaObjects::FindByVnum(int32_t vnum) const {
  return find_by_vnum(*this, vnum);
}

int32_t TAreaObjects::NextFreeVnum() const {
  return next_free_vnum(*this);
}

TAreaObject& TAreaObjects::Add() {
  return *Items.emplace_back(std::make_unique<TAreaObject>(this));
}

}  // namespace tavro

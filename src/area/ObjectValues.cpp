#include "area/ObjectValues.h"

#include <charconv>
#include <optional>

#include "reading/BitVector.h"
#include "world/DamagesWeapons.h"
#include "world/Skills.h"
#include "world/TextLists.h"
#include "world/World.h"

namespace tavro {

namespace {

std::string_view trimmed(std::string_view text) {
  const size_t first = text.find_first_not_of(" \t\r\n");
  if (first == std::string_view::npos) return {};
  const size_t last = text.find_last_not_of(" \t\r\n");
  return text.substr(first, last - first + 1);
}

bool same_upper(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (std::toupper(static_cast<unsigned char>(a[i])) != std::toupper(static_cast<unsigned char>(b[i])))
      return false;
  return true;
}

ValuePicker picker_of(std::string_view kind) {
  if (same_upper(kind, "SPELL")) return ValuePicker::Spell;
  if (same_upper(kind, "WEAPONTYPE")) return ValuePicker::WeaponType;
  return ValuePicker::None;
}

// Takes the next field of a group: up to the next '|', or (when the rest has none) up to ')'. The field
// and its end mark leave rest.
std::string_view take_field(std::string_view& rest) {
  size_t end = rest.find('|');
  if (end == std::string_view::npos) end = rest.find(')');
  const std::string_view field = rest.substr(0, end);
  rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
  return field;
}

struct MalformedSpec {
  std::string reason;
};

// One group without its opening character, up to and including its ')'.
void read_group(std::string_view group, TValueRows& rows) {
  const size_t bar = group.find('|');
  if (bar == std::string_view::npos)
    throw MalformedSpec{"the group (" + std::string(group) + " has no '|' after its row number"};
  const std::string_view number = group.substr(0, bar);
  int32_t n = 0;
  const auto [end, ec] = std::from_chars(number.data(), number.data() + number.size(), n);
  if (ec != std::errc() || end != number.data() + number.size())
    throw MalformedSpec{"the group (" + std::string(group) + " has no row number before its '|'"};
  if (n < 0 || n >= ObjectValueCount)
    throw MalformedSpec{"the group (" + std::string(group) + " names row " + std::to_string(n) +
                        ", outside 0..6"};
  std::string_view rest = group.substr(bar + 1);
  // The group ends with its ')', so the label, kind and hint fields are always there to take.
  TValueRow row;
  row.Label = take_field(rest);
  row.Kind = take_field(rest);
  row.Picker = picker_of(row.Kind);
  row.Hint = rest.empty() ? std::string() : std::string(rest.substr(0, rest.size() - 1));
  rows.Rows[static_cast<size_t>(n)] = std::move(row);
}

}  // namespace

TValueRows DefaultValueRows() {
  TValueRows rows;
  for (int32_t n = 0; n < ObjectValueCount; ++n)
    rows.Rows[static_cast<size_t>(n)].Label = "Value " + std::to_string(n);
  return rows;
}

TValueRows ParseValueSpec(std::string_view spec) {
  spec = trimmed(spec);
  if (spec.empty()) return DefaultValueRows();
  TValueRows rows;
  try {
    while (!spec.empty()) {
      const size_t close = spec.find(')');
      if (close == std::string_view::npos)
        throw MalformedSpec{"the group " + std::string(spec) + " has no closing ')'"};
      read_group(spec.substr(1, close), rows);
      spec = spec.substr(close + 1);
    }
  } catch (const MalformedSpec& malformed) {
    rows = DefaultValueRows();
    rows.Error = malformed.reason;
  }
  return rows;
}

TValueRows ValueRowsOf(const TWorld& world, int32_t item_type) {
  if (item_type < 0 || item_type >= static_cast<int32_t>(world.ItemTypes.size())) return DefaultValueRows();
  const std::string& name = world.ItemTypes[static_cast<size_t>(item_type)];
  const int32_t line = index_of_name(world.ItemTypesValues, name);
  if (line < 0) return DefaultValueRows();
  TValueRows rows = ParseValueSpec(entry_value(world.ItemTypesValues[static_cast<size_t>(line)]));
  if (!rows.Error.empty())
    rows.Error = "The value list ItemTypesValues, line " + std::to_string(line + 1) + " (" + name +
                 "): " + rows.Error + "; the values are shown as Value 0 to Value 6.";
  return rows;
}

AffectKind LocationKind(const TWorld& world, int32_t location) {
  if (world.apply_type_is(location, {"AFFECT"})) return AffectKind::FlagBits;
  if (world.apply_type_is(location, {"RESISTANT", "IMMUNE", "SUSCEPTIBLE"}))
    return AffectKind::ResistanceBits;
  if (world.apply_type_is(location, {"WEAPONSPELL", "WEARSPELL", "REMOVESPELL", "STRIPSN", "RECURRINGSPELL"}))
    return AffectKind::Spell;
  return AffectKind::Number;
}

const std::vector<std::string>* AffectBitList(const TWorld& world, AffectKind kind) {
  if (kind == AffectKind::FlagBits) return &world.ApplyFlags;
  if (kind == AffectKind::ResistanceBits) return &world.RISFlags;
  return nullptr;
}

std::string AffectLocationName(const TWorld& world, int32_t location) {
  if (location >= 0 && location < static_cast<int32_t>(world.ApplyTypes.size()))
    return world.ApplyTypes[static_cast<size_t>(location)];
  return std::to_string(location);
}

std::string AffectValueText(const TWorld& world, const TAreaAffectData& affect) {
  const AffectKind kind = LocationKind(world, affect.Location);
  if (const auto* bits = AffectBitList(world, kind))
    return flags_to_names(*bits, static_cast<uint32_t>(affect.Modifier));
  if (kind == AffectKind::Spell) return world.Skills->NameOf(affect.Modifier);
  return std::to_string(affect.Modifier);
}

std::vector<TPickEntry> SpellEntries(const TWorld& world) {
  std::vector<TPickEntry> spells;
  const int32_t spell_type = index_of_text(world.SkillTypes, "SKILL_SPELL");
  if (spell_type < 0) return spells;
  const auto& skills = world.Skills->Items;
  for (size_t i = 0; i < skills.size(); ++i)
    if (skills[i]->SkillType == spell_type) spells.push_back({skills[i]->NameEng, static_cast<int32_t>(i)});
  return spells;
}

std::vector<TPickEntry> WeaponTypeEntries(const TWorld& world) {
  std::vector<TPickEntry> weapons;
  const auto& items = world.Weapons->Items;
  for (size_t i = 0; i < items.size(); ++i)
    weapons.push_back({items[i]->Name, static_cast<int32_t>(i)});
  return weapons;
}

int PickIndexOf(const std::vector<TPickEntry>& entries, int32_t value) {
  for (size_t i = 0; i < entries.size(); ++i)
    if (entries[i].Value == value) return static_cast<int>(i);
  return -1;
}

const TWorldWeapon* WeaponTypeFromValues(const TWorld& world, const TAreaObjectData& object) {
  if (!world.item_type_is(object.ItemType, {"ITEM_WEAPON", "ITEM_FIREWEAPON", "ITEM_MISSILE"}))
    return object.WeaponType;
  const int32_t value = object.Values[3];
  if (value < 0 || value >= world.Weapons->Count()) return object.WeaponType;
  return world.Weapons->Items[static_cast<size_t>(value)].get();
}

}  // namespace tavro

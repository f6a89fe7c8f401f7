#pragma once
// What the object editor shows beside an object's numbers, decided from the world's lists: the labels,
// pickers and hints of the seven values of an item type, the texts of affect modifiers, and the entries
// the spell and weapon-type pickers offer. The editors of objects, mobiles and resets share them.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "area/Objects.h"

namespace tavro {

class TWorld;

// The picker behind a value row's "..." button.
enum class ValuePicker { None = 0, Spell = 1, WeaponType = 2 };

struct TValueRow {
  std::string Label;  // empty: the row is hidden
  std::string Kind;   // as written; the button is offered exactly when it is not empty
  ValuePicker Picker = ValuePicker::None;
  std::string Hint;
  bool operator==(const TValueRow&) const = default;
};

struct TValueRows {
  std::array<TValueRow, ObjectValueCount> Rows;
  // Why the description could not be read (the default rows stand in for it); empty when it could.
  std::string Error;
};

// The seven rows "Value 0" to "Value 6", without pickers or hints.
TValueRows DefaultValueRows();
// Reads a description "(N|Label|Kind|Hint)(N|Label)...": rows it does not name are hidden. An empty
// description gives the default rows; a malformed one gives them too, with the reason in Error.
TValueRows ParseValueSpec(std::string_view spec);
// The rows of an item type: the description of ItemTypesValues whose name is the item type's name. A
// malformed one is reported with its line in the list.
TValueRows ValueRowsOf(const TWorld& world, int32_t item_type);

// How an affect's modifier is read and edited, by its location.
enum class AffectKind { FlagBits, ResistanceBits, Spell, Number };
AffectKind LocationKind(const TWorld& world, int32_t location);
// The flag list whose bits the modifier holds (ApplyFlags or RISFlags); null for the other kinds.
const std::vector<std::string>* AffectBitList(const TWorld& world, AffectKind kind);
// The location's entry of ApplyTypes, or its number when the list has no such entry.
std::string AffectLocationName(const TWorld& world, int32_t location);
// The modifier as the affects list shows it: flag names, the spell's name ("NONE" for no spell), or
// the number.
std::string AffectValueText(const TWorld& world, const TAreaAffectData& affect);

// An entry of a picker: the text shown and the number stored when it is chosen.
struct TPickEntry {
  std::string Text;
  int32_t Value = 0;
  bool operator==(const TPickEntry&) const = default;
};
// The skills of the spell type ("SKILL_SPELL" in SkillTypes), in skills-list order, each standing for
// its position in the skills list. None when SkillTypes has no spell type.
std::vector<TPickEntry> SpellEntries(const TWorld& world);
// The weapon types' names, each standing for its position.
std::vector<TPickEntry> WeaponTypeEntries(const TWorld& world);
// The entry standing for value; -1 when none does.
int PickIndexOf(const std::vector<TPickEntry>& entries, int32_t value);

// Value 3 of a weapon whose item type keeps a weapon type (weapon, fire weapon, missile) names the
// weapon type the file stores; the file rebuilds value 3 from it on loading. The weapon type that value
// 3 names when it names one; otherwise the object's weapon type as it is.
const TWorldWeapon* WeaponTypeFromValues(const TWorld& world, const TAreaObjectData& object);

}  // namespace tavro

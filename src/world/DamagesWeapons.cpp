#include "world/DamagesWeapons.h"

#include "reading/AreaFile.h"
#include "reading/Error.h"
#include "reading/Paths.h"
#include "world/KeyedRecords.h"
#include "world/Skills.h"
#include "world/World.h"

namespace tavro {

namespace {

// SKILL "name": the skill with that NameEng, exactly.
TWorldSkill* read_skill_reference(TAreaFile& f, const TWorld* world) {
  std::string name = fread_string(f);
  TWorldSkill* skill = world && world->Skills ? world->Skills->FindByName(name) : nullptr;
  if (!skill) throw Error("Skill '" + name + "' invalid");
  return skill;
}

template <class Items>
int32_t first_position_of_name(const Items& items, std::string_view name) {
  for (size_t i = 0; i < items.size(); ++i)
    if (items[i]->Name == name) return static_cast<int32_t>(i);
  return -1;
}

const TKeyFields<TWorldDamage>& damage_fields() {
  using D = TWorldDamage;
  static const TKeyFields<D> fields{.strings = {{"NAME", &D::Name}, {"DAMMSG", &D::DamMsg}},
                                    .words = {{"FUNC", &D::Func}},
                                    .numbers = {},
                                    .bools = {},
                                    .bitvectors = {}};
  return fields;
}

const TKeyFields<TWorldWeapon>& weapon_fields() {
  using W = TWorldWeapon;
  static const TKeyFields<W> fields{.strings = {{"NAME", &W::Name}, {"AMMOOUTMSG", &W::AmmoOutMsg}},
                                    .words = {},
                                    .numbers = {},
                                    .bools = {{"PRIMARYWEAPON", &W::PrimaryWeapon},
                                              {"SECONDARYWEAPON", &W::SecondaryWeapon},
                                              {"TWOHANDED", &W::TwoHanded}},
                                    .bitvectors = {}};
  return fields;
}

std::vector<std::string> read_messages(TAreaFile& f) {
  std::vector<std::string> messages;
  for (int i = 0; i < TWorldDamage::kMessageCount; ++i)
    messages.push_back(fread_string(f));
  return messages;
}

}  // namespace

bool TWorldDamage::read_special_key(TAreaFile& f, const std::string& key) {
  const TWorld* world = Owner ? Owner->World : nullptr;
  if (key == "BEHAVIOR") {
    Manual = to_upper(fread_word(f)) == "MANUAL";
  } else if (key == "RISFLAG") {
    std::string word = to_upper(fread_word(f));
    int32_t bit = world ? world->ris_flag_index(word) : -1;
    // A 32-bit set holds the first 32 entries only.
    if (bit < 0 || bit >= 32) throw Error("RISFlag '" + word + "' invalid");
    RisFlags |= 1u << bit;
  } else if (key == "SKILL") {
    Skill = read_skill_reference(f, world);
  } else if (key == "TARGET") {
    auto target = std::make_unique<TDamageTarget>(&Targets);
    target->Chance = fread_number(f);
    std::string part = fread_string(f);
    target->BodyPart = world ? world->body_part_name_index(part) : -1;
    Targets.Items.push_back(std::move(target));
  } else if (key == "PMESSAGES") {
    PMessages = read_messages(f);
  } else if (key == "SMESSAGES") {
    SMessages = read_messages(f);
  } else if (key == "VMESSAGES") {
    VMessages = read_messages(f);
  } else {
    return false;
  }
  return true;
}

void TWorldDamage::Read(TAreaFile& f) {
  with_prefix("Load Damage:\r\n", [&] {
    read_keyed_record(f, *this, damage_fields(),
                      [&](const std::string& key) { return read_special_key(f, key); });
  });
}

void TWorldDamages::Load(const std::string& file_name) {
  load_hash_record_file(*this, file_name, "Load Damages:\r\n", "DAMAGE",
                        [&] { return std::make_unique<TWorldDamage>(this); });
}

int32_t TWorldDamages::IndexOfName(std::string_view name) const {
  int32_t position = first_position_of_name(Items, name);
  return position < 0 ? 0 : position;
}

TWorldDamage* TWorldDamages::FindByName(std::string_view name) const {
  int32_t position = first_position_of_name(Items, name);
  return position < 0 ? nullptr : Items[static_cast<size_t>(position)].get();
}

bool TWorldWeapon::read_special_key(TAreaFile& f, const std::string& key) {
  const TWorld* world = Owner ? Owner->World : nullptr;
  if (key == "DAMAGETYPE") {
    auto share = std::make_unique<TWeaponDamage>(&Damages);
    share->Percent = fread_number(f);
    std::string name = fread_string(f);
    share->DamageType = world && world->Damages ? world->Damages->FindByName(name) : nullptr;
    if (!share->DamageType) throw Error("Damage '" + name + "' invalid");
    Damages.Items.push_back(std::move(share));
  } else if (key == "SKILL") {
    Skill = read_skill_reference(f, world);
  } else {
    return false;
  }
  return true;
}

void TWorldWeapon::Read(TAreaFile& f) {
  with_prefix("Load Weapon:\r\n", [&] {
    read_keyed_record(f, *this, weapon_fields(),
                      [&](const std::string& key) { return read_special_key(f, key); });
  });
}

void TWorldWeapons::Load(const std::string& file_name) {
  load_hash_record_file(*this, file_name, "Load Weapon Types:\r\n", "WEAPONTYPE",
                        [&] { return std::make_unique<TWorldWeapon>(this); });
}

int32_t TWorldWeapons::IndexOfName(std::string_view name) const {
  int32_t position = first_position_of_name(Items, name);
  return position < 0 ? 0 : position;
}

TWorldWeapon* TWorldWeapons::FindByName(std::string_view name) const {
  int32_t position = first_position_of_name(Items, name);
  return position < 0 ? nullptr : Items[static_cast<size_t>(position)].get();
}

}  // namespace tavro

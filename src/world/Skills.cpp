#include "world/Skills.h"

#include <bit>

#include "reading/AreaFile.h"
#include "reading/Error.h"
#include "reading/Paths.h"
#include "world/KeyedRecords.h"
#include "world/World.h"

namespace tavro {

void TWorldAffect::Read(TAreaFile& f, bool new_style) {
  with_prefix("Load Smaug Affect:\r\n", [&] {
    Duration = fread_word(f);
    Location = fread_number(f);
    Modifier = fread_word(f);
    int32_t bits = fread_number(f);
    if (new_style)
      BitVector = bits;
    else
      BitVector = bits == 0 ? -1 : std::countr_zero(static_cast<uint32_t>(bits));
  });
}

TWorldSkill::TWorldSkill(TWorldSkills* owner) : Affects(owner ? owner->World : nullptr), Owner(owner) {
  ClassLevel.fill(51);
  ClassAdept.fill(95);
  RaceLevel.fill(51);
  RaceAdept.fill(95);
}

TWorld* TWorldSkill::world() const {
  return Owner ? Owner->World : nullptr;
}

namespace {

const TKeyFields<TWorldSkill>& skill_fields() {
  using S = TWorldSkill;
  static const TKeyFields<S> fields{
      .strings = {{"COMPONENTS", &S::Components}, {"DAMMSG", &S::DamMsg},     {"DICE", &S::Dice},
                  {"DIECHAR", &S::DieChar},       {"DIEROOM", &S::DieRoom},   {"DIEVICT", &S::DieVict},
                  {"HITCHAR", &S::HitChar},       {"HITDEST", &S::HitDest},   {"HITROOM", &S::HitRoom},
                  {"HITVICT", &S::HitVict},       {"IMMCHAR", &S::ImmChar},   {"IMMROOM", &S::ImmRoom},
                  {"IMMVICT", &S::ImmVict},       {"MISSCHAR", &S::MissChar}, {"MISSROOM", &S::MissRoom},
                  {"MISSVICT", &S::MissVict},     {"NAME_ENG", &S::NameEng},  {"NAME", &S::Name},
                  {"TEACHERS", &S::Teachers},     {"WEAROFF", &S::WearOff}},
      .words = {{"CODE", &S::Code}},
      .numbers = {{"DIFFICULTY", &S::Difficulty},
                  {"GUILD", &S::Guild},
                  {"MANA", &S::Mana},
                  {"PARTICIPANTS", &S::Participants},
                  {"RANGE", &S::Range},
                  {"ROUNDS", &S::Rounds},
                  {"SAVES", &S::Saves},
                  {"SLOT", &S::Slot},
                  {"SSECTOR", &S::SSector},
                  {"TARGET", &S::Target},
                  {"VALUE", &S::Value}},
      .bools = {},
      .bitvectors = {}};
  return fields;
}

// TYPE words name the skill types of the SkillTypes list.
std::string_view skill_type_name(const std::string& word) {
  static const std::pair<std::string_view, std::string_view> kTypes[] = {
      {"RACE", "SKILL_RACIAL"},   {"SPELL", "SKILL_SPELL"},   {"SKILL", "SKILL_SKILL"},
      {"WEAPON", "SKILL_WEAPON"}, {"TONGUE", "SKILL_TONGUE"}, {"HERB", "SKILL_HERB"}};
  for (const auto& [type, name] : kTypes)
    if (word == type) return name;
  return "SKILL_UNKNOWN";
}

// A CLASS or RACE line: index, level, adept. The tables hold 20 entries; an index outside them is
// refused with a message rather than written past the table.
void read_table_line(TAreaFile& f, std::string_view key, std::array<int32_t, TWorldSkill::kTableSize>& levels,
                     std::array<int32_t, TWorldSkill::kTableSize>& adepts) {
  int32_t index = fread_number(f);
  int32_t level = fread_number(f);
  int32_t adept = fread_number(f);
  if (index < 0 || index >= TWorldSkill::kTableSize)
    throw Error(std::string(key) + " index " + std::to_string(index) + " out of range 0.." +
                std::to_string(TWorldSkill::kTableSize - 1));
  levels[static_cast<size_t>(index)] = level;
  adepts[static_cast<size_t>(index)] = adept;
}

}  // namespace

bool TWorldSkill::read_special_key(TAreaFile& f, const std::string& key, bool& new_style) {
  if (key == "AFFECT") {
    auto affect = std::make_unique<TWorldAffect>(&Affects);
    affect->Read(f, new_style);
    Affects.Items.push_back(std::move(affect));
  } else if (key == "CLASS") {
    read_table_line(f, key, ClassLevel, ClassAdept);
  } else if (key == "RACE") {
    read_table_line(f, key, RaceLevel, RaceAdept);
  } else if (key == "FLAGS") {
    Flags = fread_flag(f);
  } else if (key == "INFO") {
    Info = fread_number(f);
    new_style = true;
  } else if (key == "MINLEVEL") {
    fread_to_eol(f);
  } else if (key == "MINPOS") {
    MinPos = position_from_stored(fread_number(f));
  } else if (key == "TYPE") {
    std::string word = to_upper(fread_word(f));
    SkillType = world() ? world()->skill_type_index(skill_type_name(word)) : 0;
  } else {
    return false;
  }
  return true;
}

void TWorldSkill::Read(TAreaFile& f) {
  NameEng.clear();
  bool new_style = false;
  with_late_prefix([&] { return "Load Skill \"" + NameEng + "\":\r\n"; },
                   [&] {
                     read_keyed_record(f, *this, skill_fields(), [&](const std::string& key) {
                       return read_special_key(f, key, new_style);
                     });
                   });
}

void TWorldSkills::Load(const std::string& file_name) {
  load_hash_record_file(*this, file_name, "Load Skills:\r\n", "SKILL",
                        [&] { return std::make_unique<TWorldSkill>(this); });
}

bool TWorldSkills::IsValid(int32_t index) const {
  return index >= 0 && index < Count() && !Items[static_cast<size_t>(index)]->Name.empty();
}

int32_t TWorldSkills::IndexOfName(std::string_view name) const {
  for (size_t i = 0; i < Items.size(); ++i)
    if (Items[i]->NameEng == name) return static_cast<int32_t>(i);
  return 0;
}

std::string TWorldSkills::NameOf(int32_t index) const {
  if (!IsValid(index) || Items[static_cast<size_t>(index)]->NameEng.empty()) return "NONE";
  return Items[static_cast<size_t>(index)]->NameEng;
}

int32_t TWorldSkills::IndexOfSlot(int32_t slot) const {
  for (size_t i = 0; i < Items.size(); ++i)
    if (Items[i]->Slot == slot) return static_cast<int32_t>(i);
  return 0;
}

TWorldSkill* TWorldSkills::FindByName(std::string_view name) const {
  for (const auto& skill : Items)
    if (skill->NameEng == name) return skill.get();
  return nullptr;
}

}  // namespace tavro

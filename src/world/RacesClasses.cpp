#include "world/RacesClasses.h"

#include "reading/AreaFile.h"
#include "reading/Error.h"
#include "reading/Paths.h"
#include "world/KeyedRecords.h"
#include "world/World.h"

namespace tavro {

namespace {

// Reads the index file's words up to the one starting with '$'; each names a record file in the same
// folder, read by read_file. Failures leave the list empty and come out as "<head> (<file being read>):" + CR
// LF + message.
template <class List, class ReadFile>
void read_index_file(List& list, const std::string& index_file_name, std::string_view head,
                     ReadFile&& read_file) {
  list.Items.clear();
  std::string reading = index_file_name;
  try {
    with_late_prefix([&] { return std::string(head) + " (" + reading + "):\r\n"; },
                     [&] {
                       TAreaFile index;
                       index.load_file(resolve_path_case(index_file_name));
                       std::string folder = folder_part(index_file_name);
                       for (;;) {
                         reading = index_file_name;
                         std::string word = fread_word(index);
                         if (!word.empty() && word.front() == '$') break;
                         reading = join_path(folder, word);
                         TAreaFile record;
                         record.load_file(resolve_path_case(reading));
                         read_file(record);
                       }
                     });
  } catch (...) {
    list.Items.clear();  // a failed load leaves no half-read list behind
    throw;
  }
}

const TKeyFields<TWorldRace>& race_fields() {
  using R = TWorldRace;
  static const TKeyFields<R> fields{
      .strings = {{"NAME", &R::Name},
                  {"NAME_ENG", &R::NameEng},
                  {"SEX_MALE", &R::SexMale},
                  {"SEX_FEMALE", &R::SexFemale},
                  {"SEX_NEUTRAL", &R::SexNeutral},
                  {"ID", &R::Id},
                  {"CLASSES", &R::Classes},
                  {"DESCRIPTION", &R::Description},
                  {"SEX_PERMISSION", &R::SexPermission}},
      .words = {},
      .numbers =
          {{"RACE", &R::Number},          {"RACE_RECALL", &R::RaceRecall}, {"DEATH_MSG", &R::DeathMsg},
           {"DECAY_MSG", &R::DecayMsg},   {"STR_PLUS", &R::StrPlus},       {"INT_PLUS", &R::IntPlus},
           {"WIS_PLUS", &R::WisPlus},     {"CON_PLUS", &R::ConPlus},       {"DEX_PLUS", &R::DexPlus},
           {"CHA_PLUS", &R::ChaPlus},     {"LCK_PLUS", &R::LckPlus},       {"HIT", &R::Hit},
           {"HP_REGEN", &R::HpRegen},     {"HP_GAIN", &R::HpGain},         {"MANA", &R::Mana},
           {"MANA_REGEN", &R::ManaRegen}, {"MANA_GAIN", &R::ManaGain},     {"ALIGN", &R::Align},
           {"ALIGNMIN", &R::AlignMin},    {"MIN_ALIGN", &R::AlignMin},     {"ALIGNMAX", &R::AlignMax},
           {"MAX_ALIGN", &R::AlignMax},   {"HEIGHT", &R::Height},          {"WEIGHT", &R::Weight},
           {"RESIST", &R::Resist},        {"SUSCEPT", &R::Suscept},        {"AC_PLUS", &R::AcPlus},
           {"LANGUAGE", &R::Language},    {"EXP_MULT", &R::ExpMult},       {"HUNGER_MOD", &R::HungerMod},
           {"THIRST_MOD", &R::ThirstMod}},
      .bools = {{"PC_PERMISSION", &R::PcPermission}},
      .bitvectors = {{"AFFECTED", &R::Affected},
                     {"ATTACKS", &R::Attacks},
                     {"DEFENSES", &R::Defenses},
                     {"CLASSESNEW", &R::ClassesNew},
                     {"SAVING", &R::Saving}}};
  return fields;
}

const TKeyFields<TWorldClass>& class_fields() {
  using C = TWorldClass;
  static const TKeyFields<C> fields{
      .strings = {{"NAME", &C::Name}, {"NAME_ENG", &C::NameEng}, {"DESCRIPTION", &C::Description}},
      .words = {},
      .numbers = {{"CLASS", &C::Number},
                  {"EXPBASE", &C::ExpBase},
                  {"GUILD", &C::Guild},
                  {"MANA", &C::Mana},
                  {"HPGAIN", &C::HpGain},
                  {"MANAGAIN", &C::ManaGain},
                  {"RESIST", &C::Resist},
                  {"SUSCEPT", &C::Suscept},
                  {"SKILLADEPT", &C::SkillAdept},
                  {"THAC0", &C::Thac0},
                  {"THAC32", &C::Thac32},
                  {"WEAPON", &C::Weapon}},
      .bools = {},
      .bitvectors = {}};
  return fields;
}

// SKILL lines of races and classes: a word and two numbers, not kept.
void skip_skill_line(TAreaFile& f) {
  fread_word(f);
  fread_number(f);
  fread_number(f);
}

// "STATBONUSADD0".."2" and "STATBONUSREDUCE0".."2": the table entry the key names, or null.
int32_t* stat_bonus_field(TWorldClass& c, const std::string& key) {
  for (auto [head, table] : {std::pair{std::string_view("STATBONUSADD"), &c.StatBonusAdd},
                             std::pair{std::string_view("STATBONUSREDUCE"), &c.StatBonusReduce}}) {
    if (key.size() == head.size() + 1 && key.compare(0, head.size(), head) == 0 && key.back() >= '0' &&
        key.back() <= '2')
      return &(*table)[static_cast<size_t>(key.back() - '0')];
  }
  return nullptr;
}

template <class Items>
int32_t first_position(const Items& items, auto&& matches) {
  for (size_t i = 0; i < items.size(); ++i)
    if (matches(*items[i])) return static_cast<int32_t>(i);
  return -1;
}

}  // namespace

bool TWorldRace::read_special_key(TAreaFile& f, const std::string& key) {
  const TWorld* world = Owner ? Owner->World : nullptr;
  if (key == "CORPSE") {
    std::string word = to_upper(fread_word(f));
    Corpse = world ? world->corpse_type_index(word) : 0;
  } else if (key == "CREATURE_TYPE") {
    std::string word = to_upper(fread_word(f));
    CreatureType = world ? world->creature_type_index(word) : 0;
  } else if (key == "WHERENAME") {
    WhereNames.push_back(fread_string(f));
  } else if (key == "SKILL") {
    skip_skill_line(f);
  } else {
    return false;
  }
  return true;
}

void TWorldRace::Read(TAreaFile& f) {
  WhereNames.clear();
  with_late_prefix([&] { return "Load Race \"" + Name + "\":\r\n"; },
                   [&] {
                     read_keyed_record(f, *this, race_fields(),
                                       [&](const std::string& key) { return read_special_key(f, key); });
                   });
}

void TWorldRaces::Load(const std::string& index_file_name) {
  read_index_file(*this, index_file_name, "Load Races List", [&](TAreaFile& f) {
    auto race = std::make_unique<TWorldRace>(this);
    race->Read(f);
    race->Number = Count();  // races are numbered by their place in the index, whatever RACE said
    Items.push_back(std::move(race));
  });
}

TWorldRace* TWorldRaces::Item(int32_t position) const {
  return position >= 0 && position < Count() ? Items[static_cast<size_t>(position)].get() : nullptr;
}

int32_t TWorldRaces::NumberOfName(std::string_view name) const {
  int32_t position =
      first_position(Items, [&](const TWorldRace& r) { return r.Name == name || r.NameEng == name; });
  return position < 0 ? -1 : Items[static_cast<size_t>(position)]->Number;
}

int32_t TWorldRaces::PositionOfNumber(int32_t number) const {
  return first_position(Items, [&](const TWorldRace& r) { return r.Number == number; });
}

bool TWorldClass::read_special_key(TAreaFile& f, const std::string& key) {
  if (int32_t* bonus = stat_bonus_field(*this, key)) {
    *bonus = fread_number(f);
  } else if (key == "AFFECTED") {
    fread_number(f);
  } else if (key == "SKILL") {
    skip_skill_line(f);
  } else if (key == "TITLE") {
    fread_string(f);
    fread_string(f);
  } else {
    return false;
  }
  return true;
}

void TWorldClass::Read(TAreaFile& f) {
  with_prefix("Load Race:\r\n", [&] {
    read_keyed_record(f, *this, class_fields(),
                      [&](const std::string& key) { return read_special_key(f, key); });
  });
}

void TWorldClasses::Load(const std::string& index_file_name) {
  read_index_file(*this, index_file_name, "Load Classes List", [&](TAreaFile& f) {
    auto item = std::make_unique<TWorldClass>(this);
    item->Read(f);
    Items.push_back(std::move(item));
  });
}

TWorldClass* TWorldClasses::Item(int32_t position) const {
  return position >= 0 && position < Count() ? Items[static_cast<size_t>(position)].get() : nullptr;
}

int32_t TWorldClasses::NumberOfName(std::string_view name) const {
  int32_t position = first_position(Items, [&](const TWorldClass& c) { return c.Name == name; });
  return position < 0 ? -1 : Items[static_cast<size_t>(position)]->Number;
}

int32_t TWorldClasses::PositionOfNumber(int32_t number) const {
  return first_position(Items, [&](const TWorldClass& c) { return c.Number == number; });
}

TWorldClass* TWorldClasses::ByNumber(int32_t number) const {
  return Item(PositionOfNumber(number));
}

}  // namespace tavro

#pragma once
// A small world and one area for the tests of the section readers and writers, and helpers that read
// a section from text and write one back to text.
#include <memory>
#include <string>
#include <string_view>

#include "area/Area.h"
#include "area/AreaTestSupport.h"
#include "area/Header.h"
#include "reading/AreaFile.h"
#include "world/Areas.h"
#include "world/DamagesWeapons.h"
#include "world/Skills.h"
#include "world/World.h"

namespace tavro::test {

class SectionWorld {
 public:
  SectionWorld() {
    if (world.Areas == nullptr) world.Areas = std::make_unique<TAreas>(&world);
    if (world.Skills == nullptr) world.Skills = std::make_unique<TWorldSkills>(&world);
    if (world.Weapons == nullptr) world.Weapons = std::make_unique<TWorldWeapons>(&world);
    world.ItemTypes = {"ITEM_NONE",           "ITEM_LIGHT",     "ITEM_SCROLL",     "ITEM_WAND",
                       "ITEM_STAFF",          "ITEM_WEAPON",    "ITEM_PROJECTILE", "ITEM_SALVE",
                       "ITEM_MISSILE_WEAPON", "ITEM_FURNITURE", "ITEM_POTION",     "ITEM_MISSILE"};
    world.ItemTypesNative = {"none",       "light", "scroll",   "wand",      "staff",  "weapon",
                             "projectile", "salve", "launcher", "furniture", "potion", "missile"};
    world.ApplyTypes = {"NONE",        "STR", "DEX",     "WEAPONSPELL",   "WEARSPELL",
                        "REMOVESPELL", "HIT", "STRIPSN", "RECURRINGSPELL"};
    world.ProgTypes = {"ACT_PROG", "SPEECH_PROG", "RAND_PROG"};
    world.InFileProgName = "IN_FILE_PROG";
    // Index 0 is the reserved empty skill; "undefined" has no display name and is not valid.
    add_skill("", "", 0);
    add_skill("armor", "armor spell", 1);
    add_skill("bless", "bless spell", 3);
    add_skill("fireball", "fireball spell", 26);
    add_skill("undefined", "", 77);
    add_weapon("sword");
    add_weapon("axe");
    add_weapon("bow");
    add_weapon("arrow");
    area = std::make_unique<TArea>(world.Areas.get());
  }

  void add_skill(const std::string& name_eng, const std::string& name, int32_t slot) {
    auto skill = std::make_unique<TWorldSkill>(world.Skills.get());
    skill->NameEng = name_eng;
    skill->Name = name;
    skill->Slot = slot;
    world.Skills->Items.push_back(std::move(skill));
  }

  void add_weapon(const std::string& name) {
    auto weapon = std::make_unique<TWorldWeapon>(world.Weapons.get());
    weapon->Name = name;
    world.Weapons->Items.push_back(std::move(weapon));
  }

  void set_version(int32_t version) { area->Header->Version = version; }

  TWorld world;
  std::unique_ptr<TArea> area;
};

// Reads a whole section text ("#NAME" line first) with the list's section reader.
template <class List>
void read_section(List& list, std::string_view text) {
  TAreaFile f;
  f.load_text(text);
  if (fread_letter(f) != '#') throw Error("test text does not start with a section");
  fread_word(f);
  list.ReadSection(f);
}

template <class List>
std::string written_section(const List& list) {
  TAreaFile f;
  f.clear();
  list.WriteSection(f);
  return f.Buffer;
}

// Runs write(f) on an empty writer and gives back the text written.
template <class WriteBody>
std::string written_by(WriteBody&& write) {
  TAreaFile f;
  f.clear();
  write(f);
  return f.Buffer;
}

// The bytes of a fixture file under tests/data/area.
inline std::string fixture(const std::string& name) {
  return read_file(std::string(TAVRO_TEST_DATA_DIR) + "/area/" + name);
}

}  // namespace tavro::test

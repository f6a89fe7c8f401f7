#include "area/AreaTestSupport.h"

#include "reading/AreaFile.h"
#include "reading/Paths.h"
#include "world/Areas.h"
#include "world/RacesClasses.h"
#include "world/WorldSpecFunctions.h"

namespace tavro::test {

std::string cp1251(std::string_view utf8) {
  return utf8_to_cp1251(utf8);
}

std::string koi8(std::string_view utf8) {
  return cp1251_to_koi8(utf8_to_cp1251(utf8));
}

std::unique_ptr<TWorld> make_test_world(const std::string& mud_folder) {
  auto world = std::make_unique<TWorld>();
  world->MudPath = mud_folder + "/";
  world->InFileProgName = "IN_FILE_PROG";
  world->ProgTypes = {"ACT_PROG", "SPEECH_PROG", "RAND_PROG", "GREET_PROG", "ENTRY_PROG"};
  add_races_classes_and_specials(*world);
  return world;
}

void add_races_classes_and_specials(TWorld& world) {
  const char* races[][2] = {{"human", "Human"}, {"elf", "Elf"}};
  for (const auto& [name, english] : races) {
    auto race = std::make_unique<TWorldRace>(world.Races.get());
    race->Name = name;
    race->NameEng = english;
    race->Number = static_cast<int32_t>(world.Races->Items.size());
    world.Races->Items.push_back(std::move(race));
  }
  for (const char* name : {"mage", "warrior", "thief", "cleric"}) {
    auto cls = std::make_unique<TWorldClass>(world.Classes.get());
    cls->Name = name;
    cls->Number = static_cast<int32_t>(world.Classes->Items.size());
    world.Classes->Items.push_back(std::move(cls));
  }
  world.SpecFunctions->Items = {"spec_fido", "spec_guard"};
}

std::vector<std::tuple<std::string, std::string, std::string>> prog_fields(const TWorldProgs& progs) {
  std::vector<std::tuple<std::string, std::string, std::string>> fields;
  for (const auto& prog : progs.Items)
    fields.emplace_back(prog->ProgType, prog->Arguments, prog->Body);
  return fields;
}

void load_area_text(TArea& area, const ScratchDir& dir, std::string_view text, const std::string& name) {
  std::string path = dir.file(name);
  write_file(path, text);
  area.load_area(path);
}

std::string save_area_text(TArea& area, const ScratchDir& dir, const std::string& name) {
  std::string path = dir.file(name);
  area.save_area(path);
  return read_file(path);
}

}  // namespace tavro::test

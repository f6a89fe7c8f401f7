#pragma once
// Shared helpers of the area tests: scratch folders, files in KOI8-R, a small world to read against.
#include <memory>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "area/Area.h"
#include "area/Mobiles.h"
#include "area/Programs.h"
#include "support/ErrorOf.h"
#include "support/Scratch.h"
#include "world/World.h"

namespace tavro::test {

// Test texts are written in UTF-8: these give the bytes a server file (KOI8-R) or the model
// (Windows-1251) holds.
std::string koi8(std::string_view utf8);
std::string cp1251(std::string_view utf8);

// A world with no files behind it: program types, races, classes and special functions for the
// tests, programs under mud_folder/mudprogs. Races: "human" (English "Human") and "elf"; classes
// "mage" (number 0), "warrior" (1), "thief" (2), "cleric" (3); specials "spec_fido" and "spec_guard".
std::unique_ptr<TWorld> make_test_world(const std::string& mud_folder);
// The races, classes and special functions of make_test_world, added to another world.
void add_races_classes_and_specials(TWorld& world);

// Loads the area from text (KOI8-R bytes) written to a scratch file named name.
void load_area_text(TArea& area, const ScratchDir& dir, std::string_view text,
                    const std::string& name = "test.are");
// Saves the area to a scratch file and returns the file's bytes.
std::string save_area_text(TArea& area, const ScratchDir& dir, const std::string& name = "out.are");

// Every field of a mobile that the area file carries, for comparing one mobile with another.
inline auto mobile_fields(const TAreaMobile& m) {
  return std::tie(m.Vnum, m.Name, m.ShortDescription, m.LongDescription, m.Description, m.Sex, m.Level,
                  m.ActFlags, m.AffectedBy, m.Alignment, m.Thac0, m.AC, m.HitDice, m.DamDice, m.Gold, m.Exp,
                  m.Position, m.DefPosition, m.Complex, m.Stats, m.Saves, m.Race, m.Class, m.Height, m.Weight,
                  m.Speaks, m.Speaking, m.NumAttacks, m.Hitroll, m.Damroll, m.Parts, m.Resistant, m.Immune,
                  m.Susceptible, m.Attacks, m.Defenses, m.Special);
}

// Type, arguments and body of every program in a list.
std::vector<std::tuple<std::string, std::string, std::string>> prog_fields(const TWorldProgs& progs);

}  // namespace tavro::test

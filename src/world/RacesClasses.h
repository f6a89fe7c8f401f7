#pragma once
// The server's races and classes: an index file (race.lst, class.lst) naming one file per record.
// Mobiles store them as positions in these lists and write them by name.
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "reading/BitVector.h"

namespace tavro {

class TWorld;
class TAreaFile;
class TWorldRaces;
class TWorldClasses;

class TWorldRace {
 public:
  explicit TWorldRace(TWorldRaces* owner) : Owner(owner) {}
  // Reads a race file key by key up to END or the end of the file. Throws Error with the
  // "Load Race \"name\":" prefix.
  void Read(TAreaFile& f);

  TWorldRaces* Owner;
  std::string Name, NameEng;
  std::string SexMale, SexFemale, SexNeutral;
  std::string Id;
  int32_t Number = 0;  // the race's position in the list once loaded
  int32_t RaceRecall = 0;
  int32_t Corpse = 0;  // position in the world's CorpseTypes
  int32_t DeathMsg = 0, DecayMsg = 0;
  int32_t CreatureType = 0;  // position in the world's CreatureTypes
  bool PcPermission = false;
  int32_t StrPlus = 0, IntPlus = 0, WisPlus = 0, ConPlus = 0, DexPlus = 0, ChaPlus = 0, LckPlus = 0;
  int32_t Hit = 0, HpRegen = 0, HpGain = 0, Mana = 0, ManaRegen = 0, ManaGain = 0;
  int32_t Align = 0, AlignMin = 0, AlignMax = 0;
  int32_t Height = 0, Weight = 0;
  TBitVector Affected;
  int32_t Resist = 0, Suscept = 0;
  int32_t AcPlus = 0, Language = 0, ExpMult = 0, HungerMod = 0, ThirstMod = 0;
  TBitVector Attacks, Defenses;
  std::string Classes;
  TBitVector ClassesNew;
  std::vector<std::string> WhereNames;
  TBitVector Saving;
  std::string Description;
  std::string SexPermission;

 private:
  bool read_special_key(TAreaFile& f, const std::string& key);
};

class TWorldRaces {
 public:
  explicit TWorldRaces(TWorld* world) : World(world) {}
  // Replaces the list with the races the index file names. Throws Error with the
  // "Load Races List (file):" prefix.
  void Load(const std::string& index_file_name);
  int32_t Count() const { return static_cast<int32_t>(Items.size()); }
  TWorldRace* Item(int32_t position) const;  // null outside the list
  // Number of the first race whose Name or NameEng equals name exactly; -1 when none.
  int32_t NumberOfName(std::string_view name) const;
  // Position of the first race with that Number; -1 when none.
  int32_t PositionOfNumber(int32_t number) const;

  TWorld* World;
  std::vector<std::unique_ptr<TWorldRace>> Items;
};

class TWorldClass {
 public:
  explicit TWorldClass(TWorldClasses* owner) : Owner(owner) {}
  // Reads a class file key by key up to END or the end of the file. Throws Error ("Load Race:" prefix,
  // the server's own wording, kept for the messages users know).
  void Read(TAreaFile& f);

  TWorldClasses* Owner;
  std::string Name, NameEng;
  int32_t Number = 0;  // key CLASS: the number old area files and mobiles use
  int32_t ExpBase = 0, Guild = 0, Mana = 0, HpGain = 0, ManaGain = 0, Resist = 0, Suscept = 0, SkillAdept = 0;
  std::array<int32_t, 3> StatBonusAdd{}, StatBonusReduce{};
  int32_t Thac0 = 0, Thac32 = 0, Weapon = 0;
  std::string Description;

 private:
  bool read_special_key(TAreaFile& f, const std::string& key);
};

class TWorldClasses {
 public:
  explicit TWorldClasses(TWorld* world) : World(world) {}
  // Replaces the list with the classes the index file names. Throws Error with the
  // "Load Classes List (file):" prefix.
  void Load(const std::string& index_file_name);
  int32_t Count() const { return static_cast<int32_t>(Items.size()); }
  TWorldClass* Item(int32_t position) const;  // null outside the list
  // Number of the first class whose Name equals name exactly; -1 when none.
  int32_t NumberOfName(std::string_view name) const;
  // Position of the first class with that Number; -1 when none.
  int32_t PositionOfNumber(int32_t number) const;
  // The first class with that Number, or null.
  TWorldClass* ByNumber(int32_t number) const;

  TWorld* World;
  std::vector<std::unique_ptr<TWorldClass>> Items;
};

}  // namespace tavro

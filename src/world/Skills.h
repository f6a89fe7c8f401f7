#pragma once
// The server's skill table (spells, skills, weapon skills, tongues, herbs, racial skills) from
// skills.dat, with the Smaug affects each skill carries. A skill's position is the index objects store.
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace tavro {

class TWorld;
class TAreaFile;
class TWorldSkills;
class TWorldAffects;

class TWorldAffect {
 public:
  explicit TWorldAffect(TWorldAffects* owner) : Owner(owner) {}
  // Reads duration, location, modifier and bits. Old-style skills (no INFO key yet) hold a bit mask,
  // which is replaced by the number of its lowest set bit, or -1 when no bit is set.
  void Read(TAreaFile& f, bool new_style);

  std::string Duration;  // a word, may be a formula
  int32_t Location = 0;
  std::string Modifier;  // a word
  int32_t BitVector = -1;
  TWorldAffects* Owner;
};

class TWorldAffects {
 public:
  explicit TWorldAffects(TWorld* world) : World(world) {}
  TWorld* World;
  std::vector<std::unique_ptr<TWorldAffect>> Items;
};

class TWorldSkill {
 public:
  static constexpr int kTableSize = 20;  // class and race tables
  explicit TWorldSkill(TWorldSkills* owner);
  // Reads the body of a #SKILL record up to END (or the end of the file). Throws Error with the
  // "Load Skill \"name\":" prefix.
  void Read(TAreaFile& f);

  std::string NameEng;  // the name used in area files and by look-ups
  std::string Name;     // a skill counts as defined when this is not empty
  int32_t Slot = 0;
  std::array<int32_t, kTableSize> ClassLevel, ClassAdept, RaceLevel, RaceAdept;
  int32_t Guild = -1;
  int32_t Target = 0;
  std::string Code;
  TWorldAffects Affects;
  std::string Components, DamMsg, Dice, DieChar, DieRoom, DieVict;
  int32_t Difficulty = 0;
  uint32_t Flags = 0;
  std::string HitChar, HitDest, HitRoom, HitVict, ImmChar, ImmRoom, ImmVict;
  int32_t Info = 0;
  int32_t Mana = 0;
  int32_t MinPos = 0;  // a position
  std::string MissChar, MissRoom, MissVict;
  int32_t Participants = 0, Range = 0, Rounds = 0, Saves = 0, SSector = 0;
  std::string Teachers;
  int32_t SkillType = 0;  // position in the world's SkillTypes
  int32_t Value = 0;
  std::string WearOff;
  TWorldSkills* Owner;

 private:
  bool read_special_key(TAreaFile& f, const std::string& key, bool& new_style);
  TWorld* world() const;
};

class TWorldSkills {
 public:
  explicit TWorldSkills(TWorld* world) : World(world) {}
  // Replaces the table with the skills of the file. Throws Error with the "Load Skills:" prefix.
  void Load(const std::string& file_name);
  void Clear() { Items.clear(); }

  int32_t Count() const { return static_cast<int32_t>(Items.size()); }
  // True when 0 <= index < Count() and the skill there is defined (its Name is not empty).
  bool IsValid(int32_t index) const;
  // Position of the first skill whose NameEng equals name exactly; 0 when none.
  int32_t IndexOfName(std::string_view name) const;
  // NameEng of a valid skill; "NONE" for an invalid index or an empty name.
  std::string NameOf(int32_t index) const;
  // Position of the first skill with that slot; 0 when none.
  int32_t IndexOfSlot(int32_t slot) const;
  // The first skill whose NameEng equals name exactly, or null.
  TWorldSkill* FindByName(std::string_view name) const;

  TWorld* World;
  std::vector<std::unique_ptr<TWorldSkill>> Items;
};

}  // namespace tavro

#pragma once
// The server's damage types (damages.dat) and weapon types (weapontypes.dat). Weapon types refer to
// damage types and skills by name, damage types to skills, body parts and RIS flags.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace tavro {

class TWorld;
class TAreaFile;
class TWorldSkill;
class TWorldDamages;
class TWorldDamage;
class TWorldWeapons;
class TWorldWeapon;
class TDamageTargets;
class TWeaponDamages;

class TDamageTarget {
 public:
  explicit TDamageTarget(TDamageTargets* owner) : Owner(owner) {}
  int32_t Chance = 0;
  int32_t BodyPart = -1;  // position in the world's BodyPartNames, -1 when the name is not there
  TDamageTargets* Owner;
};

class TDamageTargets {
 public:
  explicit TDamageTargets(TWorldDamage* damage) : Damage(damage) {}
  TWorldDamage* Damage;
  std::vector<std::unique_ptr<TDamageTarget>> Items;
};

class TWorldDamage {
 public:
  static constexpr int kMessageCount = 24;
  explicit TWorldDamage(TWorldDamages* owner) : Targets(this), Owner(owner) {}
  // Reads the body of a #DAMAGE record. Throws Error with the "Load Damage:" prefix.
  void Read(TAreaFile& f);

  std::string Name;
  std::string DamMsg;
  bool Manual = false;  // BEHAVIOR MANUAL
  TWorldSkill* Skill = nullptr;
  uint32_t RisFlags = 0;  // bit n: the entry at position n of the world's RISFlags
  TDamageTargets Targets;
  std::string Func;
  std::vector<std::string> PMessages, SMessages, VMessages;  // 24 lines each when present
  TWorldDamages* Owner;

 private:
  bool read_special_key(TAreaFile& f, const std::string& key);
};

class TWorldDamages {
 public:
  explicit TWorldDamages(TWorld* world) : World(world) {}
  // Replaces the list with the damage types of the file. Throws Error ("Load Damages:" prefix).
  void Load(const std::string& file_name);
  int32_t Count() const { return static_cast<int32_t>(Items.size()); }
  // Position of the first damage type whose Name equals name exactly; 0 when none.
  int32_t IndexOfName(std::string_view name) const;
  TWorldDamage* FindByName(std::string_view name) const;

  TWorld* World;
  std::vector<std::unique_ptr<TWorldDamage>> Items;
};

class TWeaponDamage {
 public:
  explicit TWeaponDamage(TWeaponDamages* owner) : Owner(owner) {}
  int32_t Percent = 0;
  TWorldDamage* DamageType = nullptr;
  TWeaponDamages* Owner;
};

class TWeaponDamages {
 public:
  explicit TWeaponDamages(TWorldWeapon* weapon) : Weapon(weapon) {}
  TWorldWeapon* Weapon;
  std::vector<std::unique_ptr<TWeaponDamage>> Items;
};

class TWorldWeapon {
 public:
  explicit TWorldWeapon(TWorldWeapons* owner) : Damages(this), Owner(owner) {}
  // Reads the body of a #WEAPONTYPE record. Throws Error with the "Load Weapon:" prefix.
  void Read(TAreaFile& f);

  std::string Name;
  bool TwoHanded = false;
  bool PrimaryWeapon = true;
  bool SecondaryWeapon = true;
  TWeaponDamages Damages;
  TWorldSkill* Skill = nullptr;
  std::string AmmoOutMsg;
  TWorldWeapons* Owner;

 private:
  bool read_special_key(TAreaFile& f, const std::string& key);
};

class TWorldWeapons {
 public:
  explicit TWorldWeapons(TWorld* world) : World(world) {}
  // Replaces the list with the weapon types of the file. Throws Error ("Load Weapon Types:" prefix).
  void Load(const std::string& file_name);
  int32_t Count() const { return static_cast<int32_t>(Items.size()); }
  // Position of the first weapon type whose Name equals name exactly; 0 when none.
  int32_t IndexOfName(std::string_view name) const;
  TWorldWeapon* FindByName(std::string_view name) const;

  TWorld* World;
  std::vector<std::unique_ptr<TWorldWeapon>> Items;
};

}  // namespace tavro

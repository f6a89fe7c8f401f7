#pragma once
// Mobile (creature) prototypes of an area (#MOBILES), in a simple ('S') and a complex ('C') form.
// A mobile owns its programs and, when it keeps one, its shop and repair shop.
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "area/Programs.h"
#include "area/Shops.h"
#include "reading/BitVector.h"

namespace tavro {

class TArea;
class TAreaFile;
class TWorld;
class TAreaMobiles;

// Sex values and names: the written name of a value, and the value of a name read from a file.
inline constexpr int32_t kSexCount = 4;
std::string sex_name(int32_t sex);
int32_t sex_value(std::string_view name);

// The plain fields of a mobile. A copy takes them as a whole, so a field added here is copied too.
struct TAreaMobileData {
  int32_t Vnum = 0;
  std::string Name;
  std::string ShortDescription;  // a case set
  std::string LongDescription;
  std::string Description;
  int32_t Sex = 0;
  int32_t Level = 0;
  TBitVector ActFlags;
  TBitVector AffectedBy;
  int32_t Alignment = 0;
  int32_t Thac0 = 0;
  int32_t AC = 0;
  std::array<int32_t, 3> HitDice{};  // number, size, plus
  std::array<int32_t, 3> DamDice{};
  int32_t NumAttacks = 0;
  int32_t Gold = 0;
  int32_t Exp = 0;
  int32_t Position = 12;
  int32_t DefPosition = 12;
  std::array<int32_t, 7> Stats{13, 13, 13, 13, 13, 13, 13};  // Str Int Wis Dex Con Cha Lck
  std::array<int32_t, 5> Saves{};                            // poison, wand, paralysis, breath, spell/staff
  int32_t Race = 0;                                          // position in the world's race list
  int32_t Class = 3;                                         // position in the world's class list
  int32_t Height = 0;
  int32_t Weight = 0;
  int32_t Speaks = 0;
  int32_t Speaking = 0;
  int32_t Hitroll = 0;
  int32_t Damroll = 0;
  uint32_t Parts = 0;
  uint32_t Resistant = 0;
  uint32_t Immune = 0;
  uint32_t Susceptible = 0;
  TBitVector Attacks;
  TBitVector Defenses;
  int32_t Special = -1;  // special function number, 1 for the first; -1 for none
  bool Complex = false;
};

class TAreaMobile : public TAreaMobileData {
 public:
  explicit TAreaMobile(TAreaMobiles* owner);
  ~TAreaMobile();
  TAreaMobile(const TAreaMobile&) = delete;
  TAreaMobile& operator=(const TAreaMobile&) = delete;

  // Reads everything after the '#' line with the vnum.
  void Read(TAreaFile& f);
  // Writes the whole block, the '#' line included.
  void Write(TAreaFile& f) const;
  // Copies everything but the owner: the plain fields, and copies of the programs, shop and repair shop
  // owned by this mobile (a listed mobile's new shop joins the area's list).
  void Assign(const TAreaMobile& source);

  TArea* area() const;
  TWorld* world() const;
  // True when the mobile is in its owner's list (not an editor's working copy).
  bool is_listed() const;
  // Gives the mobile a shop (repair shop) with the default values, or takes it away; a mobile of the
  // area's list brings its new shop into the area's list as well. A shop it already has is kept.
  void SetHasShop(bool has);
  void SetHasRepairShop(bool has);

  std::unique_ptr<TWorldProgs> Progs;  // never null
  std::unique_ptr<TAreaShop> Shop;
  std::unique_ptr<TAreaRepairShop> RepairShop;
  TAreaMobiles* Owner;

 private:
  void ReadComplex(TAreaFile& f, int32_t version);
  void WriteComplex(TAreaFile& f) const;
  // Refuses a text the file format cannot carry back, naming the section, the mobile and the field.
  void CheckStorable() const;
};

class TAreaMobiles {
 public:
  explicit TAreaMobiles(TArea* area) : Area(area) {}
  ~TAreaMobiles();
  TAreaMobiles(const TAreaMobiles&) = delete;
  TAreaMobiles& operator=(const TAreaMobiles&) = delete;

  void Clear();
  // Reads the body of #MOBILES (after the section name) up to its "#0".
  void ReadSection(TAreaFile& f);
  // Writes the whole section; nothing for an empty list.
  void WriteSection(TAreaFile& f) const;
  TAreaMobile* FindByVnum(int32_t vnum) const;
  // One more than the largest vnum, counting from 0.
  int32_t NextFreeVnum() const;
  TAreaMobile& Add();  // appends a new mobile owned by this list

  void Read(TAreaFile& f) { ReadSection(f); }
  void Write(TAreaFile& f) const { WriteSection(f); }
  TAreaMobile* Find(int32_t vnum) const { return FindByVnum(vnum); }

  TArea* Area;
  std::vector<std::unique_ptr<TAreaMobile>> Items;  // file order
};

}  // namespace tavro

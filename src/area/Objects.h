#pragma once
// Object prototypes of an area (#OBJECTS): the object record with its per-item-type values, its
// affects, extra descriptions (shared with rooms), furniture data, vegetable lines and programs.
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "reading/BitVector.h"

namespace tavro {

class TArea;
class TAreaFile;
class TWorld;
class TWorldProgs;
class TWorldWeapon;
class TAreaObject;
class TAreaObjects;
struct TObjectContext;

// The area's #VERSION number that selects the older layouts on reading (0 without an area).
int32_t area_format_version(const TArea* area);
// The world an area belongs to, or null (an area outside a world).
TWorld* area_world(const TArea* area);

// A keyword and its description; objects and rooms own lists of them.
class TAreaExtraDesc {
 public:
  std::string Keyword;
  std::string Description;

  void Read(TAreaFile& f);         // after the letter E
  void Write(TAreaFile& f) const;  // including the letter E
  void Assign(const TAreaExtraDesc& source);
};

class TAreaExtraDescs {
 public:
  std::vector<std::unique_ptr<TAreaExtraDesc>> Items;

  void Clear() { Items.clear(); }
  TAreaExtraDesc& Add();
  void Write(TAreaFile& f) const;
  void Assign(const TAreaExtraDescs& source);
};

class TAreaAffects;

struct TAreaAffectData {
  int32_t Location = 0;  // position in the apply-type list
  int32_t Modifier = 0;  // a skill index for the spell locations
};

class TAreaAffect : public TAreaAffectData {
 public:
  explicit TAreaAffect(TAreaAffects* owner) : Owner(owner) {}

  TAreaAffects* Owner;

  void Read(TAreaFile& f);         // after the letter A
  void Write(TAreaFile& f) const;  // including the letter A
  void Assign(const TAreaAffect& source);
  // True when Location is one of the locations whose modifier names a spell.
  bool IsSpellLocation() const;
};

class TAreaAffects {
 public:
  TAreaAffects(TAreaObject* object, TArea* area, TWorld* world) : Object(object), Area(area), World(world) {}

  TAreaObject* Object;
  TArea* Area;
  TWorld* World;
  std::vector<std::unique_ptr<TAreaAffect>> Items;

  void Clear() { Items.clear(); }
  TAreaAffect& Add();
  void Write(TAreaFile& f) const;
  void Assign(const TAreaAffects& source);
};

inline constexpr int32_t ObjectValueCount = 7;
inline constexpr int32_t FurniturePositionCount = 4;
inline constexpr int32_t MaxVegetables = 20;

// The text lines of a vegetable. Few objects have any, so the lines take no room until one is
// written; reading an unwritten line gives an empty text.
class TVegetableLines {
 public:
  TVegetableLines() = default;
  TVegetableLines(const TVegetableLines& source) { *this = source; }
  TVegetableLines& operator=(const TVegetableLines& source);
  TVegetableLines(TVegetableLines&&) noexcept = default;
  TVegetableLines& operator=(TVegetableLines&&) noexcept = default;

  const std::string& operator[](size_t index) const;
  std::string& operator[](size_t index);  // creates the lines on the first write
  bool operator==(const TVegetableLines& other) const;

 private:
  using TLines = std::array<std::string, MaxVegetables>;
  std::unique_ptr<TLines> Lines;
};

// The plain fields of an object. A copy takes them as a whole, so a field added here is copied too.
struct TAreaObjectData {
  int32_t Vnum = 0;
  std::string Name;
  std::string ShortDescription;  // a case set
  std::string LongDescription;
  std::string Description;
  int32_t ItemType = 0;  // position in the item-type lists (identifiers and native names)
  TBitVector ExtraFlags;
  uint32_t WearFlags = 0;
  int32_t Layers = 0;
  std::array<int32_t, ObjectValueCount> Values{};
  int32_t Weight = 0;
  int32_t Cost = 0;
  int32_t Rent = 0;
  int32_t Level = 0;
  uint32_t FurnitureFlags = 0;
  std::array<int32_t, FurniturePositionCount> Capacity{};
  int32_t VegetableCount = 0;
  TVegetableLines Vegetables;
  int32_t Condition = 0;
  int32_t MaxCondition = 0;
  int32_t RepairsCount = 0;
  const TWorldWeapon* WeaponType = nullptr;  // an entry of the world's weapon-type list, not owned
};

class TAreaObject : public TAreaObjectData {
 public:
  explicit TAreaObject(TAreaObjects* owner);
  ~TAreaObject();
  TAreaObject(const TAreaObject&) = delete;
  TAreaObject& operator=(const TAreaObject&) = delete;

  std::unique_ptr<TWorldProgs> Progs;  // never null
  TAreaAffects Affects;
  TAreaExtraDescs ExtraDescs;
  TAreaObjects* Owner;

  // Reads everything after the '#' line with the vnum.
  void Read(TAreaFile& f);
  // Writes the whole object block, the '#' line included.
  void Write(TAreaFile& f) const;
  // Copies everything but the owner: the plain fields, and copies of the affects, extra descriptions
  // and programs owned by this object.
  void Assign(const TAreaObject& source);

  TArea* area() const;
  TWorld* world() const;

 private:
  friend class TAreaObjects;
  void ReadBody(TAreaFile& f, const TObjectContext& c);
  void ReadSubRecords(TAreaFile& f, const TObjectContext& c);
  void WriteBody(TAreaFile& f, const TObjectContext& c) const;
  void WriteValues(TAreaFile& f, const TObjectContext& c) const;
  void WriteSpellNames(TAreaFile& f, const TObjectContext& c) const;
};

class TAreaObjects {
 public:
  explicit TAreaObjects(TArea* area) : Area(area) {}
  ~TAreaObjects();

  TArea* Area;
  std::vector<std::unique_ptr<TAreaObject>> Items;  // file order

  void Clear() { Items.clear(); }
  // Reads the body of #OBJECTS (after the section name) up to its "#0".
  void ReadSection(TAreaFile& f);
  // Writes the whole section; nothing for an empty list.
  void WriteSection(TAreaFile& f) const;
  TAreaObject* FindByVnum(int32_t vnum) const;
  int32_t NextFreeVnum() const;
  TAreaObject& Add();  // appends a new empty object owned by this list

  void Read(TAreaFile& f) { ReadSection(f); }
  void Write(TAreaFile& f) const { WriteSection(f); }
  TAreaObject* Find(int32_t vnum) const { return FindByVnum(vnum); }
};

}  // namespace tavro

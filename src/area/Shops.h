#pragma once
// Shops, repair shops and special functions of an area's mobiles. A shop (repair shop) belongs to
// its keeper mobile; the area's lists only refer to them. All three sections are written by walking
// the mobile list, so their order follows the mobiles' order.
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace tavro {

class TArea;
class TAreaFile;
class TAreaMobile;
class TWorld;
template <class Shop>
class TAreaShopList;

// The numbers of a shop, copied as a whole.
struct TAreaShopData {
  std::array<int32_t, 5> BuyTypes{};  // positions in the item-type list
  int32_t ProfitBuy = 90;
  int32_t ProfitSell = 120;
  int32_t OpenHour = 8;
  int32_t CloseHour = 19;
};

class TAreaShop : public TAreaShopData {
 public:
  TAreaShop() = default;
  ~TAreaShop();  // leaves the area's list when it is on it
  TAreaShop(const TAreaShop&) = delete;
  TAreaShop& operator=(const TAreaShop&) = delete;

  // Reads the numbers after the keeper's vnum and skips the rest of the line (its comment).
  void Read(TAreaFile& f);
  // Writes the whole line: keeper's vnum, numbers and the keeper's name as a comment.
  void Write(TAreaFile& f) const;
  // Copies every number, not the keeper.
  void Assign(const TAreaShop& source);

  TAreaMobile* Keeper = nullptr;

  static constexpr const char* kSectionName = "#SHOPS";
  static std::unique_ptr<TAreaShop>& slot_of(TAreaMobile& keeper);
  static TAreaShopList<TAreaShop>& list_of(TArea& area);

 private:
  friend class TAreaShopList<TAreaShop>;
  TAreaShopList<TAreaShop>* List = nullptr;
};

struct TAreaRepairShopData {
  std::array<int32_t, 3> FixTypes{};  // positions in the item-type list
  int32_t ProfitFix = 60;
  int32_t ShopType = 1;  // 0 unknown, 1 fix, 2 recharge
  int32_t OpenHour = 8;
  int32_t CloseHour = 19;
};

class TAreaRepairShop : public TAreaRepairShopData {
 public:
  TAreaRepairShop() = default;
  ~TAreaRepairShop();
  TAreaRepairShop(const TAreaRepairShop&) = delete;
  TAreaRepairShop& operator=(const TAreaRepairShop&) = delete;

  void Read(TAreaFile& f);
  void Write(TAreaFile& f) const;
  void Assign(const TAreaRepairShop& source);

  TAreaMobile* Keeper = nullptr;

  static constexpr const char* kSectionName = "#REPAIRS";
  static std::unique_ptr<TAreaRepairShop>& slot_of(TAreaMobile& keeper);
  static TAreaShopList<TAreaRepairShop>& list_of(TArea& area);

 private:
  friend class TAreaShopList<TAreaRepairShop>;
  TAreaShopList<TAreaRepairShop>* List = nullptr;
};

// The area's shops (or repair shops): not owning, kept in the order they were added.
template <class Shop>
class TAreaShopList {
 public:
  explicit TAreaShopList(TArea* area) : Area(area) {}
  ~TAreaShopList();
  TAreaShopList(const TAreaShopList&) = delete;
  TAreaShopList& operator=(const TAreaShopList&) = delete;

  // Reads the section body: keeper vnum and numbers per line, 0 ends it. Each shop becomes its
  // keeper's (replacing an earlier one) and joins this list.
  void ReadSection(TAreaFile& f);
  // Writes the section from the area's mobiles in their order; nothing when none keeps one.
  void WriteSection(TAreaFile& f) const;
  // Takes every shop from its keeper and destroys it.
  void Clear();
  // Adds a shop already owned by its keeper (the mobile editor gives a mobile a shop this way).
  void Add(Shop* shop);
  void Remove(Shop* shop);

  TArea* Area;
  std::vector<Shop*> Items;
};

extern template class TAreaShopList<TAreaShop>;
extern template class TAreaShopList<TAreaRepairShop>;

class TAreaShops : public TAreaShopList<TAreaShop> {
 public:
  using TAreaShopList::TAreaShopList;
};

class TAreaRepairShops : public TAreaShopList<TAreaRepairShop> {
 public:
  using TAreaShopList::TAreaShopList;
};

// #SPECIALS: 'M' lines naming a mobile of this area and a special function; 'S' ends the section,
// other lines are skipped.
void read_specials_section(TArea& area, TAreaFile& f);
// Writes #SPECIALS for the mobiles that have a special function; nothing when none has.
void write_specials_section(const TArea& area, TAreaFile& f);

}  // namespace tavro

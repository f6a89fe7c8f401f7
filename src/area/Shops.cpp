#include "area/Shops.h"

#include <algorithm>

#include "area/Area.h"
#include "area/Mobiles.h"
#include "area/NumberRuns.h"
#include "reading/AreaFile.h"
#include "reading/Cases.h"
#include "reading/Error.h"
#include "world/World.h"
#include "world/WorldSpecFunctions.h"

namespace tavro {

namespace {

// The start of a shop line: the keeper's vnum and three blanks, then each number with a blank.
template <size_t N>
void write_keeper_and_types(TAreaFile& f, const TAreaMobile* keeper, const std::array<int32_t, N>& types) {
  fwrite_number(f, keeper == nullptr ? 0 : keeper->Vnum);
  fwrite_text(f, "   ");
  for (int32_t type : types) {
    fwrite_number(f, type);
    fwrite_text(f, " ");
  }
  fwrite_text(f, "  ");
}

// The keeper's name after ';' is skipped with the rest of the line on reading: a line break inside
// it would end the comment early and leave the rest of the name to be read as the next shop.
std::string comment_text(const TAreaMobile* keeper) {
  if (keeper == nullptr) return {};
  std::string name = decode_case(keeper->ShortDescription, 1);
  for (char& ch : name)
    if (ch == '\r' || ch == '\n') ch = ' ';
  return name;
}

void write_numbers_and_comment(TAreaFile& f, std::initializer_list<int32_t> numbers,
                               const TAreaMobile* keeper) {
  write_numbers(f, numbers);
  fwrite_text(f, " ; ");
  fwrite_text(f, comment_text(keeper));
  fwrite_eol(f);
}

int32_t spec_function_number(const TWorld* world, const std::string& name) {
  return world == nullptr ? -1 : world->SpecFunctions->Lookup(name);
}

std::string spec_function_name(const TWorld* world, int32_t number) {
  if (world == nullptr) throw Error("SpecFunctions.IndexToName: Index out of range!");
  return world->SpecFunctions->IndexToName(number);
}

void read_special_line(TArea& area, TAreaFile& f) {
  int32_t vnum = fread_number(f);
  std::string name = fread_word(f);
  TAreaMobile* mobile = area.Mobiles->FindByVnum(vnum);
  if (mobile == nullptr) throw Error("Mobile vnum " + std::to_string(vnum) + " doesnt exist.");
  int32_t number = spec_function_number(area.world(), name);
  if (number < 0) throw Error("Bad SpecFunction \"" + name + "\" for Mobile vnum " + std::to_string(vnum));
  mobile->Special = number;
  fread_to_eol(f);
}

}  // namespace

TAreaShop::~TAreaShop() {
  if (List != nullptr) List->Remove(this);
}

std::unique_ptr<TAreaShop>& TAreaShop::slot_of(TAreaMobile& keeper) {
  return keeper.Shop;
}

TAreaShopList<TAreaShop>& TAreaShop::list_of(TArea& area) {
  return *area.Shops;
}

void TAreaShop::Read(TAreaFile& f) {
  read_numbers(f, BuyTypes);
  ProfitBuy = fread_number(f);
  ProfitSell = fread_number(f);
  OpenHour = fread_number(f);
  CloseHour = fread_number(f);
  fread_to_eol(f);
}

void TAreaShop::Write(TAreaFile& f) const {
  write_keeper_and_types(f, Keeper, BuyTypes);
  write_numbers_and_comment(f, {ProfitBuy, ProfitSell, OpenHour, CloseHour}, Keeper);
}

void TAreaShop::Assign(const TAreaShop& source) {
  TAreaShopData::operator=(source);
}

TAreaRepairShop::~TAreaRepairShop() {
  if (List != nullptr) List->Remove(this);
}

std::unique_ptr<TAreaRepairShop>& TAreaRepairShop::slot_of(TAreaMobile& keeper) {
  return keeper.RepairShop;
}

TAreaShopList<TAreaRepairShop>& TAreaRepairShop::list_of(TArea& area) {
  return *area.RepairShops;
}

void TAreaRepairShop::Read(TAreaFile& f) {
  read_numbers(f, FixTypes);
  ProfitFix = fread_number(f);
  ShopType = fread_number(f);
  OpenHour = fread_number(f);
  CloseHour = fread_number(f);
  fread_to_eol(f);
}

void TAreaRepairShop::Write(TAreaFile& f) const {
  write_keeper_and_types(f, Keeper, FixTypes);
  write_numbers_and_comment(f, {ProfitFix, ShopType, OpenHour, CloseHour}, Keeper);
}

void TAreaRepairShop::Assign(const TAreaRepairShop& source) {
  TAreaRepairShopData::operator=(source);
}

template <class Shop>
TAreaShopList<Shop>::~TAreaShopList() {
  // The keepers outlive this list when the area is released: their shops must not reach back.
  for (Shop* shop : Items)
    shop->List = nullptr;
}

template <class Shop>
void TAreaShopList<Shop>::ReadSection(TAreaFile& f) {
  for (;;) {
    int32_t vnum = fread_number(f);
    if (vnum == 0) return;
    TAreaMobile* keeper = Area->Mobiles->FindByVnum(vnum);
    if (keeper == nullptr) throw Error("Bad keeper vnum ");
    auto shop = std::make_unique<Shop>();
    shop->Keeper = keeper;
    shop->Read(f);
    Add(shop.get());
    Shop::slot_of(*keeper) = std::move(shop);  // an earlier shop of the keeper leaves the list
  }
}

template <class Shop>
void TAreaShopList<Shop>::WriteSection(TAreaFile& f) const {
  bool any = false;
  for (const auto& mobile : Area->Mobiles->Items) {
    const Shop* shop = Shop::slot_of(*mobile).get();
    if (shop == nullptr) continue;
    if (!any) {
      fwrite_text(f, Shop::kSectionName);
      fwrite_eol(f);
      any = true;
    }
    shop->Write(f);
  }
  if (any) fwrite_text(f, "0\n\n");
}

template <class Shop>
void TAreaShopList<Shop>::Clear() {
  while (!Items.empty()) {
    Shop* shop = Items.back();
    Items.pop_back();
    shop->List = nullptr;
    if (shop->Keeper != nullptr && Shop::slot_of(*shop->Keeper).get() == shop)
      Shop::slot_of(*shop->Keeper).reset();
  }
}

template <class Shop>
void TAreaShopList<Shop>::Add(Shop* shop) {
  if (shop->List == this) return;
  if (shop->List != nullptr) shop->List->Remove(shop);
  shop->List = this;
  Items.push_back(shop);
}

template <class Shop>
void TAreaShopList<Shop>::Remove(Shop* shop) {
  auto it = std::find(Items.begin(), Items.end(), shop);
  if (it != Items.end()) Items.erase(it);
  if (shop->List == this) shop->List = nullptr;
}

template class TAreaShopList<TAreaShop>;
template class TAreaShopList<TAreaRepairShop>;

void read_specials_section(TArea& area, TAreaFile& f) {
  with_prefix("#SPECIALS:\r\n", [&] {
    for (;;) {
      char ch = fread_letter(f);
      if (ch == 'S') return;
      if (ch == 'M')
        read_special_line(area, f);
      else
        fread_to_eol(f);
    }
  });
}

void write_specials_section(const TArea& area, TAreaFile& f) {
  bool any = false;
  for (const auto& mobile : area.Mobiles->Items) {
    if (mobile->Special < 0) continue;
    if (!any) {
      fwrite_text(f, "#SPECIALS\n");
      any = true;
    }
    fwrite_text(f, "M ");
    fwrite_number(f, mobile->Vnum);
    fwrite_text(f, " ");
    fwrite_text(f, spec_function_name(area.world(), mobile->Special));
    fwrite_eol(f);
  }
  if (any) fwrite_text(f, "S\n\n");
}

}  // namespace tavro

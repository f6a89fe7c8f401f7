// Random mobiles, helps, programs, shops and specials built through the model, written, read back
// and compared field by field.
#include <gtest/gtest.h>

#include <random>
#include <set>

#include "area/AreaTestSupport.h"
#include "area/Header.h"
#include "area/Helps.h"
#include "area/Mobiles.h"
#include "area/Shops.h"
#include "reading/AreaFile.h"
#include "world/Areas.h"
#include "world/RacesClasses.h"
#include "world/WorldSpecFunctions.h"

namespace tavro {
namespace {

class RandomModel {
 public:
  RandomModel(uint32_t seed, const TWorld& world) : random_(seed), world_(world) {}

  int32_t any_number() { return static_cast<int32_t>(random_()); }
  int32_t between(int32_t low, int32_t high) {
    return std::uniform_int_distribution<int32_t>(low, high)(random_);
  }
  bool chance(int percent) { return between(1, 100) <= percent; }

  // A text the file format can hold: no tilde, no leading blank; Cyrillic letters of both sets,
  // line breaks as CR LF in memory.
  std::string text(int max_length, bool multi_line) {
    static const std::string kFirst =
        "abcXYZ019!#$%&()*+,-./:;<=>?@[]^_{|}" + test::cp1251("абвгдеёжзийклмнопрстуфхцчшщъыьэюяАБВЭЮЯЁ");
    std::string result(1, kFirst[static_cast<size_t>(between(0, static_cast<int32_t>(kFirst.size()) - 1))]);
    int length = between(0, max_length);
    for (int i = 0; i < length; ++i) {
      int pick = between(0, 9);
      if (pick == 0)
        result += ' ';
      else if (pick == 1 && multi_line)
        result += "\r\n";
      else
        result += kFirst[static_cast<size_t>(between(0, static_cast<int32_t>(kFirst.size()) - 1))];
    }
    while (multi_line && result.size() >= 2 && result.compare(result.size() - 2, 2, "\r\n") == 0)
      result.resize(result.size() - 2);
    return result;
  }
  std::string optional_text(int max_length, bool multi_line) {
    return chance(15) ? std::string() : text(max_length, multi_line);
  }
  TBitVector bits() {
    TBitVector v;
    for (uint32_t& word : v.Words)
      word = chance(50) ? 0u : static_cast<uint32_t>(random_());
    return v;
  }

  void fill_programs(TWorldProgs& progs) {
    int count = chance(60) ? 0 : between(1, 4);
    for (int i = 0; i < count; ++i) {
      TWorldProg& prog = progs.Add();
      std::string type =
          world_
              .ProgTypes[static_cast<size_t>(between(0, static_cast<int32_t>(world_.ProgTypes.size()) - 1))];
      prog.ProgType = chance(50) ? to_lower(type) : type;
      prog.Arguments = optional_text(20, false);
      std::string body = optional_text(80, true);
      prog.Body = body.empty() ? body : body + (chance(50) ? "\r\n" : "");
    }
  }

  void fill_mobile(TAreaMobile& m, int32_t vnum) {
    m.Vnum = vnum;
    m.Name = text(20, false);
    m.ShortDescription = text(30, chance(10));
    m.LongDescription = optional_text(60, true);
    m.Description = optional_text(200, true);
    if (!m.Description.empty()) m.Description += "\r\n";  // the writer ends it with one line break
    m.Sex = chance(90) ? between(0, 3) : between(-5, 40);
    m.Level = any_number();
    m.ActFlags = bits();
    m.AffectedBy = bits();
    m.Alignment = any_number();
    m.Thac0 = any_number();
    m.AC = any_number();
    for (int32_t& n : m.HitDice)
      n = any_number();
    for (int32_t& n : m.DamDice)
      n = any_number();
    m.Gold = any_number();
    m.Exp = any_number();
    m.Position = between(0, 1 << 20);
    m.DefPosition = between(0, 1 << 20);
    m.Complex = chance(50);
    if (m.Complex) fill_complex(m);
    fill_programs(*m.Progs);
    m.Special = chance(30) ? between(1, world_.SpecFunctions->Count()) : -1;
  }

  void fill_complex(TAreaMobile& m) {
    for (int32_t& n : m.Stats)
      n = any_number();
    for (int32_t& n : m.Saves)
      n = any_number();
    m.Race = between(0, world_.Races->Count() - 1);
    m.Class = between(0, world_.Classes->Count() - 1);
    m.Height = any_number();
    m.Weight = any_number();
    m.Speaks = any_number();
    m.Speaking = any_number();
    m.NumAttacks = any_number();
    m.Hitroll = any_number();
    m.Damroll = any_number();
    m.Parts = static_cast<uint32_t>(random_());
    m.Resistant = static_cast<uint32_t>(random_());
    m.Immune = static_cast<uint32_t>(random_());
    m.Susceptible = static_cast<uint32_t>(random_());
    m.Attacks = bits();
    m.Defenses = bits();
  }

  template <class Shop>
  void maybe_give_shop(TArea& area, TAreaMobile& keeper, std::unique_ptr<Shop>& slot, int percent) {
    if (!chance(percent)) return;
    slot = std::make_unique<Shop>();
    slot->Keeper = &keeper;
    Shop::list_of(area).Add(slot.get());
  }

  void fill_area(TArea& area) {
    area.Header->Version = TAreaHeader::kCurrentVersion;
    std::set<int32_t> vnums;
    int count = between(0, 12);
    while (static_cast<int>(vnums.size()) < count) {
      int32_t vnum = chance(80) ? between(1, 100000) : any_number();
      if (vnum != 0) vnums.insert(vnum);
    }
    for (int32_t vnum : vnums) {
      TAreaMobile& m = area.Mobiles->Add();
      fill_mobile(m, vnum);
      maybe_give_shop(area, m, m.Shop, 30);
      if (m.Shop) {
        for (int32_t& n : m.Shop->BuyTypes)
          n = any_number();
        m.Shop->ProfitBuy = any_number();
        m.Shop->ProfitSell = any_number();
        m.Shop->OpenHour = any_number();
        m.Shop->CloseHour = any_number();
      }
      maybe_give_shop(area, m, m.RepairShop, 20);
      if (m.RepairShop) {
        for (int32_t& n : m.RepairShop->FixTypes)
          n = any_number();
        m.RepairShop->ProfitFix = any_number();
        m.RepairShop->ShopType = any_number();
        m.RepairShop->OpenHour = any_number();
        m.RepairShop->CloseHour = any_number();
      }
    }
    int helps = between(0, 4);
    for (int i = 0; i < helps; ++i) {
      auto& item = *area.Helps->Items.emplace_back(std::make_unique<TAreaHelpItem>());
      item.Level = any_number();
      do
        item.Keywords = optional_text(20, chance(20));
      while (item.Keywords == "$");
      item.Text = text(100, true);
    }
  }

 private:
  std::mt19937 random_;
  const TWorld& world_;
};

void expect_same_programs(const TWorldProgs& a, const TWorldProgs& b) {
  ASSERT_EQ(a.Items.size(), b.Items.size());
  for (size_t i = 0; i < a.Items.size(); ++i) {
    EXPECT_EQ(a.Items[i]->ProgType, b.Items[i]->ProgType);
    EXPECT_EQ(a.Items[i]->Arguments, b.Items[i]->Arguments);
    EXPECT_EQ(a.Items[i]->Body, b.Items[i]->Body);
  }
}

void expect_same_shops(const TAreaMobile& a, const TAreaMobile& b) {
  ASSERT_EQ(a.Shop == nullptr, b.Shop == nullptr);
  if (a.Shop) {
    EXPECT_EQ(a.Shop->BuyTypes, b.Shop->BuyTypes);
    EXPECT_EQ(a.Shop->ProfitBuy, b.Shop->ProfitBuy);
    EXPECT_EQ(a.Shop->ProfitSell, b.Shop->ProfitSell);
    EXPECT_EQ(a.Shop->OpenHour, b.Shop->OpenHour);
    EXPECT_EQ(a.Shop->CloseHour, b.Shop->CloseHour);
    EXPECT_EQ(b.Shop->Keeper, &b);
  }
  ASSERT_EQ(a.RepairShop == nullptr, b.RepairShop == nullptr);
  if (a.RepairShop) {
    EXPECT_EQ(a.RepairShop->FixTypes, b.RepairShop->FixTypes);
    EXPECT_EQ(a.RepairShop->ProfitFix, b.RepairShop->ProfitFix);
    EXPECT_EQ(a.RepairShop->ShopType, b.RepairShop->ShopType);
    EXPECT_EQ(a.RepairShop->OpenHour, b.RepairShop->OpenHour);
    EXPECT_EQ(a.RepairShop->CloseHour, b.RepairShop->CloseHour);
    EXPECT_EQ(b.RepairShop->Keeper, &b);
  }
}

void expect_same_mobile(const TAreaMobile& a, const TAreaMobile& b) {
  SCOPED_TRACE("mobile " + std::to_string(a.Vnum));
  EXPECT_EQ(a.Vnum, b.Vnum);
  EXPECT_EQ(a.Name, b.Name);
  EXPECT_EQ(a.ShortDescription, b.ShortDescription);
  EXPECT_EQ(a.LongDescription, b.LongDescription);
  EXPECT_EQ(a.Description, b.Description);
  EXPECT_EQ(a.Sex, b.Sex);
  EXPECT_EQ(a.Level, b.Level);
  EXPECT_EQ(a.ActFlags, b.ActFlags);
  EXPECT_EQ(a.AffectedBy, b.AffectedBy);
  EXPECT_EQ(a.Alignment, b.Alignment);
  EXPECT_EQ(a.Thac0, b.Thac0);
  EXPECT_EQ(a.AC, b.AC);
  EXPECT_EQ(a.HitDice, b.HitDice);
  EXPECT_EQ(a.DamDice, b.DamDice);
  EXPECT_EQ(a.Gold, b.Gold);
  EXPECT_EQ(a.Exp, b.Exp);
  EXPECT_EQ(a.Position, b.Position);
  EXPECT_EQ(a.DefPosition, b.DefPosition);
  EXPECT_EQ(a.Complex, b.Complex);
  EXPECT_EQ(a.Stats, b.Stats);
  EXPECT_EQ(a.Saves, b.Saves);
  EXPECT_EQ(a.Race, b.Race);
  EXPECT_EQ(a.Class, b.Class);
  EXPECT_EQ(a.Height, b.Height);
  EXPECT_EQ(a.Weight, b.Weight);
  EXPECT_EQ(a.Speaks, b.Speaks);
  EXPECT_EQ(a.Speaking, b.Speaking);
  EXPECT_EQ(a.NumAttacks, b.NumAttacks);
  EXPECT_EQ(a.Hitroll, b.Hitroll);
  EXPECT_EQ(a.Damroll, b.Damroll);
  EXPECT_EQ(a.Parts, b.Parts);
  EXPECT_EQ(a.Resistant, b.Resistant);
  EXPECT_EQ(a.Immune, b.Immune);
  EXPECT_EQ(a.Susceptible, b.Susceptible);
  EXPECT_EQ(a.Attacks, b.Attacks);
  EXPECT_EQ(a.Defenses, b.Defenses);
  EXPECT_EQ(a.Special, b.Special);
  expect_same_programs(*a.Progs, *b.Progs);
  expect_same_shops(a, b);
}

void expect_same_mobiles(const TArea& a, const TArea& b) {
  ASSERT_EQ(a.Mobiles->Items.size(), b.Mobiles->Items.size());
  for (size_t i = 0; i < a.Mobiles->Items.size(); ++i)
    expect_same_mobile(*a.Mobiles->Items[i], *b.Mobiles->Items[i]);
  EXPECT_EQ(a.Shops->Items.size(), b.Shops->Items.size());
  EXPECT_EQ(a.RepairShops->Items.size(), b.RepairShops->Items.size());
}

void expect_same_area(const TArea& a, const TArea& b) {
  expect_same_mobiles(a, b);
  ASSERT_EQ(a.Helps->Items.size(), b.Helps->Items.size());
  for (size_t i = 0; i < a.Helps->Items.size(); ++i) {
    EXPECT_EQ(a.Helps->Items[i]->Level, b.Helps->Items[i]->Level);
    EXPECT_EQ(a.Helps->Items[i]->Keywords, b.Helps->Items[i]->Keywords);
    EXPECT_EQ(a.Helps->Items[i]->Text, b.Helps->Items[i]->Text);
  }
}

TEST(AreaPropertyTest, RandomAreasSurviveAWriteAndARead) {
  test::ScratchDir dir;
  auto world = test::make_test_world(dir.file("mud"));
  for (uint32_t seed = 1; seed <= 150; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    RandomModel model(seed, *world);
    TArea original(world->Areas.get());
    model.fill_area(original);
    original.IsNew = false;  // built in memory only: its saves stay out of the areas list
    std::string saved = test::save_area_text(original, dir);
    TArea read_back(world->Areas.get());
    test::load_area_text(read_back, dir, saved);
    expect_same_area(original, read_back);
    EXPECT_EQ(test::save_area_text(read_back, dir, "again.are"), saved);
    if (HasFailure()) break;
  }
}

TEST(AreaPropertyTest, AssignedCopiesWriteTheSameText) {
  test::ScratchDir dir;
  auto world = test::make_test_world(dir.file("mud"));
  RandomModel model(4242, *world);
  TArea original(world->Areas.get());
  while (original.Mobiles->Items.size() < 5) {
    original.Mobiles->Clear();
    model.fill_area(original);
  }
  TArea copy(world->Areas.get());
  for (const auto& mobile : original.Mobiles->Items)
    copy.Mobiles->Add().Assign(*mobile);
  expect_same_mobiles(original, copy);
}

}  // namespace
}  // namespace tavro

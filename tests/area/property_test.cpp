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
  // Any numbers into every element of the arrays and into the single numbers given.
  template <class... Fields>
  void fill(Fields&... fields) {
    (fill_one(fields), ...);
  }
  template <size_t N>
  void fill_one(std::array<int32_t, N>& numbers) {
    for (int32_t& n : numbers)
      n = any_number();
  }
  void fill_one(int32_t& n) { n = any_number(); }

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
    m.ActFlags = bits();
    m.AffectedBy = bits();
    fill(m.Level, m.Alignment, m.Thac0, m.AC, m.HitDice, m.DamDice, m.Gold, m.Exp);
    m.Position = between(0, 1 << 20);
    m.DefPosition = between(0, 1 << 20);
    m.Complex = chance(50);
    if (m.Complex) fill_complex(m);
    fill_programs(*m.Progs);
    m.Special = chance(30) ? between(1, world_.SpecFunctions->Count()) : -1;
  }

  void fill_complex(TAreaMobile& m) {
    fill(m.Stats, m.Saves, m.Height, m.Weight, m.Speaks, m.Speaking, m.NumAttacks, m.Hitroll, m.Damroll);
    m.Race = between(0, world_.Races->Count() - 1);
    m.Class = between(0, world_.Classes->Count() - 1);
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
      if (m.Shop)
        fill(m.Shop->BuyTypes, m.Shop->ProfitBuy, m.Shop->ProfitSell, m.Shop->OpenHour, m.Shop->CloseHour);
      maybe_give_shop(area, m, m.RepairShop, 20);
      if (m.RepairShop)
        fill(m.RepairShop->FixTypes, m.RepairShop->ProfitFix, m.RepairShop->ShopType, m.RepairShop->OpenHour,
             m.RepairShop->CloseHour);
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

auto shop_fields(const TAreaShop& s) {
  return std::tie(s.BuyTypes, s.ProfitBuy, s.ProfitSell, s.OpenHour, s.CloseHour);
}
auto repair_fields(const TAreaRepairShop& s) {
  return std::tie(s.FixTypes, s.ProfitFix, s.ShopType, s.OpenHour, s.CloseHour);
}

void expect_same_mobiles(const TArea& a, const TArea& b) {
  ASSERT_EQ(a.Mobiles->Items.size(), b.Mobiles->Items.size());
  for (size_t i = 0; i < a.Mobiles->Items.size(); ++i) {
    const TAreaMobile& x = *a.Mobiles->Items[i];
    const TAreaMobile& y = *b.Mobiles->Items[i];
    SCOPED_TRACE("mobile " + std::to_string(x.Vnum));
    EXPECT_EQ(test::mobile_fields(x), test::mobile_fields(y));
    EXPECT_EQ(test::prog_fields(*x.Progs), test::prog_fields(*y.Progs));
    ASSERT_EQ(x.Shop == nullptr, y.Shop == nullptr);
    ASSERT_EQ(x.RepairShop == nullptr, y.RepairShop == nullptr);
    if (x.Shop) {
      EXPECT_EQ(shop_fields(*x.Shop), shop_fields(*y.Shop));
      EXPECT_EQ(y.Shop->Keeper, &y);
    }
    if (x.RepairShop) {
      EXPECT_EQ(repair_fields(*x.RepairShop), repair_fields(*y.RepairShop));
      EXPECT_EQ(y.RepairShop->Keeper, &y);
    }
  }
  EXPECT_EQ(a.Shops->Items.size(), b.Shops->Items.size());
  EXPECT_EQ(a.RepairShops->Items.size(), b.RepairShops->Items.size());
}

void expect_same_area(const TArea& a, const TArea& b) {
  expect_same_mobiles(a, b);
  ASSERT_EQ(a.Helps->Items.size(), b.Helps->Items.size());
  for (size_t i = 0; i < a.Helps->Items.size(); ++i) {
    const TAreaHelpItem& x = *a.Helps->Items[i];
    const TAreaHelpItem& y = *b.Helps->Items[i];
    EXPECT_EQ(std::tie(x.Level, x.Keywords, x.Text), std::tie(y.Level, y.Keywords, y.Text));
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

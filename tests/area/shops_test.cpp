#include <gtest/gtest.h>

#include "area/AreaTestSupport.h"
#include "area/Mobiles.h"
#include "area/Shops.h"
#include "world/Areas.h"

namespace tavro {
namespace {

using test::cp1251;
using test::error_of;
using test::koi8;
using test::load_area_text;
using test::save_area_text;

std::string simple_mobile(int vnum, std::string_view short_description) {
  return "#" + std::to_string(vnum) + "\nkeeper~\n" + std::string(short_description) +
         "~\nA keeper.~\n\n~\n0 0 0 S\n1 2 3 1d1+1 1d1+1\n0 0\n112 112 MALE\n\n";
}

class ShopsTest : public ::testing::Test {
 protected:
  // Three mobiles 10, 20, 30, then the given sections.
  std::string area_text(std::string_view sections) {
    return koi8("#AREA ~\n\n#VERSION 11\n\n#MOBILES\n" + simple_mobile(10, "торгов:ец:ца:цу:ца:цем:це") +
                simple_mobile(20, "кузнец") + simple_mobile(30, "маг") + "#0\n\n#RESETS\nS\n\n" +
                std::string(sections) + "\n#$\n");
  }
  std::string path_line() const { return "load_area \"" + dir.file("test.are") + "\":\r\n"; }
  std::string load_error(std::string_view sections) {
    TArea fresh(world->Areas.get());
    return error_of([&] { load_area_text(fresh, dir, area_text(sections)); });
  }
  TAreaMobile& mob(int vnum) { return *area.Mobiles->FindByVnum(vnum); }

  test::ScratchDir dir;
  std::unique_ptr<TWorld> world = test::make_test_world(dir.file("mud"));
  TArea area{world->Areas.get()};
};

TEST_F(ShopsTest, ShopLineWithoutCommentGainsTheKeepersName) {
  load_area_text(area, dir, area_text("#SHOPS\n10 1 2 3 4 5 90 120 6 22\n0\n"));
  const TAreaShop& shop = *mob(10).Shop;
  EXPECT_EQ(
      std::tie(shop.BuyTypes, shop.ProfitBuy, shop.ProfitSell, shop.OpenHour, shop.CloseHour, shop.Keeper),
      std::make_tuple(std::array<int32_t, 5>{1, 2, 3, 4, 5}, 90, 120, 6, 22, &mob(10)));
  EXPECT_EQ(area.Shops->Items, std::vector<TAreaShop*>{mob(10).Shop.get()});
  EXPECT_EQ(save_area_text(area, dir), area_text("#SHOPS\n10   1 2 3 4 5   90 120 6 22 ; торговец\n0\n\n"));
}

TEST_F(ShopsTest, KeeperNameOverSeveralLinesStaysInTheComment) {
  load_area_text(area, dir, area_text("#SHOPS\n10 1 2 3 4 5 90 120 6 22\n0\n"));
  mob(10).ShortDescription = "two\r\nlines";
  std::string saved = save_area_text(area, dir);
  EXPECT_NE(saved.find("#SHOPS\n10   1 2 3 4 5   90 120 6 22 ; two  lines\n0\n\n"), std::string::npos)
      << saved;
  TArea again(world->Areas.get());
  load_area_text(again, dir, saved, "again.are");
  EXPECT_EQ(again.Shops->Items.size(), 1u);
}

TEST_F(ShopsTest, ShopsAreWrittenInMobileOrder) {
  const std::string sections =
      "#SHOPS\n30 0 0 0 0 0 100 100 0 23 ; last\n10 9 0 0 0 0 80 150 8 19 ; first\n0\n"
      "#REPAIRS\n20 5 6 7 70 2 9 18 ; fix\n10 1 0 0 60 1 8 19\n0\n";
  load_area_text(area, dir, area_text(sections));
  EXPECT_EQ(area.Shops->Items[0], mob(30).Shop.get());  // the list keeps reading order
  EXPECT_EQ(
      save_area_text(area, dir),
      area_text("#SHOPS\n10   9 0 0 0 0   80 150 8 19 ; торговец\n30   0 0 0 0 0   100 100 0 23 ; маг\n0\n\n"
                "#REPAIRS\n10   1 0 0   60 1 8 19 ; торговец\n20   5 6 7   70 2 9 18 ; кузнец\n0\n\n"));
  const TAreaRepairShop& repair = *mob(20).RepairShop;
  EXPECT_EQ(std::tie(repair.FixTypes, repair.ProfitFix, repair.ShopType, repair.OpenHour, repair.CloseHour),
            std::make_tuple(std::array<int32_t, 3>{5, 6, 7}, 70, 2, 9, 18));
}

TEST_F(ShopsTest, SecondShopLineForAKeeperReplacesTheFirst) {
  load_area_text(area, dir, area_text("#SHOPS\n10 1 0 0 0 0 90 120 8 19\n10 2 0 0 0 0 95 125 8 19\n0\n"));
  EXPECT_EQ(mob(10).Shop->BuyTypes[0], 2);
  EXPECT_EQ(area.Shops->Items, std::vector<TAreaShop*>{mob(10).Shop.get()});
}

TEST_F(ShopsTest, ClearTakesShopsFromTheirKeepers) {
  load_area_text(area, dir, area_text("#SHOPS\n10 1 0 0 0 0 90 120 8 19\n20 1 0 0 0 0 90 120 8 19\n0\n"));
  area.Shops->Clear();
  EXPECT_TRUE(area.Shops->Items.empty());
  EXPECT_EQ(mob(10).Shop, nullptr);
  EXPECT_EQ(mob(20).Shop, nullptr);
}

TEST_F(ShopsTest, ShopLeavesTheListWithItsKeeper) {
  load_area_text(area, dir, area_text("#REPAIRS\n10 1 0 0 60 1 8 19\n30 1 0 0 60 1 8 19\n0\n"));
  area.Mobiles->Items.erase(area.Mobiles->Items.begin());  // mobile 10
  ASSERT_EQ(area.RepairShops->Items.size(), 1u);
  EXPECT_EQ(area.RepairShops->Items[0], mob(30).RepairShop.get());
  mob(30).RepairShop.reset();
  EXPECT_TRUE(area.RepairShops->Items.empty());
}

TEST_F(ShopsTest, AssignGivesTheMobileItsOwnShop) {
  load_area_text(area, dir, area_text("#SHOPS\n10 1 0 0 0 0 90 120 8 19\n0\n"));
  TAreaMobiles editor_list(nullptr);
  TAreaMobile& working = editor_list.Add();
  working.Assign(mob(10));
  ASSERT_NE(working.Shop, nullptr);
  EXPECT_NE(working.Shop.get(), mob(10).Shop.get());
  EXPECT_EQ(working.Shop->Keeper, &working);
  EXPECT_EQ(area.Shops->Items.size(), 1u);  // a working copy's shop stays out of the area's list
  working.Shop->ProfitBuy = 50;
  EXPECT_EQ(mob(10).Shop->ProfitBuy, 90);

  // Copied back: the keeper in the area gets the values; a new shop joins the area's list.
  TAreaMobile& first = mob(10);
  TAreaMobile& second = mob(20);
  const TAreaShop* kept = first.Shop.get();
  first.Assign(working);
  EXPECT_EQ(first.Shop.get(), kept);
  EXPECT_EQ(first.Shop->ProfitBuy, 50);
  second.Assign(working);
  EXPECT_EQ(area.Shops->Items.size(), 2u);
  EXPECT_EQ(second.Shop->Keeper, &second);
  working.Shop.reset();
  first.Assign(working);
  EXPECT_EQ(first.Shop, nullptr);
  ASSERT_EQ(area.Shops->Items.size(), 1u);
  EXPECT_EQ(area.Shops->Items[0], second.Shop.get());
}

TEST_F(ShopsTest, HavingAShopIsSwitchedOnAndOff) {
  load_area_text(area, dir, area_text(""));
  mob(20).SetHasShop(true);
  mob(30).SetHasRepairShop(true);
  ASSERT_NE(mob(20).Shop, nullptr);
  const TAreaShop* shop = mob(20).Shop.get();
  mob(20).SetHasShop(true);
  EXPECT_EQ(mob(20).Shop.get(), shop);
  EXPECT_EQ(area.Shops->Items, std::vector<TAreaShop*>{mob(20).Shop.get()});
  EXPECT_EQ(area.RepairShops->Items.size(), 1u);
  EXPECT_EQ(save_area_text(area, dir),
            area_text("#SHOPS\n20   0 0 0 0 0   90 120 8 19 ; кузнец\n0\n\n#REPAIRS\n30   0 0 0   60 1 8 19 "
                      "; маг\n0\n\n"));
  mob(20).SetHasShop(false);
  mob(30).SetHasRepairShop(false);
  EXPECT_TRUE(area.Shops->Items.empty());
  EXPECT_TRUE(area.RepairShops->Items.empty());
  EXPECT_EQ(save_area_text(area, dir), area_text(""));
}

TEST_F(ShopsTest, AreaReleasedWithShopsDoesNotReachFreedLists) {
  auto doomed = std::make_unique<TArea>(world->Areas.get());
  load_area_text(*doomed, dir,
                 area_text("#SHOPS\n10 1 0 0 0 0 90 120 8 19\n0\n#REPAIRS\n20 1 0 0 60 1 8 19\n0\n"));
  doomed.reset();  // the sanitizer build catches a shop reaching back into a freed list
}

TEST_F(ShopsTest, SpecialsAreReadSkippingCommentsAndWrittenInMobileOrder) {
  load_area_text(area, dir,
                 area_text("#SPECIALS\n* comment line\nM 30 spec_guard  ; trailing text\nQ 10 spec_fido\n"
                           "M 10 SPEC_FIDO\nS\n"));
  EXPECT_EQ(std::make_tuple(mob(10).Special, mob(20).Special, mob(30).Special), std::make_tuple(1, -1, 2));
  EXPECT_EQ(save_area_text(area, dir), area_text("#SPECIALS\nM 10 spec_fido\nM 30 spec_guard\nS\n\n"));
  mob(10).Special = -1;
  mob(30).Special = -1;
  EXPECT_EQ(save_area_text(area, dir), area_text(""));
}

TEST_F(ShopsTest, UnknownKeepersAndSpecialsFail) {
  const std::pair<const char*, const char*> cases[] = {
      {"#SHOPS\n11 1 0 0 0 0 90 120 8 19\n0\n", "Bad keeper vnum "},
      {"#REPAIRS\n99 1 0 0 60 1 8 19\n0\n", "Bad keeper vnum "},
      {"#SPECIALS\nM 11 spec_fido\nS\n", "#SPECIALS:\r\nMobile vnum 11 doesnt exist."},
      {"#SPECIALS\nM 10 spec_nothing\nS\n",
       "#SPECIALS:\r\nBad SpecFunction \"spec_nothing\" for Mobile vnum 10"}};
  for (const auto& [sections, message] : cases)
    EXPECT_EQ(load_error(sections), path_line() + message) << sections;
}

TEST_F(ShopsTest, SpecialOutsideTheTableFailsTheSave) {
  load_area_text(area, dir, area_text(""));
  mob(20).Special = 0;
  std::string path = dir.file("out.are");
  std::string message = error_of([&] { area.save_area(path); });
  EXPECT_EQ(message, "save_area \"" + path + "\":\r\nSpecFunctions.IndexToName: Index out of range!");
  EXPECT_FALSE(std::filesystem::exists(path));
}

}  // namespace
}  // namespace tavro

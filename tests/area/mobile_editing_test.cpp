// What the mobile editor does to a world without a window: attributes drawn at random, a vnum change
// taking resets and program lines along, and the area's shop lists kept in step with the mobiles through
// every reversible change, taken back byte for byte.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "area/AreaTestSupport.h"
#include "area/Changes.h"
#include "area/Header.h"
#include "area/MobileEditing.h"
#include "area/Mobiles.h"
#include "area/Shops.h"
#include "world/Areas.h"

namespace tavro {
namespace {

std::string mobile(int vnum, const std::string& progs = "") {
  return "#" + std::to_string(vnum) + "\nmob~\nmob " + std::to_string(vnum) +
         "~\nA mob.~\n\n~\n0 0 0 S\n1 2 3 1d1+1 1d1+1\n0 0\n112 112 MALE\n" + progs + "\n";
}

const std::string kHome =
    "#AREA Home~\n\n#VERSION 11\n\n#MOBILES\n" + mobile(10) +
    mobile(20, "> greet_prog 100~\nmpmload 10\nif mobinroom(10) > 1\nmpoload 10\n~\n|\n") +
    "#0\n\n#RESETS\nM 0 10 1 100\nM 0 20 1 100\nS\n\n#SHOPS\n10 1 2 3 4 5 90 120 6 22\n0\n\n"
    "#REPAIRS\n10 1 2 3 60 1 8 19\n0\n\n#$\n";
const std::string kOther = "#AREA Other~\n\n#VERSION 11\n\n#RESETS\nM 0 10 2 200\nS\n\n#$\n";

class MobileEditingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const auto& [text, name] : {std::pair{kHome, "home.are"}, std::pair{kOther, "other.are"}}) {
      TArea& area = *world->Areas->Items.emplace_back(std::make_unique<TArea>(world->Areas.get()));
      test::load_area_text(area, dir, test::koi8(text), name);
    }
  }
  TArea& home() { return *world->Areas->Items[0]; }
  TArea& other() { return *world->Areas->Items[1]; }
  TAreaMobile& mob(int vnum) { return *home().Mobiles->FindByVnum(vnum); }
  std::pair<std::string, std::string> bytes() {
    return {test::save_area_text(home(), dir), test::save_area_text(other(), dir)};
  }
  // The area's lists hold exactly the shops of its listed mobiles.
  void expect_lists_match_mobiles() {
    std::set<const void*> shops, repairs;
    for (const auto& m : home().Mobiles->Items) {
      if (m->Shop) shops.insert(m->Shop.get());
      if (m->RepairShop) repairs.insert(m->RepairShop.get());
    }
    EXPECT_EQ(std::set<const void*>(home().Shops->Items.begin(), home().Shops->Items.end()), shops);
    EXPECT_EQ(std::set<const void*>(home().RepairShops->Items.begin(), home().RepairShops->Items.end()),
              repairs);
  }
  // Reverting restores both files exactly, applying again gives what the change made.
  void expect_reversible(TChange& change, const std::pair<std::string, std::string>& before) {
    const auto after = bytes();
    EXPECT_NE(after, before);
    change.Revert();
    expect_lists_match_mobiles();
    EXPECT_EQ(bytes(), before);
    change.Apply();
    expect_lists_match_mobiles();
    EXPECT_EQ(bytes(), after);
  }

  test::ScratchDir dir;
  std::unique_ptr<TWorld> world = test::make_test_world(dir.file("mud"));
};

TEST(RandomStatsTest, EveryAttributeFrom13To25AndBothEndsDrawn) {
  std::mt19937 random(7);
  std::vector<int32_t> drawn;
  for (int round = 0; round < 60; ++round) {
    const std::array<int32_t, 7> stats = RandomStats(random);
    drawn.insert(drawn.end(), stats.begin(), stats.end());
  }
  EXPECT_EQ(*std::min_element(drawn.begin(), drawn.end()), kRandomStatLow);
  EXPECT_EQ(*std::max_element(drawn.begin(), drawn.end()), kRandomStatHigh);
  std::mt19937 again(7);
  const std::array<int32_t, 7> first = RandomStats(again);
  EXPECT_TRUE(std::equal(first.begin(), first.end(), drawn.begin())) << "seeded, repeatable";
}

TEST(MobileProgramTest, OnlyNumbersAfterMobileWordsFollow) {
  const std::vector<std::tuple<std::string, std::string, int>> cases = {
      {"mpmload 10", "mpmload 77", 1},
      {"if mobinroom(10) > 10", "if mobinroom(77) > 10", 1},
      {"MobInArea( 10 )\r\nmobinworld 10", "MobInArea( 77 )\r\nmobinworld 77", 2},
      {"mpoload 10\nmpmload 100\nmpmload $n10\nmpmload room10",
       "mpoload 10\nmpmload 100\nmpmload $n10\nmpmload room10", 0},
      {"mpmload 5 10", "mpmload 5 10", 0},
  };
  for (const auto& [body, expected, changed] : cases) {
    int lines = -1;
    EXPECT_EQ(RenumberMobileInProgram(body, 10, 77, &lines), expected) << body;
    EXPECT_EQ(lines, changed) << body;
  }
}

TEST_F(MobileEditingTest, RenumberingCountsAsksAndTakesEveryReferenceAlong) {
  const std::vector<TMobileReferences> found = CountMobileReferences(home(), 10);
  ASSERT_EQ(found.size(), 2U);
  EXPECT_EQ(std::make_tuple(found[0].Area, found[0].Resets, found[0].ProgramLines),
            std::make_tuple(&home(), 1, 2));
  EXPECT_EQ(std::make_tuple(found[1].Area, found[1].Resets, found[1].ProgramLines),
            std::make_tuple(&other(), 1, 0));
  EXPECT_EQ(
      MobileRenumberQuestion(found, 10, 15),
      "Mobile 10 becomes mobile 15.\r\n2 resets and 2 program lines name mobile 10: 3 in \"Home\" "
      "(home.are), "
      "1 in \"Other\" (other.are).\r\n\r\nMake them name mobile 15?\r\nNo leaves them naming 10, where no "
      "mobile will be.");
  EXPECT_EQ(MobileRenumberQuestion({}, 10, 15), "");
  EXPECT_EQ(RetargetMobileReferences(home(), 11, 15), nullptr);

  const auto before = bytes();
  auto edited = std::make_unique<TAreaMobile>(home().Mobiles.get());
  edited->Assign(mob(10));
  edited->Vnum = 15;
  auto change = std::make_unique<TChangeGroup>();
  change->Add(ChangeRecord(mob(10), std::move(edited), &home(), kMobilesChanged));
  change->Add(RetargetMobileReferences(home(), 10, 15));
  EXPECT_TRUE(CountMobileReferences(home(), 10).empty());
  EXPECT_EQ(CountMobileReferences(home(), 15).size(), 2U);
  EXPECT_EQ(change->Touched().size(), 2U);
  expect_reversible(*change, before);
}

// A mobile edited to gain or lose its shops, deleted and added: the area's lists follow each step.
TEST_F(MobileEditingTest, ShopListsFollowEditsRemovalsAndAdditions) {
  auto& list = home().Mobiles->Items;
  const auto original = bytes();
  const auto edit = [&](TAreaMobile& live, bool shops) {
    auto copy = std::make_unique<TAreaMobile>(live.Owner);
    copy->Assign(live);
    copy->SetHasShop(shops);
    copy->SetHasRepairShop(shops);
    return ChangeRecord(live, std::move(copy), &home(), kMobilesChanged);
  };
  std::vector<std::unique_ptr<TChange>> steps;
  const auto step = [&](const auto& make) {
    const auto before = bytes();
    steps.push_back(make());
    expect_lists_match_mobiles();
    expect_reversible(*steps.back(), before);
  };
  step([&] { return edit(mob(20), true); });
  step([&] { return edit(mob(10), false); });
  step([&] { return ChangeList<TAreaMobile>(list, 1, nullptr, &home(), kMobilesChanged); });
  EXPECT_TRUE(home().Shops->Items.empty());
  step([&] {
    auto added = std::make_unique<TAreaMobile>(home().Mobiles.get());
    added->Vnum = 30;
    added->SetHasShop(true);
    return ChangeList(list, list.size(), std::move(added), &home(), kMobilesChanged);
  });
  EXPECT_EQ(home().Shops->Items.size(), 1U);
  const auto last = bytes();
  for (auto it = steps.rbegin(); it != steps.rend(); ++it)
    (*it)->Revert();
  expect_lists_match_mobiles();
  EXPECT_EQ(bytes(), original);
  for (auto& change : steps)
    change->Apply();
  EXPECT_EQ(bytes(), last);
}

}  // namespace
}  // namespace tavro

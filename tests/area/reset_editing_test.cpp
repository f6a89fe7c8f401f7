// Editing a reset list: where carried objects go, grid rows and their refusals, the list rebuilt room by
// room, the items the picker offers, wear locations, and every edit taken back byte for byte.
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "area/Area.h"
#include "area/AreaTestSupport.h"
#include "area/Changes.h"
#include "area/Mobiles.h"
#include "area/Objects.h"
#include "area/ResetEditing.h"
#include "area/ResetTree.h"
#include "area/Resets.h"
#include "area/Rooms.h"
#include "world/Areas.h"
#include "world/World.h"

namespace tavro {
namespace {

using test::cp1251;

class ResetEditingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    other = &add_area();
    home = &add_area();
    for (int32_t vnum : {100, 101})
      home->Rooms->Add().Vnum = vnum;
    item(*home->Objects, 20, "sword long");
    item(*home->Objects, 21, "bread");
    item(*home->Objects, 120, "Sword rusty");
    item(*other->Objects, 1200, "chest");
    item(*home->Mobiles, 10, "guard");
    item(*other->Mobiles, 11, "guard captain");
  }
  TArea& add_area() { return *world.Areas->Items.emplace_back(std::make_unique<TArea>(world.Areas.get())); }
  template <class List>
  static void item(List& list, int32_t vnum, const char* name) {
    auto& record = list.Add();
    record.Vnum = vnum;
    record.Name = name;
  }
  // Resets written as "letter extra arg1 arg2 arg3".
  void resets(const std::vector<std::string>& lines) {
    home->Resets->Clear();
    for (const std::string& line : lines) {
      TAreaReset& reset = home->Resets->Add();
      char letter = 0;
      ASSERT_EQ(std::sscanf(line.c_str(), "%c %d %d %d %d", &letter, &reset.Extra, &reset.Arg1, &reset.Arg2,
                            &reset.Arg3),
                5);
      reset.Command = letter;
    }
  }
  static std::vector<std::string> lines(const std::vector<std::unique_ptr<TAreaReset>>& list) {
    std::vector<std::string> out;
    for (const auto& r : list) {
      char line[64];
      std::snprintf(line, sizeof line, "%c %d %d %d %d", r->Command, r->Extra, r->Arg1, r->Arg2, r->Arg3);
      out.emplace_back(line);
    }
    return out;
  }
  // A room's tree as texts (parent node and text), for comparing what two lists put into the room.
  std::vector<std::string> tree_of(int32_t room) const {
    std::vector<std::string> out;
    const TResetTree tree = BuildResetTree(*home, room);
    for (int32_t n : tree.InTreeOrder()) {
      const TResetNode& node = tree.Nodes[size_t(n)];
      out.push_back(std::to_string(node.Parent) + " " + std::string(1, node.Reset->Command));
    }
    return out;
  }

  TWorld world;
  TArea* other = nullptr;
  TArea* home = nullptr;
};

TEST_F(ResetEditingTest, CarriedObjectsGoAfterTheMobilesRun) {
  resets({"M 0 10 1 100", "E 0 20 0 16", "E 0 21 0 5", "O 0 20 0 100", "M 0 10 1 101", "G 0 21 0 0",
          "H 0 0 0 0", "P 0 20 0 0"});
  EXPECT_EQ(CarriedResetPosition(*home->Resets, 0), 3U) << "after both E resets";
  EXPECT_EQ(CarriedResetPosition(*home->Resets, 4), 8U) << "the run reaches the end";
  EXPECT_EQ(CarriedResetPosition(*home->Resets, 3), 4U) << "nothing follows the O reset";
}

TEST_F(ResetEditingTest, GridRowsAreReadWholeOrRefused) {
  TAreaReset reset(home->Resets.get());
  reset.Command = 'P';
  reset.Extra = 1;
  reset.Arg1 = -20;
  reset.Arg2 = 0;
  reset.Arg3 = 2147483647;
  EXPECT_EQ(ResetRowText(reset), "P\r\n1\r\n-20\r\n0\r\n2147483647");
  TAreaReset read(home->Resets.get());
  ASSERT_EQ(ParseResetRow(ResetRowText(reset), read), "");
  EXPECT_EQ(ResetRowText(read), ResetRowText(reset));
  ASSERT_EQ(ParseResetRow("g\r\n 0\r\n+5\r\n0\r\n0", read), "")
      << "a lower-case letter is the server's letter";
  EXPECT_EQ(ResetRowText(read), "G\r\n0\r\n5\r\n0\r\n0");

  const std::vector<std::pair<std::string, std::string>> refused = {
      {"M\r\n0\r\nx1\r\n0\r\n0", "'x1' is not a whole number"},
      {"M\r\n0\r\n1\r\n0\r\n2147483648", "'2147483648' is not a whole number"},
      {"M\r\n0\r\n1\r\n\r\n0", "'' is not a whole number"},
      {"Q\r\n0\r\n1\r\n0\r\n0", "'Q' is no reset letter"},
      {"\r\n0\r\n1\r\n0\r\n0", "the letter is missing"},
      {"M\r\n0\r\n1\r\n0", "a reset row has 5 cells, this one 4"},
  };
  for (const auto& [row, message] : refused) {
    EXPECT_EQ(ParseResetRow(row, read), message) << row;
    EXPECT_EQ(ResetRowText(read), "G\r\n0\r\n5\r\n0\r\n0") << "nothing of a refused row is read";
  }
}

TEST_F(ResetEditingTest, RestructuringOrdersRoomByRoomAndKeepsTheUnplacedAtTheEnd) {
  resets({"O 0 1200 0 101", "M 0 10 2 100", "E 0 20 0 16", "P 5 21 0 20", "H 0 20 0 0", "B 0 20 257 0",
          "P 0 21 0 1200", "T 2 0 0 1200", "O 0 20 0 999", "P 0 21 0 0", "D 0 101 2 0", "G 0 21 0 0",
          "O 0 1200 0 100", "P 0 20 0 1200", "P 0 21 0 20", "H 0 21 0 0"});
  const TRestructuredResets result = RestructuredResets(*home);
  EXPECT_EQ(lines(result.Resets),
            (std::vector<std::string>{"M 0 10 2 100", "E 0 20 0 16", "P 0 21 0 0", "H 0 0 0 0", "B 0 0 257 0",
                                      "O 0 1200 0 100", "P 0 20 0 0", "P 1 21 0 0", "H 0 21 0 0",
                                      "O 0 1200 0 101", "P 0 21 0 0", "T 2 0 0 0", "D 0 101 2 0",
                                      "O 0 20 0 999", "P 0 21 0 0", "G 0 21 0 0"}))
      << "the chest of 101 also shows what goes into the chest of 100: those go with room 100 only";
  EXPECT_EQ(result.Unplaced, 3U) << "the room 999 no room of the area has, and what it carried";
  const std::vector<std::string> room_100 = tree_of(100);
  ASSERT_TRUE(ReplaceResets(*home, RestructuredResets(*home).Resets));
  EXPECT_EQ(tree_of(100), room_100) << "every reset finds its container by its place";
  EXPECT_EQ(tree_of(101), (std::vector<std::string>{"-1 O", "0 P", "0 T", "-1 D"}));
  EXPECT_EQ(lines(RestructuredResets(*home).Resets), lines(result.Resets)) << "a second time changes nothing";
}

TEST_F(ResetEditingTest, RestructureQuestionNamesTheUnplaced) {
  const std::string plain =
      "Attention!\r\nThis operation may cause damage, if resets list\r\nhave hidden behavior.\r\n\r\nAre you "
      "sure "
      "to continue?";
  EXPECT_EQ(RestructureQuestion(0), plain);
  EXPECT_EQ(RestructureQuestion(2),
            "Attention!\r\nThis operation may cause damage, if resets list\r\nhave hidden behavior.\r\n\r\n2 "
            "reset(s) belong to no room's tree; they are kept at the end of the list.\r\n\r\nAre you sure to "
            "continue?");
}

TEST_F(ResetEditingTest, EveryEditTakenBackRestoresTheFileExactly) {
  home->IsNew = false;
  home->Objects->Items.clear();  // the records are not what is saved here
  home->Mobiles->Items.clear();
  resets({"O 0 1200 0 101", "P 0 21 0 0", "M 0 10 1 100", "E 0 20 0 16", "Q 0 0 0 0"});
  TAreaReset values(home->Resets.get());
  values.SetEquip(21, 5);
  const std::vector<std::pair<const char*, std::function<std::unique_ptr<TChange>()>>> edits = {
      {"insert", [&] { return InsertReset(*home, 1, values); }},
      {"append", [&] { return InsertReset(*home, 99, values); }},
      {"remove", [&] { return RemoveReset(*home, 0); }},
      {"change", [&] { return ChangeReset(*home, 3, values); }},
      {"swap", [&] { return SwapResets(*home, 1, 2); }},
      {"restructure", [&] { return ReplaceResets(*home, RestructuredResets(*home).Resets); }},
  };
  const test::ScratchDir dir;
  const std::string before = test::save_area_text(*home, dir);
  for (const auto& [name, edit] : edits) {
    const std::unique_ptr<TChange> change = edit();
    ASSERT_TRUE(change) << name;
    EXPECT_EQ(change->Touched().size(), 1U) << name;
    EXPECT_EQ(change->Touched()[0].scope, uint32_t(kResetsChanged)) << name;
    const std::string after = test::save_area_text(*home, dir);
    EXPECT_NE(after, before) << name;
    change->Revert();
    EXPECT_EQ(test::save_area_text(*home, dir), before) << name;
    change->Apply();
    EXPECT_EQ(test::save_area_text(*home, dir), after) << name;
    change->Revert();
  }
  EXPECT_FALSE(SwapResets(*home, 4, 5)) << "past the end";
}

TEST_F(ResetEditingTest, PickerListsWhatTheFilterFinds) {
  struct Case {
    const char* name;
    ResetItemKind kind;
    TResetItemFilter filter;
    std::vector<int32_t> vnums;  // in the list's order
  };
  const std::vector<Case> cases = {
      {"own area, no strong check: all, sorted",
       ResetItemKind::Object,
       {true, false, TypedField::None, 0, ""},
       {21, 20, 120}},
      {"nothing typed finds nothing", ResetItemKind::Object, {true, true, TypedField::None, 0, ""}, {}},
      {"vnum digits anywhere", ResetItemKind::Object, {true, true, TypedField::Vnum, 20, ""}, {20, 120}},
      {"the world up to the own area",
       ResetItemKind::Object,
       {false, false, TypedField::Vnum, 20, ""},
       {1200, 20, 120}},
      {"keywords, case-sensitive", ResetItemKind::Object, {true, true, TypedField::Name, 0, "Sword"}, {120}},
      {"an empty name finds nothing", ResetItemKind::Object, {false, true, TypedField::Name, 0, ""}, {}},
      {"mobiles", ResetItemKind::Mobile, {false, true, TypedField::Name, 0, "guard"}, {10, 11}},
  };
  for (const Case& c : cases) {
    std::vector<int32_t> vnums;
    for (const TPickEntry& entry : ResetItemEntries(*home, c.kind, c.filter))
      vnums.push_back(entry.Value);
    EXPECT_EQ(vnums, c.vnums) << c.name;
  }
  // An area after the own one in the world's list is not offered.
  item(*add_area().Objects, 2000, "far sword");
  EXPECT_EQ(ResetItemEntries(*home, ResetItemKind::Object, {false, true, TypedField::Name, 0, "far"}).size(),
            0U);
}

TEST_F(ResetEditingTest, WearLocationsFollowTheObjectsWearFlags) {
  world.WearFlags = {"0=TAKE", "1=FINGER", "13=wield", "3=BODY"};
  world.WearLocations = {cp1251("-1=NONE нигде"),
                         cp1251("0=TAKE светит"),
                         cp1251("1=FINGER на пальце"),
                         cp1251("5=BODY на теле"),
                         cp1251("16=WIELD в руке"),
                         "17=UNKNOWN somewhere",
                         "x=BAD"};
  const auto numbers = [&](uint32_t flags) {
    std::vector<int32_t> out;
    for (const TPickEntry& entry : WearLocationEntries(world, flags))
      out.push_back(entry.Value);
    return out;
  };
  EXPECT_EQ(numbers(0), (std::vector<int32_t>{-1, 0}));
  EXPECT_EQ(numbers((1u << 13) | (1u << 3)), (std::vector<int32_t>{-1, 0, 5, 16}))
      << "names without regard to case";
  EXPECT_EQ(WearLocationEntries(world, 1u << 1)[2], (TPickEntry{cp1251("на пальце"), 1}));
}

}  // namespace
}  // namespace tavro

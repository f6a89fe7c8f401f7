// The reset tree of a room and the View text built on it: which node each reset makes and where it
// hangs, for every letter, and the whole text of a room compared with one written by hand.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "area/Area.h"
#include "area/AreaTestSupport.h"
#include "area/Mobiles.h"
#include "area/Objects.h"
#include "area/ResetTree.h"
#include "area/Resets.h"
#include "area/RoomView.h"
#include "area/Rooms.h"
#include "reading/Cases.h"
#include "world/Areas.h"
#include "world/World.h"

namespace tavro {
namespace {

using test::cp1251;

class ResetTreeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    world.ExitFlags = {"0=ISDOOR", "1=CLOSED", "2=LOCKED", "25=window"};
    world.WearLocations = {cp1251("5=BODY на теле"), cp1251("16=WIELD оружие в правой руке")};
    area = world.Areas->Items.emplace_back(std::make_unique<TArea>(world.Areas.get())).get();
    // The records live in another area of the world: names are looked up world-wide.
    TArea& shop = *world.Areas->Items.emplace_back(std::make_unique<TArea>(world.Areas.get()));
    object(shop, 20, "", "A sword lies here.");
    shop.Objects->Items.back()->ShortDescription = encode_cases(
        {cp1251("меч"), cp1251("меча"), cp1251("мечу"), cp1251("меч"), cp1251("мечом"), cp1251("мече")});
    object(shop, 21, "хлеб", "Bread.\r\n");
    object(shop, 22, "сундук", "A chest stands here.");
    object(shop, 23, "мешок", "A bag.");
    TAreaMobile& guard = shop.Mobiles->Add();
    guard.Vnum = 10;
    guard.ShortDescription = cp1251("стражник");
    guard.LongDescription = "A guard stands here.\r\n";
  }
  static void object(TArea& area, int32_t vnum, const char* name, const char* long_description) {
    TAreaObject& o = area.Objects->Add();
    o.Vnum = vnum;
    o.ShortDescription = cp1251(name);
    o.LongDescription = long_description;
  }
  // Resets written as "letter extra arg1 arg2 arg3".
  void resets(const std::vector<std::string>& lines) {
    for (const std::string& line : lines) {
      TAreaReset& reset = area->Resets->Add();
      char letter = 0;
      ASSERT_EQ(std::sscanf(line.c_str(), "%c %d %d %d %d", &letter, &reset.Extra, &reset.Arg1, &reset.Arg2,
                            &reset.Arg3),
                5)
          << line;
      reset.Command = letter;
    }
  }
  // The tree as shown, two blanks a level, and the list index of each node's reset.
  std::vector<std::string> shown(int32_t room) const {
    const TResetTree tree = BuildResetTree(*area, room);
    std::vector<std::string> lines;
    for (int32_t n : tree.InTreeOrder()) {
      const TResetNode& node = tree.Nodes[size_t(n)];
      std::string indent;
      for (int32_t p = node.Parent; p >= 0; p = tree.Nodes[size_t(p)].Parent)
        indent += "  ";
      EXPECT_EQ(tree.NodeOfReset(node.Index), n);
      lines.push_back(indent + std::to_string(node.Index) + " " + node.Text);
    }
    return lines;
  }

  TWorld world;
  TArea* area = nullptr;
};

struct TreeCase {
  const char* name;
  std::vector<std::string> resets;
  std::vector<std::string> tree;  // UTF-8
};

TEST_F(ResetTreeTest, EachLetterHangsWhereItsResetActs) {
  const std::vector<TreeCase> cases = {
      {"mobile with equipment and inventory",
       {"M 0 10 2 100", "E 1 20 0 16", "G 1 21 0 0", "P 0 23 0 0"},
       {"0 (2) стражник [10]", "  1 меч [20]  -->  оружие в правой руке", "  2 хлеб [21]",
        "    3 мешок [23]"}},
      {"a mobile of another room ends the object before it",
       {"O 0 22 0 100", "M 0 10 1 999", "P 0 21 0 0", "G 0 20 0 0"},
       {"0 сундук [22]"}},
      {"containers by vnum and by depth",
       {"O 0 22 0 100", "P 0 23 0 0", "P 1 21 0 0", "O 0 20 0 100", "P 0 21 0 22", "H 0 22 0 0"},
       {"0 сундук [22]", "  1 мешок [23]", "    2 хлеб [21]", "  4 хлеб [21]", "  5 Hide object.",
        "3 меч [20]"}},
      {"a container found nowhere in the tree",
       {"O 0 20 0 100", "P 0 21 0 23", "P 3 21 0 0"},
       {"0 меч [20]"}},
      {"exits, traps and bits; a direction past the table as its number",
       {"D 0 100 1 2", "R 0 100 12 0", "T 0 1 1 100", "O 0 22 0 100", "T 2 1 1 0", "B 0 100 1073742080 0",
        "B 0 22 -2147483647 0", "B 0 100 3 0", "B 0 100 2 0", "D 0 999 0 0"},
       {"0 Setup exit to восток", "1 Random exit to 12", "2 Place Trap into room.", "3 сундук [22]",
        "  4 Make Trap.", "  6 Object ExtraFlags toggle bits.", "5 ExitInfo set bits for exit to восток",
        "7 RoomFlags remove bits."}},
      {"records no area has",
       {"M 0 77 1 100", "E 0 78 0 5", "E 0 20 0 3"},
       {"0 Mobile [77]", "  1 Object [78]  -->  на теле", "  2 меч [20]  -->  3"}},
  };
  for (const TreeCase& c : cases) {
    area->Resets->Clear();
    resets(c.resets);
    std::vector<std::string> expected;
    for (const std::string& line : c.tree)
      expected.push_back(cp1251(line));
    EXPECT_EQ(shown(100), expected) << c.name;
  }
}

TEST_F(ResetTreeTest, ViewTextOfARoom) {
  TAreaRoom& room = area->Rooms->Add();
  room.Vnum = 100;
  room.EnsureDoor(DIR_NORTH).ToVnum = 101;
  room.EnsureDoor(DIR_NORTH).Flags = 3;
  room.EnsureDoor(DIR_EAST).ToVnum = 102;
  room.EnsureDoor(DIR_EAST).Flags = 1u << 25;
  room.EnsureDoor(DIR_SOUTHWEST).ToVnum = 103;
  room.EnsureDoor(DIR_UP).ToVnum = 0;
  resets({"O 0 20 0 100", "O 0 21 0 100", "O 0 20 0 100", "O 0 99 0 100", "M 0 10 1 100", "E 0 20 0 16",
          "M 0 10 1 100", "O 0 23 0 101"});
  const TRoomViewFields fields{cp1251("  Площадь "), " 100 ", cp1251("  Тихо.\r\n\r\n")};
  EXPECT_EQ(RoomViewText(fields, room, *area), cp1251("     &WПлощадь  &RКомната[&W100&R]&D\r\n  Тихо.\n"
                                                      "\n&cExits: [север] {восток} югозапад.\n"
                                                      "\n&GA sword lies here. (2)\nBread.\n"
                                                      "\n&OA guard stands here. (2)\n"));
  TAreaRoom& bare = area->Rooms->Add();
  bare.Vnum = 105;
  EXPECT_EQ(RoomViewText({"", "105", ""}, bare, *area),
            cp1251("     &W  &RКомната[&W105&R]&D\r\n  \n\n&cExits: Нет.\n"));
}

}  // namespace
}  // namespace tavro

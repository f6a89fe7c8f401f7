// An object's new vnum followed by the resets, door keys and program lines of every area that name it.
#include <gtest/gtest.h>

#include <cstdio>

#include "area/Area.h"
#include "area/AreaTestSupport.h"
#include "area/Changes.h"
#include "area/Mobiles.h"
#include "area/ObjectRenumbering.h"
#include "area/Objects.h"
#include "area/Programs.h"
#include "area/Resets.h"
#include "area/Rooms.h"
#include "world/Areas.h"

namespace tavro {
namespace {

TEST(ObjectRenumbering, ProgramLinesThatNameObjectsFollow) {
  struct Case {
    const char* body;
    const char* expected;
    int lines;
  };
  const Case cases[] = {
      {"mpoload 300 10", "mpoload 500 10", 1},
      {"if ovnumhere(300) > 300\r\n  mpat 300 mpoload 300\r\nendif",
       "if ovnumhere(500) > 300\r\n  mpat 300 mpoload 500\r\nendif", 2},
      {"MPOLOAD 300\nmpgoto 300", "MPOLOAD 500\nmpgoto 300", 1},
      {"if ovnum($o) == 300", "if ovnum($o) == 500", 1},
      {"mpoload 3001 mpoload 1300 mpoload -300", "mpoload 3001 mpoload 1300 mpoload -300", 0},
      {"mpoload $n300 300", "mpoload $n300 500", 1},
      {"say mpoloader 300", "say mpoloader 300", 0},
      {"", "", 0},
  };
  for (const Case& c : cases) {
    int lines = -1;
    EXPECT_EQ(RenumberObjectInProgram(c.body, 300, 500, &lines), c.expected) << c.body;
    EXPECT_EQ(lines, c.lines) << c.body;
  }
}

class ObjectRenumberingWorld : public ::testing::Test {
 protected:
  void SetUp() override {
    world.ItemTypes = {"ITEM_TRASH"};
    world.ItemTypesNative = {"trash"};
    world.ProgTypes = {"ACT_PROG"};
    test::add_races_classes_and_specials(world);
    home = &add_area();
    other = &add_area();
    home->Objects->Add().Vnum = 300;
    home->Objects->Add().Vnum = 301;
    resets(*home, {"O 300 0 100", "P 301 0 300", "M 50 1 100", "G 300 0 0", "E 300 0 5", "D 300 1 1"});
    resets(*other, {"P 300 0 301", "O 301 0 300"});
    TAreaRoom& room = home->Rooms->Add();
    room.Vnum = 100;
    room.EnsureDoor(1).Key = 300;
    room.EnsureDoor(2).Key = 301;
    prog(*room.Progs, "if ovnumroom(300) > 0\r\nmpat 300 say here\r\nendif");
    TAreaMobile& mobile = other->Mobiles->Add();
    mobile.Vnum = 50;
    prog(*mobile.Progs, "mpoload 300");
    prog(*mobile.Progs, "mpgoto 300");
    prog(*home->Objects->Items[1]->Progs, "mpoload 300 1");
  }

  TArea& add_area() {
    TArea& area = *world.Areas->Items.emplace_back(std::make_unique<TArea>(world.Areas.get()));
    area.IsNew = false;
    return area;
  }
  static void resets(TArea& area, const std::vector<std::string>& lines) {
    for (const std::string& line : lines) {
      TAreaReset& reset = area.Resets->Add();
      char letter = 0;
      ASSERT_EQ(std::sscanf(line.c_str(), "%c %d %d %d", &letter, &reset.Arg1, &reset.Arg2, &reset.Arg3), 4);
      reset.Command = letter;
    }
  }
  static void prog(TWorldProgs& progs, const std::string& body) {
    TWorldProg& p = progs.Add();
    p.ProgType = "ACT_PROG";
    p.Arguments = "p";
    p.Body = body;
  }
  std::pair<std::string, std::string> bytes() {
    return {test::save_area_text(*home, dir), test::save_area_text(*other, dir)};
  }

  TWorld world;
  TArea* home = nullptr;
  TArea* other = nullptr;
  test::ScratchDir dir;
};

TEST_F(ObjectRenumberingWorld, FindsEveryReferenceOfTheWorld) {
  EXPECT_EQ(FindObjectReferences(world, 300), (TObjectReferences{5, 1, 3}));
  EXPECT_EQ(FindObjectReferences(world, 301), (TObjectReferences{3, 1, 0}));
  EXPECT_EQ(FindObjectReferences(world, 999), TObjectReferences{});
  EXPECT_EQ(RenumberObjectReferences(world, 999, 1000), nullptr);
}

// Made, every reference names the new vnum and nothing else moved; taken back, every area is as it was,
// byte for byte; made again, as the first time.
TEST_F(ObjectRenumberingWorld, RevertingRestoresEveryAreaExactly) {
  const auto before = bytes();
  const std::unique_ptr<TChange> change = RenumberObjectReferences(world, 300, 700);
  ASSERT_TRUE(change);
  const auto after = bytes();
  EXPECT_EQ(FindObjectReferences(world, 300), TObjectReferences{});
  EXPECT_EQ(FindObjectReferences(world, 700), (TObjectReferences{5, 1, 3}));
  EXPECT_EQ(other->Mobiles->Items[0]->Progs->Items[1]->Body, "mpgoto 300");
  EXPECT_EQ(home->Resets->Items[5]->Arg1, 300) << "a door reset names a room";
  ASSERT_EQ(change->Touched().size(), 2U);
  EXPECT_EQ(change->Touched()[0].scope, kResetsChanged | kRoomsChanged | kObjectsChanged);
  EXPECT_EQ(change->Touched()[1].scope, kResetsChanged | kMobilesChanged);
  change->Revert();
  EXPECT_EQ(bytes(), before);
  change->Apply();
  EXPECT_EQ(bytes(), after);
}

}  // namespace
}  // namespace tavro

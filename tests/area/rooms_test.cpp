#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "area/Programs.h"
#include "area/Rooms.h"
#include "area/SectionTestSupport.h"
#include "reading/Error.h"

namespace tavro {
namespace {

using test::error_of;
using test::fixture;
using test::read_section;
using test::written_section;

// A room block with the given lines between its sector line and its 'S'.
std::string room_section(const std::string& vnum, const std::string& body,
                         const std::string& flags_line = "0 0 1") {
  return "#ROOMS\n#" + vnum + "\nA room~\nIt is a room.\n~\n" + flags_line + "\n" + body + "S\n#0\n";
}

std::string door_lines(int direction, const std::string& flags_line) {
  return "D" + std::to_string(direction) + "\nThe way.\n~\nway~\n" + flags_line + "\n";
}

class RoomsTest : public ::testing::Test {
 protected:
  void SetUp() override { w.set_version(11); }
  TAreaRooms& rooms() { return *w.area->Rooms; }
  TAreaRoom& only_room() {
    EXPECT_EQ(rooms().Items.size(), 1u);
    return *rooms().Items.at(0);
  }

  test::SectionWorld w;
};

TEST_F(RoomsTest, FullSectionRoundTripsByteForByte) {
  const std::string text = fixture("rooms_full.are");
  read_section(rooms(), text);
  ASSERT_EQ(rooms().Items.size(), 2u);
  const TAreaRoom& hall = *rooms().Items[0];
  EXPECT_EQ(hall.Vnum, 100);
  EXPECT_EQ(hall.Name, "The Hall");
  EXPECT_EQ(hall.Description, "A wide hall with a high ceiling.\r\nTorches burn on the walls.\r\n");
  EXPECT_EQ(hall.Flags, 8u + 1024u);
  EXPECT_EQ(hall.Sector, 1);
  ASSERT_NE(hall.Doors[0], nullptr);
  const TAreaDoor& north = *hall.Doors[0];
  EXPECT_EQ(north.Direction, 0);
  EXPECT_EQ(north.Keyword, "door oak");
  EXPECT_EQ(north.Flags, 1u);
  EXPECT_EQ(north.ToVnum, 101);
  EXPECT_EQ(north.Sex, 1);
  EXPECT_EQ(north.ShortName(), "oak door");
  EXPECT_EQ(north.OpenState(), "The door is open.");
  EXPECT_EQ(north.BashedDescription(), "The door lies in splinters.");
  EXPECT_EQ(north.PickFatalUnsuccess(), "Your pick breaks.");
  ASSERT_NE(hall.Doors[5], nullptr);
  EXPECT_EQ(hall.Doors[5]->Distance, 3);
  EXPECT_EQ(hall.Doors[5]->PullType, 2);
  EXPECT_EQ(hall.Doors[5]->Pull, 5);
  EXPECT_EQ(hall.Doors[2], nullptr);
  EXPECT_EQ(hall.Doors[1]->Texts, nullptr);  // a passage has no door texts to hold
  ASSERT_EQ(hall.ExtraDescs.Items.size(), 1u);
  EXPECT_EQ(hall.ExtraDescs.Items[0]->Keyword, "torches");
  ASSERT_NE(hall.Map, nullptr);
  EXPECT_EQ(hall.Map->MapVnum, 3000);
  EXPECT_EQ(hall.Map->Entry, '#');
  ASSERT_EQ(hall.Progs->Items.size(), 1u);
  EXPECT_EQ(hall.Progs->Items[0]->ProgType, "act_prog");
  const TAreaRoom& north_room = *rooms().Items[1];
  EXPECT_EQ(north_room.TeleDelay, 5);
  EXPECT_EQ(north_room.TeleVnum, 200);
  EXPECT_EQ(north_room.Tunnel, 1);
  EXPECT_EQ(written_section(rooms()), text);
}

TEST_F(RoomsTest, ShortFlagsLinesReadZerosAndWriteBackShort) {
  read_section(rooms(), room_section("5", door_lines(1, "0 0 6") + door_lines(2, "0 0 7 1 3 0")));
  const TAreaRoom& room = only_room();
  EXPECT_EQ(room.TeleDelay, 0);
  EXPECT_EQ(room.TeleVnum, 0);
  EXPECT_EQ(room.Tunnel, 0);
  EXPECT_EQ(room.Doors[1]->Distance, 0);
  EXPECT_EQ(room.Doors[1]->PullType, 0);
  EXPECT_EQ(room.Doors[1]->Pull, 0);
  EXPECT_EQ(room.Doors[2]->Distance, 1);
  EXPECT_EQ(room.Doors[2]->PullType, 3);
  const std::string text = written_section(rooms());
  EXPECT_NE(text.find("~\n0 0 1\nD1\n"), std::string::npos) << text;
  EXPECT_NE(text.find("way~\n0 0 6\nD2\n"), std::string::npos) << text;
  // Distance 1 with no pull does not write the triple, so a pull type alone is not saved.
  EXPECT_NE(text.find("way~\n0 0 7\nS\n"), std::string::npos) << text;
}

TEST_F(RoomsTest, TeleportTripleIsWrittenOnlyWhenItMeansSomething) {
  TAreaRoom& room = rooms().Add();
  room.Vnum = 9;
  room.TeleDelay = 5;  // without a target
  EXPECT_NE(written_section(rooms()).find("\n0 0 0\nS\n"), std::string::npos);
  room.TeleVnum = 10;
  EXPECT_NE(written_section(rooms()).find("\n0 0 0 5 10 0\nS\n"), std::string::npos);
  room.TeleDelay = 0;
  room.TeleVnum = 0;
  room.Tunnel = 1;
  EXPECT_NE(written_section(rooms()).find("\n0 0 0 0 0 1\nS\n"), std::string::npos);
}

TEST_F(RoomsTest, ExitsLeadingNowhereAreSavedOnlyWithADescription) {
  TAreaRoom& room = rooms().Add();
  room.Vnum = 9;
  room.EnsureDoor(DIR_EAST).Description = "\r\n\r\n";  // only line breaks: nothing to say
  room.EnsureDoor(DIR_WEST).Description = "A wall.\r\n";
  room.EnsureDoor(DIR_UP).ToVnum = 12;
  const std::string text = written_section(rooms());
  EXPECT_EQ(text.find("D1\n"), std::string::npos) << text;
  EXPECT_NE(text.find("D3\nA wall.\n~\n~\n0 0 0\n"), std::string::npos) << text;
  EXPECT_NE(text.find("D4\n~\n~\n0 0 12\n"), std::string::npos) << text;
}

TEST_F(RoomsTest, DoorOfAVersion7AreaHasNoExtendedTextsAndGainsThemWhenWritten) {
  w.set_version(7);
  read_section(rooms(), room_section("5", door_lines(0, "A 0 6")));
  const TAreaDoor& door = *only_room().Doors[0];
  EXPECT_EQ(door.Sex, 0);
  EXPECT_EQ(door.ShortName(), "");
  std::string expected = "D0\nThe way.\n~\nway~\nA 0 6\n0 0\n";
  for (int i = 0; i < 24; ++i)
    expected += "~\n";
  expected += "S\n";
  EXPECT_NE(written_section(rooms()).find(expected), std::string::npos) << written_section(rooms());
}

TEST_F(RoomsTest, DoorOfVersions8To10ReadsSixTextsThenSexAndMultiple) {
  for (int version : {8, 10}) {
    rooms().Clear();
    w.set_version(version);
    read_section(rooms(), room_section("5", door_lines(0, "A 0 6") +
                                                "gate~\nsplinters~\nopen~\nshut~\nopens~\nshuts~\n2 1\n"));
    const TAreaDoor& door = *only_room().Doors[0];
    EXPECT_EQ(door.ShortName(), "gate");
    EXPECT_EQ(door.BashedDescription(), "splinters");
    EXPECT_EQ(door.OpenState(), "open");
    EXPECT_EQ(door.CloseState(), "shut");
    EXPECT_EQ(door.OpenAction(), "opens");
    EXPECT_EQ(door.CloseAction(), "shuts");
    EXPECT_EQ(door.Sex, 2);
    EXPECT_EQ(door.Multiple, 1);
    // Written in the current order: short name, open state, open action, close state, close action, ...
    EXPECT_NE(
        written_section(rooms()).find("A 0 6\n2 1\ngate~\nopen~\nopens~\nshut~\nshuts~\n~\n~\nsplinters~\n"),
        std::string::npos);
  }
}

TEST_F(RoomsTest, ExitWithoutTheDoorBitReadsNoExtendedTexts) {
  read_section(rooms(), room_section("5", door_lines(0, "B 0 6")));
  EXPECT_EQ(only_room().Doors[0]->Flags, 2u);
  EXPECT_EQ(written_section(rooms()),
            "#ROOMS\n#5\nA room~\nIt is a room.\n~\n0 0 1\nD0\nThe way.\n~\nway~\nB 0 6\nS\n\n#0\n\n");
}

TEST_F(RoomsTest, ALaterExitInTheSameDirectionReplacesTheEarlier) {
  read_section(rooms(), room_section("5", door_lines(3, "0 0 6") + door_lines(3, "0 0 8")));
  EXPECT_EQ(only_room().Doors[3]->ToVnum, 8);
}

TEST_F(RoomsTest, EmptySectionGivesEmptyListAndEmptyListWritesNothing) {
  read_section(rooms(), "#ROOMS\n#0\n");
  EXPECT_TRUE(rooms().Items.empty());
  EXPECT_EQ(written_section(rooms()), "");
}

TEST_F(RoomsTest, DoorDirectionsOutsideTheSlotsFail) {
  EXPECT_EQ(error_of([&] { read_section(rooms(), room_section("5", door_lines(11, "0 0 6"))); }),
            "#ROOMS (beyond5):\r\n#ROOMS (5):\r\nBad door direction: 11");
  rooms().Clear();
  EXPECT_EQ(error_of([&] { read_section(rooms(), room_section("6", "D-1\n~\n~\n0 0 6\n")); }),
            "#ROOMS (beyond6):\r\n#ROOMS (6):\r\nBad door direction: -1");
  rooms().Clear();
  read_section(rooms(), room_section("7", door_lines(0, "0 0 6") + door_lines(10, "0 0 8")));
  EXPECT_EQ(only_room().Doors[10]->ToVnum, 8);
}

TEST_F(RoomsTest, MapCoordinatesAreCheckedAgainstTheOverlandMap) {
  read_section(rooms(), room_section("5", "M\n1 78 48 X\n"));
  EXPECT_EQ(only_room().Map->MapX, 78);
  EXPECT_EQ(only_room().Map->MapY, 48);
  EXPECT_EQ(only_room().Map->Entry, 'X');
  const std::string x_prefix =
      "#ROOMS (beyond5):\r\n#ROOMS (5):\r\nload_room_map:\r\nMap X coord out of range in Room 5";
  const std::string y_prefix =
      "#ROOMS (beyond5):\r\n#ROOMS (5):\r\nload_room_map:\r\nMap Y coord out of range in Room 5";
  for (const char* coords : {"79 0", "-1 0", "79 49"}) {
    rooms().Clear();
    EXPECT_EQ(
        error_of([&] { read_section(rooms(), room_section("5", std::string("M\n1 ") + coords + " X\n")); }),
        x_prefix)
        << coords;
  }
  for (const char* coords : {"0 49", "0 -1"}) {
    rooms().Clear();
    EXPECT_EQ(
        error_of([&] { read_section(rooms(), room_section("5", std::string("M\n1 ") + coords + " X\n")); }),
        y_prefix)
        << coords;
  }
}

TEST_F(RoomsTest, ASecondMapEntryReplacesTheFirst) {
  read_section(rooms(), room_section("5", "M\n1 2 3 a\nM\n4 5 6 b\n"));
  EXPECT_EQ(only_room().Map->MapVnum, 4);
  EXPECT_EQ(only_room().Map->Entry, 'b');
}

TEST_F(RoomsTest, BlankMapEntryIsWrittenSoThatItReadsBack) {
  TAreaRoom& room = rooms().Add();
  room.Vnum = 5;
  room.EnsureMap().Entry = ' ';
  const std::string text = written_section(rooms());
  EXPECT_NE(text.find("M\n0 0 0 .\nS\n"), std::string::npos) << text;
  rooms().Clear();
  read_section(rooms(), text);
  EXPECT_EQ(only_room().Map->Entry, '.');
}

TEST_F(RoomsTest, SectionAndRecordErrorsNameTheVnums) {
  EXPECT_EQ(
      error_of([&] { read_section(rooms(), "#ROOMS\n#5\nA~\n~\n0 0 1\nS\n#5\nB~\n~\n0 0 1\nS\n#0\n"); }),
      "#ROOMS (beyond5):\r\nDuplicate vnum 5");
  rooms().Clear();
  EXPECT_EQ(error_of([&] { read_section(rooms(), "#ROOMS\n#5\nA~\n~\n0 0 1\nS\nX\n"); }),
            "#ROOMS (beyond5):\r\n# not found.");
  rooms().Clear();
  EXPECT_EQ(error_of([&] { read_section(rooms(), "#ROOMS\nX\n"); }), "#ROOMS (beyond0):\r\n# not found.");
  rooms().Clear();
  EXPECT_EQ(error_of([&] { read_section(rooms(), room_section("8", "Q\n")); }),
            "#ROOMS (beyond8):\r\n#ROOMS (8):\r\nHave flag not 'DESM>'");
  rooms().Clear();
  EXPECT_EQ(error_of([&] { read_section(rooms(), room_section("8", "D2\n~\n~\nA 0 3\n1 x\n")); }),
            "#ROOMS (beyond8):\r\n#ROOMS (8):\r\nload in direction 2:\r\nfread_number: Bad format. (x)");
  rooms().Clear();
  EXPECT_EQ(error_of([&] { read_section(rooms(), "#ROOMS\n#9\nA~\n~\n"); }),
            "#ROOMS (beyond9):\r\n#ROOMS (9):\r\nfread_number: fread_letter: EOF encountered on read.");
}

TEST_F(RoomsTest, AFailedRoomIsDiscardedAndADuplicateOfAnEarlierSectionFails) {
  read_section(rooms(), "#ROOMS\n#5\nA~\n~\n0 0 1\nS\n#0\n");
  EXPECT_FALSE(error_of([&] { read_section(rooms(), "#ROOMS\n#6\nB~\n~\n0 0 1\nQ\n"); }).empty());
  EXPECT_EQ(rooms().Items.size(), 1u);
  EXPECT_EQ(error_of([&] { read_section(rooms(), "#ROOMS\n#5\nA~\n~\n0 0 1\nS\n#0\n"); }),
            "#ROOMS (beyond5):\r\nDuplicate vnum 5");
}

TEST_F(RoomsTest, LookupsByVnum) {
  EXPECT_EQ(rooms().NextFreeVnum(), 1);
  for (int32_t vnum : {-4, -2})
    rooms().Add().Vnum = vnum;
  EXPECT_EQ(rooms().NextFreeVnum(), 1);
  for (int32_t vnum : {7, 3, 7})
    rooms().Add().Vnum = vnum;
  EXPECT_EQ(rooms().NextFreeVnum(), 8);
  EXPECT_EQ(rooms().FindByVnum(7), rooms().Items[2].get());
  EXPECT_EQ(rooms().FindByVnum(8), nullptr);
  EXPECT_EQ(rooms().IndexOfVnum(7), 2);
  EXPECT_EQ(rooms().IndexOfVnum(7, 7), -1);  // a self-exit finds nothing
  EXPECT_EQ(rooms().IndexOfVnum(3, 7), 3);
  EXPECT_EQ(rooms().IndexOfVnum(99), -1);
}

TEST_F(RoomsTest, AssignCopiesEverythingButUneditedPlaceholders) {
  read_section(rooms(), fixture("rooms_full.are"));
  TAreaRoom& hall = *rooms().Items[0];
  hall.X = 3;
  hall.Y = 4;
  hall.Level = -1;
  hall.Unplaced = true;
  hall.EnsureDoor(DIR_WEST).IsPlaceholder = true;  // shown only
  TAreaDoor& edited = hall.EnsureDoor(DIR_SOUTHWEST);
  edited.IsPlaceholder = true;
  edited.Modified = true;
  edited.ToVnum = 55;

  TAreaRoom copy(&rooms());
  copy.EnsureDoor(DIR_DOWN).ToVnum = 1;       // replaced by the source's exit
  copy.EnsureDoor(DIR_SOMEWHERE).ToVnum = 1;  // absent in the source: freed
  copy.Assign(hall);
  EXPECT_EQ(copy.Vnum, 100);
  EXPECT_EQ(copy.Description, hall.Description);
  EXPECT_EQ(copy.Doors[DIR_WEST], nullptr);
  EXPECT_EQ(copy.Doors[DIR_SOMEWHERE], nullptr);
  ASSERT_NE(copy.Doors[DIR_SOUTHWEST], nullptr);
  EXPECT_EQ(copy.Doors[DIR_SOUTHWEST]->ToVnum, 55);
  EXPECT_FALSE(copy.Doors[DIR_SOUTHWEST]->IsPlaceholder);
  EXPECT_FALSE(copy.Doors[DIR_SOUTHWEST]->Modified);
  EXPECT_EQ(copy.Doors[DIR_SOUTHWEST]->Owner, &copy);
  EXPECT_EQ(copy.Doors[DIR_NORTH]->PickAction(), "You pick the lock.");
  EXPECT_EQ(copy.Doors[DIR_DOWN]->Pull, 5);
  EXPECT_NE(copy.Doors[DIR_NORTH].get(), hall.Doors[DIR_NORTH].get());
  ASSERT_NE(copy.Map, nullptr);
  EXPECT_EQ(copy.Map->Entry, '#');  // a new map takes the source's entry
  EXPECT_EQ(copy.Map->Owner, &copy);
  EXPECT_EQ(copy.X, 3);
  EXPECT_EQ(copy.Y, 4);
  EXPECT_EQ(copy.Level, -1);
  EXPECT_TRUE(copy.Unplaced);
  ASSERT_EQ(copy.ExtraDescs.Items.size(), 1u);
  EXPECT_NE(copy.ExtraDescs.Items[0].get(), hall.ExtraDescs.Items[0].get());
  ASSERT_EQ(copy.Progs->Items.size(), 1u);
  EXPECT_EQ(copy.Progs->Items[0]->Body, hall.Progs->Items[0]->Body);

  // An existing map keeps its entry; a source without a map frees it.
  copy.Map->Entry = 'k';
  hall.Map->MapX = 9;
  copy.Assign(hall);
  EXPECT_EQ(copy.Map->Entry, 'k');
  EXPECT_EQ(copy.Map->MapX, 9);
  hall.Map.reset();
  copy.Assign(hall);
  EXPECT_EQ(copy.Map, nullptr);
}

TEST_F(RoomsTest, DoorAssignKeepsItsOwnerAndClearsTheEditorMarks) {
  TAreaRoom a(&rooms()), b(&rooms());
  TAreaDoor& source = a.EnsureDoor(DIR_EAST);
  source.Keyword = "gate";
  source.Sex = 2;
  source.LockAction() = "click";
  source.IsPlaceholder = true;
  source.Modified = true;
  TAreaDoor& target = b.EnsureDoor(DIR_EAST);
  target.Assign(source);
  EXPECT_EQ(target.Owner, &b);
  EXPECT_EQ(target.Keyword, "gate");
  EXPECT_EQ(target.Sex, 2);
  EXPECT_EQ(target.LockAction(), "click");
  EXPECT_NE(target.Texts.get(), source.Texts.get());
  source.Texts.reset();
  target.Assign(source);
  EXPECT_EQ(target.LockAction(), "");
  EXPECT_FALSE(target.IsPlaceholder);
  EXPECT_FALSE(target.Modified);
}

TEST(DirectionsTest, ReverseDirectionsPairUp) {
  for (int d = 0; d < DirectionCount; ++d)
    EXPECT_EQ(RevDir[static_cast<size_t>(RevDir[static_cast<size_t>(d)])], d);
  EXPECT_EQ(RevDir[DIR_NORTHEAST], DIR_SOUTHWEST);
  EXPECT_EQ(RevDir[DIR_SOMEWHERE], DIR_SOMEWHERE);
  EXPECT_STREQ(DirectionCaptions[DIR_SOMEWHERE], "?");
}

}  // namespace
}  // namespace tavro

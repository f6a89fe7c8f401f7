#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "area/Programs.h"
#include "area/Rooms.h"
#include "area/SectionTestSupport.h"
#include "reading/Error.h"

namespace tavro {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

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
  TAreaRoom& add(int32_t vnum) {
    TAreaRoom& room = rooms().Add();
    room.Vnum = vnum;
    return room;
  }
  std::string read_error(const std::string& text) {
    rooms().Clear();
    return error_of([&] { read_section(rooms(), text); });
  }
  void expect_written(const std::string& part) {
    const std::string text = written_section(rooms());
    EXPECT_THAT(text, HasSubstr(part));
  }

  test::SectionWorld w;
};

TEST_F(RoomsTest, FullSectionIsReadIntoItsFieldsAndRoundTripsByteForByte) {
  const std::string text = fixture("rooms_full.are");
  read_section(rooms(), text);
  ASSERT_EQ(rooms().Items.size(), 2u);
  const TAreaRoom& hall = *rooms().Items[0];
  EXPECT_EQ(
      std::tie(hall.Vnum, hall.Name, hall.Description, hall.Flags, hall.Sector),
      std::make_tuple(100, "The Hall", "A wide hall with a high ceiling.\r\nTorches burn on the walls.\r\n",
                      8u + 1024u, 1));
  ASSERT_NE(hall.Doors[0], nullptr);
  const TAreaDoor& north = *hall.Doors[0];
  EXPECT_EQ(std::tie(north.Direction, north.Keyword, north.Flags, north.ToVnum, north.Sex),
            std::make_tuple(0, "door oak", 1u, 101, 1));
  EXPECT_EQ(
      std::tie(north.ShortName(), north.OpenState(), north.BashedDescription(), north.PickFatalUnsuccess()),
      std::make_tuple("oak door", "The door is open.", "The door lies in splinters.", "Your pick breaks."));
  ASSERT_NE(hall.Doors[5], nullptr);
  EXPECT_EQ(std::tie(hall.Doors[5]->Distance, hall.Doors[5]->PullType, hall.Doors[5]->Pull),
            std::make_tuple(3, 2, 5));
  EXPECT_EQ(hall.Doors[2], nullptr);
  EXPECT_EQ(hall.Doors[1]->Texts, nullptr);  // a passage has no door texts to hold
  ASSERT_EQ(hall.ExtraDescs.Items.size(), 1u);
  EXPECT_EQ(hall.ExtraDescs.Items[0]->Keyword, "torches");
  ASSERT_NE(hall.Map, nullptr);
  EXPECT_EQ(std::tie(hall.Map->MapVnum, hall.Map->Entry), std::make_tuple(3000, '#'));
  ASSERT_EQ(hall.Progs->Items.size(), 1u);
  EXPECT_EQ(hall.Progs->Items[0]->ProgType, "act_prog");
  const TAreaRoom& north_room = *rooms().Items[1];
  EXPECT_EQ(std::tie(north_room.TeleDelay, north_room.TeleVnum, north_room.Tunnel),
            std::make_tuple(5, 200, 1));
  EXPECT_EQ(written_section(rooms()), text);
}

TEST_F(RoomsTest, ShortFlagsLinesReadZerosAndWriteBackShort) {
  read_section(rooms(), room_section("5", door_lines(1, "0 0 6") + door_lines(2, "0 0 7 1 3 0")));
  const TAreaRoom& room = only_room();
  EXPECT_EQ(std::tie(room.TeleDelay, room.TeleVnum, room.Tunnel), std::make_tuple(0, 0, 0));
  EXPECT_EQ(std::tie(room.Doors[1]->Distance, room.Doors[1]->PullType, room.Doors[1]->Pull),
            std::make_tuple(0, 0, 0));
  EXPECT_EQ(std::tie(room.Doors[2]->Distance, room.Doors[2]->PullType), std::make_tuple(1, 3));
  expect_written("~\n0 0 1\nD1\n");
  expect_written("way~\n0 0 6\nD2\n");
  // Distance 1 with no pull does not write the triple, so a pull type alone is not saved.
  expect_written("way~\n0 0 7\nS\n");
}

TEST_F(RoomsTest, TeleportTripleIsWrittenOnlyWhenItMeansSomething) {
  TAreaRoom& room = add(9);
  room.TeleDelay = 5;  // without a target
  expect_written("\n0 0 0\nS\n");
  room.TeleVnum = 10;
  expect_written("\n0 0 0 5 10 0\nS\n");
  room.TeleDelay = room.TeleVnum = 0;
  room.Tunnel = 1;
  expect_written("\n0 0 0 0 0 1\nS\n");
}

TEST_F(RoomsTest, ExitsLeadingNowhereAreSavedOnlyWithADescription) {
  TAreaRoom& room = add(9);
  room.EnsureDoor(DIR_EAST).Description = "\r\n\r\n";  // only line breaks: nothing to say
  room.EnsureDoor(DIR_WEST).Description = "A wall.\r\n";
  room.EnsureDoor(DIR_UP).ToVnum = 12;
  EXPECT_THAT(written_section(rooms()), Not(HasSubstr("D1\n")));
  expect_written("D3\nA wall.\n~\n~\n0 0 0\n");
  expect_written("D4\n~\n~\n0 0 12\n");
}

TEST_F(RoomsTest, DoorOfAVersion7AreaHasNoExtendedTextsAndGainsThemWhenWritten) {
  w.set_version(7);
  read_section(rooms(), room_section("5", door_lines(0, "A 0 6")));
  EXPECT_EQ(std::tie(only_room().Doors[0]->Sex, only_room().Doors[0]->ShortName()), std::make_tuple(0, ""));
  std::string empty_texts;
  for (int i = 0; i < 24; ++i)
    empty_texts += "~\n";
  expect_written("D0\nThe way.\n~\nway~\nA 0 6\n0 0\n" + empty_texts + "S\n");
}

TEST_F(RoomsTest, DoorOfVersions8To10ReadsSixTextsThenSexAndMultiple) {
  for (int version : {8, 10}) {
    rooms().Clear();
    w.set_version(version);
    read_section(rooms(), room_section("5", door_lines(0, "A 0 6") +
                                                "gate~\nsplinters~\nopen~\nshut~\nopens~\nshuts~\n2 1\n"));
    const TAreaDoor& door = *only_room().Doors[0];
    EXPECT_EQ(std::tie(door.ShortName(), door.BashedDescription(), door.OpenState(), door.CloseState(),
                       door.OpenAction(), door.CloseAction(), door.Sex, door.Multiple),
              std::make_tuple("gate", "splinters", "open", "shut", "opens", "shuts", 2, 1));
    // Written in the current order: short name, open state, open action, close state, close action, ...
    expect_written("A 0 6\n2 1\ngate~\nopen~\nopens~\nshut~\nshuts~\n~\n~\nsplinters~\n");
  }
}

TEST_F(RoomsTest, ExitWithoutTheDoorBitReadsNoExtendedTexts) {
  read_section(rooms(), room_section("5", door_lines(0, "B 0 6")));
  EXPECT_EQ(only_room().Doors[0]->Flags, 2u);
  EXPECT_EQ(written_section(rooms()),
            "#ROOMS\n#5\nA room~\nIt is a room.\n~\n0 0 1\nD0\nThe way.\n~\nway~\nB 0 6\nS\n\n#0\n\n");
}

TEST_F(RoomsTest, LaterExitOrMapEntryReplacesTheEarlier) {
  read_section(rooms(), room_section("5", door_lines(3, "0 0 6") + door_lines(3, "0 0 8") +
                                              "M\n1 2 3 a\nM\n4 5 6 b\n"));
  EXPECT_EQ(std::tie(only_room().Doors[3]->ToVnum, only_room().Map->MapVnum, only_room().Map->Entry),
            std::make_tuple(8, 4, 'b'));
}

TEST_F(RoomsTest, EmptySectionGivesEmptyListAndEmptyListWritesNothing) {
  read_section(rooms(), "#ROOMS\n#0\n");
  EXPECT_TRUE(rooms().Items.empty());
  EXPECT_EQ(written_section(rooms()), "");
}

TEST_F(RoomsTest, DoorDirectionsOutsideTheSlotsFail) {
  EXPECT_EQ(read_error(room_section("5", door_lines(11, "0 0 6"))),
            "#ROOMS (beyond5):\r\n#ROOMS (5):\r\nBad door direction: 11");
  EXPECT_EQ(read_error(room_section("6", "D-1\n~\n~\n0 0 6\n")),
            "#ROOMS (beyond6):\r\n#ROOMS (6):\r\nBad door direction: -1");
  rooms().Clear();
  read_section(rooms(), room_section("7", door_lines(0, "0 0 6") + door_lines(10, "0 0 8")));
  EXPECT_EQ(only_room().Doors[10]->ToVnum, 8);
}

TEST_F(RoomsTest, MapCoordinatesAreCheckedAgainstTheOverlandMap) {
  read_section(rooms(), room_section("5", "M\n1 78 48 X\n"));
  EXPECT_EQ(std::tie(only_room().Map->MapX, only_room().Map->MapY, only_room().Map->Entry),
            std::make_tuple(78, 48, 'X'));
  const std::pair<const char*, char> cases[] = {
      {"79 0", 'X'}, {"-1 0", 'X'}, {"79 49", 'X'}, {"0 49", 'Y'}, {"0 -1", 'Y'}};
  for (const auto& [coords, axis] : cases)
    EXPECT_EQ(read_error(room_section("5", std::string("M\n1 ") + coords + " X\n")),
              "#ROOMS (beyond5):\r\n#ROOMS (5):\r\nload_room_map:\r\nMap " + std::string(1, axis) +
                  " coord out of range in Room 5")
        << coords;
}

TEST_F(RoomsTest, BlankMapEntryIsWrittenSoThatItReadsBack) {
  add(5).EnsureMap().Entry = ' ';
  const std::string text = written_section(rooms());
  EXPECT_THAT(text, HasSubstr("M\n0 0 0 .\nS\n"));
  rooms().Clear();
  read_section(rooms(), text);
  EXPECT_EQ(only_room().Map->Entry, '.');
}

TEST_F(RoomsTest, SectionAndRecordErrorsNameTheVnums) {
  const std::pair<std::string, std::string> cases[] = {
      {"#ROOMS\n#5\nA~\n~\n0 0 1\nS\n#5\nB~\n~\n0 0 1\nS\n#0\n", "#ROOMS (beyond5):\r\nDuplicate vnum 5"},
      {"#ROOMS\n#5\nA~\n~\n0 0 1\nS\nX\n", "#ROOMS (beyond5):\r\n# not found."},
      {"#ROOMS\nX\n", "#ROOMS (beyond0):\r\n# not found."},
      {room_section("8", "Q\n"), "#ROOMS (beyond8):\r\n#ROOMS (8):\r\nHave flag not 'DESM>'"},
      {room_section("8", "D2\n~\n~\nA 0 3\n1 x\n"),
       "#ROOMS (beyond8):\r\n#ROOMS (8):\r\nload in direction 2:\r\nfread_number: Bad format. (x)"},
      {"#ROOMS\n#9\nA~\n~\n",
       "#ROOMS (beyond9):\r\n#ROOMS (9):\r\nfread_number: fread_letter: EOF encountered on read."}};
  for (const auto& [text, message] : cases)
    EXPECT_EQ(read_error(text), message) << text;
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
    add(vnum);
  EXPECT_EQ(rooms().NextFreeVnum(), 1);
  for (int32_t vnum : {7, 3, 7})
    add(vnum);
  EXPECT_EQ(rooms().NextFreeVnum(), 8);
  EXPECT_EQ(rooms().FindByVnum(7), rooms().Items[2].get());
  EXPECT_EQ(rooms().FindByVnum(8), nullptr);
  EXPECT_EQ(rooms().IndexOfVnum(7), 2);
  EXPECT_EQ(rooms().IndexOfVnum(7, 7), -1);  // a self-exit finds nothing
  EXPECT_EQ(rooms().IndexOfVnum(3, 7), 3);
  EXPECT_EQ(rooms().IndexOfVnum(99), -1);
}

// What a copy writes is compared with its source's bytes in the property test; here what it does
// not write: the layout's grid fields, the editor's placeholders and marks, and the parts it frees.
TEST_F(RoomsTest, AssignCopiesEverythingButUneditedPlaceholders) {
  read_section(rooms(), fixture("rooms_full.are"));
  TAreaRoom& hall = *rooms().Items[0];
  hall.X = 3;
  hall.Y = 4;
  hall.Level = -1;
  hall.Unplaced = true;
  hall.EnsureDoor(DIR_WEST).IsPlaceholder = true;  // shown only
  TAreaDoor& edited = hall.EnsureDoor(DIR_SOUTHWEST);
  edited.IsPlaceholder = edited.Modified = true;
  edited.ToVnum = 55;

  TAreaRoom copy(&rooms());
  copy.EnsureDoor(DIR_DOWN).ToVnum = 1;       // replaced by the source's exit
  copy.EnsureDoor(DIR_SOMEWHERE).ToVnum = 1;  // absent in the source: freed
  copy.Assign(hall);
  EXPECT_EQ(std::tie(copy.X, copy.Y, copy.Level, copy.Unplaced), std::make_tuple(3, 4, -1, true));
  EXPECT_EQ(std::tie(copy.Doors[DIR_WEST], copy.Doors[DIR_SOMEWHERE]), std::make_tuple(nullptr, nullptr));
  ASSERT_NE(copy.Doors[DIR_SOUTHWEST], nullptr);
  const TAreaDoor& southwest = *copy.Doors[DIR_SOUTHWEST];
  EXPECT_EQ(std::tie(southwest.ToVnum, southwest.IsPlaceholder, southwest.Modified, southwest.Owner),
            std::make_tuple(55, false, false, &copy));
  EXPECT_EQ(copy.Doors[DIR_DOWN]->Pull, 5);

  // A source without a map or door texts frees them.
  hall.Map.reset();
  hall.Doors[DIR_NORTH]->Texts.reset();
  copy.Assign(hall);
  EXPECT_EQ(std::make_tuple(copy.Map.get(), copy.Doors[DIR_NORTH]->Texts.get()),
            std::make_tuple(nullptr, nullptr));
}

TEST(DirectionsTest, ReverseDirectionsPairUp) {
  for (int d = 0; d < DirectionCount; ++d)
    EXPECT_EQ(RevDir[static_cast<size_t>(RevDir[static_cast<size_t>(d)])], d);
  EXPECT_EQ(std::make_tuple(RevDir[DIR_NORTHEAST], RevDir[DIR_SOMEWHERE],
                            std::string(DirectionCaptions[DIR_SOMEWHERE])),
            std::make_tuple(DIR_SOUTHWEST, DIR_SOMEWHERE, "?"));
}

}  // namespace
}  // namespace tavro

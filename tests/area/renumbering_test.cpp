// A room renumbered: what names its old vnum across the world is counted for the question, made to name
// the new vnum, and taken back byte for byte.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "area/Area.h"
#include "area/AreaTestSupport.h"
#include "area/Changes.h"
#include "area/Header.h"
#include "area/Renumbering.h"
#include "area/Resets.h"
#include "area/Rooms.h"
#include "world/Areas.h"
#include "world/World.h"

namespace tavro {
namespace {

class RenumberingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    home = &add_area("Home", "home.are");
    other = &add_area("Market", "market.are");
    add_area("Quiet", "quiet.are");
    TAreaRoom& square = room(*home, 100);
    square.EnsureDoor(DIR_UP).ToVnum = 100;  // a room leading to itself
    room(*home, 101).EnsureDoor(DIR_NORTH).ToVnum = 100;
    TAreaRoom& stall = room(*other, 200);
    stall.EnsureDoor(DIR_WEST).ToVnum = 100;
    stall.TeleVnum = 100;
    stall.TeleDelay = 5;
    // Every reset that names a room, and the ones whose same argument names something else.
    resets(*home, {"M 0 1 1 100", "O 0 2 0 100", "P 0 3 0 100", "D 0 100 0 1", "R 0 100 4 0", "T 0 1 1 100",
                   "T 2 1 1 100", "B 0 100 0 0", "B 0 100 3 0", "B 0 100 1 0", "B 0 100 2 0", "G 0 100 0 0",
                   "E 0 100 0 100", "H 0 100 0 0"});
    resets(*other, {"M 0 5 1 101", "O 0 2 0 100"});
  }

  TArea& add_area(const char* name, const char* file) {
    TArea& area = *world.Areas->Items.emplace_back(std::make_unique<TArea>(world.Areas.get()));
    area.Header->Name = name;
    area.Header->FileName = file;
    area.IsNew = false;
    return area;
  }
  static TAreaRoom& room(TArea& area, int32_t vnum) {
    TAreaRoom& r = area.Rooms->Add();
    r.Vnum = vnum;
    return r;
  }
  static void resets(TArea& area, const std::vector<std::string>& lines) {
    for (const std::string& line : lines) {
      TAreaReset& r = area.Resets->Add();
      char letter = 0;
      ASSERT_EQ(std::sscanf(line.c_str(), "%c %d %d %d %d", &letter, &r.Extra, &r.Arg1, &r.Arg2, &r.Arg3), 5);
      r.Command = letter;
    }
  }
  std::vector<std::string> files() {
    std::vector<std::string> bytes;
    for (const auto& area : world.Areas->Items)
      bytes.push_back(test::save_area_text(*area, dir, area->Header->FileName));
    return bytes;
  }

  TWorld world;
  TArea* home = nullptr;
  TArea* other = nullptr;
  const test::ScratchDir dir;
};

TEST_F(RenumberingTest, CountsWhatNamesTheRoomAreaByArea) {
  const std::vector<TRoomReferences> counts = CountRoomReferences(*home, 100);
  ASSERT_EQ(counts.size(), 2U) << "the quiet area names nothing";
  const auto fields = [](const TRoomReferences& c) {
    return std::make_tuple(c.Area, c.Exits, c.Resets, c.Teleports);
  };
  EXPECT_EQ(fields(counts[0]), std::make_tuple(home, 2, 7, 0));
  EXPECT_EQ(fields(counts[1]), std::make_tuple(other, 1, 1, 1));
  EXPECT_EQ(RenumberQuestion(counts, 100, 150),
            "Room 100 becomes room 150.\r\n3 exits, 8 resets and 1 teleport name room 100: 9 in \"Home\" "
            "(home.are), 3 in \"Market\" (market.are).\r\n\r\nMake them name room 150?\r\nNo leaves them "
            "naming 100, where no room will be.");
  EXPECT_EQ(
      RenumberQuestion(CountRoomReferences(*home, 101), 101, 7),
      "Room 101 becomes room 7.\r\n1 reset names room 101: 1 in \"Market\" (market.are).\r\n\r\nMake it "
      "name room 7?\r\nNo leaves it naming 101, where no room will be.");
  EXPECT_TRUE(RenumberQuestion(CountRoomReferences(*home, 555), 555, 556).empty());
  EXPECT_FALSE(RetargetRoomReferences(*home, 555, 556));
}

// Made, every reference names the new vnum and nothing else changed; taken back, every area is as it
// was, byte for byte; made again, as the change left them.
TEST_F(RenumberingTest, RetargetingIsReversibleByteForByte) {
  const std::vector<std::string> before = files();
  const std::unique_ptr<TChange> change = RetargetRoomReferences(*home, 100, 150);
  ASSERT_TRUE(change);
  EXPECT_TRUE(CountRoomReferences(*home, 100).empty());
  const std::vector<TRoomReferences> moved = CountRoomReferences(*home, 150);
  ASSERT_EQ(moved.size(), 2U);
  EXPECT_EQ(moved[0].total() + moved[1].total(), 12);
  ASSERT_EQ(change->Touched().size(), 2U);
  EXPECT_EQ(change->Touched()[0].scope, kRoomsChanged | kResetsChanged);
  const std::vector<std::string> after = files();
  EXPECT_EQ(after[2], before[2]);
  change->Revert();
  EXPECT_EQ(files(), before);
  change->Apply();
  EXPECT_EQ(files(), after);
}

}  // namespace
}  // namespace tavro

// What the editors refuse before they store a record: vnums that would end a section or clash across the
// world, and texts that would end early in the file.
#include <gtest/gtest.h>

#include "area/Area.h"
#include "area/Header.h"
#include "area/Mobiles.h"
#include "area/Objects.h"
#include "area/RecordChecks.h"
#include "area/Rooms.h"
#include "world/Areas.h"
#include "world/World.h"

namespace tavro {
namespace {

TArea& add_area(TWorld& world, const char* name, const char* file) {
  TArea& area = *world.Areas->Items.emplace_back(std::make_unique<TArea>(world.Areas.get()));
  area.Header->Name = name;
  area.Header->FileName = file;
  return area;
}

TEST(RecordChecksTest, VnumsThatWouldBreakTheWorldAreRefused) {
  TWorld world;
  TArea& town = add_area(world, "Town", "town.are");
  TArea& market = add_area(world, "Market", "market.are");
  TAreaRoom& square = town.Rooms->Add();
  square.Vnum = 3001;
  market.Rooms->Add().Vnum = 3100;
  market.Objects->Add().Vnum = 3001;
  struct Case {
    RecordKind kind;
    int32_t vnum;
    const void* self;
    std::string refusal;
  };
  const Case cases[] = {
      {RecordKind::Room, 3001, &square, ""},  // its own vnum
      {RecordKind::Room, 3002, nullptr, ""},
      {RecordKind::Mobile, 3001, nullptr, ""},  // another kind may share it
      {RecordKind::Room, 0, &square, "Vnum 0 ends the section in the area file: choose another vnum"},
      {RecordKind::Room, -4, nullptr, "Vnum -4 is below 1"},
      {RecordKind::Room, 3100, &square,
       "Vnum 3100 is taken by the room 3100 of the area \"Market\" (market.are)"},
      {RecordKind::Room, 3001, nullptr,
       "Vnum 3001 is taken by the room 3001 of the area \"Town\" (town.are)"},
      {RecordKind::Object, 3001, nullptr,
       "Vnum 3001 is taken by the object 3001 of the area \"Market\" (market.are)"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(VnumRefusal(town, c.kind, c.vnum, c.self), c.refusal) << c.vnum;
}

TEST(RecordChecksTest, TextsThatWouldEndEarlyAreRefused) {
  EXPECT_EQ(TextRefusal("plain\r\ntext & codes"), "");
  EXPECT_EQ(TextRefusal("a ~ b"), "holds '~', which ends a text in the area file");
  EXPECT_EQ(TextRefusal(std::string("a\0b", 3)), "holds a NUL character");
}

}  // namespace
}  // namespace tavro

// The bundled sample world: every area loads, program files reach their records, and every area is
// written back the same way twice.
#include <gtest/gtest.h>

#include "area/AreaTestSupport.h"
#include "area/Header.h"
#include "area/Helps.h"
#include "area/Mobiles.h"
#include "area/Objects.h"
#include "area/Programs.h"
#include "area/Resets.h"
#include "area/Rooms.h"
#include "reading/Paths.h"
#include "support/ErrorOf.h"
#include "world/Areas.h"

namespace tavro {
namespace {

class SampleWorldTest : public ::testing::Test {
 protected:
  // The world remembers its server root in the settings file: it is built on a copy of the sample.
  void SetUp() override {
    std::filesystem::copy(TAVRO_SAMPLE_DIR, dir.file("sample"), std::filesystem::copy_options::recursive);
    world = std::make_unique<TWorld>(dir.file("sample"), dir.file("sample/mud"));
    ASSERT_EQ(world->AreasListError, "");
    ASSERT_GE(world->AreaNames.size(), 4u);
    for (const std::string& name : world->AreaNames)
      world->load_single_area(area_path(name));
  }
  std::string area_path(const std::string& name) const { return dir.file("sample/mud/area/" + name); }

  test::ScratchDir dir;
  std::unique_ptr<TWorld> world;
};

TEST_F(SampleWorldTest, ProgramFilesReachMobilesAndObjectsThroughTheirSections) {
  TArea* mobile_area = nullptr;
  TArea* object_area = nullptr;
  TAreaMobile* miller = world->Areas->find_mobile(6000, &mobile_area);
  TAreaObject* millstone = world->Areas->find_object(6001, &object_area);
  ASSERT_TRUE(miller != nullptr && millstone != nullptr);
  EXPECT_EQ(std::make_tuple(mobile_area->Header->FileName, object_area->Header->FileName),
            std::make_tuple("mill.are", "mill.are"));
  EXPECT_FALSE(miller->Progs->Items.empty() || millstone->Progs->Items.empty());
}

TEST_F(SampleWorldTest, EveryAreaIsWrittenTheSameWayTwice) {
  for (const auto& area : world->Areas->Items) {
    SCOPED_TRACE(area->Header->FileName);
    std::string first_path = dir.file("first-" + area->Header->FileName);
    area->save_area(first_path);
    TArea again(world->Areas.get());
    again.load_area(first_path);
    std::string second_path = dir.file("second-" + area->Header->FileName);
    again.save_area(second_path);
    EXPECT_EQ(test::read_file(second_path), test::read_file(first_path));
  }
}

// A text read back ends at its first '~' and loading stops at a NUL: wherever such a text stands, the
// save is refused with the place named, and the file on disk stays as it was.
TEST_F(SampleWorldTest, TextTheFormatCannotCarryIsRefusedWhereverItStands) {
  TArea& town = *world->Areas->Items.at(0);
  ASSERT_EQ(town.Header->FileName, "town.are");
  ASSERT_FALSE(town.Helps->Items.empty() || town.Header->Neighbors.empty() || town.Objects->Items.empty() ||
               town.Mobiles->Items.empty());
  TAreaRoom& room = *town.Rooms->Items.at(0);
  TAreaDoor& door = room.EnsureDoor(DIR_SOMEWHERE);
  door.ToVnum = room.Vnum;
  door.Flags = EX_ISDOOR;  // a door carries its extended texts
  TAreaExtraDesc& extra = room.ExtraDescs.Add();
  extra.Keyword = "sign";
  TWorldProg& prog = room.Progs->Add();
  prog.ProgType = "act_prog";
  TAreaObject& object = *town.Objects->Items.at(0);
  object.VegetableCount = 1;
  TAreaMobile& mobile = *town.Mobiles->Items.at(0);
  TWorldProg& mobile_prog = mobile.Progs->Add();
  mobile_prog.ProgType = "act_prog";
  const std::string path = area_path("town.are");
  town.save_area(path);
  const std::string before = test::read_file(path);

  const std::string room_at = "#ROOMS (" + std::to_string(room.Vnum) + "):\r\n";
  const std::vector<std::tuple<const char*, std::string*, std::string>> places = {
      {"area name", &town.Header->Name, "#AREA:\r\n"},
      {"neighbour", &town.Header->Neighbors.front(), "#NEIGHBOR:\r\n"},
      {"help text", &town.Helps->Items.front()->Text,
       "#HELPS (" + town.Helps->Items.front()->Keywords + "):\r\n"},
      {"room name", &room.Name, room_at},
      {"room description", &room.Description, room_at},
      {"door keyword", &door.Keyword, room_at},
      {"exit description", &door.Description, room_at},
      {"door text", &door.BashState(), room_at},
      {"extra description", &extra.Description, room_at},
      {"program arguments", &prog.Arguments, room_at},
      {"program body", &prog.Body, room_at},
      {"vegetable line", &object.Vegetables[0], "#OBJECTS (" + std::to_string(object.Vnum) + "):\r\n"},
      {"mobile program", &mobile_prog.Body, "#MOBILES (" + std::to_string(mobile.Vnum) + "):\r\n"},
  };
  for (const auto& [label, text, where] : places) {
    SCOPED_TRACE(label);
    const std::string kept = *text;
    *text = "a\r\n~b";
    EXPECT_EQ(test::error_of([&] { town.save_area(path); }),
              "save_area \"" + path + "\":\r\n" + where + "Text \"a\r\n~b\" contains '~'");
    *text = std::string(50, 'x') + '\0';
    EXPECT_EQ(test::error_of([&] { town.save_area(path); }), "save_area \"" + path + "\":\r\n" + where +
                                                                 "Text \"" + std::string(40, 'x') +
                                                                 "...\" contains a NUL character");
    *text = kept;
  }
  EXPECT_EQ(test::read_file(path), before);
}

}  // namespace
}  // namespace tavro

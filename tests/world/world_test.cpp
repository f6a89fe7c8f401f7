#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "area/Area.h"
#include "reading/Error.h"
#include "reading/Paths.h"
#include "world/Areas.h"
#include "world/DamagesWeapons.h"
#include "world/IniFile.h"
#include "world/RacesClasses.h"
#include "world/Skills.h"
#include "world/World.h"
#include "world/WorldSpecFunctions.h"
#include "world_fixture.h"

namespace tavro {
namespace {

using ::testing::StartsWith;

using ::testing::HasSubstr;

using testing::ScratchWorld;

// A complete scratch world, written before each test.
class WorldBuilding : public ::testing::Test {
 protected:
  void SetUp() override { scratch.write_complete(); }
  std::string build_error() const {
    return test::error_of([&] { TWorld world(scratch.start(), scratch.mud()); });
  }
  ScratchWorld scratch;
};

TEST_F(WorldBuilding, WithoutAnIniFileEverythingComesFromTheDefaults) {
  scratch.write("mud/system/SectorColors.lst", "city=255\r\n");
  TWorld world(scratch.start(), scratch.mud());
  EXPECT_EQ(world.ListsPath, join_path(scratch.start(), "files") + "/");
  EXPECT_EQ(world.MudPath, scratch.mud() + "/");
  EXPECT_EQ(world.SectorColorsFile, join_path(scratch.mud(), "system/SectorColors.lst"));
  EXPECT_EQ(world.NonWearFlags, (1u << 0) | (1u << 13) | (1u << 14) | (1u << 15));
  EXPECT_EQ(world.InFileProgName, "IN_FILE_PROG");
  EXPECT_EQ(world.ItemTypes, (TStringList{"ITEM_NONE", "ITEM_LIGHT", "ITEM_WEAPON", "ITEM_ARMOR"}));
  EXPECT_EQ(world.SpecFunctions->Lookup("spec_fido"), 3);
  EXPECT_TRUE(world.ProgTypes.empty());
  EXPECT_EQ(world.sector_color(1), 255);
  // The ini file now exists and remembers the server root.
  EXPECT_EQ(TIniFile(scratch.path("start/TavroEd.ini")).ReadString("MudFiles", "Path", ""), scratch.mud());
}

TEST_F(WorldBuilding, ReferenceDataIsLoadedInOrderAndLinked) {
  TWorld world(scratch.start(), scratch.mud());
  ASSERT_EQ(std::make_tuple(world.Skills->Count(), world.Damages->Count(), world.Weapons->Count()),
            std::make_tuple(1, 1, 1));
  // The skill type is a position in the lists (SKILL_SPELL); the weapon is linked to the others.
  EXPECT_EQ(std::tie(world.Skills->Items[0]->SkillType, world.Skills->Items[0]->Name,
                     world.Damages->Items[0]->RisFlags),
            std::make_tuple(1, utf8_to_cp1251("броня"), 1u));
  EXPECT_EQ(std::tie(world.Weapons->Items[0]->Damages.Items[0]->DamageType, world.Weapons->Items[0]->Skill),
            std::make_tuple(world.Damages->Items[0].get(), world.Skills->Items[0].get()));
  EXPECT_EQ(world.Races->NumberOfName("human"), 0);
  EXPECT_EQ(world.Classes->NumberOfName(utf8_to_cp1251("маг")), 0);
  EXPECT_EQ(world.AreaNames, (TStringList{"town.are", "forest.are"}));
  EXPECT_TRUE(world.AreasListError.empty());
  EXPECT_EQ(world.Areas->World, &world);
}

TEST_F(WorldBuilding, IniValuesChooseFoldersFilesAndConstants) {
  std::filesystem::rename(scratch.path("start/files"), scratch.path("start/lists"));
  std::filesystem::create_directories(scratch.path("elsewhere"));
  std::filesystem::rename(scratch.path("start/lists/ItemTypes.lst"), scratch.path("elsewhere/types.lst"));
  scratch.write("start/lists/Sectors2.lst", "void\r\nsky\r\n");
  scratch.write("colours.txt", "SKY=16711680\r\n");
  scratch.write("start/TavroEd.ini",
                "; kept\r\n[files]\r\npath=lists\r\nItemTypes=" + scratch.path("elsewhere/types.lst") +
                    "\r\nSectorTypes=Sectors2.lst\r\n[MudConstants]\r\nNonWearFlags=\r\n"
                    "InFileProg=in_file\r\n[MudFiles]\r\nSectorColors=" +
                    scratch.path("colours.txt") + "\r\n");
  TWorld world(scratch.start(), scratch.mud());
  EXPECT_EQ(world.ListsPath, join_path(scratch.start(), "lists") + "/");
  EXPECT_EQ(world.ItemTypes.size(), 4u);  // the full path is used as it stands
  EXPECT_EQ(world.SectorTypes, (TStringList{"void", "sky"}));
  EXPECT_EQ(world.NonWearFlags, 0u);
  EXPECT_EQ(world.InFileProgName, "IN_FILE");
  EXPECT_EQ(world.SectorColorsFile, scratch.path("colours.txt"));
  EXPECT_EQ(world.sector_color(1), 16711680);
  EXPECT_EQ(scratch.read("start/TavroEd.ini").rfind("; kept\r\n[files]\r\npath=lists\r\n", 0), 0u);
}

TEST_F(WorldBuilding, FileNamesOfAnotherLetterCaseStillOpen) {
  std::filesystem::rename(scratch.path("start/files/SectorTypes.lst"),
                          scratch.path("start/files/sectortypes.LST"));
  scratch.write("mud/system/sectorcolors.lst", "City=255\r\n");
  TWorld world(scratch.start(), scratch.mud());
  EXPECT_EQ(world.SectorTypes.size(), 4u);
  EXPECT_EQ(world.sector_color(1), 255);
}

TEST_F(WorldBuilding, SectorColoursAreRekeyedBySectorIndex) {
  scratch.write("mud/system/SectorColors.lst", "FOREST=32768\r\ncity=255\r\nlava=42\r\nInside=8421504\r\n");
  TWorld world(scratch.start(), scratch.mud());
  // field is missing from the file: colour 0; lava names no sector and stays as it was.
  EXPECT_EQ(world.SectorColors, (TStringList{"0=8421504", "1=255", "2=0", "3=32768", "lava=42"}));
  EXPECT_EQ(world.sector_color(3), 32768);
  EXPECT_EQ(world.sector_color(2), 0);
  EXPECT_EQ(world.sector_color(9), 0);

  TStringList edited = world.SectorColors;
  edited[2] = "2=16711680";
  world.set_sector_colors(edited);
  world.save_sector_colors();
  EXPECT_EQ(scratch.read("mud/system/SectorColors.lst"),
            "inside=8421504\r\ncity=255\r\nfield=16711680\r\nforest=32768\r\nlava=42\r\n");
  TWorld again(scratch.start(), scratch.mud());
  EXPECT_EQ(again.SectorColors, world.SectorColors);
}

TEST_F(WorldBuilding, AMissingColoursFileGivesBlackSectorsSilently) {
  TWorld world(scratch.start(), scratch.mud());
  EXPECT_EQ(world.SectorColors, (TStringList{"0=0", "1=0", "2=0", "3=0"}));
  world.SectorColors = {"1=255"};
  world.save_sector_colors();  // creates the file
  EXPECT_EQ(scratch.read("mud/system/SectorColors.lst"), "city=255\r\n");
}

TEST_F(WorldBuilding, TheServerRootIsWrittenBackUnlessTheIniAlreadyNamesIt) {
  scratch.write("start/TavroEd.ini", "[MudFiles]\r\nPath=../mud\r\n");
  { TWorld world(scratch.start(), scratch.mud()); }
  EXPECT_EQ(scratch.read("start/TavroEd.ini"), "[MudFiles]\r\nPath=../mud\r\n");
  std::filesystem::create_directories(scratch.path("mud2"));
  std::filesystem::copy(scratch.path("mud"), scratch.path("mud2"), std::filesystem::copy_options::recursive);
  { TWorld world(scratch.start(), scratch.path("mud2")); }
  EXPECT_EQ(scratch.read("start/TavroEd.ini"), "[MudFiles]\r\nPath=" + scratch.path("mud2") + "\r\n");
}

TEST_F(WorldBuilding, AnUnreadableAreasListDoesNotStopTheWorld) {
  scratch.write_server("mud/area/area.lst", "town.are\nforest.are\n");
  TWorld world(scratch.start(), scratch.mud());
  EXPECT_EQ(world.AreasListError,
            "Load Areas List (forest.are):\r\nfread_word: fread_letter: EOF encountered on read.");
  EXPECT_TRUE(world.AreaNames.empty());
  EXPECT_EQ(world.Skills->Count(), 1);

  scratch.remove("mud/area/area.lst");
  TWorld without(scratch.start(), scratch.mud());
  EXPECT_THAT(without.AreasListError, StartsWith("Load Areas List ():\r\n"));

  scratch.write_server("mud/area/area.lst", "$\n");
  TWorld empty(scratch.start(), scratch.mud());
  EXPECT_TRUE(empty.AreasListError.empty());
  EXPECT_TRUE(empty.AreaNames.empty());
}

TEST_F(WorldBuilding, TheAreasListIsSavedAsItIsRead) {
  TWorld world(scratch.start(), scratch.mud());
  world.AreaNames.erase(world.AreaNames.begin());
  world.AreaNames.push_back("new area.are");
  world.save_areas_list();
  EXPECT_EQ(scratch.read("mud/area/area.lst"), "forest.are\nnew area.are\n$\n");
  world.MudPath = scratch.path("nowhere") + "/";
  const std::string message = test::error_of([&] { world.save_areas_list(); });
  EXPECT_THAT(message, StartsWith("Save Areas List:\r\n"));
}

TEST_F(WorldBuilding, AMissingListOrBrokenReferenceFileStopsTheWorld) {
  scratch.remove("start/files/WearLocations.lst");
  EXPECT_THAT(build_error(), HasSubstr("WearLocations.lst"));

  // Each reference file's own messages are tested with its reader: here one shows it stops the world.
  scratch.write_complete();
  scratch.write_server("mud/system/skills.dat", "#SKILL\nName_eng armor~\nTyp Spell\nEnd\n#END\n");
  EXPECT_EQ(build_error(), "Load Skills:\r\nLoad Skill \"armor\":\r\nSection 'TYP' invalid");
  scratch.write_complete();
  scratch.remove("mud/classes/mage.class");
  EXPECT_THAT(build_error(),
              StartsWith("Load Classes List (" + join_path(scratch.mud(), "classes/mage.class") + "):\r\n"));
}

TEST_F(WorldBuilding, BrokenReferenceFilesNeverCrash) {
  const char* const kBroken[] = {"",
                                 "#",
                                 "#SKILL",
                                 "#SKILL\nAffect",
                                 "#SKILL\nClass 1 2",
                                 "*",
                                 "#SKILL\nName~",
                                 "#SKILL\nAffect '10 1 5 8\nEnd\n#END\n",
                                 "#SKILL\nFlags |||\nEnd\n#END\n",
                                 "#SKILL\nName_eng armor~\nMinpos 99999999999999\nEnd\n#END\n"};
  const std::pair<const char*, const char*> files[] = {{"mud/system/skills.dat", "Load Skills:\r\n"},
                                                       {"mud/races/human.race", "Load Races List ("}};
  for (const char* text : kBroken) {
    for (const auto& [file, prefix] : files) {
      scratch.write_complete();
      scratch.write_server(file, text);
      try {
        TWorld world(scratch.start(), scratch.mud());
      } catch (const Error& e) {
        EXPECT_THAT(std::string(e.what()), StartsWith(prefix)) << e.what();
      }
    }
  }
}

TEST(WorldLookUps, ConstantListLookUps) {
  TWorld world;
  world.SkillTypes = {"SKILL_UNKNOWN", "SKILL_SPELL"};
  world.ItemTypes = {"ITEM_NONE", "ITEM_LIGHT", "ITEM_WEAPON", "ITEM_PLANT"};
  world.ItemTypesNative = {"none", "light", "weapon"};
  world.ApplyTypes = {"NONE", "STR", "AFFECT", "WEAPONSPELL"};
  world.BodyPartNames = {"0=head", "1=Arms"};
  world.RISFlags = {"0=FIRE", "1=cold"};
  world.CorpseTypes = {"NONE=0", "normal=1"};
  world.CreatureTypes = {"NONE=0", "HUMANOID=1"};
  world.ExitFlags = {"0=ISDOOR", "1=CLOSED", "2=LOCKED", "31=SECRET"};

  EXPECT_EQ(std::make_tuple(world.skill_type_index("skill_spell"), world.skill_type_index("SKILL_HERB"),
                            world.item_type_index("item_plant"), world.item_type_index("ITEM_KEY")),
            std::make_tuple(1, 0, 3, -1));
  EXPECT_TRUE(world.item_type_is(2, {"ITEM_ARMOR", "ITEM_WEAPON"}));
  EXPECT_FALSE(world.item_type_is(-1, {"ITEM_KEY"}));  // a missing name matches nothing, not -1
  EXPECT_FALSE(world.item_type_is(1, {"ITEM_WEAPON"}));
  EXPECT_TRUE(world.apply_type_is(3, {"weaponspell"}));
  EXPECT_FALSE(world.apply_type_is(-1, {"WEARSPELL"}));
  // Constant names ignore letter case, body parts and RIS flags do not.
  EXPECT_EQ(std::make_tuple(world.native_item_type_index("WEAPON"), world.native_item_type_index("armor"),
                            world.body_part_name_index("Arms"), world.body_part_name_index("arms"),
                            world.ris_flag_index("cold"), world.ris_flag_index("COLD"),
                            world.corpse_type_index("Normal"), world.corpse_type_index("dust"),
                            world.creature_type_index("humanoid")),
            std::make_tuple(2, -1, 1, -1, 1, -1, 1, 0, 1));
  EXPECT_EQ(world.exit_flags_of({"closed", "Secret", "nothing"}), (1u << 1) | (1u << 31));
}

TEST(WorldLookUps, AnEmptyWorldHasEveryTableAndNoFiles) {
  TWorld world;
  EXPECT_EQ(std::tie(world.Skills->World, world.Damages->World, world.Weapons->World, world.Races->World,
                     world.Classes->World),
            std::make_tuple(&world, &world, &world, &world, &world));
  EXPECT_EQ(std::make_tuple(world.SpecFunctions->Count(), world.Skills->NameOf(0), world.sector_color(0)),
            std::make_tuple(0, "NONE", 0));
}

}  // namespace
}  // namespace tavro

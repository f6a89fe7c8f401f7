#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "area/Objects.h"
#include "area/Programs.h"
#include "area/SectionTestSupport.h"
#include "reading/Cases.h"
#include "reading/Error.h"
#include "world/DamagesWeapons.h"

namespace tavro {
namespace {

using ::testing::HasSubstr;

using test::error_of;
using test::fixture;
using test::read_section;
using test::written_section;
using Values = std::array<int32_t, 7>;

// Positions in the test world's lists (SectionTestSupport.h).
enum { SCROLL = 2, WAND = 3, WEAPON = 5, SALVE = 7, LAUNCHER = 8, POTION = 10 };
enum { ARMOR = 1, BLESS = 2, FIREBALL = 3, UNDEFINED_SKILL = 4 };
enum { SWORD = 0, AXE = 1, BOW = 2, ARROW = 3 };
enum { APPLY_WEAPONSPELL = 3 };

// An object of the current layout: the type line and the values line are given, the rest is plain.
std::string object_text(const std::string& vnum, const std::string& type_line, const std::string& values_line,
                        const std::string& after = "") {
  return "#OBJECTS\n#" + vnum + "\nthing~\na thing~\nA thing lies here.~\n~\n" + type_line + "\n" +
         values_line + "\n1 0 0 0 0 0 0 \n" + after + "#0\n";
}

// An object of an older layout with its short description, type line, values line and the rest.
std::string old_object(const std::string& short_description, const std::string& type_and_values,
                       const std::string& rest = "1\n") {
  return "#OBJECTS\n#1\nx~\n" + short_description + "~\nx~\n~\n" + type_and_values + rest + "#0\n";
}

class ObjectsTest : public ::testing::Test {
 protected:
  void SetUp() override { w.set_version(11); }
  TAreaObjects& objects() { return *w.area->Objects; }
  TAreaObject& only_object() {
    EXPECT_EQ(objects().Items.size(), 1u);
    return *objects().Items.at(0);
  }
  TAreaObject& add(int32_t vnum, int32_t item_type, const Values& values) {
    TAreaObject& object = objects().Add();
    object.Vnum = vnum;
    object.ItemType = item_type;
    object.Values = values;
    return object;
  }
  // Writes the list, reads the text back into a fresh list of the same area and gives the text.
  std::string write_and_reload() {
    std::string text = written_section(objects());
    objects().Clear();
    w.set_version(11);
    read_section(objects(), text);
    return text;
  }
  std::string read_error(const std::string& text) {
    objects().Clear();
    return error_of([&] { read_section(objects(), text); });
  }
  const TWorldWeapon* weapon(int index) { return w.world.Weapons->Items[static_cast<size_t>(index)].get(); }

  test::SectionWorld w;
};

TEST_F(ObjectsTest, FullSectionIsReadIntoItsFieldsAndRoundTripsByteForByte) {
  const std::string text = fixture("objects_full.are");
  read_section(objects(), text);
  ASSERT_EQ(objects().Items.size(), 5u);
  const TAreaObject& sword = *objects().Items[0];
  EXPECT_EQ(std::tie(sword.Vnum, sword.ShortDescription, sword.Description, sword.ItemType, sword.WeaponType),
            std::make_tuple(200, "long sword", "A fine blade.\r\n", WEAPON, weapon(AXE)));
  EXPECT_EQ(std::tie(sword.Values[3], sword.ExtraFlags.Words[0], sword.ExtraFlags.Words[1], sword.WearFlags),
            std::make_tuple(AXE, 3u, 4u, 1u));
  EXPECT_EQ(std::tie(sword.Weight, sword.Cost, sword.Rent, sword.Level, sword.Condition, sword.MaxCondition,
                     sword.RepairsCount),
            std::make_tuple(5, 100, 10, 3, 90, 100, 2));
  ASSERT_EQ(sword.Affects.Items.size(), 3u);
  EXPECT_EQ(std::tie(sword.Affects.Items[1]->Location, sword.Affects.Items[1]->Modifier),
            std::make_tuple(APPLY_WEAPONSPELL, FIREBALL));
  EXPECT_EQ(sword.Affects.Items[2]->Modifier, -5);
  EXPECT_EQ(objects().Items[1]->Values, (Values{10, ARMOR, BLESS, FIREBALL, 0, 0, 0}));  // scroll
  EXPECT_EQ(objects().Items[2]->Values, (Values{5, 0, 0, 0, ARMOR, BLESS, 0}));          // salve
  const TAreaObject& arrow = *objects().Items[3];
  EXPECT_EQ(std::tie(arrow.WeaponType, arrow.Values[6]), std::make_tuple(weapon(BOW), ARROW));
  const TAreaObject& chair = *objects().Items[4];
  EXPECT_EQ(
      std::tie(chair.Layers, chair.Values[4], chair.FurnitureFlags, chair.Capacity, chair.VegetableCount),
      std::make_tuple(3, 7, 3u, std::array<int32_t, 4>{1, 2, 3, 4}, 2));
  EXPECT_EQ(chair.Vegetables[1], "line two");
  ASSERT_EQ(chair.Progs->Items.size(), 1u);
  EXPECT_EQ(chair.Progs->Items[0]->Arguments, "50");
  EXPECT_EQ(written_section(objects()), text);
}

TEST_F(ObjectsTest, WeightBelowOneReadsAsOne) {
  for (const char* weight : {"0", "-3"}) {
    objects().Clear();
    read_section(objects(),
                 "#OBJECTS\n#1\nx~\nx~\nx~\n~\nlight~ 0 0 0\n0 0 0 0\n" + std::string(weight) + " 5\n#0\n");
    EXPECT_EQ(std::tie(only_object().Weight, only_object().Cost), std::make_tuple(1, 5)) << weight;
  }
}

TEST_F(ObjectsTest, SpellsAreWrittenByNameAndReadBackToTheSameIndexes) {
  add(1, SCROLL, {12, FIREBALL, ARMOR, UNDEFINED_SKILL, 0, 0, 0});
  add(2, WAND, {5, 4, 3, BLESS, 0, 0, 0});
  add(3, POTION, {1, BLESS, 0, 0, 0, 0, 0});
  const std::string text = write_and_reload();
  // The undefined skill is not valid: written as its number and named NONE, it reads back as no spell.
  for (const char* part :
       {"\n12 -1 -1 4\n0 0 0 0 0 0 0 \n'fireball' 'armor' 'NONE'\n",
        "\n5 4 3 -1\n0 0 0 0 0 0 0 \n'bless'\n\n#3\n", "\n1 -1 0 0\n0 0 0 0 0 0 0 \n'bless' 'NONE' 'NONE'\n"})
    EXPECT_THAT(text, HasSubstr(part));
  EXPECT_EQ(objects().Items[0]->Values, (Values{12, FIREBALL, ARMOR, 0, 0, 0, 0}));
  EXPECT_EQ(objects().Items[1]->Values, (Values{5, 4, 3, BLESS, 0, 0, 0}));
  EXPECT_EQ(objects().Items[2]->Values, (Values{1, BLESS, 0, 0, 0, 0, 0}));
}

TEST_F(ObjectsTest, SalveWritesSixValuesOnlyForAPositiveValueThatIsNoSpell) {
  TAreaObject& salve = add(1, SALVE, {1, 2, 3, 4, ARMOR, BLESS, 0});
  std::string text = written_section(objects());
  EXPECT_THAT(text, HasSubstr("\n1 2 3 4\n0 0 0 0 0 0 0 \n'armor' 'bless'\n"));
  salve.Values[4] = 500;  // not a skill index
  text = written_section(objects());
  EXPECT_THAT(text, HasSubstr("\n1 2 3 4 500 -1\n0 0 0 0 0 0 0 \n'NONE' 'bless'\n"));
}

TEST_F(ObjectsTest, WeaponTypesAreStoredByName) {
  add(1, WEAPON, {0, 1, 2, 3, 0, 0, 0});
  std::string text = write_and_reload();
  EXPECT_THAT(text, HasSubstr("\nweapon~ ~ 0 0 0\n0 1 2 3\n"));
  EXPECT_EQ(std::tie(only_object().WeaponType, only_object().Values[3]), std::make_tuple(nullptr, 0));
  only_object().WeaponType = weapon(BOW);
  text = write_and_reload();
  EXPECT_THAT(text, HasSubstr("\nweapon~ bow~ 0 0 0\n0 1 2 0\n"));
  EXPECT_EQ(only_object().Values[3], BOW);
}

TEST_F(ObjectsTest, LaunchersMissilesAndProjectilesKeepTheirWeaponTypes) {
  read_section(objects(), object_text("1", "LAUNCHER~ sword~ 0 0 0", "0 0 0 9"));  // any letter case
  read_section(objects(), object_text("2", "missile~ arrow~ 0 0 0", "0 0 0 9"));
  read_section(objects(), object_text("3", "projectile~ ~ ~ 0 0 0", "1 2 3 4"));
  const auto& items = objects().Items;
  EXPECT_EQ(std::tie(items[0]->ItemType, items[0]->WeaponType, items[0]->Values[3]),
            std::make_tuple(LAUNCHER, weapon(SWORD), 9));
  EXPECT_EQ(items[1]->Values[3], ARROW);
  // A projectile names its ammunition's weapon type in value 6.
  EXPECT_EQ(std::tie(items[2]->WeaponType, items[2]->Values[6], items[2]->Values[3]),
            std::make_tuple(nullptr, 0, 4));
  items[2]->Values[6] = ARROW;  // written by name
  const std::string text = written_section(objects());
  EXPECT_THAT(text, HasSubstr("\nlauncher~ sword~ 0 0 0\n"));
  EXPECT_THAT(text, HasSubstr("\nprojectile~ ~ arrow~ 0 0 0\n"));
}

TEST_F(ObjectsTest, UnknownTypeNamesFail) {
  const std::pair<const char*, const char*> cases[] = {
      {"gadget~ 0 0 0", "Bad ITEM TYPE value \"gadget\"!"},
      {"weapon~ Sword~ 0 0 0", "Bad WEAPON TYPE value \"Sword\"!"},
      {"projectile~ bow~ spear~ 0 0 0", "Bad WEAPON TYPE value \"spear\"!"}};
  for (const auto& [type_line, message] : cases)
    EXPECT_EQ(read_error(object_text("4", type_line, "0 0 0 0")),
              std::string("#OBJECTS (beyond4):\r\n#OBJECTS (4):\r\n") + message);
}

// Older files keep numbers where the current layout writes names. A number that no name carries would
// be written as an empty name, which reads back as another value or not at all.
TEST_F(ObjectsTest, AnOldNumberWithoutANameIsRefusedWhenSaved) {
  w.set_version(6);
  const std::pair<const char*, const char*> cases[] = {
      {"89 0 0 0\n0 0 0 0", "Item type 89 is not in the item-type list"},
      {"-1 0 0 0\n0 0 0 0", "Item type -1 is not in the item-type list"},
      {"6 0 0 0\n0 0 0 0 0 0 4", "Weapon type 4 in value 6 is not in the weapon-type list"},
      {"6 0 0 0\n0 0 0 0 0 0 -1", "Weapon type -1 in value 6 is not in the weapon-type list"}};
  for (const auto& [lines, message] : cases) {
    objects().Clear();
    read_section(objects(), "#OBJECTS\n#8\nx~\nx~\nx~\n~\n" + std::string(lines) + "\n1\n#0\n");
    EXPECT_EQ(error_of([&] { written_section(objects()); }), std::string("#OBJECTS (8):\r\n") + message);
  }
}

TEST_F(ObjectsTest, OldFilesKeepTheWeaponTypeOfValue3) {
  w.set_version(6);
  read_section(objects(),
               "#OBJECTS\n#1\nsword~\na sword~\nA sword.~\n~\n5 0 A 0\n0 1 4 2\n1 0 0 0 0 0 0\n"
               "#2\nbroken~\na broken sword~\nA broken sword.~\n~\n5 0 A 0\n0 1 4 7\n1\n#0\n");
  EXPECT_EQ(objects().Items[0]->WeaponType, weapon(BOW));
  EXPECT_EQ(objects().Items[1]->WeaponType, nullptr);  // 7 is no position in the list
  EXPECT_THAT(write_and_reload(), HasSubstr("\nweapon~ bow~ 0 A 0\n0 1 4 2\n"));
  EXPECT_EQ(std::tie(objects().Items[0]->Values[3], objects().Items[0]->WeaponType),
            std::make_tuple(BOW, weapon(BOW)));
}

TEST_F(ObjectsTest, Version4ShortDescriptionIsFoldedFromSixCaseForms) {
  w.set_version(4);
  read_section(objects(), old_object("nozh:nozha:nozhu:nozh:nozhom:nozhe", "1 0 0 0\n0 0 0 0\n"));
  const std::string expected = encode_cases({"nozh", "nozha", "nozhu", "nozh", "nozhom", "nozhe"});
  EXPECT_EQ(only_object().ShortDescription, expected);
  EXPECT_THAT(written_section(objects()), HasSubstr("\nx~\n" + expected + "~\nx~\n"));
}

TEST_F(ObjectsTest, SpellAffectsAreReadBySlotBelowVersion6AndByNameFrom6) {
  w.set_version(5);
  read_section(objects(), old_object("ring", "1 0 0 0\n0 0 0 0\n", "1\nA\n3 26\nA\n4 999\nA\n6 26\n"));
  const auto& affects = only_object().Affects.Items;
  ASSERT_EQ(affects.size(), 3u);
  // No skill has slot 999; 6 is no spell location and keeps its number.
  EXPECT_EQ(std::make_tuple(affects[0]->Modifier, affects[1]->Modifier, affects[2]->Modifier),
            std::make_tuple(FIREBALL, 0, 26));
  EXPECT_THAT(written_section(objects()), HasSubstr("A\n3 'fireball'\nA\n4 0\nA\n6 26\n"));
  objects().Clear();
  w.set_version(6);
  read_section(objects(), old_object("ring", "1 0 0 0\n0 0 0 0\n", "1\nA\n4 'bless'\nA\n4 nosuch\n"));
  const auto& named = only_object().Affects.Items;
  EXPECT_EQ(std::make_tuple(named[0]->Modifier, named[1]->Modifier), std::make_tuple(BLESS, 0));
}

TEST_F(ObjectsTest, Version0SpellValuesAreSlotsAndVersion1NamesThem) {
  const std::string forms = "svitok:svitka:svitku:svitok:svitkom:svitke";
  w.set_version(0);
  read_section(objects(), old_object(forms, "2 0 0 0\n20 26 3 5\n"));
  EXPECT_EQ(only_object().Values, (Values{20, FIREBALL, BLESS, 0, 0, 0, 0}));
  objects().Clear();
  w.set_version(1);
  read_section(objects(), old_object(forms, "2 0 0 0\n20 26 3 5\n", "1\narmor 'bless' 'NONE'\n"));
  EXPECT_EQ(only_object().Values, (Values{20, ARMOR, BLESS, 0, 0, 0, 0}));
}

TEST_F(ObjectsTest, TwentyVegetableLinesReadAndTwentyOneFail) {
  std::string lines;
  for (int i = 1; i <= 20; ++i)
    lines += "line " + std::to_string(i) + "~\n";
  read_section(objects(), object_text("7", "light~ 0 0 0", "0 0 0 0", "S\n" + lines + "|\n"));
  EXPECT_EQ(std::tie(only_object().VegetableCount, only_object().Vegetables[19]),
            std::make_tuple(20, "line 20"));
  EXPECT_EQ(read_error(object_text("7", "light~ 0 0 0", "0 0 0 0", "S\n" + lines + "line 21~\n|\n")),
            "#OBJECTS (beyond7):\r\n#OBJECTS (7):\r\nload_object_stats:\r\nMAX_NUM_STATS in OBJECT");
}

TEST_F(ObjectsTest, AVegetableLineThatWouldEndTheListIsRefusedWhenSaved) {
  TAreaObject& object = add(4, 0, {});
  object.VegetableCount = 2;
  object.Vegetables[0] = "|first";
  object.Vegetables[1] = " | second";
  EXPECT_EQ(error_of([&] { written_section(objects()); }),
            "#OBJECTS (4):\r\nVegetable line 1 starts with '|'");
  object.Vegetables[0] = "first|";
  EXPECT_EQ(error_of([&] { written_section(objects()); }),
            "#OBJECTS (4):\r\nVegetable line 2 starts with '|'");
  object.Vegetables[1] = "";
  EXPECT_THAT(write_and_reload(), HasSubstr("\nS\nfirst|~\n~\n|\n"));
  EXPECT_EQ(std::tie(only_object().VegetableCount, only_object().Vegetables[0]),
            std::make_tuple(2, "first|"));
}

// The frame of the vnum sections ('#' lines, duplicates, the end) is tested with the rooms.
TEST_F(ObjectsTest, SectionErrorsNameTheVnums) {
  // An unknown sub-record letter ends the object, which was complete, and the section then fails.
  EXPECT_EQ(read_error(object_text("7", "light~ 0 0 0", "0 0 0 0", "Q\n")),
            "#OBJECTS (beyond7):\r\n# not found.");
  EXPECT_EQ(objects().Items.size(), 1u);
  EXPECT_EQ(read_error(object_text("3", "light~ 0 0 0", "x 0 0 0")),
            "#OBJECTS (beyond3):\r\n#OBJECTS (3):\r\nfread_number: Bad format. (x)");
  EXPECT_TRUE(objects().Items.empty());
}

TEST_F(ObjectsTest, EmptyListWritesNothing) {
  EXPECT_EQ(written_section(objects()), "");
}

}  // namespace
}  // namespace tavro

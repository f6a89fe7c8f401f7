#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "area/Objects.h"
#include "area/Programs.h"
#include "area/SectionTestSupport.h"
#include "reading/Cases.h"
#include "reading/Error.h"
#include "world/DamagesWeapons.h"

namespace tavro {
namespace {

using test::error_of;
using test::fixture;
using test::read_section;
using test::written_section;

std::string written_by_object(const TAreaObject& object) {
  return test::written_by([&](TAreaFile& f) { object.Write(f); });
}

// Positions in the test world's lists (SectionTestSupport.h).
enum {
  SCROLL = 2,
  WAND = 3,
  WEAPON = 5,
  PROJECTILE = 6,
  SALVE = 7,
  MISSILE_WEAPON = 8,
  POTION = 10,
  MISSILE = 11
};
enum { ARMOR = 1, BLESS = 2, FIREBALL = 3, UNDEFINED_SKILL = 4 };
enum { SWORD = 0, AXE = 1, BOW = 2, ARROW = 3 };
enum { APPLY_STR = 1, APPLY_WEAPONSPELL = 3, APPLY_WEARSPELL = 4, APPLY_HIT = 6 };

// An object of the current layout: the type line and the values line are given, the rest is plain.
std::string object_text(const std::string& vnum, const std::string& type_line, const std::string& values_line,
                        const std::string& after = "") {
  return "#OBJECTS\n#" + vnum + "\nthing~\na thing~\nA thing lies here.~\n~\n" + type_line + "\n" +
         values_line + "\n1 0 0 0 0 0 0 \n" + after + "#0\n";
}

class ObjectsTest : public ::testing::Test {
 protected:
  void SetUp() override { w.set_version(11); }
  TAreaObjects& objects() { return *w.area->Objects; }
  TAreaObject& only_object() {
    EXPECT_EQ(objects().Items.size(), 1u);
    return *objects().Items.at(0);
  }
  // Writes the list, reads the text back into a fresh list of the same area and gives the text.
  std::string write_and_reload() {
    std::string text = written_section(objects());
    objects().Clear();
    w.set_version(11);
    read_section(objects(), text);
    return text;
  }
  const TWorldWeapon* weapon(int index) { return w.world.Weapons->Items[static_cast<size_t>(index)].get(); }

  test::SectionWorld w;
};

TEST_F(ObjectsTest, FullSectionRoundTripsByteForByte) {
  const std::string text = fixture("objects_full.are");
  read_section(objects(), text);
  ASSERT_EQ(objects().Items.size(), 5u);
  const TAreaObject& sword = *objects().Items[0];
  EXPECT_EQ(sword.Vnum, 200);
  EXPECT_EQ(sword.ShortDescription, "long sword");
  EXPECT_EQ(sword.Description, "A fine blade.\r\n");
  EXPECT_EQ(sword.ItemType, WEAPON);
  EXPECT_EQ(sword.WeaponType, weapon(AXE));
  EXPECT_EQ(sword.Values[3], AXE);
  EXPECT_EQ(sword.ExtraFlags.Words[0], 3u);
  EXPECT_EQ(sword.ExtraFlags.Words[1], 4u);
  EXPECT_EQ(sword.WearFlags, 1u);
  EXPECT_EQ(sword.Weight, 5);
  EXPECT_EQ(sword.Cost, 100);
  EXPECT_EQ(sword.Rent, 10);
  EXPECT_EQ(sword.Level, 3);
  EXPECT_EQ(sword.Condition, 90);
  EXPECT_EQ(sword.MaxCondition, 100);
  EXPECT_EQ(sword.RepairsCount, 2);
  ASSERT_EQ(sword.Affects.Items.size(), 3u);
  EXPECT_EQ(sword.Affects.Items[1]->Location, APPLY_WEAPONSPELL);
  EXPECT_EQ(sword.Affects.Items[1]->Modifier, FIREBALL);
  EXPECT_EQ(sword.Affects.Items[2]->Modifier, -5);
  const TAreaObject& scroll = *objects().Items[1];
  EXPECT_EQ(scroll.Values[0], 10);
  EXPECT_EQ(scroll.Values[1], ARMOR);
  EXPECT_EQ(scroll.Values[2], BLESS);
  EXPECT_EQ(scroll.Values[3], FIREBALL);
  const TAreaObject& salve = *objects().Items[2];
  EXPECT_EQ(salve.Values[4], ARMOR);
  EXPECT_EQ(salve.Values[5], BLESS);
  const TAreaObject& arrow = *objects().Items[3];
  EXPECT_EQ(arrow.WeaponType, weapon(BOW));
  EXPECT_EQ(arrow.Values[6], ARROW);
  const TAreaObject& chair = *objects().Items[4];
  EXPECT_EQ(chair.Layers, 3);
  EXPECT_EQ(chair.Values[4], 7);
  EXPECT_EQ(chair.FurnitureFlags, 3u);
  EXPECT_EQ(chair.Capacity, (std::array<int32_t, 4>{1, 2, 3, 4}));
  EXPECT_EQ(chair.VegetableCount, 2);
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
    EXPECT_EQ(only_object().Weight, 1) << weight;
    EXPECT_EQ(only_object().Cost, 5);
  }
}

TEST_F(ObjectsTest, ValidSpellsAreWrittenByNameAndReadBackToTheSameIndexes) {
  TAreaObject& scroll = objects().Add();
  scroll.Vnum = 1;
  scroll.ItemType = SCROLL;
  scroll.Values = {12, FIREBALL, ARMOR, UNDEFINED_SKILL, 0, 0, 0};
  const std::string text = write_and_reload();
  // The undefined skill is not valid: written as its number and named NONE, it reads back as no spell.
  EXPECT_NE(text.find("\n12 -1 -1 4\n0 0 0 0 0 0 0 \n'fireball' 'armor' 'NONE'\n"), std::string::npos)
      << text;
  EXPECT_EQ(only_object().Values[1], FIREBALL);
  EXPECT_EQ(only_object().Values[2], ARMOR);
  EXPECT_EQ(only_object().Values[3], 0);
}

TEST_F(ObjectsTest, WandAndPotionSpellSlots) {
  TAreaObject& wand = objects().Add();
  wand.Vnum = 1;
  wand.ItemType = WAND;
  wand.Values = {5, 4, 3, BLESS, 0, 0, 0};
  TAreaObject& potion = objects().Add();
  potion.Vnum = 2;
  potion.ItemType = POTION;
  potion.Values = {1, BLESS, 0, 0, 0, 0, 0};
  const std::string text = write_and_reload();
  EXPECT_NE(text.find("\n5 4 3 -1\n0 0 0 0 0 0 0 \n'bless'\n\n#2\n"), std::string::npos) << text;
  EXPECT_NE(text.find("\n1 -1 0 0\n0 0 0 0 0 0 0 \n'bless' 'NONE' 'NONE'\n"), std::string::npos) << text;
  EXPECT_EQ(objects().Items[0]->Values[3], BLESS);
  EXPECT_EQ(objects().Items[0]->Values[2], 3);
  EXPECT_EQ(objects().Items[1]->Values[1], BLESS);
}

TEST_F(ObjectsTest, SalveWritesSixValuesOnlyForAPositiveValueThatIsNoSpell) {
  TAreaObject& salve = objects().Add();
  salve.Vnum = 1;
  salve.ItemType = SALVE;
  salve.Values = {1, 2, 3, 4, ARMOR, BLESS, 0};
  std::string text = written_section(objects());
  EXPECT_NE(text.find("\n1 2 3 4\n0 0 0 0 0 0 0 \n'armor' 'bless'\n"), std::string::npos) << text;
  salve.Values[4] = 500;  // not a skill index
  text = written_section(objects());
  EXPECT_NE(text.find("\n1 2 3 4 500 -1\n0 0 0 0 0 0 0 \n'NONE' 'bless'\n"), std::string::npos) << text;
}

TEST_F(ObjectsTest, WeaponTypesAreStoredByName) {
  TAreaObject& sword = objects().Add();
  sword.Vnum = 1;
  sword.ItemType = WEAPON;
  sword.Values = {0, 1, 2, 3, 0, 0, 0};
  std::string text = write_and_reload();
  EXPECT_NE(text.find("\nweapon~ ~ 0 0 0\n0 1 2 3\n"), std::string::npos) << text;
  EXPECT_EQ(only_object().WeaponType, nullptr);
  EXPECT_EQ(only_object().Values[3], 0);

  only_object().WeaponType = weapon(BOW);
  text = write_and_reload();
  EXPECT_NE(text.find("\nweapon~ bow~ 0 0 0\n0 1 2 0\n"), std::string::npos) << text;
  EXPECT_EQ(only_object().Values[3], BOW);
}

TEST_F(ObjectsTest, MissileWeaponCarriesAWeaponTypeButKeepsValue3) {
  read_section(objects(), object_text("1", "launcher~ sword~ 0 0 0", "0 0 0 9"));
  EXPECT_EQ(only_object().WeaponType, weapon(SWORD));
  EXPECT_EQ(only_object().Values[3], 9);
  read_section(objects(), object_text("2", "missile~ arrow~ 0 0 0", "0 0 0 9"));
  EXPECT_EQ(objects().Items[1]->Values[3], ARROW);
}

TEST_F(ObjectsTest, ProjectileNamesItsAmmunitionWeaponTypeInValue6) {
  read_section(objects(), object_text("1", "projectile~ ~ ~ 0 0 0", "1 2 3 4"));
  EXPECT_EQ(only_object().WeaponType, nullptr);
  EXPECT_EQ(only_object().Values[6], 0);
  EXPECT_EQ(only_object().Values[3], 4);
  only_object().Values[6] = 99;  // names no entry: written as no name
  EXPECT_NE(written_section(objects()).find("\nprojectile~ ~ ~ 0 0 0\n"), std::string::npos);
}

TEST_F(ObjectsTest, UnknownTypeNamesFail) {
  EXPECT_EQ(error_of([&] { read_section(objects(), object_text("4", "gadget~ 0 0 0", "0 0 0 0")); }),
            "#OBJECTS (beyond4):\r\n#OBJECTS (4):\r\nBad ITEM TYPE value \"gadget\"!");
  objects().Clear();
  EXPECT_EQ(error_of([&] { read_section(objects(), object_text("4", "weapon~ Sword~ 0 0 0", "0 0 0 0")); }),
            "#OBJECTS (beyond4):\r\n#OBJECTS (4):\r\nBad WEAPON TYPE value \"Sword\"!");
  objects().Clear();
  EXPECT_EQ(error_of([&] {
              read_section(objects(), object_text("4", "projectile~ bow~ spear~ 0 0 0", "0 0 0 0"));
            }),
            "#OBJECTS (beyond4):\r\n#OBJECTS (4):\r\nBad WEAPON TYPE value \"spear\"!");
}

TEST_F(ObjectsTest, AnOldItemTypeNumberWithoutANameIsRefusedWhenSaved) {
  w.set_version(6);
  read_section(objects(), "#OBJECTS\n#8\nx~\nx~\nx~\n~\n89 0 0 0\n0 0 0 0\n1\n#0\n");
  EXPECT_EQ(only_object().ItemType, 89);
  // Written as an empty name, it would make the saved file unreadable.
  EXPECT_EQ(error_of([&] { written_section(objects()); }),
            "#OBJECTS (8):\r\nItem type 89 is not in the item-type list");
  only_object().ItemType = -1;
  EXPECT_EQ(error_of([&] { written_section(objects()); }),
            "#OBJECTS (8):\r\nItem type -1 is not in the item-type list");
}

TEST_F(ObjectsTest, ItemTypeNamesIgnoreLetterCase) {
  read_section(objects(), object_text("1", "WEAPON~ axe~ 0 0 0", "0 0 0 0"));
  EXPECT_EQ(only_object().ItemType, WEAPON);
  EXPECT_NE(written_section(objects()).find("\nweapon~ axe~ 0 0 0\n"), std::string::npos);
}

TEST_F(ObjectsTest, OldFilesKeepTheWeaponTypeOfValue3) {
  w.set_version(6);
  read_section(objects(),
               "#OBJECTS\n#1\nsword~\na sword~\nA sword.~\n~\n5 0 A 0\n0 1 4 2\n1 0 0 0 0 0 0\n"
               "#2\nbroken~\na broken sword~\nA broken sword.~\n~\n5 0 A 0\n0 1 4 7\n1\n#0\n");
  EXPECT_EQ(objects().Items[0]->WeaponType, weapon(BOW));
  EXPECT_EQ(objects().Items[1]->WeaponType, nullptr);  // 7 is no position in the list
  const std::string text = write_and_reload();
  EXPECT_NE(text.find("\nweapon~ bow~ 0 A 0\n0 1 4 2\n"), std::string::npos) << text;
  EXPECT_EQ(objects().Items[0]->Values[3], BOW);
  EXPECT_EQ(objects().Items[0]->WeaponType, weapon(BOW));
}

TEST_F(ObjectsTest, Version4ShortDescriptionIsFoldedFromSixCaseForms) {
  w.set_version(4);
  read_section(objects(),
               "#OBJECTS\n#1\nknife~\nnozh:nozha:nozhu:nozh:nozhom:nozhe~\nA knife.~\n~\n"
               "1 0 0 0\n0 0 0 0\n1\n#0\n");
  const std::string expected = encode_cases({"nozh", "nozha", "nozhu", "nozh", "nozhom", "nozhe"});
  EXPECT_EQ(only_object().ShortDescription, expected);
  EXPECT_NE(written_section(objects()).find("\nknife~\n" + expected + "~\nA knife.~\n"), std::string::npos);
}

TEST_F(ObjectsTest, VersionsBelow6ReadSpellAffectsBySlot) {
  w.set_version(5);
  read_section(objects(),
               "#OBJECTS\n#1\nring~\nring~\nA ring.~\n~\n1 0 0 0\n0 0 0 0\n1\n"
               "A\n3 26\nA\n4 999\nA\n6 26\n#0\n");
  const auto& affects = only_object().Affects.Items;
  ASSERT_EQ(affects.size(), 3u);
  EXPECT_EQ(affects[0]->Modifier, FIREBALL);
  EXPECT_EQ(affects[1]->Modifier, 0);  // no skill has that slot
  EXPECT_EQ(affects[2]->Modifier, 26);
  EXPECT_NE(written_section(objects()).find("A\n3 'fireball'\nA\n4 0\nA\n6 26\n"), std::string::npos);
}

TEST_F(ObjectsTest, Version6ReadsSpellAffectsByName) {
  w.set_version(6);
  read_section(objects(),
               "#OBJECTS\n#1\nring~\nring~\nA ring.~\n~\n1 0 0 0\n0 0 0 0\n1\n"
               "A\n4 'bless'\nA\n4 nosuch\n#0\n");
  EXPECT_EQ(only_object().Affects.Items[0]->Modifier, BLESS);
  EXPECT_EQ(only_object().Affects.Items[1]->Modifier, 0);
}

TEST_F(ObjectsTest, Version0SpellValuesAreSlotsAndVersion1NamesThem) {
  const std::string forms = "svitok:svitka:svitku:svitok:svitkom:svitke~\n";
  w.set_version(0);
  read_section(objects(), "#OBJECTS\n#1\nscroll~\n" + forms + "A scroll.~\n~\n2 0 0 0\n20 26 3 5\n1\n#0\n");
  EXPECT_EQ(only_object().Values, (std::array<int32_t, 7>{20, FIREBALL, BLESS, 0, 0, 0, 0}));
  objects().Clear();
  w.set_version(1);
  read_section(objects(), "#OBJECTS\n#1\nscroll~\n" + forms +
                              "A scroll.~\n~\n2 0 0 0\n20 26 3 5\n1\n"
                              "armor 'bless' 'NONE'\n#0\n");
  EXPECT_EQ(only_object().Values, (std::array<int32_t, 7>{20, ARMOR, BLESS, 0, 0, 0, 0}));
}

TEST_F(ObjectsTest, TwentyVegetableLinesReadAndTwentyOneFail) {
  std::string lines;
  for (int i = 1; i <= 20; ++i)
    lines += "line " + std::to_string(i) + "~\n";
  read_section(objects(), object_text("7", "light~ 0 0 0", "0 0 0 0", "S\n" + lines + "|\n"));
  EXPECT_EQ(only_object().VegetableCount, 20);
  EXPECT_EQ(only_object().Vegetables[19], "line 20");
  objects().Clear();
  EXPECT_EQ(error_of([&] {
              read_section(objects(),
                           object_text("7", "light~ 0 0 0", "0 0 0 0", "S\n" + lines + "line 21~\n|\n"));
            }),
            "#OBJECTS (beyond7):\r\n#OBJECTS (7):\r\nload_object_stats:\r\nMAX_NUM_STATS in OBJECT");
}

TEST_F(ObjectsTest, AVegetableLineThatWouldEndTheListIsRefusedWhenSaved) {
  TAreaObject& object = objects().Add();
  object.Vnum = 4;
  object.VegetableCount = 2;
  object.Vegetables[0] = "|first";
  object.Vegetables[1] = " | second";
  EXPECT_EQ(error_of([&] { written_section(objects()); }),
            "#OBJECTS (4):\r\nVegetable line 1 starts with '|'");
  object.Vegetables[0] = "first|";
  EXPECT_EQ(error_of([&] { written_section(objects()); }),
            "#OBJECTS (4):\r\nVegetable line 2 starts with '|'");
  object.Vegetables[1] = "";
  const std::string text = write_and_reload();
  EXPECT_NE(text.find("\nS\nfirst|~\n~\n|\n"), std::string::npos) << text;
  EXPECT_EQ(only_object().VegetableCount, 2);
  EXPECT_EQ(only_object().Vegetables[0], "first|");
}

TEST_F(ObjectsTest, AnUnknownSubRecordLetterEndsTheObject) {
  EXPECT_EQ(error_of([&] { read_section(objects(), object_text("7", "light~ 0 0 0", "0 0 0 0", "Q\n")); }),
            "#OBJECTS (beyond7):\r\n# not found.");
  EXPECT_EQ(objects().Items.size(), 1u);  // the object itself was complete
}

TEST_F(ObjectsTest, SectionErrorsNameTheVnums) {
  EXPECT_EQ(error_of([&] {
              read_section(objects(), object_text("3", "light~ 0 0 0", "0 0 0 0"));
              read_section(objects(), object_text("3", "light~ 0 0 0", "0 0 0 0"));
            }),
            "#OBJECTS (beyond3):\r\nDuplicate vnum 3");
  objects().Clear();
  EXPECT_EQ(error_of([&] { read_section(objects(), object_text("3", "light~ 0 0 0", "x 0 0 0")); }),
            "#OBJECTS (beyond3):\r\n#OBJECTS (3):\r\nfread_number: Bad format. (x)");
  EXPECT_TRUE(objects().Items.empty());
}

TEST_F(ObjectsTest, EmptyListWritesNothingAndVnumLookups) {
  EXPECT_EQ(written_section(objects()), "");
  EXPECT_EQ(objects().NextFreeVnum(), 1);
  for (int32_t vnum : {10, 30, 20, 30})
    objects().Add().Vnum = vnum;
  EXPECT_EQ(objects().NextFreeVnum(), 31);
  EXPECT_EQ(objects().FindByVnum(30), objects().Items[1].get());
  EXPECT_EQ(objects().FindByVnum(31), nullptr);
}

TEST_F(ObjectsTest, AssignIsADeepCopy) {
  read_section(objects(), fixture("objects_full.are"));
  const TAreaObject& chair = *objects().Items[4];
  const TAreaObject& sword = *objects().Items[0];
  TAreaObject copy(&objects());
  copy.Assign(chair);
  EXPECT_EQ(written_by_object(copy), written_by_object(chair));
  copy.Assign(sword);
  EXPECT_EQ(written_by_object(copy), written_by_object(sword));
  EXPECT_EQ(copy.WeaponType, sword.WeaponType);
  EXPECT_EQ(copy.Progs->Items.size(), 0u);
  EXPECT_EQ(copy.VegetableCount, 0);
  ASSERT_EQ(copy.Affects.Items.size(), 3u);
  EXPECT_NE(copy.Affects.Items[0].get(), sword.Affects.Items[0].get());
  EXPECT_EQ(copy.Affects.Items[0]->Owner, &copy.Affects);
  EXPECT_EQ(copy.Affects.Object, &copy);
  copy.ExtraFlags.set(100);
  EXPECT_FALSE(sword.ExtraFlags.test(100));
}

}  // namespace
}  // namespace tavro

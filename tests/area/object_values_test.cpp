// The object editor's readings of the world's lists: value rows of an item type, affect modifier texts,
// the spell and weapon-type pickers' entries, and the weapon type a weapon's value 3 names.
#include <gtest/gtest.h>

#include "area/ObjectValues.h"
#include "area/SectionTestSupport.h"

namespace tavro {
namespace {

struct RowCase {
  const char* spec;
  std::vector<TValueRow> rows;  // rows 0..6
  const char* error;
};

std::vector<TValueRow> rows_of(const TValueRows& rows) {
  return {rows.Rows.begin(), rows.Rows.end()};
}

std::vector<TValueRow> defaults() {
  return rows_of(DefaultValueRows());
}

std::vector<TValueRow> with(std::vector<std::pair<size_t, TValueRow>> named) {
  std::vector<TValueRow> rows(ObjectValueCount);
  for (auto& [n, row] : named)
    rows[n] = row;
  return rows;
}

TEST(ValueSpec, RowsOfEachFormOfDescription) {
  const TValueRow spell{"Spell", "SPELL", ValuePicker::Spell, "Spell slot"};
  const RowCase cases[] = {
      {"", defaults(), ""},
      {"   ", defaults(), ""},
      {"(0|Weight)(3|Spell|SPELL|Spell slot)", with({{0, {"Weight", "", ValuePicker::None, ""}}, {3, spell}}),
       ""},
      {" (2|Hours||-1 lights for ever) ", with({{2, {"Hours", "", ValuePicker::None, "-1 lights for ever"}}}),
       ""},
      {"(3|Type|weapontype|Kind)", with({{3, {"Type", "weapontype", ValuePicker::WeaponType, "Kind"}}}), ""},
      {"(1|Odd|OTHER|)", with({{1, {"Odd", "OTHER", ValuePicker::None, ""}}}), ""},
      {"(1|)(4|Four)", with({{4, {"Four", "", ValuePicker::None, ""}}}), ""},
      {"(1|One)(1|Again)", with({{1, {"Again", "", ValuePicker::None, ""}}}), ""},
      {"(7|Eight)", defaults(), "the group (7|Eight) names row 7, outside 0..6"},
      {"(-1|Minus)", defaults(), "the group (-1|Minus) names row -1, outside 0..6"},
      {"(0|A)(x|B)", defaults(), "the group (x|B) has no row number before its '|'"},
      {"(0 Weight)", defaults(), "the group (0 Weight) has no '|' after its row number"},
      {"(0|Weight", defaults(), "the group (0|Weight has no closing ')'"},
  };
  for (const RowCase& c : cases) {
    const TValueRows rows = ParseValueSpec(c.spec);
    EXPECT_EQ(rows_of(rows), c.rows) << c.spec;
    EXPECT_EQ(rows.Error, c.error) << c.spec;
  }
}

class ObjectValuesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    world.ItemTypesValues = {"ITEM_LIGHT=(2|Hours)", "item_wand=(9|Broken)", "ITEM_WEAPON="};
    world.ApplyTypes = {"NONE",   "STR",         "AFFECT",    "RESISTANT",
                        "IMMUNE", "SUSCEPTIBLE", "WEARSPELL", "STRIPSN"};
    world.ApplyFlags = {"0=blind", "2=invisible", "3=detect_evil"};
    world.RISFlags = {"0=fire", "3=cold"};
    world.SkillTypes = {"SKILL_UNKNOWN", "SKILL_SPELL", "SKILL_SKILL"};
    for (size_t i : {1u, 3u})
      world.Skills->Items[i]->SkillType = 1;
    world.Skills->Items[2]->SkillType = 2;
  }
  test::SectionWorld w;
  TWorld& world = w.world;
};

TEST_F(ObjectValuesTest, RowsOfAnItemTypeComeFromItsLine) {
  EXPECT_EQ(rows_of(ValueRowsOf(world, 1)), with({{2, {"Hours", "", ValuePicker::None, ""}}}));
  for (int32_t type : {0, 5, 99, -1})  // no line, an empty description, no item type
    EXPECT_EQ(rows_of(ValueRowsOf(world, type)), defaults()) << type;
  const TValueRows wand = ValueRowsOf(world, 3);
  EXPECT_EQ(rows_of(wand), defaults());
  EXPECT_EQ(wand.Error,
            "The value list ItemTypesValues, line 2 (ITEM_WAND): the group (9|Broken) names row 9, outside "
            "0..6; the values are shown as Value 0 to Value 6.");
}

TEST_F(ObjectValuesTest, AffectKindsAndTexts) {
  struct Case {
    int32_t location, modifier;
    AffectKind kind;
    const char* text;
  };
  const Case cases[] = {
      {1, -2, AffectKind::Number, "-2"},
      {2, 0, AffectKind::FlagBits, ""},
      {2, 0b1011, AffectKind::FlagBits, "blind detect_evil"},  // bit 1 has no name
      {3, 9, AffectKind::ResistanceBits, "fire cold"},
      {4, 1, AffectKind::ResistanceBits, "fire"},
      {5, 8, AffectKind::ResistanceBits, "cold"},
      {6, 3, AffectKind::Spell, "fireball"},
      {7, 4, AffectKind::Spell, "NONE"},  // a skill without a name is no spell
      {6, 40, AffectKind::Spell, "NONE"},
      {40, 7, AffectKind::Number, "7"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(LocationKind(world, c.location), c.kind) << c.location;
    EXPECT_EQ(AffectValueText(world, {c.location, c.modifier}), c.text) << c.location << " " << c.modifier;
  }
  EXPECT_EQ(AffectBitList(world, AffectKind::ResistanceBits), &world.RISFlags);
  EXPECT_EQ(AffectBitList(world, AffectKind::Spell), nullptr);
  EXPECT_EQ(AffectLocationName(world, 3), "RESISTANT");
  EXPECT_EQ(AffectLocationName(world, 12), "12");
}

TEST_F(ObjectValuesTest, PickersListSpellsByPositionAndWeaponTypes) {
  const std::vector<TPickEntry> spells = SpellEntries(world);
  EXPECT_EQ(spells, (std::vector<TPickEntry>{{"armor", 1}, {"fireball", 3}}));
  EXPECT_EQ(PickIndexOf(spells, 3), 1);
  EXPECT_EQ(PickIndexOf(spells, 2), -1);
  world.SkillTypes = {"SKILL_UNKNOWN", "SKILL_SKILL"};  // no spell type: no skill is a spell
  world.Skills->Items[0]->SkillType = 0;
  EXPECT_TRUE(SpellEntries(world).empty());
  EXPECT_EQ(WeaponTypeEntries(world),
            (std::vector<TPickEntry>{{"sword", 0}, {"axe", 1}, {"bow", 2}, {"arrow", 3}}));
}

TEST_F(ObjectValuesTest, WeaponTypeFollowsValueThreeOfWeaponsOnly) {
  const TWorldWeapon* axe = world.Weapons->Items[1].get();
  const TWorldWeapon* bow = world.Weapons->Items[2].get();
  struct Case {
    int32_t item_type, value3;
    const TWorldWeapon* expected;
  };
  const Case cases[] = {{5, 2, bow}, {11, 2, bow}, {5, 4, axe}, {5, -1, axe}, {6, 2, axe}, {1, 0, axe}};
  for (const Case& c : cases) {
    TAreaObjectData object;
    object.ItemType = c.item_type;
    object.Values[3] = c.value3;
    object.WeaponType = axe;
    EXPECT_EQ(WeaponTypeFromValues(world, object), c.expected) << c.item_type << " " << c.value3;
  }
}

}  // namespace
}  // namespace tavro

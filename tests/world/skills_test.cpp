#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "reading/Error.h"
#include "world/Skills.h"
#include "world/World.h"
#include "world_fixture.h"

namespace tavro {
namespace {

using ::testing::StartsWith;

using testing::ScratchWorld;

class Skills : public ::testing::Test {
 protected:
  Skills() {
    world.SkillTypes = {"SKILL_UNKNOWN", "SKILL_SPELL", "SKILL_SKILL", "SKILL_WEAPON",
                        "SKILL_TONGUE",  "SKILL_HERB",  "SKILL_RACIAL"};
  }
  void load(std::string_view text) {
    scratch.write_server("skills.dat", text);
    world.Skills->Load(scratch.path("skills.dat"));
  }
  std::string load_error(std::string_view text) {
    return test::error_of([&] { load(text); });
  }
  const TWorldSkill& skill(int i) const { return *world.Skills->Items.at(static_cast<size_t>(i)); }

  ScratchWorld scratch;
  TWorld world;
};

TEST_F(Skills, EveryKeyReachesItsField) {
  load(
      "* a comment line\n"
      "#SKILL\n"
      "Name_eng fireball~\nName огненный шар~\nSlot 26\nClass 3 20 80\nRace 19 7 60\nGuild 4\nTarget 1\n"
      "Code spell_fireball\nComponents V@1234~\nDammsg огненный шар~\nDice 2d6~\n"
      "Diechar dc~\nDieroom dr~\nDievict dv~\nDifficulty 2\nFlags AC\n"
      "Hitchar hc~\nHitdest hd~\nHitroom hr~\nHitvict hv~\nImmchar ic~\nImmroom ir~\nImmvict iv~\n"
      "Info 5\nMana 15\nMinlevel 12 and the rest of the line\nMinpos 107\n"
      "Misschar mc~\nMissroom mr~\nMissvict mv~\nParticipants 2\nRange 3\nRounds 4\nSaves 5\nSSector 6\n"
      "Teachers 3001 3002~\nType Spell\nValue 99\nWearoff gone~\n* a comment inside\nEnd\n"
      "#END\n");
  ASSERT_EQ(world.Skills->Count(), 1);
  const TWorldSkill& s = skill(0);
  EXPECT_EQ(std::tie(s.NameEng, s.Name, s.Code, s.Components, s.Dice, s.Teachers, s.WearOff),
            std::make_tuple("fireball", utf8_to_cp1251("огненный шар"), "spell_fireball", "V@1234", "2d6",
                            "3001 3002", "gone"));
  EXPECT_EQ(std::tie(s.ClassLevel[3], s.ClassAdept[3], s.ClassLevel[2], s.ClassAdept[2]),
            std::make_tuple(20, 80, 51, 95));
  EXPECT_EQ(std::tie(s.RaceLevel[19], s.RaceAdept[19], s.RaceLevel[0]), std::make_tuple(7, 60, 51));
  EXPECT_EQ(std::make_tuple(s.DieChar + s.DieRoom + s.DieVict, s.HitChar + s.HitDest + s.HitRoom + s.HitVict,
                            s.ImmChar + s.ImmRoom + s.ImmVict, s.MissChar + s.MissRoom + s.MissVict),
            std::make_tuple("dcdrdv", "hchdhrhv", "iciriv", "mcmrmv"));
  EXPECT_EQ(std::tie(s.Slot, s.Guild, s.Target, s.Difficulty, s.Flags, s.Info, s.Mana, s.MinPos),
            std::make_tuple(26, 4, 1, 2, 5u, 5, 15, 7));
  EXPECT_EQ(std::tie(s.Participants, s.Range, s.Rounds, s.Saves, s.SSector, s.SkillType, s.Value),
            std::make_tuple(2, 3, 4, 5, 6, 1, 99));
}

TEST_F(Skills, DefaultsOfASkillWithNoKeys) {
  load("#SKILL\nEnd\n#END\n");
  const TWorldSkill& s = skill(0);
  EXPECT_EQ(std::tie(s.Guild, s.ClassLevel[0], s.RaceAdept[19], s.Owner),
            std::make_tuple(-1, 51, 95, world.Skills.get()));
  EXPECT_TRUE(s.Affects.Items.empty());
}

TEST_F(Skills, TypeWordsMapToSkillTypePositions) {
  load(
      "#SKILL\nType race\nEnd\n#SKILL\nType SKILL\nEnd\n#SKILL\nType Weapon\nEnd\n#SKILL\nType tongue\nEnd\n"
      "#SKILL\nType herb\nEnd\n#SKILL\nType potion\nEnd\n#END\n");
  for (int i = 0; i < 6; ++i)
    EXPECT_EQ(skill(i).SkillType, (std::array{6, 2, 3, 4, 5, 0})[static_cast<size_t>(i)]) << i;
  world.SkillTypes = {"SKILL_SPELL"};  // a list without the name: position 0
  load("#SKILL\nType herb\nEnd\n#END\n");
  EXPECT_EQ(skill(0).SkillType, 0);
}

TEST_F(Skills, MinPosUsesTheMobilePositionNumbering) {
  load(
      "#SKILL\nMinpos 8\nEnd\n#SKILL\nMinpos 112\nEnd\n#SKILL\nMinpos 5\nEnd\n#SKILL\nMinpos 4\nEnd\n#END\n");
  EXPECT_EQ(std::tie(skill(0).MinPos, skill(1).MinPos, skill(2).MinPos, skill(3).MinPos),
            std::make_tuple(12, 12, 6, 4));
}

TEST_F(Skills, OldStyleAffectBitMasksBecomeBitNumbers) {
  load(
      "#SKILL\nName_eng old~\nAffect 10 1 5 8\nAffect 'L*2' 26 '-(L/4)' 0\nAffect 1 2 3 -2147483648\n"
      "Info 3\nAffect 10 1 5 8\nEnd\n"
      "#SKILL\nName_eng new~\nInfo 0\nAffect 10 1 5 8\nAffect 10 1 5 -1\nEnd\n#END\n");
  const auto& old_affects = skill(0).Affects.Items;
  ASSERT_EQ(old_affects.size(), 4u);
  EXPECT_EQ(std::tie(old_affects[0]->Duration, old_affects[0]->Location, old_affects[0]->Modifier),
            std::make_tuple("10", 1, "5"));
  EXPECT_EQ(std::tie(old_affects[1]->Duration, old_affects[1]->Modifier), std::make_tuple("L*2", "-(L/4)"));
  // Masks become bit numbers (-1 for none); after INFO the number is kept.
  EXPECT_EQ(std::make_tuple(old_affects[0]->BitVector, old_affects[1]->BitVector, old_affects[2]->BitVector,
                            old_affects[3]->BitVector, skill(1).Affects.Items[0]->BitVector,
                            skill(1).Affects.Items[1]->BitVector),
            std::make_tuple(3, -1, 31, 8, 8, -1));
  EXPECT_EQ(old_affects[3]->Owner, &skill(0).Affects);
}

TEST_F(Skills, LookUpsByNameSlotAndValidity) {
  load(
      "#SKILL\nName_eng reserved~\nSlot 0\nEnd\n"
      "#SKILL\nName_eng armor~\nName броня~\nSlot 1\nEnd\n"
      "#SKILL\nName_eng armor~\nName вторая броня~\nSlot 7\nEnd\n"
      "#SKILL\nName_eng nameless~\nSlot 7\nEnd\n#END\n");
  const TWorldSkills& skills = *world.Skills;
  // The first of two names counts; letter case matters; 0 when none.
  EXPECT_EQ(
      std::make_tuple(skills.IndexOfName("armor"), skills.IndexOfName("ARMOR"), skills.FindByName("armor"),
                      skills.FindByName("Armor"), skills.IndexOfSlot(7), skills.IndexOfSlot(99)),
      std::make_tuple(1, 0, &skill(1), nullptr, 2, 0));
  // Without a NAME a skill is not defined.
  EXPECT_EQ(std::make_tuple(skills.IsValid(1), skills.IsValid(3), skills.IsValid(-1), skills.IsValid(4)),
            std::make_tuple(true, false, false, false));
  EXPECT_EQ(std::make_tuple(skills.NameOf(2), skills.NameOf(3), skills.NameOf(42)),
            std::make_tuple("armor", "NONE", "NONE"));
}

TEST_F(Skills, ErrorsSayWhatWasFoundAndLeaveNoHalfReadTable) {
  const std::pair<const char*, const char*> cases[] = {
      {"#SKILL\nName_eng armor~\n", "fread_letter: EOF encountered on read."},  // the end ends the skill only
      {"#SPELL\nEnd\n#END\n", "Bad section 'SPELL'"},
      {"SKILL\n", "# not found"},
      {"#SKILL\nName_eng fireball~\nBogus 1\nEnd\n#END\n",
       "Load Skill \"fireball\":\r\nSection 'BOGUS' invalid"},
      {"#SKILL\nBogus 1\nName_eng fireball~\nEnd\n#END\n", "Load Skill \"\":\r\nSection 'BOGUS' invalid"},
      {"#SKILL\nName_eng armor~\nAffect 10 x 5 8\nEnd\n#END\n",
       "Load Skill \"armor\":\r\nLoad Smaug Affect:\r\nfread_number: Bad format. (x)"},
      {"#SKILL\nName_eng armor~\nClass 20 1 95\nEnd\n#END\n",
       "Load Skill \"armor\":\r\nCLASS index 20 out of range 0..19"},
      {"#SKILL\nName_eng bless~\nRace -1 1 95\nEnd\n#END\n",
       "Load Skill \"bless\":\r\nRACE index -1 out of range 0..19"}};
  for (const auto& [text, message] : cases) {
    EXPECT_EQ(load_error(text), std::string("Load Skills:\r\n") + message) << text;
    EXPECT_EQ(world.Skills->Count(), 0);
  }
  EXPECT_THAT(test::error_of([&] { world.Skills->Load(scratch.path("nowhere/skills.dat")); }),
              StartsWith("Load Skills:\r\n"));
}

TEST(Positions, StoredPositionsConvertAsMobilePositions) {
  // The old numbering is mapped; the current one is offset by 100; numbers beyond both stay.
  const int cases[][2] = {{0, 0},   {4, 4},   {5, 6},   {6, 8},   {7, 9},    {8, 12},  {9, 13}, {10, 14},
                          {11, 15}, {12, 12}, {100, 0}, {108, 8}, {112, 12}, {99, 99}, {-1, -1}};
  for (const auto& [stored, position] : cases)
    EXPECT_EQ(position_from_stored(stored), position) << stored;
}

}  // namespace
}  // namespace tavro

#include <gtest/gtest.h>

#include "reading/Error.h"
#include "world/Skills.h"
#include "world/World.h"
#include "world_fixture.h"

namespace tavro {
namespace {

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
    try {
      load(text);
    } catch (const Error& e) {
      return e.what();
    }
    ADD_FAILURE() << "no error for:\n" << text;
    return {};
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
  EXPECT_EQ(s.NameEng, "fireball");
  EXPECT_EQ(s.Name, utf8_to_cp1251("огненный шар"));
  EXPECT_EQ(s.Slot, 26);
  EXPECT_EQ(s.ClassLevel[3], 20);
  EXPECT_EQ(s.ClassAdept[3], 80);
  EXPECT_EQ(s.ClassLevel[2], 51);
  EXPECT_EQ(s.ClassAdept[2], 95);
  EXPECT_EQ(s.RaceLevel[19], 7);
  EXPECT_EQ(s.RaceAdept[19], 60);
  EXPECT_EQ(s.RaceLevel[0], 51);
  EXPECT_EQ(s.Guild, 4);
  EXPECT_EQ(s.Target, 1);
  EXPECT_EQ(s.Code, "spell_fireball");
  EXPECT_EQ(s.Components, "V@1234");
  EXPECT_EQ(s.Dice, "2d6");
  EXPECT_EQ(s.DieChar + s.DieRoom + s.DieVict, "dcdrdv");
  EXPECT_EQ(s.Difficulty, 2);
  EXPECT_EQ(s.Flags, 5u);
  EXPECT_EQ(s.HitChar + s.HitDest + s.HitRoom + s.HitVict, "hchdhrhv");
  EXPECT_EQ(s.ImmChar + s.ImmRoom + s.ImmVict, "iciriv");
  EXPECT_EQ(s.Info, 5);
  EXPECT_EQ(s.Mana, 15);
  EXPECT_EQ(s.MinPos, 7);
  EXPECT_EQ(s.MissChar + s.MissRoom + s.MissVict, "mcmrmv");
  EXPECT_EQ(s.Participants, 2);
  EXPECT_EQ(s.Range, 3);
  EXPECT_EQ(s.Rounds, 4);
  EXPECT_EQ(s.Saves, 5);
  EXPECT_EQ(s.SSector, 6);
  EXPECT_EQ(s.Teachers, "3001 3002");
  EXPECT_EQ(s.SkillType, 1);
  EXPECT_EQ(s.Value, 99);
  EXPECT_EQ(s.WearOff, "gone");
}

TEST_F(Skills, DefaultsOfASkillWithNoKeys) {
  load("#SKILL\nEnd\n#END\n");
  const TWorldSkill& s = skill(0);
  EXPECT_EQ(s.Guild, -1);
  EXPECT_EQ(s.ClassLevel[0], 51);
  EXPECT_EQ(s.RaceAdept[19], 95);
  EXPECT_TRUE(s.Affects.Items.empty());
  EXPECT_EQ(s.Owner, world.Skills.get());
}

TEST_F(Skills, TypeWordsMapToSkillTypePositions) {
  load(
      "#SKILL\nType race\nEnd\n#SKILL\nType SKILL\nEnd\n#SKILL\nType Weapon\nEnd\n#SKILL\nType tongue\nEnd\n"
      "#SKILL\nType herb\nEnd\n#SKILL\nType potion\nEnd\n#END\n");
  EXPECT_EQ(skill(0).SkillType, 6);
  EXPECT_EQ(skill(1).SkillType, 2);
  EXPECT_EQ(skill(2).SkillType, 3);
  EXPECT_EQ(skill(3).SkillType, 4);
  EXPECT_EQ(skill(4).SkillType, 5);
  EXPECT_EQ(skill(5).SkillType, 0);
  world.SkillTypes = {"SKILL_SPELL"};  // a list without the name: position 0
  load("#SKILL\nType herb\nEnd\n#END\n");
  EXPECT_EQ(skill(0).SkillType, 0);
}

TEST_F(Skills, MinPosUsesTheMobilePositionNumbering) {
  load(
      "#SKILL\nMinpos 8\nEnd\n#SKILL\nMinpos 112\nEnd\n#SKILL\nMinpos 5\nEnd\n#SKILL\nMinpos 4\nEnd\n#END\n");
  EXPECT_EQ(skill(0).MinPos, 12);
  EXPECT_EQ(skill(1).MinPos, 12);
  EXPECT_EQ(skill(2).MinPos, 6);
  EXPECT_EQ(skill(3).MinPos, 4);
}

TEST_F(Skills, OldStyleAffectBitMasksBecomeBitNumbers) {
  load(
      "#SKILL\nName_eng old~\nAffect 10 1 5 8\nAffect 'L*2' 26 '-(L/4)' 0\nAffect 1 2 3 -2147483648\n"
      "Info 3\nAffect 10 1 5 8\nEnd\n"
      "#SKILL\nName_eng new~\nInfo 0\nAffect 10 1 5 8\nAffect 10 1 5 -1\nEnd\n#END\n");
  const auto& old_affects = skill(0).Affects.Items;
  ASSERT_EQ(old_affects.size(), 4u);
  EXPECT_EQ(old_affects[0]->Duration, "10");
  EXPECT_EQ(old_affects[0]->Location, 1);
  EXPECT_EQ(old_affects[0]->Modifier, "5");
  EXPECT_EQ(old_affects[0]->BitVector, 3);
  EXPECT_EQ(old_affects[1]->Duration, "L*2");
  EXPECT_EQ(old_affects[1]->Modifier, "-(L/4)");
  EXPECT_EQ(old_affects[1]->BitVector, -1);
  EXPECT_EQ(old_affects[2]->BitVector, 31);
  EXPECT_EQ(old_affects[3]->BitVector, 8);  // after INFO the number is kept
  EXPECT_EQ(old_affects[3]->Owner, &skill(0).Affects);
  EXPECT_EQ(skill(1).Affects.Items[0]->BitVector, 8);
  EXPECT_EQ(skill(1).Affects.Items[1]->BitVector, -1);
}

TEST_F(Skills, LookUpsByNameSlotAndValidity) {
  load(
      "#SKILL\nName_eng reserved~\nSlot 0\nEnd\n"
      "#SKILL\nName_eng armor~\nName броня~\nSlot 1\nEnd\n"
      "#SKILL\nName_eng armor~\nName вторая броня~\nSlot 7\nEnd\n"
      "#SKILL\nName_eng nameless~\nSlot 7\nEnd\n#END\n");
  EXPECT_EQ(world.Skills->IndexOfName("armor"), 1);  // the first of two
  EXPECT_EQ(world.Skills->IndexOfName("ARMOR"), 0);  // case matters; 0 when none
  EXPECT_EQ(world.Skills->FindByName("armor"), &skill(1));
  EXPECT_EQ(world.Skills->FindByName("Armor"), nullptr);
  EXPECT_EQ(world.Skills->IndexOfSlot(7), 2);
  EXPECT_EQ(world.Skills->IndexOfSlot(99), 0);
  EXPECT_TRUE(world.Skills->IsValid(1));
  EXPECT_FALSE(world.Skills->IsValid(3));  // no NAME: not defined
  EXPECT_FALSE(world.Skills->IsValid(-1));
  EXPECT_FALSE(world.Skills->IsValid(4));
  EXPECT_EQ(world.Skills->NameOf(2), "armor");
  EXPECT_EQ(world.Skills->NameOf(3), "NONE");
  EXPECT_EQ(world.Skills->NameOf(42), "NONE");
}

TEST_F(Skills, EndOfFileEndsTheLastSkillButNotTheFile) {
  EXPECT_EQ(load_error("#SKILL\nName_eng armor~\n"),
            "Load Skills:\r\nfread_letter: EOF encountered on read.");
  ASSERT_EQ(world.Skills->Count(), 0);
}

TEST_F(Skills, FramingErrorsSayWhatWasFound) {
  EXPECT_EQ(load_error("#SPELL\nEnd\n#END\n"), "Load Skills:\r\nBad section 'SPELL'");
  EXPECT_EQ(load_error("SKILL\n"), "Load Skills:\r\n# not found");
  EXPECT_EQ(load_error("#SKILL\nName_eng fireball~\nBogus 1\nEnd\n#END\n"),
            "Load Skills:\r\nLoad Skill \"fireball\":\r\nSection 'BOGUS' invalid");
  EXPECT_EQ(load_error("#SKILL\nBogus 1\nName_eng fireball~\nEnd\n#END\n"),
            "Load Skills:\r\nLoad Skill \"\":\r\nSection 'BOGUS' invalid");
  EXPECT_EQ(load_error("#SKILL\nName_eng armor~\nAffect 10 x 5 8\nEnd\n#END\n"),
            "Load Skills:\r\nLoad Skill \"armor\":\r\nLoad Smaug Affect:\r\nfread_number: Bad format. (x)");
  EXPECT_EQ(world.Skills->Count(), 0);  // a failed load leaves no half-read table
}

TEST_F(Skills, ClassOrRaceIndexOutsideTheTablesIsRefused) {
  EXPECT_EQ(load_error("#SKILL\nName_eng armor~\nClass 20 1 95\nEnd\n#END\n"),
            "Load Skills:\r\nLoad Skill \"armor\":\r\nCLASS index 20 out of range 0..19");
  EXPECT_EQ(load_error("#SKILL\nName_eng bless~\nRace -1 1 95\nEnd\n#END\n"),
            "Load Skills:\r\nLoad Skill \"bless\":\r\nRACE index -1 out of range 0..19");
}

TEST_F(Skills, MissingFileFailsUnderTheLoadSkillsPrefix) {
  try {
    world.Skills->Load(scratch.path("nowhere/skills.dat"));
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(std::string(e.what()).rfind("Load Skills:\r\n", 0), 0u) << e.what();
  }
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

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "reading/Error.h"
#include "reading/Paths.h"
#include "world/RacesClasses.h"
#include "world/World.h"
#include "world_fixture.h"

namespace tavro {
namespace {

using ::testing::StartsWith;

using test::error_of;
using testing::ScratchWorld;

class RacesClasses : public ::testing::Test {
 protected:
  RacesClasses() {
    world.CorpseTypes = {"NONE=0", "NORMAL=1", "Skeleton=2"};
    world.CreatureTypes = {"NONE=0", "HUMANOID=1", "ANIMAL=2"};
  }
  std::string races_index() const { return scratch.path("races/race.lst"); }
  std::string classes_index() const { return scratch.path("classes/class.lst"); }

  ScratchWorld scratch;
  TWorld world;
};

TEST_F(RacesClasses, RacesAreNumberedByTheirPlaceInTheIndex) {
  scratch.write_server("races/race.lst", "human.race\n'elf.race'\n$\nignored.race\n");
  scratch.write_server("races/human.race", "Name человек~\nName_eng human~\nRace 7\nEnd\n");
  scratch.write_server("races/elf.race", "Race 0\nName эльф~\nName_eng elf~\n");  // no END: ends at the end
  world.Races->Load(races_index());
  ASSERT_EQ(world.Races->Count(), 2);
  const TWorldRaces& races = *world.Races;
  EXPECT_EQ(std::make_tuple(races.Item(0)->Number, races.Item(1)->Number, races.Item(2), races.Item(-1)),
            std::make_tuple(0, 1, nullptr, nullptr));
  // Names are found exactly, in either language.
  EXPECT_EQ(std::make_tuple(races.NumberOfName("elf"), races.NumberOfName(utf8_to_cp1251("эльф")),
                            races.NumberOfName("Elf"), races.PositionOfNumber(1), races.PositionOfNumber(7)),
            std::make_tuple(1, 1, -1, 1, -1));
}

TEST_F(RacesClasses, EveryRaceKeyReachesItsField) {
  scratch.write_server("races/race.lst", "orc.race $");
  scratch.write_server(
      "races/orc.race",
      "* comment\nName орк~\nName_eng orc~\nSex_male m~\nSex_female f~\nSex_neutral n~\nId ORC~\n"
      "Race_recall 3001\nCorpse skeleton\nCreature_type animal\nDeath_msg 4\nDecay_msg 5\n"
      "Pc_permission yes\nStr_plus 1\nInt_plus 2\nWis_plus 3\nCon_plus 4\nDex_plus 5\nCha_plus 6\n"
      "Lck_plus 7\nHit 8\nHp_regen 9\nHp_gain 10\nMana 11\nMana_regen 12\nMana_gain 13\nAlign -5\n"
      "Min_align -100\nAlignmax 100\nHeight 180\nWeight 90\nAffected B&A\nResist 14\nSuscept 15\n"
      "Ac_plus 16\nLanguage 17\nExp_mult 18\nHunger_mod 19\nThirst_mod 20\nAttacks C\nDefenses D\n"
      "Classes 0 1~\nClassesnew AB\nWherename <голова>~\nWherename <тело>~\nSaving E\n"
      "Description злой~\nSex_permission 7~\nSkill kick 5 60\nEnd\n");
  world.Races->Load(races_index());
  const TWorldRace& r = *world.Races->Item(0);
  EXPECT_EQ(std::tie(r.Owner, r.Name, r.Classes, r.Description, r.SexPermission),
            std::make_tuple(world.Races.get(), utf8_to_cp1251("орк"), "0 1", utf8_to_cp1251("злой"), "7"));
  EXPECT_EQ(std::make_tuple(r.SexMale, r.SexFemale, r.SexNeutral, r.Id),
            std::make_tuple("m", "f", "n", "ORC"));
  // Corpse and creature names are compared without regard to case.
  EXPECT_EQ(std::tie(r.RaceRecall, r.Corpse, r.CreatureType, r.DeathMsg, r.DecayMsg, r.PcPermission),
            std::make_tuple(3001, 2, 2, 4, 5, true));
  EXPECT_EQ(std::vector<int32_t>({r.StrPlus, r.IntPlus, r.WisPlus, r.ConPlus, r.DexPlus, r.ChaPlus, r.LckPlus,
                                  r.Hit, r.HpRegen, r.HpGain, r.Mana, r.ManaRegen, r.ManaGain}),
            std::vector<int32_t>({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13}));
  EXPECT_EQ(std::tie(r.Align, r.AlignMin, r.AlignMax, r.Height, r.Weight),
            std::make_tuple(-5, -100, 100, 180, 90));
  EXPECT_EQ(
      std::vector<int32_t>({r.Resist, r.Suscept, r.AcPlus, r.Language, r.ExpMult, r.HungerMod, r.ThirstMod}),
      std::vector<int32_t>({14, 15, 16, 17, 18, 19, 20}));
  using Words = std::array<uint32_t, 4>;
  EXPECT_EQ(std::tie(r.Affected.Words, r.Attacks.Words, r.Defenses.Words, r.ClassesNew.Words, r.Saving.Words),
            std::make_tuple(Words{2, 1, 0, 0}, Words{4, 0, 0, 0}, Words{8, 0, 0, 0}, Words{3, 0, 0, 0},
                            Words{16, 0, 0, 0}));
  EXPECT_EQ(r.WhereNames, (std::vector<std::string>{utf8_to_cp1251("<голова>"), utf8_to_cp1251("<тело>")}));
}

TEST_F(RacesClasses, UnknownCorpseOrCreatureTypeIsPositionZeroAndAnEmptyIndexGivesNoRaces) {
  scratch.write_server("races/race.lst", "a.race\n$\n");
  scratch.write_server("races/a.race", "Corpse dust\nCreature_type dragon\nAlignMin 3\nMax_align 4\n");
  world.Races->Load(races_index());
  const TWorldRace& r = *world.Races->Item(0);
  EXPECT_EQ(std::tie(r.Corpse, r.CreatureType, r.AlignMin, r.AlignMax), std::make_tuple(0, 0, 3, 4));
  scratch.write_server("races/race.lst", "$\n");  // an index with only the end mark gives no races
  world.Races->Load(races_index());
  EXPECT_EQ(world.Races->Count(), 0);
  EXPECT_EQ(world.Races->NumberOfName("human"), -1);
}

TEST_F(RacesClasses, RaceErrorsNameTheFileAndTheRace) {
  scratch.write_server("races/race.lst", "human.race\nelf.race\n$\n");
  scratch.write_server("races/human.race", "Name human~\nEnd\n");
  scratch.write_server("races/elf.race", "Name эльф~\nWings 2\nEnd\n");
  std::string elf = join_path(scratch.path("races"), "elf.race");
  EXPECT_EQ(error_of([&] { world.Races->Load(races_index()); }),
            "Load Races List (" + elf + "):\r\nLoad Race \"" + utf8_to_cp1251("эльф") +
                "\":\r\nSection 'WINGS' invalid");
  scratch.write_server("races/race.lst", "human.race\n");
  EXPECT_EQ(error_of([&] { world.Races->Load(races_index()); }),
            "Load Races List (" + races_index() + "):\r\nfread_word: fread_letter: EOF encountered on read.");
  scratch.write_server("races/race.lst", "human.race\nghost.race\n$\n");
  std::string message = error_of([&] { world.Races->Load(races_index()); });
  std::string ghost = join_path(scratch.path("races"), "ghost.race");
  EXPECT_THAT(message, StartsWith("Load Races List (" + ghost + "):\r\n"));
  EXPECT_EQ(world.Races->Count(), 0);
}

TEST_F(RacesClasses, ClassNumbersNeedNotMatchTheirPlace) {
  scratch.write_server("classes/class.lst", "mage.class\nwarrior.class\n$\n");
  scratch.write_server("classes/mage.class",
                       "Name маг~\nName_eng mage~\nClass 5\nExpbase 1000\nGuild 3018\nMana 1\nHpgain 2\n"
                       "Managain 3\nResist 4\nSuscept 5\nSkilladept 95\nStatbonusadd0 1\nStatbonusadd2 3\n"
                       "Statbonusreduce1 2\nThac0 18\nThac32 6\nWeapon 10312\nDescription wise~\nAffected 0\n"
                       "Skill fireball 10 95\nTitle the Apprentice~ the Apprentice~\nEnd\n");
  scratch.write_server("classes/warrior.class", "Name воин~\nClass 0\n");
  world.Classes->Load(classes_index());
  ASSERT_EQ(world.Classes->Count(), 2);
  const TWorldClass& mage = *world.Classes->Item(0);
  EXPECT_EQ(std::tie(mage.Number, mage.NameEng, mage.Description), std::make_tuple(5, "mage", "wise"));
  EXPECT_EQ(
      std::vector<int32_t>({mage.ExpBase, mage.Guild, mage.Mana, mage.HpGain, mage.ManaGain, mage.Resist,
                            mage.Suscept, mage.SkillAdept, mage.Thac0, mage.Thac32, mage.Weapon}),
      std::vector<int32_t>({1000, 3018, 1, 2, 3, 4, 5, 95, 18, 6, 10312}));
  EXPECT_EQ(std::tie(mage.StatBonusAdd, mage.StatBonusReduce),
            std::make_tuple(std::array<int32_t, 3>{1, 0, 3}, std::array<int32_t, 3>{0, 2, 0}));
  const TWorldClasses& classes = *world.Classes;  // found by Name only
  EXPECT_EQ(std::make_tuple(classes.NumberOfName(utf8_to_cp1251("маг")), classes.NumberOfName("mage"),
                            classes.PositionOfNumber(5), classes.PositionOfNumber(1)),
            std::make_tuple(5, -1, 0, -1));
  EXPECT_EQ(std::make_tuple(classes.ByNumber(0), classes.ByNumber(3)),
            std::make_tuple(classes.Item(1), nullptr));
}

TEST_F(RacesClasses, ClassErrorsUseTheServersRacePrefix) {
  scratch.write_server("classes/class.lst", "mage.class\n$\n");
  scratch.write_server("classes/mage.class", "Name mage~\nStatbonusadd3 1\nEnd\n");
  std::string mage = join_path(scratch.path("classes"), "mage.class");
  EXPECT_EQ(error_of([&] { world.Classes->Load(classes_index()); }),
            "Load Classes List (" + mage + "):\r\nLoad Race:\r\nSection 'STATBONUSADD3' invalid");
}

}  // namespace
}  // namespace tavro

#include <gtest/gtest.h>

#include <filesystem>
#include <limits>
#include <tuple>
#include <utility>
#include <vector>

#include "area/AreaTestSupport.h"
#include "area/Header.h"
#include "area/Mobiles.h"
#include "world/Areas.h"
#include "world/RacesClasses.h"

namespace tavro {
namespace {

using test::cp1251;
using test::error_of;
using test::koi8;
using test::load_area_text;
using test::save_area_text;

const char* const kHead = "#AREA ~\n\n#VERSION 11\n\n#MOBILES\n";
const char* const kTail = "#0\n\n#RESETS\nS\n\n\n#$\n";

const char* const kSimple =
    "#3001\nguard стражник~\nстраж::а:у:а:ем:е~\nСтражник стоит здесь.~\nВысокий и сильный.\n~\n"
    "AB 0&C -350 S\n10 20 5 1d8+10 2d4+-1\n100 200\n112 108 MALE\n\n";

const char* const kComplex =
    "#3002\nmage~\nмаг::а:у:а:ом:е~\nМаг колдует.~\n\n~\nC 0 0 C\n30 5 -10 10d10+100 3d6+5\n1000 50000\n"
    "108 112 FEMALE\n18 17 16 15 14 13 12\n-1 -2 -3 -4 -5\nelf~ thief~ 170 60 1 2 3\n"
    "4 5 AB C D E A&B 0&0&C\n> act_prog p~\nsay x~\n|\n\n";

class MobilesTest : public ::testing::Test {
 protected:
  std::string area_text(std::string_view mobiles, std::string_view version = "11") {
    return koi8("#AREA ~\n\n#VERSION " + std::string(version) + "\n\n#MOBILES\n" + std::string(mobiles) +
                kTail);
  }
  // Loads into a fresh area, kept in failed for a look at what was read before the error.
  std::string section_error(std::string_view mobiles, std::string_view version = "11") {
    failed = std::make_unique<TArea>(world->Areas.get());
    return error_of([&] { load_area_text(*failed, dir, area_text(mobiles, version)); });
  }
  std::string path_line() const { return "load_area \"" + dir.file("test.are") + "\":\r\n"; }
  const TAreaMobile& mob(size_t i) const { return *area.Mobiles->Items.at(i); }

  test::ScratchDir dir;
  std::unique_ptr<TWorld> world = test::make_test_world(dir.file("mud"));
  TArea area{world->Areas.get()};
  std::unique_ptr<TArea> failed;
};

TEST_F(MobilesTest, SimpleMobileIsReadIntoItsFields) {
  load_area_text(area, dir, area_text(kSimple));
  const TAreaMobile& m = mob(0);
  EXPECT_EQ(m.Vnum, 3001);
  EXPECT_EQ(m.Name, cp1251("guard стражник"));
  EXPECT_EQ(m.ShortDescription, cp1251("страж::а:у:а:ем:е"));
  EXPECT_EQ(m.LongDescription, cp1251("Стражник стоит здесь."));
  EXPECT_EQ(m.Description, cp1251("Высокий и сильный.\r\n"));
  EXPECT_EQ(m.ActFlags.Words, (std::array<uint32_t, 4>{3, 0, 0, 0}));
  EXPECT_EQ(m.AffectedBy.Words, (std::array<uint32_t, 4>{0, 4, 0, 0}));
  EXPECT_EQ(m.Alignment, -350);
  EXPECT_FALSE(m.Complex);
  EXPECT_EQ(m.Level, 10);
  EXPECT_EQ(m.Thac0, 20);
  EXPECT_EQ(m.AC, 5);
  EXPECT_EQ(m.HitDice, (std::array<int32_t, 3>{1, 8, 10}));
  EXPECT_EQ(m.DamDice, (std::array<int32_t, 3>{2, 4, -1}));
  EXPECT_EQ(m.Gold, 100);
  EXPECT_EQ(m.Exp, 200);
  EXPECT_EQ(m.Position, 12);
  EXPECT_EQ(m.DefPosition, 8);
  EXPECT_EQ(m.Sex, 1);
  EXPECT_EQ(m.Special, -1);
  EXPECT_EQ(m.Owner, area.Mobiles.get());
}

TEST_F(MobilesTest, SimpleMobileLeavesComplexFieldsAtDefaultsAndWritesNoneOfThem) {
  load_area_text(area, dir, area_text(kSimple));
  const TAreaMobile& m = mob(0);
  TAreaMobile fresh(nullptr);
  EXPECT_EQ(m.Stats, fresh.Stats);
  EXPECT_EQ(m.Stats[0], 13);
  EXPECT_EQ(m.Class, 3);
  EXPECT_EQ(m.Race, 0);
  EXPECT_EQ(m.NumAttacks, 0);
  EXPECT_TRUE(m.Attacks.is_zero());
  EXPECT_EQ(save_area_text(area, dir), koi8(std::string(kHead) + kSimple + kTail));
}

TEST_F(MobilesTest, ComplexMobileRoundTripsByteForByte) {
  load_area_text(area, dir, area_text(std::string(kSimple) + kComplex));
  const TAreaMobile& m = mob(1);
  EXPECT_TRUE(m.Complex);
  EXPECT_EQ(m.Stats, (std::array<int32_t, 7>{18, 17, 16, 15, 14, 13, 12}));
  EXPECT_EQ(m.Saves, (std::array<int32_t, 5>{-1, -2, -3, -4, -5}));
  EXPECT_EQ(m.Race, 1);
  EXPECT_EQ(m.Class, 2);
  EXPECT_EQ(m.Height, 170);
  EXPECT_EQ(m.Weight, 60);
  EXPECT_EQ(m.Speaks, 1);
  EXPECT_EQ(m.Speaking, 2);
  EXPECT_EQ(m.NumAttacks, 3);
  EXPECT_EQ(m.Hitroll, 4);
  EXPECT_EQ(m.Damroll, 5);
  EXPECT_EQ(m.Parts, 3u);
  EXPECT_EQ(m.Resistant, 4u);
  EXPECT_EQ(m.Immune, 8u);
  EXPECT_EQ(m.Susceptible, 16u);
  EXPECT_EQ(m.Attacks.Words, (std::array<uint32_t, 4>{1, 2, 0, 0}));
  EXPECT_EQ(m.Defenses.Words, (std::array<uint32_t, 4>{0, 0, 4, 0}));
  EXPECT_EQ(m.Sex, 2);
  ASSERT_EQ(m.Progs->Items.size(), 1u);
  EXPECT_EQ(m.Description, "");
  EXPECT_EQ(save_area_text(area, dir), koi8(std::string(kHead) + kSimple + kComplex + kTail));
}

TEST_F(MobilesTest, TextsAreWrittenWithoutTrailingLineBreaks) {
  load_area_text(
      area, dir,
      area_text("#1\nn~\ns~\nLong one\n\n~\nDesc\n\n\n~\n0 0 0 S\n1 2 3 1d1+1 1d1+1\n0 0\n112 112 ALL\n"));
  EXPECT_EQ(mob(0).LongDescription, "Long one\r\n\r\n");
  std::string saved = save_area_text(area, dir);
  EXPECT_NE(saved.find("s~\nLong one~\nDesc\n~\n0 0 0 S\n"), std::string::npos) << saved;
}

TEST_F(MobilesTest, PositionsAreConvertedFromBothNumberings) {
  EXPECT_EQ(position_from_stored(112), 12);
  EXPECT_EQ(position_from_stored(100), 0);
  EXPECT_EQ(position_from_stored(8), 12);
  EXPECT_EQ(position_from_stored(5), 6);
  EXPECT_EQ(position_from_stored(6), 8);
  EXPECT_EQ(position_from_stored(7), 9);
  EXPECT_EQ(position_from_stored(9), 13);
  EXPECT_EQ(position_from_stored(10), 14);
  EXPECT_EQ(position_from_stored(11), 15);
  EXPECT_EQ(position_from_stored(4), 4);
  EXPECT_EQ(position_from_stored(12), 12);
  EXPECT_EQ(position_from_stored(99), 99);
}

TEST_F(MobilesTest, SexWordsInEveryAcceptedSpelling) {
  EXPECT_EQ(sex_value("male"), 1);
  EXPECT_EQ(sex_value("MALE"), 1);
  EXPECT_EQ(sex_value(cp1251("мужчина")), 1);
  EXPECT_EQ(sex_value(cp1251("МУЖЧИНА")), 1);
  EXPECT_EQ(sex_value("Female"), 2);
  EXPECT_EQ(sex_value(cp1251("женщина")), 2);
  EXPECT_EQ(sex_value("NEUTRAL"), 3);
  EXPECT_EQ(sex_value(cp1251("НЕЙТРАЛ")), 3);
  EXPECT_EQ(sex_value(cp1251("все")), 0);
  EXPECT_EQ(sex_value("robot"), 0);
  EXPECT_EQ(sex_name(0), "ALL");
  EXPECT_EQ(sex_name(3), "NEUTRAL");
}

TEST_F(MobilesTest, SexOutsideTheTableSurvivesAWriteAndRead) {
  EXPECT_EQ(sex_name(7), "7");
  EXPECT_EQ(sex_value("7"), 7);
  load_area_text(area, dir,
                 area_text("#1\nn~\ns~\nl~\nd\n~\n0 0 0 S\n1 2 3 1d1+1 1d1+1\n0 0\n12 12 5\n", "8"));
  EXPECT_EQ(mob(0).Sex, 5);
  TArea again(world->Areas.get());
  load_area_text(again, dir, save_area_text(area, dir), "again.are");
  EXPECT_EQ(again.Mobiles->Items.at(0)->Sex, 5);
}

TEST_F(MobilesTest, LowerCaseFormLetterIsAccepted) {
  load_area_text(area, dir,
                 area_text("#1\nn~\ns~\nl~\nd\n~\n0 0 0 c\n1 2 3 1d1+1 1d1+1\n0 0\n112 112 MALE\n"
                           "13 13 13 13 13 13 13\n0 0 0 0 0\nHuman~ mage~ 0 0 0 0 0\n0 0 0 0 0 0 0 0\n"));
  EXPECT_TRUE(mob(0).Complex);
  EXPECT_EQ(mob(0).Race, 0);  // found by its English name
  EXPECT_EQ(mob(0).Class, 0);
}

TEST_F(MobilesTest, OldVersionsReadRaceClassSexAndCasesTheOldWay) {
  // Version 4: six case forms; version 8: race and class as numbers, sex as a number.
  load_area_text(
      area, dir,
      area_text("#1\nn~\nмеч:меча:мечу:меч:мечом:мече~\nl~\nd\n~\n0 0 0 C\n1 2 3 1d1+1 1d1+1\n0 0\n"
                "8 6 2\n13 13 13 13 13 13 13\n0 0 0 0 0\n1 3 10 20 0 0 1\n0 0 0 0 0 0 0 0\n",
                "4"));
  const TAreaMobile& m = mob(0);
  EXPECT_EQ(m.ShortDescription, cp1251("меч::а:у::ом:е"));
  EXPECT_EQ(m.Position, 12);
  EXPECT_EQ(m.DefPosition, 8);
  EXPECT_EQ(m.Sex, 2);
  EXPECT_EQ(m.Race, 1);
  EXPECT_EQ(m.Class, 3);
  EXPECT_EQ(m.Height, 10);
  EXPECT_EQ(m.NumAttacks, 1);
  std::string saved = save_area_text(area, dir);
  EXPECT_NE(saved.find("112 108 FEMALE\n"), std::string::npos) << saved;
  EXPECT_NE(saved.find("elf~ cleric~ "), std::string::npos) << saved;
  EXPECT_NE(saved.find(koi8("меч::а:у::ом:е~\n")), std::string::npos) << saved;
}

TEST_F(MobilesTest, Version8ComplexMobileHasNumbersAndIsWrittenWithNames) {
  load_area_text(area, dir,
                 area_text("#1\nn~\ns~\nl~\nd\n~\n0 0 0 C\n1 2 3 1d1+1 1d1+1\n0 0\n112 112 1\n"
                           "13 13 13 13 13 13 13\n0 0 0 0 0\n0 1 170 70 0 0 2\n0 0 0 0 0 0 0 0\n",
                           "8"));
  EXPECT_EQ(mob(0).Race, 0);
  EXPECT_EQ(mob(0).Class, 1);
  EXPECT_EQ(mob(0).Height, 170);
  EXPECT_EQ(mob(0).NumAttacks, 2);
  std::string saved = save_area_text(area, dir);
  EXPECT_NE(saved.find("112 112 MALE\n13 13 13 13 13 13 13\n0 0 0 0 0\nhuman~ warrior~ 170 70 0 0 2\n"
                       "0 0 0 0 0 0 0 0\n"),
            std::string::npos)
      << saved;
}

TEST_F(MobilesTest, ClassNameIsFoundByPositionWhenNumbersDifferFromPositions) {
  world->Classes->Items[2]->Number = 40;
  load_area_text(area, dir,
                 area_text("#1\nn~\ns~\nl~\nd\n~\n0 0 0 C\n1 2 3 1d1+1 1d1+1\n0 0\n112 112 MALE\n"
                           "13 13 13 13 13 13 13\n0 0 0 0 0\nhuman~ thief~ 0 0 0 0 0\n0 0 0 0 0 0 0 0\n"));
  EXPECT_EQ(mob(0).Class, 2);
}

TEST_F(MobilesTest, ErrorsNameTheSectionAndTheMobile) {
  const std::string complex_head =
      "#7\nn~\ns~\nl~\nd\n~\n0 0 0 C\n1 2 3 1d1+1 1d1+1\n0 0\n112 112 MALE\n"
      "13 13 13 13 13 13 13\n0 0 0 0 0\n";
  EXPECT_EQ(section_error(complex_head + "troll~ mage~ 0 0 0 0 0\n0 0 0 0 0 0 0 0\n"),
            path_line() + "#MOBILES (beyond7):\r\n#MOBILES (7):\r\nUnknown race!");
  EXPECT_EQ(section_error(complex_head + "human~ bard~ 0 0 0 0 0\n0 0 0 0 0 0 0 0\n"),
            path_line() + "#MOBILES (beyond7):\r\n#MOBILES (7):\r\nUnknown class!");
  EXPECT_EQ(section_error("#7\nn~\ns~\nl~\nd\n~\n0 0 0 X\n1 2 3 1d1+1 1d1+1\n0 0\n112 112 MALE\n"),
            path_line() + "#MOBILES (beyond7):\r\n#MOBILES (7):\r\nLetter 'X' not S or C.");
  EXPECT_EQ(section_error(std::string(kSimple) + "3001\n"),
            path_line() + "#MOBILES (beyond3001):\r\n# not found.");
  EXPECT_EQ(section_error(std::string(kSimple) + kSimple),
            path_line() + "#MOBILES (beyond3001):\r\nDuplicate vnum 3001");
  EXPECT_EQ(section_error("x\n"), path_line() + "#MOBILES (beyond0):\r\n# not found.");
  EXPECT_EQ(
      section_error(std::string(kSimple) + "#9\nn~\ns~\nl~\nd\n~\n0 0 0 S\n1 2 3 1d1+1 1d1+1\nlots 0\n"),
      path_line() + "#MOBILES (beyond9):\r\n#MOBILES (9):\r\nfread_number: Bad format. (l)");
  ASSERT_EQ(failed->Mobiles->Items.size(), 1u);  // the mobile that failed is not kept
  EXPECT_EQ(failed->Mobiles->Items[0]->Vnum, 3001);
}

TEST_F(MobilesTest, RaceOutsideTheListFailsTheSaveAndKeepsTheOldFile) {
  load_area_text(area, dir, area_text(kComplex));
  std::string before = save_area_text(area, dir);
  area.Mobiles->Items[0]->Race = 9;
  std::string path = dir.file("out.are");
  EXPECT_EQ(error_of([&] { area.save_area(path); }),
            "save_area \"" + path + "\":\r\nMobile 3002: race 9 is not in the race list");
  EXPECT_EQ(test::read_file(path), before);
}

TEST_F(MobilesTest, ListOperations) {
  EXPECT_EQ(area.Mobiles->NextFreeVnum(), 1);
  load_area_text(area, dir, area_text(std::string(kComplex) + kSimple));
  EXPECT_EQ(area.Mobiles->NextFreeVnum(), 3003);
  EXPECT_EQ(area.Mobiles->FindByVnum(3001), area.Mobiles->Items[1].get());
  EXPECT_EQ(area.Mobiles->FindByVnum(5), nullptr);
  TAreaMobile& added = area.Mobiles->Add();
  added.Vnum = -4;
  EXPECT_EQ(added.Owner, area.Mobiles.get());
  EXPECT_EQ(area.Mobiles->NextFreeVnum(), 3003);
  area.Mobiles->Clear();
  EXPECT_TRUE(area.Mobiles->Items.empty());
  EXPECT_EQ(save_area_text(area, dir), "#AREA ~\n\n#VERSION 11\n\n#RESETS\nS\n\n\n#$\n");
}

TEST_F(MobilesTest, AssignCopiesEveryFieldButTheOwner) {
  load_area_text(area, dir, area_text(kComplex));
  const TAreaMobile& source = mob(0);
  TAreaMobiles other(nullptr);
  TAreaMobile& copy = other.Add();
  copy.Assign(source);
  EXPECT_EQ(copy.Owner, &other);
  area.Mobiles->Items.push_back(std::make_unique<TAreaMobile>(area.Mobiles.get()));
  TAreaMobile& back = *area.Mobiles->Items.back();
  back.Assign(copy);
  back.Vnum = 3003;
  std::string saved = save_area_text(area, dir);
  std::string first = saved.substr(saved.find("#3002"), saved.find("#3003") - saved.find("#3002"));
  std::string second = saved.substr(saved.find("#3003"), saved.find("#0\n") - saved.find("#3003"));
  EXPECT_EQ(first.substr(5), second.substr(5));
  copy.Progs->Items[0]->Body = "changed";
  EXPECT_EQ(source.Progs->Items[0]->Body, "say x");
}

// Every field the file carries, one mobile against another.
void expect_same_mobile(const TAreaMobile& a, const TAreaMobile& b) {
  EXPECT_EQ(a.Vnum, b.Vnum);
  EXPECT_EQ(a.Name, b.Name);
  EXPECT_EQ(a.ShortDescription, b.ShortDescription);
  EXPECT_EQ(a.LongDescription, b.LongDescription);
  EXPECT_EQ(a.Description, b.Description);
  EXPECT_EQ(a.ActFlags.Words, b.ActFlags.Words);
  EXPECT_EQ(a.AffectedBy.Words, b.AffectedBy.Words);
  EXPECT_EQ(std::tie(a.Sex, a.Level, a.Alignment, a.Thac0, a.AC, a.Gold, a.Exp, a.Complex),
            std::tie(b.Sex, b.Level, b.Alignment, b.Thac0, b.AC, b.Gold, b.Exp, b.Complex));
  EXPECT_EQ(a.HitDice, b.HitDice);
  EXPECT_EQ(a.DamDice, b.DamDice);
  EXPECT_EQ(a.Position, b.Position);
  EXPECT_EQ(a.DefPosition, b.DefPosition);
  EXPECT_EQ(a.Stats, b.Stats);
  EXPECT_EQ(a.Saves, b.Saves);
  EXPECT_EQ(std::tie(a.Race, a.Class, a.Height, a.Weight, a.Speaks, a.Speaking, a.NumAttacks),
            std::tie(b.Race, b.Class, b.Height, b.Weight, b.Speaks, b.Speaking, b.NumAttacks));
  EXPECT_EQ(std::tie(a.Hitroll, a.Damroll, a.Parts, a.Resistant, a.Immune, a.Susceptible),
            std::tie(b.Hitroll, b.Damroll, b.Parts, b.Resistant, b.Immune, b.Susceptible));
  EXPECT_EQ(a.Attacks.Words, b.Attacks.Words);
  EXPECT_EQ(a.Defenses.Words, b.Defenses.Words);
}

class MobilesRoundTripTest : public MobilesTest {
 protected:
  // Saves the area, reloads the file into a second area, checks the mobiles are the same and that a
  // second save gives the same bytes; returns the first save.
  std::string expect_round_trip() {
    std::string first = save_area_text(area, dir);
    TArea again(world->Areas.get());
    load_area_text(again, dir, first, "again.are");
    EXPECT_EQ(again.Mobiles->Items.size(), area.Mobiles->Items.size());
    for (size_t i = 0; i < area.Mobiles->Items.size() && i < again.Mobiles->Items.size(); ++i)
      expect_same_mobile(*again.Mobiles->Items[i], mob(i));
    EXPECT_EQ(save_area_text(again, dir, "second.are"), first);
    return first;
  }
  std::string save_error(const std::string& path) {
    return error_of([&] { area.save_area(path); });
  }
};

TEST_F(MobilesRoundTripTest, LineBreaksInTheTextsSurviveASaveAndReload) {
  load_area_text(area, dir, area_text(std::string(kSimple) + kComplex));
  TAreaMobile& m = *area.Mobiles->Items[1];
  m.Name = "mage\r\nwizard";
  m.ShortDescription = cp1251("маг::а:у\r\n:а:ом:е");
  m.LongDescription = "The mage\r\nworks.";
  m.Description = "One.\r\nTwo.\r\n";
  std::string saved = expect_round_trip();
  EXPECT_NE(saved.find("#3002\nmage\nwizard~\n"), std::string::npos) << saved;
  EXPECT_NE(saved.find("~\nThe mage\nworks.~\nOne.\nTwo.\n~\nC 0 0 C\n"), std::string::npos) << saved;
}

TEST_F(MobilesRoundTripTest, TextTheFormatCannotCarryIsRefusedAndTheOldFileKept) {
  load_area_text(area, dir, area_text(kSimple));
  const std::string path = dir.file("out.are");
  area.save_area(path);
  const std::string before = test::read_file(path);
  const std::string prefix = "save_area \"" + path + "\":\r\n#MOBILES (3001):\r\n";
  TAreaMobile& m = *area.Mobiles->Items[0];
  const std::vector<std::pair<std::string*, std::string>> fields = {
      {&m.Name, "Name"},
      {&m.ShortDescription, "Short description"},
      {&m.LongDescription, "Long description"},
      {&m.Description, "Description"}};
  for (const auto& [field, label] : fields) {
    const std::string kept = *field;
    *field = "a\r\n~b";
    EXPECT_EQ(save_error(path), prefix + label + " contains '~'");
    *field = std::string("a\0b", 3);
    EXPECT_EQ(save_error(path), prefix + label + " contains a NUL character");
    *field = kept;
  }
  EXPECT_EQ(test::read_file(path), before);
}

TEST_F(MobilesRoundTripTest, EveryPositionReadBackIsWrittenSoItReadsTheSame) {
  const std::string head = "#1\nn~\ns~\nl~\nd\n~\n0 0 0 S\n1 2 3 1d1+1 1d1+1\n0 0\n";
  // A minus sign straight after the first number starts the second one: 112 and -112.
  load_area_text(area, dir, area_text(head + "112-112 ALL\n\n"));
  EXPECT_EQ(mob(0).Position, 12);
  EXPECT_EQ(mob(0).DefPosition, -112);
  EXPECT_NE(expect_round_trip().find("\n112 -112 ALL\n"), std::string::npos);

  const std::vector<std::pair<std::string, std::string>> written = {{"-1 -100", "-1 -100"},
                                                                    {"-2147483648 99", "-2147483648 199"},
                                                                    {"5 11", "106 115"},
                                                                    {"100 104", "100 104"},
                                                                    {"2147483647 0", "2147483647 100"}};
  for (const auto& [stored, rewritten] : written) {
    area.Mobiles->Clear();
    load_area_text(area, dir, area_text(head + stored + " ALL\n\n"));
    EXPECT_NE(expect_round_trip().find("\n" + rewritten + " ALL\n"), std::string::npos) << stored;
  }
}

TEST_F(MobilesRoundTripTest, PositionsTooLargeForTheOffsetAreRefused) {
  load_area_text(area, dir, area_text(kSimple));
  const std::string path = dir.file("out.are");
  const std::string prefix = "save_area \"" + path + "\":\r\n#MOBILES (3001):\r\n";
  area.Mobiles->Items[0]->Position = std::numeric_limits<int32_t>::max() - 99;
  EXPECT_EQ(save_error(path), prefix + "Position 2147483548 cannot be stored");
  area.Mobiles->Items[0]->Position = 12;
  area.Mobiles->Items[0]->DefPosition = std::numeric_limits<int32_t>::max();
  EXPECT_EQ(save_error(path), prefix + "Default position 2147483647 cannot be stored");
  EXPECT_FALSE(std::filesystem::exists(path));
}

}  // namespace
}  // namespace tavro

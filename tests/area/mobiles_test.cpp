#include <gmock/gmock.h>
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

using ::testing::HasSubstr;

using test::cp1251;
using test::error_of;
using test::koi8;
using test::load_area_text;
using test::mobile_fields;
using test::save_area_text;
using Words = std::array<uint32_t, 4>;
using Dice = std::array<int32_t, 3>;

const char* const kHead = "#AREA ~\n\n#VERSION 11\n\n#MOBILES\n";
const char* const kTail = "#0\n\n#RESETS\nS\n\n\n#$\n";

const char* const kSimple =
    "#3001\nguard стражник~\nстраж::а:у:а:ем:е~\nСтражник стоит здесь.~\nВысокий и сильный.\n~\n"
    "AB 0&C -350 S\n10 20 5 1d8+10 2d4+-1\n100 200\n112 108 MALE\n\n";

const char* const kComplex =
    "#3002\nmage~\nмаг::а:у:а:ом:е~\nМаг колдует.~\n\n~\nC 0 0 C\n30 5 -10 10d10+100 3d6+5\n1000 50000\n"
    "108 112 FEMALE\n18 17 16 15 14 13 12\n-1 -2 -3 -4 -5\nelf~ thief~ 170 60 1 2 3\n"
    "4 5 AB C D E A&B 0&0&C\n> act_prog p~\nsay x~\n|\n\n";

// A mobile of the simple form up to its numbers line; the positions line and the rest follow.
const std::string kPlainHead = "#1\nn~\ns~\nl~\nd\n~\n0 0 0 S\n1 2 3 1d1+1 1d1+1\n0 0\n";
// A complex mobile up to its race line; race and class names and the rest follow.
const std::string kComplexHead =
    "#7\nn~\ns~\nl~\nd\n~\n0 0 0 C\n1 2 3 1d1+1 1d1+1\n0 0\n112 112 MALE\n13 13 13 13 13 13 13\n0 0 0 0 0\n";

class MobilesTest : public ::testing::Test {
 protected:
  std::string area_text(std::string_view mobiles, std::string_view version = "11") {
    return koi8("#AREA ~\n\n#VERSION " + std::string(version) + "\n\n#MOBILES\n" + std::string(mobiles) +
                kTail);
  }
  void load(std::string_view mobiles, std::string_view version = "11") {
    load_area_text(area, dir, area_text(mobiles, version));
  }
  // Loads into a fresh area, kept in failed for a look at what was read before the error.
  std::string section_error(std::string_view mobiles) {
    failed = std::make_unique<TArea>(world->Areas.get());
    return error_of([&] { load_area_text(*failed, dir, area_text(mobiles)); });
  }
  std::string path_line() const { return "load_area \"" + dir.file("test.are") + "\":\r\n"; }
  const TAreaMobile& mob(size_t i) const { return *area.Mobiles->Items.at(i); }
  std::string save_error(const std::string& path) {
    return error_of([&] { area.save_area(path); });
  }
  // Saves the area, reloads the file into a second area, checks the mobiles are the same and that a
  // second save gives the same bytes; returns the first save.
  std::string expect_round_trip() {
    std::string first = save_area_text(area, dir);
    TArea again(world->Areas.get());
    load_area_text(again, dir, first, "again.are");
    EXPECT_EQ(again.Mobiles->Items.size(), area.Mobiles->Items.size());
    for (size_t i = 0; i < area.Mobiles->Items.size() && i < again.Mobiles->Items.size(); ++i)
      EXPECT_EQ(mobile_fields(*again.Mobiles->Items[i]), mobile_fields(mob(i)));
    EXPECT_EQ(save_area_text(again, dir, "second.are"), first);
    return first;
  }

  test::ScratchDir dir;
  std::unique_ptr<TWorld> world = test::make_test_world(dir.file("mud"));
  TArea area{world->Areas.get()};
  std::unique_ptr<TArea> failed;
};

TEST_F(MobilesTest, SimpleMobileIsReadIntoItsFieldsLeavingTheComplexOnesAndWrittenBack) {
  load(kSimple);
  const TAreaMobile& m = mob(0);
  EXPECT_EQ(std::tie(m.Vnum, m.Name, m.ShortDescription, m.LongDescription, m.Description),
            std::make_tuple(3001, cp1251("guard стражник"), cp1251("страж::а:у:а:ем:е"),
                            cp1251("Стражник стоит здесь."), cp1251("Высокий и сильный.\r\n")));
  EXPECT_EQ(std::tie(m.ActFlags.Words, m.AffectedBy.Words, m.Alignment, m.Complex),
            std::make_tuple(Words{3, 0, 0, 0}, Words{0, 4, 0, 0}, -350, false));
  EXPECT_EQ(std::tie(m.Level, m.Thac0, m.AC, m.HitDice, m.DamDice, m.Gold, m.Exp),
            std::make_tuple(10, 20, 5, Dice{1, 8, 10}, Dice{2, 4, -1}, 100, 200));
  EXPECT_EQ(std::tie(m.Position, m.DefPosition, m.Sex, m.Special), std::make_tuple(12, 8, 1, -1));
  EXPECT_EQ(m.Owner, area.Mobiles.get());
  // The complex fields keep their defaults and none of them is written.
  EXPECT_EQ(std::tie(m.Stats, m.Class, m.Race, m.NumAttacks),
            std::make_tuple(std::array<int32_t, 7>{13, 13, 13, 13, 13, 13, 13}, 3, 0, 0));
  EXPECT_TRUE(m.Attacks.is_zero());
  EXPECT_EQ(save_area_text(area, dir), koi8(std::string(kHead) + kSimple + kTail));
}

TEST_F(MobilesTest, ComplexMobileIsReadIntoItsFieldsAndRoundTripsByteForByte) {
  load(std::string(kSimple) + kComplex);
  const TAreaMobile& m = mob(1);
  EXPECT_EQ(std::tie(m.Complex, m.Sex, m.Description), std::make_tuple(true, 2, std::string()));
  EXPECT_EQ(std::tie(m.Stats, m.Saves), std::make_tuple(std::array<int32_t, 7>{18, 17, 16, 15, 14, 13, 12},
                                                        std::array<int32_t, 5>{-1, -2, -3, -4, -5}));
  EXPECT_EQ(std::tie(m.Race, m.Class, m.Height, m.Weight, m.Speaks, m.Speaking, m.NumAttacks),
            std::make_tuple(1, 2, 170, 60, 1, 2, 3));
  EXPECT_EQ(std::tie(m.Hitroll, m.Damroll, m.Parts, m.Resistant, m.Immune, m.Susceptible),
            std::make_tuple(4, 5, 3u, 4u, 8u, 16u));
  EXPECT_EQ(std::tie(m.Attacks.Words, m.Defenses.Words),
            std::make_tuple(Words{1, 2, 0, 0}, Words{0, 0, 4, 0}));
  ASSERT_EQ(m.Progs->Items.size(), 1u);
  EXPECT_EQ(save_area_text(area, dir), koi8(std::string(kHead) + kSimple + kComplex + kTail));
}

TEST_F(MobilesTest, TextsAreWrittenWithoutTrailingLineBreaks) {
  load("#1\nn~\ns~\nLong one\n\n~\nDesc\n\n\n~\n0 0 0 S\n1 2 3 1d1+1 1d1+1\n0 0\n112 112 ALL\n");
  EXPECT_EQ(mob(0).LongDescription, "Long one\r\n\r\n");
  EXPECT_THAT(save_area_text(area, dir), HasSubstr("s~\nLong one~\nDesc\n~\n0 0 0 S\n"));
}

TEST_F(MobilesTest, SexWordsInEveryAcceptedSpelling) {
  // One row per accepted spelling; letter case is ignored in both alphabets.
  const std::vector<std::pair<std::string, int32_t>> words = {
      {"MALE", 1},    {cp1251("мужчина"), 1}, {"Female", 2},      {cp1251("женщина"), 2},
      {"NEUTRAL", 3}, {cp1251("НЕЙТРАЛ"), 3}, {cp1251("все"), 0}, {"robot", 0},
      {"7", 7}};
  for (const auto& [word, sex] : words)
    EXPECT_EQ(sex_value(word), sex) << word;
  EXPECT_EQ(std::make_tuple(sex_name(0), sex_name(3), sex_name(7)), std::make_tuple("ALL", "NEUTRAL", "7"));
}

TEST_F(MobilesTest, OldVersionsReadRaceClassSexAndCasesTheOldWay) {
  // Version 4: six case forms; version 8: race and class as numbers, sex as a number.
  load(
      "#1\nn~\nмеч:меча:мечу:меч:мечом:мече~\nl~\nd\n~\n0 0 0 C\n1 2 3 1d1+1 1d1+1\n0 0\n"
      "8 6 2\n13 13 13 13 13 13 13\n0 0 0 0 0\n1 3 10 20 0 0 1\n0 0 0 0 0 0 0 0\n",
      "4");
  const TAreaMobile& m = mob(0);
  EXPECT_EQ(m.ShortDescription, cp1251("меч::а:у::ом:е"));
  EXPECT_EQ(std::tie(m.Position, m.DefPosition, m.Sex, m.Race, m.Class, m.Height, m.NumAttacks),
            std::make_tuple(12, 8, 2, 1, 3, 10, 1));
  std::string saved = save_area_text(area, dir);
  for (const std::string& part :
       {std::string("112 108 FEMALE\n"), std::string("elf~ cleric~ "), koi8("меч::а:у::ом:е~\n")})
    EXPECT_THAT(saved, HasSubstr(part));
}

TEST_F(MobilesTest, Version8ComplexMobileHasNumbersAndIsWrittenWithNames) {
  load(
      "#1\nn~\ns~\nl~\nd\n~\n0 0 0 C\n1 2 3 1d1+1 1d1+1\n0 0\n112 112 1\n13 13 13 13 13 13 13\n0 0 0 0 0\n"
      "0 1 170 70 0 0 2\n0 0 0 0 0 0 0 0\n",
      "8");
  EXPECT_EQ(std::tie(mob(0).Race, mob(0).Class, mob(0).Height, mob(0).NumAttacks),
            std::make_tuple(0, 1, 170, 2));
  EXPECT_THAT(save_area_text(area, dir),
              HasSubstr("112 112 MALE\n13 13 13 13 13 13 13\n0 0 0 0 0\nhuman~ warrior~ 170 70 0 0 2\n"
                        "0 0 0 0 0 0 0 0\n"));
}

TEST_F(MobilesTest, LowerCaseFormLetterRaceByEnglishNameAndClassByPosition) {
  world->Classes->Items[2]->Number = 40;  // numbers differing from positions
  std::string text = kComplexHead + "Human~ thief~ 0 0 0 0 0\n0 0 0 0 0 0 0 0\n";
  text.replace(text.find("0 0 0 C"), 7, "0 0 0 c");
  load(text);
  EXPECT_EQ(std::tie(mob(0).Complex, mob(0).Race, mob(0).Class), std::make_tuple(true, 0, 2));
}

// The frame of the vnum sections ('#' lines, duplicates, the end) is tested with the rooms.
TEST_F(MobilesTest, ErrorsNameTheSectionAndTheMobile) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {kComplexHead + "troll~ mage~ 0 0 0 0 0\n0 0 0 0 0 0 0 0\n",
       "#MOBILES (beyond7):\r\n#MOBILES (7):\r\nUnknown race!"},
      {kComplexHead + "human~ bard~ 0 0 0 0 0\n0 0 0 0 0 0 0 0\n",
       "#MOBILES (beyond7):\r\n#MOBILES (7):\r\nUnknown class!"},
      {"#7\nn~\ns~\nl~\nd\n~\n0 0 0 X\n1 2 3 1d1+1 1d1+1\n0 0\n112 112 MALE\n",
       "#MOBILES (beyond7):\r\n#MOBILES (7):\r\nLetter 'X' not S or C."},
      {std::string(kSimple) + "#9\nn~\ns~\nl~\nd\n~\n0 0 0 S\n1 2 3 1d1+1 1d1+1\nlots 0\n",
       "#MOBILES (beyond9):\r\n#MOBILES (9):\r\nfread_number: Bad format. (l)"}};
  for (const auto& [mobiles, message] : cases)
    EXPECT_EQ(section_error(mobiles), path_line() + message) << mobiles;
  ASSERT_EQ(failed->Mobiles->Items.size(), 1u);  // the mobile that failed is not kept
  EXPECT_EQ(failed->Mobiles->Items[0]->Vnum, 3001);
}

TEST_F(MobilesTest, RaceOutsideTheListFailsTheSaveAndKeepsTheOldFile) {
  load(kComplex);
  std::string before = save_area_text(area, dir);
  area.Mobiles->Items[0]->Race = 9;
  std::string path = dir.file("out.are");
  EXPECT_EQ(save_error(path),
            "save_area \"" + path + "\":\r\n#MOBILES (3002):\r\nRace 9 is not in the race list");
  EXPECT_EQ(test::read_file(path), before);
}

TEST_F(MobilesTest, TextTheFormatCannotCarryIsRefusedAndTheOldFileKept) {
  load(kSimple);
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

TEST_F(MobilesTest, EveryPositionReadBackIsWrittenSoItReadsTheSame) {
  // A minus sign straight after the first number starts the second one: 112 and -112.
  load(kPlainHead + "112-112 ALL\n\n");
  EXPECT_EQ(std::tie(mob(0).Position, mob(0).DefPosition), std::make_tuple(12, -112));
  EXPECT_THAT(expect_round_trip(), HasSubstr("\n112 -112 ALL\n"));
  const std::vector<std::pair<std::string, std::string>> written = {{"-1 -100", "-1 -100"},
                                                                    {"-2147483648 99", "-2147483648 199"},
                                                                    {"5 11", "106 115"},
                                                                    {"100 104", "100 104"},
                                                                    {"2147483647 0", "2147483647 100"}};
  for (const auto& [stored, rewritten] : written) {
    area.Mobiles->Clear();
    load(kPlainHead + stored + " ALL\n\n");
    EXPECT_THAT(expect_round_trip(), HasSubstr("\n" + rewritten + " ALL\n")) << stored;
  }
}

TEST_F(MobilesTest, PositionsTooLargeForTheOffsetAreRefused) {
  load(kSimple);
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

#include <gtest/gtest.h>

#include "area/AreaTestSupport.h"
#include "area/Header.h"

namespace tavro {
namespace {

using test::cp1251;
using test::error_of;
using test::koi8;
using test::load_area_text;
using test::save_area_text;

class HeaderTest : public ::testing::Test {
 protected:
  std::string load_and_save(std::string_view text) {
    load_area_text(area, dir, text);
    return save_area_text(area, dir);
  }
  std::string load_error(std::string_view text) {
    return error_of([&] { load_area_text(area, dir, text); });
  }
  std::string path_line() const { return "load_area \"" + dir.file("test.are") + "\":\r\n"; }

  test::ScratchDir dir;
  TArea area{nullptr};
};

TEST_F(HeaderTest, EveryHeaderSectionIsReadIntoItsField) {
  load_area_text(area, dir,
                 koi8("#AREA Город~\n#VERSION 9\n#AUTHOR Мастер~\n#FLAGS AC 15\n#RANGES\n1 50 0 60\n$\n"
                      "#ECONOMY 1000 -2000\n#RESETMSG Колокол\nзвонит.~\n#CLIMATE 1 2 3\n#NEIGHBOR Лес~\n"
                      "#SPELLLIMIT 40\n#$\n"));
  const TAreaHeader& h = *area.Header;
  EXPECT_EQ(std::tie(h.Name, h.Author, h.ResetMessage, h.Neighbors, h.FileName),
            std::make_tuple(cp1251("Город"), cp1251("Мастер"), cp1251("Колокол\r\nзвонит."),
                            std::vector<std::string>{cp1251("Лес")}, "test.are"));
  EXPECT_EQ(std::tie(h.Version, h.Flags, h.FlagsNumber, h.SpellLimit), std::make_tuple(9, 5u, 15, 40));
  EXPECT_EQ(std::tie(h.Ranges, h.Economy, h.Climate),
            std::make_tuple(std::array<int32_t, 4>{1, 50, 0, 60}, std::array<int32_t, 2>{1000, -2000},
                            std::array<int32_t, 3>{1, 2, 3}));
  EXPECT_FALSE(area.IsNew);
}

TEST_F(HeaderTest, FullHeaderIsWrittenInItsFixedOrderByteForByte) {
  const std::string text = koi8(
      "#AREA Город~\n\n#VERSION 11\n\n#AUTHOR Мастер~\n\n#FLAGS AC 15\n\n#RANGES\n1 50 0 60\n$\n\n"
      "#ECONOMY 1000 2000\n\n#RESETMSG Колокол звонит.~\n\n#CLIMATE 1 2 3\n\n#NEIGHBOR Лес~\n"
      "#NEIGHBOR Подземелье~\n\n#SPELLLIMIT 40\n\n#RESETS\nS\n\n\n#$\n");
  // Read in another order and written back in the fixed one.
  const std::string shuffled = koi8(
      "#SPELLLIMIT 40\n#NEIGHBOR Лес~\n#CLIMATE 1 2 3\n#RESETMSG Колокол звонит.~\n#ECONOMY 1000 2000\n"
      "#RANGES\n1 50 0 60\n$\n#FLAGS AC 15\n#AUTHOR Мастер~\n#NEIGHBOR Подземелье~\n#VERSION 11\n"
      "#AREA Город~\n#$\n");
  EXPECT_EQ(load_and_save(shuffled), text);
  TArea again(nullptr);
  load_area_text(again, dir, text, "again.are");
  EXPECT_EQ(save_area_text(again, dir, "again-out.are"), text);
}

// The file the writer gives for an area of that name with those header sections.
std::string saved_header(const std::string& name, const std::string& sections) {
  return "#AREA " + name + "~\n\n#VERSION 11\n\n" + sections + "#RESETS\nS\n\n\n#$\n";
}

TEST_F(HeaderTest, SectionsAreWrittenOnlyWhenTheyHoldSomething) {
  const std::pair<std::string, std::string> cases[] = {
      {"#$\n", saved_header("", "")},
      {"#AREA Old~\n#$\n", saved_header("Old", "")},  // an old version is written as the current one
      {"#AUTHOR (Unknown)~\n#$\n", saved_header("", "")},
      {"#AUTHOR ~\n#$\n", saved_header("", "")},
      {"#SPELLLIMIT -3\n#$\n", saved_header("", "")},
      // Ranges keep the last line, missing values are zero.
      {"#RANGES\n1 2 3 4\n5 6\n$\n#$\n", saved_header("", "#RANGES\n5 6 0 0\n$\n\n")},
      {"#FLAGS 0 7\n#$\n", saved_header("", "#FLAGS 0 7\n\n")},
      {"#NEIGHBOR A~\n#NEIGHBOR B~\n#$\n", saved_header("", "#NEIGHBOR A~\n#NEIGHBOR B~\n\n")},
      // CR LF in the file reads like LF and is written as LF.
      {"#AREA Crlf~\r\n#RESETMSG one\r\ntwo~\r\n#$\r\n", saved_header("Crlf", "#RESETMSG one\ntwo~\n\n")}};
  for (const auto& [text, saved] : cases) {
    TArea fresh(nullptr);
    load_area_text(fresh, dir, text);
    EXPECT_EQ(save_area_text(fresh, dir), saved) << text;
    EXPECT_FALSE(fresh.IsNew);
  }
}

TEST_F(HeaderTest, ValuesThatAreNotWrittenAreStillRead) {
  load_area_text(area, dir, "#AUTHOR ~\n#SPELLLIMIT -3\n#FLAGS B\n#$\n");
  EXPECT_EQ(std::tie(area.Header->Version, area.Header->Author, area.Header->SpellLimit, area.Header->Flags,
                     area.Header->FlagsNumber),
            std::make_tuple(0, "", -3, 2u, 0));  // the flags number is optional
}

TEST_F(HeaderTest, SectionNamesIgnoreLetterCaseAndMayFollowBlanks) {
  load_area_text(area, dir, "#area Lower~\n#  Version 7\n# $\n");
  EXPECT_EQ(area.Header->Name, "Lower");
  EXPECT_EQ(area.Header->Version, 7);
}

TEST_F(HeaderTest, SectionAndFrameErrorsCarryTheFileLine) {
  const std::pair<const char*, const char*> cases[] = {
      {"#VERSION x\n#$\n", "#VERSION:\r\nfread_number: Bad format. (x)"},
      {"#ECONOMY 1\n", "#ECONOMY:\r\nfread_number: fread_letter: EOF encountered on read."},
      {"#RANGES\n1 2 3 4\n", "#RANGES:\r\nfread_letter: EOF encountered on read."},
      {"#CLIMATE 1 2 ?\n#$\n", "#CLIMATE:\r\nfread_number: Bad format. (?)"},
      {"#SPELLLIMIT\n", "#SPELLLIMIT:\r\nfread_number: fread_letter: EOF encountered on read."},
      {"#AREA A~\n", "fread_letter: EOF encountered on read."},
      {"AREA A~\n#$\n", "# not found"},
      {"#BOGUS\n#$\n", "Bad section name: BOGUS"},
      {"", "fread_letter: EOF encountered on read."}};
  for (const auto& [text, message] : cases)
    EXPECT_EQ(load_error(text), path_line() + message) << text;
  EXPECT_TRUE(area.IsNew);
}

}  // namespace
}  // namespace tavro

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
  EXPECT_EQ(h.Name, cp1251("Город"));
  EXPECT_EQ(h.Version, 9);
  EXPECT_EQ(h.Author, cp1251("Мастер"));
  EXPECT_EQ(h.Flags, 5u);
  EXPECT_EQ(h.FlagsNumber, 15);
  EXPECT_EQ(h.Ranges, (std::array<int32_t, 4>{1, 50, 0, 60}));
  EXPECT_EQ(h.Economy, (std::array<int32_t, 2>{1000, -2000}));
  EXPECT_EQ(h.ResetMessage, cp1251("Колокол\r\nзвонит."));
  EXPECT_EQ(h.Climate, (std::array<int32_t, 3>{1, 2, 3}));
  EXPECT_EQ(h.Neighbors, std::vector<std::string>{cp1251("Лес")});
  EXPECT_EQ(h.SpellLimit, 40);
  EXPECT_EQ(h.FileName, "test.are");
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

TEST_F(HeaderTest, DefaultHeaderWritesOnlyAreaAndVersion) {
  EXPECT_EQ(load_and_save("#$\n"), "#AREA ~\n\n#VERSION 11\n\n#RESETS\nS\n\n\n#$\n");
  EXPECT_EQ(area.Header->Version, 0);
  EXPECT_FALSE(area.IsNew);
}

TEST_F(HeaderTest, OldVersionIsWrittenAsCurrent) {
  EXPECT_EQ(load_and_save("#AREA Old~\n#$\n"), "#AREA Old~\n\n#VERSION 11\n\n#RESETS\nS\n\n\n#$\n");
  EXPECT_EQ(area.Header->Version, 0);
}

TEST_F(HeaderTest, UnknownOrEmptyAuthorIsNotWritten) {
  EXPECT_EQ(load_and_save("#AUTHOR (Unknown)~\n#$\n"), "#AREA ~\n\n#VERSION 11\n\n#RESETS\nS\n\n\n#$\n");
  TArea empty(nullptr);
  load_area_text(empty, dir, "#AUTHOR ~\n#$\n");
  EXPECT_EQ(empty.Header->Author, "");
  EXPECT_EQ(save_area_text(empty, dir), "#AREA ~\n\n#VERSION 11\n\n#RESETS\nS\n\n\n#$\n");
}

TEST_F(HeaderTest, RangesKeepTheLastLineAndMissingValuesAreZero) {
  load_area_text(area, dir, "#RANGES\n1 2 3 4\n5 6\n$\n#$\n");
  EXPECT_EQ(area.Header->Ranges, (std::array<int32_t, 4>{5, 6, 0, 0}));
  EXPECT_EQ(save_area_text(area, dir),
            "#AREA ~\n\n#VERSION 11\n\n#RANGES\n5 6 0 0\n$\n\n#RESETS\nS\n\n\n#$\n");
}

TEST_F(HeaderTest, FlagsNumberIsOptionalAndKeptWhenFlagsAreEmpty) {
  load_area_text(area, dir, "#FLAGS B\n#$\n");
  EXPECT_EQ(area.Header->Flags, 2u);
  EXPECT_EQ(area.Header->FlagsNumber, 0);
  TArea number_only(nullptr);
  load_area_text(number_only, dir, "#FLAGS 0 7\n#$\n");
  EXPECT_EQ(save_area_text(number_only, dir), "#AREA ~\n\n#VERSION 11\n\n#FLAGS 0 7\n\n#RESETS\nS\n\n\n#$\n");
}

TEST_F(HeaderTest, NegativeSpellLimitIsNotWritten) {
  load_area_text(area, dir, "#SPELLLIMIT -3\n#$\n");
  EXPECT_EQ(area.Header->SpellLimit, -3);
  EXPECT_EQ(save_area_text(area, dir), "#AREA ~\n\n#VERSION 11\n\n#RESETS\nS\n\n\n#$\n");
}

TEST_F(HeaderTest, NeighborsAreWrittenAsConsecutiveLinesAndOneBlankLine) {
  EXPECT_EQ(load_and_save("#NEIGHBOR A~\n#NEIGHBOR B~\n#$\n"),
            "#AREA ~\n\n#VERSION 11\n\n#NEIGHBOR A~\n#NEIGHBOR B~\n\n#RESETS\nS\n\n\n#$\n");
}

TEST_F(HeaderTest, SectionNamesIgnoreLetterCaseAndMayFollowBlanks) {
  load_area_text(area, dir, "#area Lower~\n#  Version 7\n# $\n");
  EXPECT_EQ(area.Header->Name, "Lower");
  EXPECT_EQ(area.Header->Version, 7);
}

TEST_F(HeaderTest, SectionErrorsCarryTheSectionAndFileLines) {
  EXPECT_EQ(load_error("#VERSION x\n#$\n"), path_line() + "#VERSION:\r\nfread_number: Bad format. (x)");
  EXPECT_EQ(load_error("#ECONOMY 1\n"),
            path_line() + "#ECONOMY:\r\nfread_number: fread_letter: EOF encountered on read.");
  EXPECT_EQ(load_error("#RANGES\n1 2 3 4\n"),
            path_line() + "#RANGES:\r\nfread_letter: EOF encountered on read.");
  EXPECT_EQ(load_error("#CLIMATE 1 2 ?\n#$\n"), path_line() + "#CLIMATE:\r\nfread_number: Bad format. (?)");
  EXPECT_EQ(load_error("#SPELLLIMIT\n"),
            path_line() + "#SPELLLIMIT:\r\nfread_number: fread_letter: EOF encountered on read.");
}

TEST_F(HeaderTest, FrameErrors) {
  EXPECT_EQ(load_error("#AREA A~\n"), path_line() + "fread_letter: EOF encountered on read.");
  EXPECT_EQ(load_error("AREA A~\n#$\n"), path_line() + "# not found");
  EXPECT_EQ(load_error("#BOGUS\n#$\n"), path_line() + "Bad section name: BOGUS");
  EXPECT_EQ(load_error(""), path_line() + "fread_letter: EOF encountered on read.");
  EXPECT_TRUE(area.IsNew);
}

TEST_F(HeaderTest, MissingFileFailsInsideTheLoadAreaLine) {
  std::string missing = dir.file("none.are");
  std::string message = error_of([&] { area.load_area(missing); });
  EXPECT_EQ(message.rfind("load_area \"" + missing + "\":\r\n", 0), 0u) << message;
  EXPECT_GT(message.size(), missing.size() + 16);
}

TEST_F(HeaderTest, HeaderOnlyAreaWithoutWorldRoundTripsTextExactly) {
  // CR LF in the file reads like LF and is written as LF.
  EXPECT_EQ(load_and_save("#AREA Crlf~\r\n#RESETMSG one\r\ntwo~\r\n#$\r\n"),
            "#AREA Crlf~\n\n#VERSION 11\n\n#RESETMSG one\ntwo~\n\n#RESETS\nS\n\n\n#$\n");
}

}  // namespace
}  // namespace tavro

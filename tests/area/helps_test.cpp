#include <gtest/gtest.h>

#include "area/AreaTestSupport.h"
#include "area/Helps.h"

namespace tavro {
namespace {

using test::cp1251;
using test::error_of;
using test::koi8;
using test::load_area_text;
using test::save_area_text;

const char* const kEmptyArea = "#AREA ~\n\n#VERSION 11\n\n#RESETS\nS\n\n\n#$\n";

class HelpsTest : public ::testing::Test {
 protected:
  test::ScratchDir dir;
  TArea area{nullptr};
};

TEST_F(HelpsTest, EntriesAreReadInFileOrderAndWrittenByteForByte) {
  const std::string text = koi8(
      "#AREA ~\n\n#VERSION 11\n\n#HELPS\n0 КАРТА MAP~\nКарта города.\nВторая строка.\n~\n\n"
      "-5 'SECRET WORD'~\nTell nobody.~\n\n-1 $~\n\n#RESETS\nS\n\n\n#$\n");
  load_area_text(area, dir, text);
  ASSERT_EQ(area.Helps->Items.size(), 2u);
  EXPECT_EQ(area.Helps->Items[0]->Level, 0);
  EXPECT_EQ(area.Helps->Items[0]->Keywords, cp1251("КАРТА MAP"));
  EXPECT_EQ(area.Helps->Items[0]->Text, cp1251("Карта города.\r\nВторая строка.\r\n"));
  EXPECT_EQ(area.Helps->Items[1]->Level, -5);
  EXPECT_EQ(area.Helps->Items[1]->Keywords, "'SECRET WORD'");
  EXPECT_EQ(save_area_text(area, dir), text);
}

TEST_F(HelpsTest, OnlyTheEndLineGivesNoEntriesAndNoSection) {
  load_area_text(area, dir, "#HELPS\n-1 $~\n#$\n");
  EXPECT_TRUE(area.Helps->Items.empty());
  EXPECT_EQ(save_area_text(area, dir), kEmptyArea);
}

TEST_F(HelpsTest, EntryWithEmptyTextIsDropped) {
  load_area_text(area, dir, "#HELPS\n1 EMPTY~\n~\n2 FULL~\nText~\n77 $~\n#$\n");
  ASSERT_EQ(area.Helps->Items.size(), 1u);
  EXPECT_EQ(area.Helps->Items[0]->Keywords, "FULL");
}

TEST_F(HelpsTest, SectionsAddUp) {
  load_area_text(area, dir, "#HELPS\n1 A~\nx~\n0 $~\n#HELPS\n2 B~\ny~\n0 $~\n#$\n");
  ASSERT_EQ(area.Helps->Items.size(), 2u);
  EXPECT_EQ(area.Helps->Items[1]->Keywords, "B");
}

TEST_F(HelpsTest, ErrorsCarryTheHelpsLine) {
  std::string path_line = "load_area \"" + dir.file("test.are") + "\":\r\n";
  EXPECT_EQ(error_of([&] { load_area_text(area, dir, "#HELPS\nx A~\nB~\n-1 $~\n#$\n"); }),
            path_line + "#HELPS:\r\nfread_number: Bad format. (x)");
  // A missing tilde at the end ends the text there; the next level read then fails at the end.
  TArea cut(nullptr);
  EXPECT_EQ(error_of([&] { load_area_text(cut, dir, "#HELPS\n1 A~\nno tilde\n"); }),
            path_line + "#HELPS:\r\nfread_number: fread_letter: EOF encountered on read.");
}

TEST(NormalizeKeywordsTest, FoldsLinesTabsAndRunsOfSpaces) {
  EXPECT_EQ(normalize_keywords("  ONE\r\nTWO\tTHREE   FOUR \r\n"), "ONE TWO THREE FOUR");
  EXPECT_EQ(normalize_keywords(""), "");
  EXPECT_EQ(normalize_keywords("\r\n\t "), "");
  EXPECT_EQ(normalize_keywords("\x01KEY\x02"), "KEY");
}

TEST(NormalizeKeywordsTest, KeepsCyrillicBytes) {
  std::string word = cp1251("Ёлка яблоко");
  EXPECT_EQ(normalize_keywords(" " + word + " "), word);
}

}  // namespace
}  // namespace tavro

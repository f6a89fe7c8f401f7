#include <gtest/gtest.h>

#include <tuple>
#include <vector>

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

using Helps = std::vector<std::tuple<int32_t, std::string, std::string>>;

class HelpsTest : public ::testing::Test {
 protected:
  // Level, keywords and text of every entry.
  Helps helps() const {
    Helps fields;
    for (const auto& help : area.Helps->Items)
      fields.emplace_back(help->Level, help->Keywords, help->Text);
    return fields;
  }

  test::ScratchDir dir;
  TArea area{nullptr};
};

TEST_F(HelpsTest, EntriesAreReadInFileOrderAndWrittenByteForByte) {
  const std::string text = koi8(
      "#AREA ~\n\n#VERSION 11\n\n#HELPS\n0 КАРТА MAP~\nКарта города.\nВторая строка.\n~\n\n"
      "-5 'SECRET WORD'~\nTell nobody.~\n\n-1 $~\n\n#RESETS\nS\n\n\n#$\n");
  load_area_text(area, dir, text);
  EXPECT_EQ(helps(), (Helps{{0, cp1251("КАРТА MAP"), cp1251("Карта города.\r\nВторая строка.\r\n")},
                            {-5, "'SECRET WORD'", "Tell nobody."}}));
  EXPECT_EQ(save_area_text(area, dir), text);
}

TEST_F(HelpsTest, OnlyTheEndLineGivesNoEntriesAndNoSection) {
  load_area_text(area, dir, "#HELPS\n-1 $~\n#$\n");
  EXPECT_TRUE(area.Helps->Items.empty());
  EXPECT_EQ(save_area_text(area, dir), kEmptyArea);
}

TEST_F(HelpsTest, EntryWithEmptyTextIsDroppedAndSectionsAddUp) {
  load_area_text(area, dir, "#HELPS\n1 EMPTY~\n~\n2 FULL~\nText~\n77 $~\n#HELPS\n3 B~\ny~\n0 $~\n#$\n");
  EXPECT_EQ(helps(), (Helps{{2, "FULL", "Text"}, {3, "B", "y"}}));
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

TEST(NormalizeKeywordsTest, FoldsLinesTabsAndRunsOfSpacesAndKeepsCyrillicBytes) {
  EXPECT_EQ(normalize_keywords("  ONE\r\nTWO\tTHREE   FOUR \r\n"), "ONE TWO THREE FOUR");
  EXPECT_EQ(normalize_keywords(""), "");
  EXPECT_EQ(normalize_keywords("\r\n\t "), "");
  EXPECT_EQ(normalize_keywords("\x01KEY\x02"), "KEY");
  EXPECT_EQ(normalize_keywords(cp1251(" Ёлка яблоко ")), cp1251("Ёлка яблоко"));
}

}  // namespace
}  // namespace tavro

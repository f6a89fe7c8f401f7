#include <gtest/gtest.h>

#include <string>

#include "reading/AreaFile.h"
#include "reading/Cp1251.h"

namespace tavro {
namespace {

// Every KOI8-R letter is read and written back through a file in the area file tests.
TEST(Charset, EveryByteBelow128PassesUnchanged) {
  for (int b = 0; b < 128; ++b) {
    EXPECT_EQ(koi8_to_cp1251(static_cast<unsigned char>(b)), b);
    EXPECT_EQ(cp1251_to_koi8(static_cast<unsigned char>(b)), b);
  }
}

// The symbols both sets hold map exactly: no-break space, degree, middle dot; KOI8-R's copyright reads
// as the look-alike numero sign.
TEST(Charset, SymbolsReadAsTheirWindows1251Codes) {
  const int cases[][2] = {{0x9A, 0xA0}, {0x9C, 0xB0}, {0x9E, 0xB7}, {0xBF, 0xB9}};
  for (const auto& [koi8, cp1251] : cases)
    EXPECT_EQ(koi8_to_cp1251(static_cast<unsigned char>(koi8)), cp1251) << koi8;
}

// Writing takes the highest code that reads as the byte (ghe is 0xC7, not the box codes 0xA4/0xA5);
// bytes that no code reads as (the euro sign, say) are written as spaces.
TEST(Charset, WritingTakesTheHighestCodeThatReadsAsTheByte) {
  const int cases[][2] = {{0xE3, 0xC7}, {0xA6, 0xBB}, {0xAC, 0xA8}, {0xB8, 0xA3},
                          {0xA8, 0xB3}, {0x80, 0x20}, {0x88, 0x20}, {0xAB, 0x20}};
  for (const auto& [cp1251, koi8] : cases)
    EXPECT_EQ(cp1251_to_koi8(static_cast<unsigned char>(cp1251)), koi8) << cp1251;
}

TEST(Charset, CaseChangesCoverCyrillic) {
  EXPECT_EQ(to_upper(w("abc xyz абвгд эюя ёЁ їґ 123")), w("ABC XYZ АБВГД ЭЮЯ ЁЁ ЇҐ 123"));
  EXPECT_EQ(to_lower(w("ABC XYZ АБВГД ЭЮЯ ЁЁ ЇҐ 123")), w("abc xyz абвгд эюя ёё їґ 123"));
  EXPECT_EQ(to_upper('\xFF'), '\xDF');
  EXPECT_EQ(to_lower('\xC0'), '\xE0');
  EXPECT_EQ(to_upper(std::string_view("\xB5 \xB9")), "\xB5 \xB9");  // micro and numero have no case
}

TEST(Charset, Windows1251ToUtf8AndBack) {
  const std::string cp1251 = "\xCC\xE5\xF7 \xB8\xA8 \xB9\x96\x88";
  const std::string utf8 = "\xD0\x9C\xD0\xB5\xD1\x87 \xD1\x91\xD0\x81 \xE2\x84\x96\xE2\x80\x93\xE2\x82\xAC";
  EXPECT_EQ(cp1251_to_utf8(cp1251), utf8);
  EXPECT_EQ(utf8_to_cp1251(utf8), cp1251);
  for (int b = 0; b < 256; ++b) {
    const std::string one(1, static_cast<char>(b));
    EXPECT_EQ(utf8_to_cp1251(cp1251_to_utf8(one)), one) << b;
  }
}

TEST(Charset, Utf8ThatWindows1251CannotHoldBecomesAQuestionMark) {
  EXPECT_EQ(utf8_to_cp1251("\xE4\xB8\xAD"), "?");        // a CJK character
  EXPECT_EQ(utf8_to_cp1251("\xF0\x9F\x98\x80x"), "?x");  // an emoji
  EXPECT_EQ(utf8_to_cp1251("a\xD0"), "a?");              // cut sequence
  EXPECT_EQ(utf8_to_cp1251("\xC0\xAF"), "??");           // overlong form
  EXPECT_EQ(utf8_to_cp1251("\xE0\x80\xAF"), "???");      // overlong three-byte form
}

}  // namespace
}  // namespace tavro

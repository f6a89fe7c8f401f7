#include <gtest/gtest.h>

#include <string>

#include "reading/AreaFile.h"
#include "support/ErrorOf.h"

namespace tavro {
namespace {

// A reader over text given as it would stand in memory (no line-break rejoining), so that the
// readers' handling of the very end of the text can be reached.
TAreaFile raw_text(std::string text) {
  TAreaFile f;
  f.Buffer = std::move(text);
  f.Length = static_cast<int32_t>(f.Buffer.size());
  f.Position = 1;
  return f;
}

using test::error_of;

TEST(TokenReaders, NumbersTakeSignsAndSumTheirBarTerms) {
  TAreaFile f = raw_text("-12|3 +7 1|2|4 -5|3 1| 2 +-4 ");
  EXPECT_EQ(fread_number(f), -9);
  EXPECT_EQ(fread_number(f), 7);
  EXPECT_EQ(fread_number(f), 7);
  EXPECT_EQ(fread_number(f), -2);
  EXPECT_EQ(fread_number(f), 3);
  EXPECT_EQ(fread_number(f), -4);
}

TEST(TokenReaders, NumberArithmeticWrapsIn32Bits) {
  TAreaFile f = raw_text("4294967295 2147483648 2147483647|1 -2147483648 ");
  EXPECT_EQ(fread_number(f), -1);
  EXPECT_EQ(fread_number(f), INT32_MIN);
  EXPECT_EQ(fread_number(f), INT32_MIN);
  EXPECT_EQ(fread_number(f), INT32_MIN);
}

TEST(TokenReaders, NumberConsumesABlankTerminatorButLeavesOtherCharacters) {
  TAreaFile f = raw_text("12 x 34;y");
  EXPECT_EQ(fread_number(f), 12);
  EXPECT_EQ(f.getc(), 'x');
  EXPECT_EQ(fread_number(f), 34);
  EXPECT_EQ(f.getc(), ';');
}

TEST(TokenReaders, NumberErrorsNameEveryReaderOnTheWay) {
  TAreaFile letter = raw_text("x");
  EXPECT_EQ(error_of([&] { fread_number(letter); }), "fread_number: Bad format. (x)");
  TAreaFile empty = raw_text("   ");
  EXPECT_EQ(error_of([&] { fread_number(empty); }), "fread_number: fread_letter: EOF encountered on read.");
  TAreaFile sign_only = raw_text("-");
  EXPECT_EQ(error_of([&] { fread_number(sign_only); }), "fread_number: getc: EOF encountered on read.");
  // A number that runs into the end of the text without a terminator is cut off.
  TAreaFile unterminated = raw_text("12");
  EXPECT_EQ(error_of([&] { fread_number(unterminated); }), "fread_number: EOF encountered on read.");
  // The k-th term of a chain is read k readers deep.
  TAreaFile third_bad = raw_text("1|2|x");
  EXPECT_EQ(error_of([&] { fread_number(third_bad); }),
            "fread_number: fread_number: fread_number: Bad format. (x)");
}

TEST(TokenReaders, MillionTermChainsReadWithoutExhaustingTheStack) {
  constexpr size_t kTerms = 1000000;
  std::string text;
  text.reserve(kTerms * 2 + 2);
  for (size_t i = 0; i < kTerms; ++i)
    text += i ? "|1" : "1";
  TAreaFile numbers = raw_text(text + " ");
  EXPECT_EQ(fread_number(numbers), static_cast<int32_t>(kTerms));
  TAreaFile flags = raw_text(text + " ");
  EXPECT_EQ(fread_flag(flags), kTerms);

  TAreaFile broken = raw_text(text + "|x");
  std::string message = error_of([&] { fread_number(broken); });
  const std::string prefix = "fread_number: ";
  ASSERT_EQ(message.size(), prefix.size() * (kTerms + 1) + std::string("Bad format. (x)").size());
  EXPECT_EQ(message.substr(message.size() - 29), "fread_number: Bad format. (x)");
  for (size_t k = 0; k <= kTerms; k += 99991)
    EXPECT_EQ(message.compare(k * prefix.size(), prefix.size(), prefix), 0);
}

TEST(TokenReaders, FlagsReadAsLettersOrNumbers) {
  TAreaFile f = raw_text("AB AA 0 -A f 2147483648 A|B -A|B A|-B|C 12AB ");
  EXPECT_EQ(fread_flag(f), 3u);
  EXPECT_EQ(fread_flag(f), 2u);
  EXPECT_EQ(fread_flag(f), 0u);
  EXPECT_EQ(fread_flag(f), static_cast<uint32_t>(-1));
  EXPECT_EQ(fread_flag(f), 1u << 31);
  EXPECT_EQ(fread_flag(f), 1u << 31);
  EXPECT_EQ(fread_flag(f), 3u);
  EXPECT_EQ(fread_flag(f), static_cast<uint32_t>(-3));
  // The minus sign covers the rest of the chain: 1 + -(2 + 4).
  EXPECT_EQ(fread_flag(f), static_cast<uint32_t>(-5));
  // Digits and letters do not mix in one term: the letters are left for the next read.
  EXPECT_EQ(fread_flag(f), 12u);
  EXPECT_EQ(fread_flag(f), 3u);
}

TEST(TokenReaders, FlagLeavesAStrayCharacterUnread) {
  TAreaFile f = raw_text(";x");
  EXPECT_EQ(fread_flag(f), 0u);
  EXPECT_EQ(f.getc(), ';');
  TAreaFile cut = raw_text("1|2|AB");
  EXPECT_EQ(error_of([&] { fread_flag(cut); }),
            "fread_flag: fread_flag: fread_flag: EOF encountered on read.");
}

TEST(TokenReaders, EndOfLineReadersStopAtTheLineEnd) {
  TAreaFile f = raw_text("   \r\n5  7\r\n\t");
  EXPECT_EQ(fread_number_eol(f), 0);
  EXPECT_EQ(f.getc(), '\r');
  EXPECT_EQ(fread_number(f), 5);
  EXPECT_EQ(fread_number_eol(f), 7);
  EXPECT_EQ(f.getc(), '\n');
  EXPECT_EQ(error_of([&] { fread_number_eol(f); }), "fread_number_eol: EOF encountered on read.");

  TAreaFile flags = raw_text(" AB\n \n");
  EXPECT_EQ(fread_flag_eol(flags), 3u);
  EXPECT_EQ(fread_flag_eol(flags), 0u);
  EXPECT_EQ(flags.getc(), '\n');
  TAreaFile bad = raw_text(" x\n");
  EXPECT_EQ(error_of([&] { fread_number_eol(bad); }), "fread_number_eol: fread_number: Bad format. (x)");
}

TEST(TokenReaders, StringsRunToTheTildeWithCrLfLines) {
  TAreaFile f = raw_text("  \n first line\nsecond~~rest\r\nof it");
  EXPECT_EQ(fread_string(f), "first line\r\nsecond");
  EXPECT_EQ(fread_string(f), "");
  EXPECT_EQ(fread_string(f), "rest\r\nof it");
  EXPECT_TRUE(f.at_eof());
  EXPECT_EQ(error_of([&] { fread_string(f); }), "fread_string: fread_letter: EOF encountered on read.");
  TAreaFile lone_cr = raw_text("a\rb\r~");
  EXPECT_EQ(fread_string(lone_cr), "ab");
}

TEST(TokenReaders, CaseFormsStopAtColonOrTildeAndKeepBareLf) {
  TAreaFile f = raw_text(" sword:swor\r\nda~ end");
  EXPECT_EQ(fread_padej(f), "sword");
  EXPECT_EQ(fread_padej(f), "swor\nda");
  EXPECT_EQ(fread_padej(f), "end");
  EXPECT_EQ(error_of([&] { fread_padej(f); }), "fread_padej: fread_letter: EOF encountered on read.");
  TAreaFile empty = raw_text(": ~");
  EXPECT_EQ(fread_padej(empty), "");
  EXPECT_EQ(fread_padej(empty), "");
}

TEST(TokenReaders, WordsAreUnquotedOrQuoted) {
  TAreaFile f = raw_text(" plain~#x 'two words' \"a 'b'\" last\n");
  EXPECT_EQ(fread_word(f), "plain~#x");
  EXPECT_EQ(fread_word(f), "two words");
  EXPECT_EQ(fread_word(f), "a 'b'");
  EXPECT_EQ(fread_word(f), "last");
  EXPECT_EQ(error_of([&] { fread_word(f); }), "fread_word: fread_letter: EOF encountered on read.");
  TAreaFile cut = raw_text("cut");
  EXPECT_EQ(error_of([&] { fread_word(cut); }), "fread_word: EOF encountered on read.");
  TAreaFile open_quote = raw_text("'never closed");
  EXPECT_EQ(error_of([&] { fread_word(open_quote); }), "fread_word: EOF encountered on read.");
}

TEST(TokenReaders, LetterAndRestOfLine) {
  TAreaFile f = raw_text(" \t\r\n#skip this\r\nX");
  EXPECT_EQ(fread_letter(f), '#');
  fread_to_eol(f);
  EXPECT_EQ(f.getc(), '\r');
  EXPECT_EQ(fread_letter(f), 'X');
  EXPECT_EQ(error_of([&] { fread_letter(f); }), "fread_letter: EOF encountered on read.");
  TAreaFile no_line_end = raw_text("abc");
  EXPECT_EQ(error_of([&] { fread_to_eol(no_line_end); }), "fread_to_eol: EOF encountered on read.");
}

TEST(TokenReaders, BitVectorsKeepFourWordsAndDropTheRest) {
  TAreaFile f = raw_text("A&0&0&A 0&I B&C&D&E&F\n;");
  TBitVector first = fread_bitvector(f);
  EXPECT_EQ(first.Words, (std::array<uint32_t, 4>{1, 0, 0, 1}));
  TBitVector second = fread_bitvector(f);
  EXPECT_EQ(second.Words, (std::array<uint32_t, 4>{0, 1u << 8, 0, 0}));
  EXPECT_TRUE(second.test(40));
  TBitVector five = fread_bitvector(f);
  EXPECT_EQ(five.Words, (std::array<uint32_t, 4>{2, 4, 8, 16}));
  EXPECT_EQ(f.getc(), ';');
  TAreaFile cut = raw_text("A&");
  EXPECT_EQ(error_of([&] { fread_bitvector(cut); }),
            "fread_bitvector: fread_flag: fread_letter: EOF encountered on read.");
}

TEST(TokenReaders, KeyedFieldsReadOnlyTheirOwnKey) {
  TAreaFile f = raw_text("Some text~ word 42 yes A&B\r\n");
  TKeyContext c{&f, "NAME", false};
  std::string text = "old";
  EXPECT_FALSE(key_string(c, "DESC", text));
  EXPECT_FALSE(c.Matched);
  EXPECT_EQ(text, "old");
  EXPECT_TRUE(key_string(c, "NAME", text));
  EXPECT_TRUE(c.Matched);
  EXPECT_EQ(text, "Some text");
  c.CurrentKey = "WORD";
  std::string word;
  EXPECT_TRUE(key_word(c, "WORD", word));
  EXPECT_EQ(word, "word");
  c.CurrentKey = "NUM";
  int32_t number = 0;
  EXPECT_TRUE(key_number(c, "NUM", number));
  EXPECT_EQ(number, 42);
  c.CurrentKey = "FLAG";
  bool flag = false;
  EXPECT_TRUE(key_bool(c, "FLAG", flag));
  EXPECT_TRUE(flag);
  c.CurrentKey = "BITS";
  TBitVector bits;
  bits.set(100);
  EXPECT_TRUE(key_bitvector(c, "BITS", bits));
  EXPECT_EQ(bits.Words, (std::array<uint32_t, 4>{1, 2, 0, 0}));
}

TEST(TokenReaders, KeyedBooleansAcceptTrueYesOnInAnyCase) {
  TAreaFile f = raw_text("true On YES no 1 off\n");
  TKeyContext c{&f, "B", false};
  const bool expected[] = {true, true, true, false, false, false};
  for (bool want : expected) {
    bool value = !want;
    ASSERT_TRUE(key_bool(c, "B", value));
    EXPECT_EQ(value, want);
  }
}

}  // namespace
}  // namespace tavro

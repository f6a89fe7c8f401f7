#include <gtest/gtest.h>

#include <array>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

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

// Every value read from text by read until the text is used up.
template <class Read>
auto all_read(const std::string& text, Read read) {
  TAreaFile f = raw_text(text);
  std::vector<decltype(read(f))> values;
  while (!f.at_eof())
    values.push_back(read(f));
  return values;
}

TEST(TokenReaders, NumbersTakeSignsAndSumTheirBarTermsWrappingIn32Bits) {
  EXPECT_EQ(all_read("-12|3 +7 1|2|4 -5|3 1| 2 +-4 ", fread_number),
            (std::vector<int32_t>{-9, 7, 7, -2, 3, -4}));
  EXPECT_EQ(all_read("4294967295 2147483648 2147483647|1 -2147483648 ", fread_number),
            (std::vector<int32_t>{-1, INT32_MIN, INT32_MIN, INT32_MIN}));
}

TEST(TokenReaders, NumberConsumesABlankTerminatorButLeavesOtherCharacters) {
  TAreaFile f = raw_text("12 x 34;y");
  EXPECT_EQ(fread_number(f), 12);
  EXPECT_EQ(f.getc(), 'x');
  EXPECT_EQ(fread_number(f), 34);
  EXPECT_EQ(f.getc(), ';');
}

// The message of the first read of text by read.
template <class Read>
std::string read_error(const std::string& text, Read read) {
  TAreaFile f = raw_text(text);
  return error_of([&] { read(f); });
}

TEST(TokenReaders, ErrorsNameEveryReaderOnTheWay) {
  const std::pair<std::string, std::string> numbers[] = {
      {"x", "fread_number: Bad format. (x)"},
      {"   ", "fread_number: fread_letter: EOF encountered on read."},
      {"-", "fread_number: getc: EOF encountered on read."},
      {"12", "fread_number: EOF encountered on read."},  // cut off without a terminator
      {"1|2|x", "fread_number: fread_number: fread_number: Bad format. (x)"}};  // k readers deep
  for (const auto& [text, message] : numbers)
    EXPECT_EQ(read_error(text, fread_number), message) << text;
  EXPECT_EQ(read_error("1|2|AB", fread_flag), "fread_flag: fread_flag: fread_flag: EOF encountered on read.");
  EXPECT_EQ(read_error(" x\n", fread_number_eol), "fread_number_eol: fread_number: Bad format. (x)");
  EXPECT_EQ(read_error("cut", fread_word), "fread_word: EOF encountered on read.");
  EXPECT_EQ(read_error("'never closed", fread_word), "fread_word: EOF encountered on read.");
  EXPECT_EQ(read_error("abc", fread_to_eol), "fread_to_eol: EOF encountered on read.");
  EXPECT_EQ(read_error("A&", fread_bitvector),
            "fread_bitvector: fread_flag: fread_letter: EOF encountered on read.");
  for (const auto& [reader, read] : std::vector<std::pair<std::string, std::string (*)(TAreaFile&)>>{
           {"fread_string", fread_string}, {"fread_padej", fread_padej}, {"fread_word", fread_word}})
    EXPECT_EQ(read_error(" \r\n", read), reader + ": fread_letter: EOF encountered on read.");
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
  // A minus sign covers the rest of the chain: A|-B|C is 1 + -(2 + 4). Digits and letters do not mix in
  // one term: the letters of 12AB are left for the next read.
  EXPECT_EQ(all_read("AB AA 0 -A f 2147483648 A|B -A|B A|-B|C 12AB ", fread_flag),
            (std::vector<uint32_t>{3u, 2u, 0u, static_cast<uint32_t>(-1), 1u << 31, 1u << 31, 3u,
                                   static_cast<uint32_t>(-3), static_cast<uint32_t>(-5), 12u, 3u}));
  TAreaFile f = raw_text(";x");  // a stray character is left unread
  EXPECT_EQ(fread_flag(f), 0u);
  EXPECT_EQ(f.getc(), ';');
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
  // Braces read in order.
  EXPECT_EQ(
      (std::tuple<uint32_t, uint32_t, char>{fread_flag_eol(flags), fread_flag_eol(flags), flags.getc()}),
      std::make_tuple(3u, 0u, '\n'));
}

TEST(TokenReaders, StringsAndCaseFormsRunToTheirEnds) {
  // Strings run to the tilde with CR LF lines (a lone CR is dropped); case forms stop at a colon or a
  // tilde and keep a bare LF.
  EXPECT_EQ(all_read("  \n first line\nsecond~~rest\r\nof it", fread_string),
            (std::vector<std::string>{"first line\r\nsecond", "", "rest\r\nof it"}));
  EXPECT_EQ(all_read("a\rb\r~", fread_string), std::vector<std::string>{"ab"});
  EXPECT_EQ(all_read(" sword:swor\r\nda~ end", fread_padej),
            (std::vector<std::string>{"sword", "swor\nda", "end"}));
  EXPECT_EQ(all_read(": ~", fread_padej), (std::vector<std::string>{"", ""}));
}

TEST(TokenReaders, WordsLettersAndRestOfLine) {
  // Words are unquoted or quoted.
  EXPECT_EQ(all_read(" plain~#x 'two words' \"a 'b'\" last ", fread_word),
            (std::vector<std::string>{"plain~#x", "two words", "a 'b'", "last"}));
  TAreaFile f = raw_text(" \t\r\n#skip this\r\nX");
  EXPECT_EQ(fread_letter(f), '#');
  fread_to_eol(f);
  EXPECT_EQ(f.getc(), '\r');
  EXPECT_EQ(fread_letter(f), 'X');
  EXPECT_EQ(error_of([&] { fread_letter(f); }), "fread_letter: EOF encountered on read.");
}

TEST(TokenReaders, BitVectorsKeepFourWordsAndDropTheRest) {
  TAreaFile f = raw_text("A&0&0&A 0&I B&C&D&E&F\n;");
  std::vector<std::array<uint32_t, 4>> words;
  for (int i = 0; i < 3; ++i)
    words.push_back(fread_bitvector(f).Words);
  EXPECT_EQ(words, (std::vector<std::array<uint32_t, 4>>{{1, 0, 0, 1}, {0, 1u << 8, 0, 0}, {2, 4, 8, 16}}));
  EXPECT_EQ(f.getc(), ';');
}

TEST(TokenReaders, KeyedFieldsReadOnlyTheirOwnKey) {
  TAreaFile f = raw_text("Some text~ word 42 yes A&B\r\n");
  TKeyContext c{&f, "NAME", false};
  std::string text = "old", word;
  EXPECT_FALSE(key_string(c, "DESC", text));
  EXPECT_EQ(std::tie(c.Matched, text), std::make_tuple(false, "old"));
  EXPECT_TRUE(key_string(c, "NAME", text));
  EXPECT_EQ(std::tie(c.Matched, text), std::make_tuple(true, "Some text"));
  int32_t number = 0;
  bool flag = false;
  TBitVector bits;
  bits.set(100);  // replaced, not added to
  c.CurrentKey = "WORD";
  EXPECT_TRUE(key_word(c, "WORD", word));
  c.CurrentKey = "NUM";
  EXPECT_TRUE(key_number(c, "NUM", number));
  c.CurrentKey = "FLAG";
  EXPECT_TRUE(key_bool(c, "FLAG", flag));
  c.CurrentKey = "BITS";
  EXPECT_TRUE(key_bitvector(c, "BITS", bits));
  EXPECT_EQ(std::tie(word, number, flag, bits.Words),
            std::make_tuple("word", 42, true, std::array<uint32_t, 4>{1, 2, 0, 0}));
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

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "reading/AreaFile.h"
#include "reading/BitVector.h"
#include "reading/Cp1251.h"
#include "support/ErrorOf.h"

namespace tavro {
namespace {

TBitVector vector_of(std::initializer_list<int> bits) {
  TBitVector v;
  for (int bit : bits)
    v.set(bit);
  return v;
}

TBitVector read_vector(const std::string& text) {
  TAreaFile f;
  f.load_text(text);
  return fread_bitvector(f);
}

TEST(FlagWords, LettersStandForBits) {
  EXPECT_EQ(std::make_tuple(flag_value('A'), flag_value('Z'), flag_value('a'), flag_value('f')),
            std::make_tuple(1u, 1u << 25, 1u << 26, 1u << 31));
  for (char ch : {'g', 'z', '0', '@', '[', '`', ' '})
    EXPECT_EQ(flag_value(ch), 0u) << ch;
  // Letters and the equal number read the same.
  const std::pair<uint32_t, std::string> words[] = {{0, "0"},
                                                    {1, "A"},
                                                    {3, "AB"},
                                                    {(1u << 31) | 1u, "Af"},
                                                    {1u << 26, "a"},
                                                    {0xFFFFFFFFu, "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdef"},
                                                    {0x12345678u, flag_to_letters(0x12345678u)}};
  for (const auto& [flags, letters] : words) {
    EXPECT_EQ(flag_to_letters(flags), letters);
    TAreaFile as_letters, as_digits;
    as_letters.load_text(letters);
    as_digits.load_text(std::to_string(flags));
    EXPECT_EQ(std::make_tuple(fread_flag(as_letters), fread_flag(as_digits)), std::make_tuple(flags, flags))
        << letters;
  }
}

TEST(BitVectors, TextFormWritesUpToTheHighestNonZeroWordAndReadsBack) {
  const std::pair<TBitVector, std::string> cases[] = {{TBitVector{}, "0"},
                                                      {vector_of({0, 1}), "AB"},
                                                      {vector_of({32}), "0&A"},
                                                      {vector_of({0, 96}), "A&0&0&A"},
                                                      {vector_of({40}), "0&I"},
                                                      {vector_of({127}), "0&0&0&f"},
                                                      {vector_of({31, 63, 95, 127}), "f&f&f&f"}};
  for (const auto& [bits, text] : cases) {
    EXPECT_EQ(bitvector_to_text(bits), text);
    EXPECT_EQ(read_vector(text), bits) << text;
  }
}

TEST(BitVectors, AreIndependentValues) {
  TBitVector a = vector_of({3});
  TBitVector b = a;
  b.set(70);
  b.set(3, false);
  EXPECT_TRUE(a.test(3));
  EXPECT_FALSE(a.test(70));
  EXPECT_TRUE(b.test(70));
  b.bitvector_assign(a);
  EXPECT_EQ(a, b);
  b.bitvector_clear();
  EXPECT_TRUE(b.is_zero());
  EXPECT_FALSE(a.is_zero());
}

TEST(BitVectors, BitsOutsideTheVectorAreNeitherSetNorSeen) {
  TBitVector v;
  v.set(128);
  v.set(-1);
  EXPECT_TRUE(v.is_zero());
  EXPECT_FALSE(v.test(128));
  EXPECT_FALSE(v.test(-1));
}

const std::vector<std::string> kList = {"5=Glowing", "0=Hum", "31=Cursed", "40=Deep", "1=dark"};

TEST(FlagLists, EntriesOutOfBitOrderTieEachNameToItsBit) {
  EXPECT_EQ(flag_entry_bit("5=Glowing"), 5);
  EXPECT_EQ(flag_entry_name("5=Glowing"), "Glowing");
  EXPECT_EQ(flag_entry_bit(" 12 =x"), 12);
  EXPECT_EQ(flag_list_to_word(kList, {true, false, false, false, false}), 1u << 5);
  EXPECT_EQ(flag_list_to_word(kList, {false, true, true, false, false}), (1u << 31) | 1u);
  EXPECT_EQ(word_to_flag_list(kList, (1u << 5) | (1u << 1)),
            (std::vector<bool>{true, false, false, false, true}));
}

TEST(FlagLists, Bit31IsTickedAndNamed) {
  EXPECT_EQ(word_to_flag_list(kList, 1u << 31), (std::vector<bool>{false, false, true, false, false}));
  EXPECT_EQ(flags_to_names(kList, (1u << 31) | (1u << 5) | 1u), "Glowing Hum Cursed");
  EXPECT_EQ(flags_to_names(kList, 0), "");
}

TEST(FlagLists, VectorsUseTheWholeBitNumber) {
  TBitVector v = flag_list_to_bitvector(kList, {false, false, true, true, false});
  EXPECT_EQ(v, vector_of({31, 40}));
  EXPECT_EQ(bitvector_to_flag_list(kList, vector_of({40, 5})),
            (std::vector<bool>{true, false, false, true, false}));
}

TEST(FlagLists, NamesMatchWithoutRegardToCase) {
  const std::vector<std::string> cyrillic = {"2=" + w("Светится"), "3=" + w("Ёлка")};
  EXPECT_EQ(names_to_flags(kList, {"glowing", "DARK", "nothing"}), (1u << 5) | (1u << 1));
  EXPECT_EQ(names_to_flags(cyrillic, {w("СВЕТИТСЯ"), w("ёлка")}), (1u << 2) | (1u << 3));
  // A bit of 32 or more wraps into the word.
  EXPECT_EQ(names_to_flags(kList, {"deep"}), 1u << 8);
}

TEST(FlagLists, NonNumericBitIsAConversionError) {
  const std::vector<std::string> broken = {"1=One", "x2=Two"};
  EXPECT_EQ(test::error_of([&] {
              flag_list_to_word(broken, {true, true});
            }),
            "'x2' is not a valid integer value");
  EXPECT_THROW(flag_entry_bit("=Empty"), Error);
  EXPECT_THROW(flag_entry_bit("12a=Trailing"), Error);
  EXPECT_THROW(word_to_flag_list(broken, 1), Error);
}

}  // namespace
}  // namespace tavro

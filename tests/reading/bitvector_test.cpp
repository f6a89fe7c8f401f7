#include <gtest/gtest.h>

#include <string>
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
  EXPECT_EQ(flag_value('A'), 1u);
  EXPECT_EQ(flag_value('Z'), 1u << 25);
  EXPECT_EQ(flag_value('a'), 1u << 26);
  EXPECT_EQ(flag_value('f'), 1u << 31);
  for (char ch : {'g', 'z', '0', '@', '[', '`', ' '})
    EXPECT_EQ(flag_value(ch), 0u) << ch;
  EXPECT_EQ(flag_to_letters(0), "0");
  EXPECT_EQ(flag_to_letters(1), "A");
  EXPECT_EQ(flag_to_letters(3), "AB");
  EXPECT_EQ(flag_to_letters((1u << 31) | 1u), "Af");
  EXPECT_EQ(flag_to_letters(1u << 26), "a");
  EXPECT_EQ(flag_to_letters(0xFFFFFFFFu), "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdef");
}

TEST(FlagWords, LettersAndTheEqualNumberReadTheSame) {
  for (uint32_t flags : {0u, 1u, 5u, 0x80000001u, 0xFFFFFFFFu, 0x12345678u}) {
    TAreaFile letters, digits;
    letters.load_text(flag_to_letters(flags));
    digits.load_text(std::to_string(flags));
    EXPECT_EQ(fread_flag(letters), flags);
    EXPECT_EQ(fread_flag(digits), flags);
  }
}

TEST(BitVectors, TextFormWritesUpToTheHighestNonZeroWord) {
  EXPECT_EQ(bitvector_to_text(TBitVector{}), "0");
  EXPECT_EQ(bitvector_to_text(vector_of({0, 1})), "AB");
  EXPECT_EQ(bitvector_to_text(vector_of({32})), "0&A");
  EXPECT_EQ(bitvector_to_text(vector_of({0, 96})), "A&0&0&A");
  EXPECT_EQ(bitvector_to_text(vector_of({40})), "0&I");
  EXPECT_EQ(bitvector_to_text(vector_of({127})), "0&0&0&f");
}

TEST(BitVectors, TextFormReadsBackTheSameVector) {
  for (const TBitVector& v : {TBitVector{}, vector_of({0, 1}), vector_of({32}), vector_of({0, 96}),
                              vector_of({31, 63, 95, 127}), vector_of({40})}) {
    EXPECT_EQ(read_vector(bitvector_to_text(v)), v) << bitvector_to_text(v);
  }
  TBitVector bit40 = read_vector("0&I");
  EXPECT_EQ(bit40.Words[0], 0u);
  EXPECT_EQ(bit40.Words[1], 1u << 8);
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

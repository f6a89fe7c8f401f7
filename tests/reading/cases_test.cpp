#include <gtest/gtest.h>

#include <array>
#include <string>

#include "reading/Cases.h"
#include "reading/Cp1251.h"

namespace tavro {
namespace {

using Forms = std::array<std::string, 6>;

std::array<std::string, 6> decoded(const std::string& set) {
  std::array<std::string, 6> forms;
  for (int n = 1; n <= 6; ++n)
    forms[static_cast<size_t>(n - 1)] = decode_case(set, n);
  return forms;
}

TEST(CaseSets, EqualFormsFoldToTheFormItself) {
  EXPECT_EQ(encode_cases(Forms{"sword", "sword", "sword", "sword", "sword", "sword"}), "sword");
  EXPECT_EQ(encode_cases(Forms{}), "");
}

TEST(CaseSets, DifferingEndingsBecomeOneGroup) {
  const Forms forms{"sword", "sworda", "swordb", "swordc", "swordd", "sworde"};
  const std::string set = encode_cases(forms);
  EXPECT_EQ(set, "sword::a:b:c:d:e");
  EXPECT_EQ(decode_case(set, 1), "sword");
  EXPECT_EQ(decode_case(set, 2), "sworda");
  EXPECT_EQ(decoded(set), forms);
}

TEST(CaseSets, TwoWordNamesDeclineWordByWord) {
  const Forms forms{w("длинный меч"), w("длинного меча"), w("длинному мечу"),
                    w("длинный меч"), w("длинным мечом"), w("длинном мече")};
  const std::string set = encode_cases(forms);
  EXPECT_EQ(set, w("длинн:ый:ого:ому:ый:ым:ом меч::а:у::ом:е"));
  EXPECT_EQ(decoded(set), forms);
}

TEST(CaseSets, HyphenatedNameDeclinesOnBothSides) {
  const Forms forms{"xa-ya", "xb-yb", "xc-yc", "xd-yd", "xe-ye", "xf-yf"};
  const std::string set = encode_cases(forms);
  EXPECT_EQ(set, "x:a:b:c:d:e:f-y:a:b:c:d:e:f");
  EXPECT_EQ(decoded(set), forms);
}

TEST(CaseSets, ThreeFormsFoldTheSameWay) {
  const std::string set = encode_cases3({"open door", "opens door", "opened door"});
  EXPECT_EQ(set, "open::s:ed door");
  EXPECT_EQ(decode_case(set, 1), "open door");
  EXPECT_EQ(decode_case(set, 2), "opens door");
  EXPECT_EQ(decode_case(set, 3), "opened door");
}

TEST(CaseSets, PlainTextDecodesToItselfForCasesZeroToSix) {
  for (int n = 0; n <= 6; ++n)
    EXPECT_EQ(decode_case("plain text-here", n), "plain text-here") << n;
  EXPECT_EQ(decode_case("plain", 7), "");
  EXPECT_EQ(decode_case("plain", -1), "");
}

TEST(CaseSets, CaseZeroIsTheFirstCase) {
  EXPECT_EQ(decode_case("sword::a:b:c:d:e", 0), "sword");
}

TEST(CaseSets, SixthAlternativeAndASeventhColonEndingTheGroup) {
  EXPECT_EQ(decode_case("x:1:2:3:4:5:6", 6), "x6");
  EXPECT_EQ(decode_case("x:1:2:3:4:5:6:tail", 6), "x6tail");
  EXPECT_EQ(decode_case("x:1:2:3:4:5:6:tail", 1), "x1tail");
  EXPECT_EQ(decode_case("x:1:2:3:4:5:6:tail", 3), "x3tail");
}

TEST(CaseSets, MissingAlternativesAreEmpty) {
  EXPECT_EQ(decode_case("x:1:2 y", 2), "x2 y");
  EXPECT_EQ(decode_case("x:1:2 y", 4), "x y");
  EXPECT_EQ(decode_case("x::::::", 3), "x");
}

TEST(CaseSets, SegmentRunsToTheNextBreak) {
  std::string result = "r";
  size_t pos = 1;
  append_case_segment(result, "abc-def", pos);
  EXPECT_EQ(result, "r:bc");
  EXPECT_EQ(pos, 3u);
  append_case_segment(result, "abc-def", pos);
  EXPECT_EQ(result, "r:bc:");
  EXPECT_EQ(pos, 3u);
  pos = 4;
  append_case_segment(result, "abc-def", pos);
  EXPECT_EQ(result, "r:bc::def");
  EXPECT_EQ(pos, 7u);
}

// Forms whose words do not line up cannot be written exactly; the folding must still end, every
// form must keep its own words, and the first form must come back whole when it has the most words.
TEST(CaseSets, FormsWithMoreWordsInSomeStillFold) {
  const Forms forms{"big cat", "big cats", "big", "big cat", "big cat", "big cat"};
  const std::string set = encode_cases(forms);
  EXPECT_EQ(set, "big :cat:cats::cat:cat:cat");
  EXPECT_EQ(decode_case(set, 1), "big cat");
  EXPECT_EQ(decode_case(set, 2), "big cats");
  EXPECT_EQ(decode_case(set, 3), "big ");
}

TEST(CaseSets, FormsBreakingWithSpaceAgainstHyphenStillFold) {
  const Forms forms{"ab cd", "ab-ce", "ab cf", "ab cd", "ab cd", "ab cd"};
  const std::string set = encode_cases(forms);
  EXPECT_EQ(set, "ab c:d:e:f:d:d:d");
  EXPECT_EQ(decode_case(set, 2), "ab ce");
}

TEST(CaseSets, ShorterFirstFormStillFolds) {
  const Forms forms{"cat", "cat x", "cat-y", "cat", "cat", "cat"};
  const std::string set = encode_cases(forms);
  EXPECT_EQ(set, "cat ::x:y:::");
  EXPECT_EQ(decode_case(set, 2), "cat x");
  EXPECT_EQ(decode_case(set, 3), "cat y");
  EXPECT_EQ(decode_case(set, 1), "cat ");
}

}  // namespace
}  // namespace tavro

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <tuple>
#include <vector>

#include "reading/Cases.h"
#include "reading/Cp1251.h"

namespace tavro {
namespace {

using Forms = std::array<std::string, 6>;

Forms decoded(const std::string& set) {
  Forms forms;
  for (int n = 1; n <= 6; ++n)
    forms[static_cast<size_t>(n - 1)] = decode_case(set, n);
  return forms;
}

// Forms that fold into a set and decode back to themselves.
TEST(CaseSets, FormsFoldIntoASetThatDecodesBack) {
  const std::vector<std::pair<Forms, std::string>> cases = {
      {{"sword", "sword", "sword", "sword", "sword", "sword"}, "sword"},
      {{}, ""},
      {{"sword", "sworda", "swordb", "swordc", "swordd", "sworde"}, "sword::a:b:c:d:e"},
      // Two words decline word by word, a hyphenated name on both sides.
      {{w("длинный меч"), w("длинного меча"), w("длинному мечу"), w("длинный меч"), w("длинным мечом"),
        w("длинном мече")},
       w("длинн:ый:ого:ому:ый:ым:ом меч::а:у::ом:е")},
      {{"xa-ya", "xb-yb", "xc-yc", "xd-yd", "xe-ye", "xf-yf"}, "x:a:b:c:d:e:f-y:a:b:c:d:e:f"}};
  for (const auto& [forms, set] : cases) {
    EXPECT_EQ(encode_cases(forms), set);
    EXPECT_EQ(decoded(set), forms) << set;
  }
  const std::string three = encode_cases3({"open door", "opens door", "opened door"});
  EXPECT_EQ(three, "open::s:ed door");
  EXPECT_EQ(std::make_tuple(decode_case(three, 1), decode_case(three, 2), decode_case(three, 3)),
            std::make_tuple("open door", "opens door", "opened door"));
}

TEST(CaseSets, DecodingPicksTheNthAlternative) {
  const std::vector<std::tuple<std::string, int, std::string>> cases = {
      {"sword::a:b:c:d:e", 0, "sword"},  // case zero is the first case
      {"plain", 7, ""},
      {"plain", -1, ""},
      {"x:1:2:3:4:5:6", 6, "x6"},  // a seventh colon ends the group
      {"x:1:2:3:4:5:6:tail", 6, "x6tail"},
      {"x:1:2:3:4:5:6:tail", 1, "x1tail"},
      {"x:1:2 y", 2, "x2 y"},  // missing alternatives are empty
      {"x:1:2 y", 4, "x y"},
      {"x::::::", 3, "x"}};
  for (const auto& [set, n, form] : cases)
    EXPECT_EQ(decode_case(set, n), form) << set << " case " << n;
  for (int n = 0; n <= 6; ++n)
    EXPECT_EQ(decode_case("plain text-here", n), "plain text-here") << n;
}

TEST(CaseSets, SegmentRunsToTheNextBreak) {
  std::string result = "r";
  size_t pos = 1;
  const std::pair<std::string, size_t> steps[] = {{"r:bc", 3}, {"r:bc:", 3}};
  for (const auto& [text, after] : steps) {
    append_case_segment(result, "abc-def", pos);
    EXPECT_EQ(std::tie(result, pos), std::tie(text, after));
  }
  pos = 4;
  append_case_segment(result, "abc-def", pos);
  EXPECT_EQ(std::tie(result, pos), std::make_tuple("r:bc::def", 7u));
}

// Forms whose words do not line up cannot be written exactly; the folding must still end, every
// form must keep its own words, and the first form must come back whole when it has the most words.
TEST(CaseSets, FormsThatDoNotLineUpStillFold) {
  struct Case {
    Forms forms;
    std::string set;
    std::vector<std::pair<int, std::string>> decoded;
  };
  const std::vector<Case> cases = {
      {{"big cat", "big cats", "big", "big cat", "big cat", "big cat"},
       "big :cat:cats::cat:cat:cat",
       {{1, "big cat"}, {2, "big cats"}, {3, "big "}}},
      {{"ab cd", "ab-ce", "ab cf", "ab cd", "ab cd", "ab cd"}, "ab c:d:e:f:d:d:d", {{2, "ab ce"}}},
      {{"cat", "cat x", "cat-y", "cat", "cat", "cat"},
       "cat ::x:y:::",
       {{2, "cat x"}, {3, "cat y"}, {1, "cat "}}}};
  for (const Case& c : cases) {
    EXPECT_EQ(encode_cases(c.forms), c.set);
    for (const auto& [n, form] : c.decoded)
      EXPECT_EQ(decode_case(c.set, n), form) << c.set << " case " << n;
  }
}

TEST(CaseSets, FoldingNamesTheFirstCaseThatWouldNotComeBack) {
  const std::vector<std::pair<Forms, int>> cases = {
      {{"sword", "sworda", "swordb", "swordc", "swordd", "sworde"}, 0},
      {{"x-y", "x-y", "x-y", "x-y", "x-y", "x-y"}, 0},
      {{"a:b", "a", "a", "a", "a", "a"}, 1},
      {{"x", "x", "x", "x", "x:y", "x"}, 5},
      {{"big cat", "big cats", "big", "big cat", "big cat", "big cat"}, 3},
      {{"ab cd", "ab-ce", "ab cf", "ab cd", "ab cd", "ab cd"}, 2}};
  for (const auto& [forms, n] : cases)
    EXPECT_EQ(case_not_kept(forms), n) << forms[0];
}

}  // namespace
}  // namespace tavro

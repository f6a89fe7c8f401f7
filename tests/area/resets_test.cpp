#include <gtest/gtest.h>

#include "area/Resets.h"
#include "area/SectionTestSupport.h"
#include "reading/Error.h"

namespace tavro {
namespace {

using test::error_of;
using test::fixture;
using test::read_section;
using test::written_section;
using Fields = std::array<int32_t, 5>;

class ResetsTest : public ::testing::Test {
 protected:
  TAreaResets& resets() { return *w.area->Resets; }
  const TAreaReset& reset(size_t i) { return *resets().Items.at(i); }
  // Letter, extra and the three arguments.
  Fields fields(size_t i) {
    const TAreaReset& r = reset(i);
    return {r.Command, r.Extra, r.Arg1, r.Arg2, r.Arg3};
  }
  std::string read_error(const std::string& text) {
    resets().Clear();
    return error_of([&] { read_section(resets(), text); });
  }

  test::SectionWorld w;
};

TEST_F(ResetsTest, EveryLetterRoundTripsByteForByte) {
  const std::string text = fixture("resets_full.are");
  read_section(resets(), text);
  ASSERT_EQ(resets().Items.size(), 10u);
  EXPECT_EQ(fields(0), (Fields{'M', 0, 3000, 2, 100}));
  EXPECT_EQ(fields(2), (Fields{'G', 1, 201, 0, 0}));
  EXPECT_EQ(std::tie(reset(7).Command, reset(7).Arg2), std::make_tuple('R', 4));
  EXPECT_EQ(reset(0).Owner, &resets());
  EXPECT_EQ(written_section(resets()), text);
}

TEST_F(ResetsTest, CommentsAfterTheNumbersAndCommentLinesAreDropped) {
  read_section(resets(),
               "#RESETS\n* the guard\nM 0 3000 1 100 * the guard of the hall\n  * indented\nG 1 5 0 77\nS\n");
  ASSERT_EQ(resets().Items.size(), 2u);
  // The fourth number of a G line is skipped with the rest of the line.
  EXPECT_EQ(std::make_tuple(fields(0), fields(1)),
            std::make_tuple(Fields{'M', 0, 3000, 1, 100}, Fields{'G', 1, 5, 0, 0}));
  EXPECT_EQ(written_section(resets()), "#RESETS\nM 0 3000 1 100\nG 1 5 0\nS\n\n");
}

TEST_F(ResetsTest, ErrorsNameTheLetterAndCountTheResetsReadSoFar) {
  const std::pair<const char*, const char*> cases[] = {
      {"#RESETS\nM 0 1 1 2\nm 0 3000 1 100\nS\n",
       "#RESETS (beyond 1 reset):\r\n#RESETS (letter 'm'):\r\nBad command"},
      // A lower-case g is not G: four numbers are read before the letter is refused.
      {"#RESETS\ng 0 1 2\nS\n",
       "#RESETS (beyond 0 reset):\r\n#RESETS (letter 'g'):\r\nfread_number: Bad format. (S)"},
      {"#RESETS\nX 1 2 3 4\nS\n", "#RESETS (beyond 0 reset):\r\n#RESETS (letter 'X'):\r\nBad command"},
      {"#RESETS\nM 0 1 1 2\n", "#RESETS (beyond 1 reset):\r\nfread_letter: EOF encountered on read."},
      {"#RESETS\nM 0 1 1 2\nO 0 1 0 2\nP 0 x\nS\n",
       "#RESETS (beyond 2 reset):\r\n#RESETS (letter 'P'):\r\nfread_number: Bad format. (x)"}};
  for (const auto& [text, message] : cases)
    EXPECT_EQ(read_error(text), message) << text;
  EXPECT_EQ(resets().Items.size(), 2u);  // what was read before the error stays
}

TEST_F(ResetsTest, EmptyListStillWritesTheSection) {
  EXPECT_EQ(written_section(resets()), "#RESETS\nS\n\n");
  read_section(resets(), "#RESETS\nS\n");
  EXPECT_TRUE(resets().Items.empty());
}

TEST_F(ResetsTest, WriterUpperCasesKnownLettersAndDropsUnknownOnes) {
  resets().Add().Command = 'g';
  resets().Add().Command = 'Z';
  TAreaReset& door = resets().Add();
  door.Command = 'd';
  door.Arg3 = 2;
  EXPECT_EQ(written_section(resets()), "#RESETS\nG 0 0 0\nD 0 0 0 2\nS\n\n");
}

TEST_F(ResetsTest, ConstructorsOfTheResetEditor) {
  TAreaReset& r = resets().Add();
  EXPECT_EQ(r.Command, 'M');
  r.Extra = 9;
  r.SetMobile(100, 3000, 2);
  EXPECT_EQ(fields(0), (Fields{'M', 0, 3000, 2, 100}));
  r.SetObject(101, 200);
  EXPECT_EQ(fields(0), (Fields{'O', 0, 200, 0, 101}));
  r.SetEquip(201, 16);
  EXPECT_EQ(fields(0), (Fields{'E', 0, 201, 0, 16}));
  r.SetPut(202, 204);
  EXPECT_EQ(fields(0), (Fields{'P', 0, 202, 0, 204}));
  r.SetGive(203);
  EXPECT_EQ(fields(0), (Fields{'G', 0, 203, 0, 0}));
  EXPECT_FALSE(r.HasArg3());
  TAreaReset copy(nullptr);
  copy.Assign(r);
  EXPECT_EQ(std::tie(copy.Command, copy.Arg1, copy.Owner), std::make_tuple('G', 203, nullptr));
}

TEST_F(ResetsTest, InsertPlacesANewResetAfterTheChosenOne) {
  resets().Add().SetObject(1, 2);
  resets().Add().SetMobile(1, 3, 1);
  resets().Insert(1).Command = 'H';
  resets().Insert(99).Command = 'T';
  ASSERT_EQ(resets().Items.size(), 4u);
  EXPECT_EQ(std::make_tuple(reset(1).Command, reset(2).Command, reset(3).Command),
            std::make_tuple('H', 'M', 'T'));
  EXPECT_EQ(reset(1).Owner, &resets());
}

}  // namespace
}  // namespace tavro

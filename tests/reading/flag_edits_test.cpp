#include <gtest/gtest.h>

#include <array>
#include <string>
#include <tuple>
#include <vector>

#include "reading/FlagEdits.h"

namespace tavro {
namespace {

// Out of bit order and with holes, as flag lists are; bit 33 wraps onto bit 1 of a word.
const std::vector<std::string> kList = {"3=C", "0=A", "31=Z", "33=W"};

TEST(FlagEdits, BitsNoEntryNamesSurviveAWordEdit) {
  EXPECT_EQ(flag_list_mask(kList), 0x8000000Bu);
  struct Case {
    uint32_t old_flags;
    std::vector<bool> ticked;
    uint32_t stored;
  };
  const Case cases[] = {{0x30u, {false, false, false, false}, 0x30u},  // unknown bits 4 and 5 kept
                        {0xFFFFFFFFu, {false, false, false, false}, 0x7FFFFFF4u},  // every known bit cleared
                        {0u, {true, false, true, false}, 0x80000008u},
                        {0x100u, {false, true, false, true}, 0x103u}};
  for (const Case& c : cases) {
    EXPECT_EQ(merge_flag_edit(c.old_flags, flag_list_mask(kList), flag_list_to_word(kList, c.ticked)),
              c.stored)
        << std::hex << c.old_flags;
  }
}

TEST(FlagEdits, BitsNoEntryNamesSurviveABitVectorEdit) {
  const std::vector<std::string> list = {"40=B", "5=A", "127=C"};
  auto bits = [](std::initializer_list<int> numbers) {
    TBitVector v;
    for (int n : numbers)
      v.set(n);
    return v;
  };
  EXPECT_EQ(flag_list_vector_mask(list), bits({5, 40, 127}));
  const std::tuple<TBitVector, std::vector<bool>, TBitVector> cases[] = {
      {bits({0, 5, 64, 127}), {false, false, false}, bits({0, 64})},
      {bits({96}), {true, false, true}, bits({40, 96, 127})}};
  for (const auto& [old_bits, ticked, stored] : cases) {
    const TBitVector edited =
        merge_flag_edit(old_bits, flag_list_vector_mask(list), flag_list_to_bitvector(list, ticked));
    EXPECT_EQ(edited, stored) << bitvector_to_text(old_bits);
  }
}

TEST(FlagEdits, PlainListEntriesStandForTheirPositions) {
  const std::vector<std::string> list = plain_list_as_flag_list({"none", "shirt", "cloak"});
  EXPECT_EQ(list, (std::vector<std::string>{"0=none", "1=shirt", "2=cloak"}));
  EXPECT_EQ(flag_list_mask(list), 7u);
}

TEST(FlagEdits, ASelectedEntryGivesItsBitAndNoSelectionKeepsTheChoice) {
  const std::tuple<int, uint32_t> cases[] = {{-1, 1u << 9}, {4, 1u << 9}, {0, 8u}, {3, 2u}};
  for (const auto& [selected, stored] : cases)
    EXPECT_EQ(flag_choice_to_store(kList, 1u << 9, selected), stored) << selected;
}

TEST(FlagEdits, ADropDownKeepsAStoredValueUnlessAnEntryIsChosen) {
  const std::array<int32_t, 3> values = {-1, 1, 2};  // "[None]" first, then numbered entries
  EXPECT_EQ(std::make_tuple(choice_index(values, -1), choice_index(values, 2), choice_index(values, 0)),
            std::make_tuple(0, 2, -1));
  // stored, chosen index, value to store
  const std::tuple<int32_t, int, int32_t> cases[] = {
      {2, 0, -1},  // choosing "[None]" stores its own value
      {7, -1, 7},  // nothing chosen
      {7, 3, 7},   // the box's own entry for a stored value that no entry stands for
      {1, 2, 2}};
  for (const auto& [stored, chosen, result] : cases)
    EXPECT_EQ(choice_to_store(values, stored, chosen), result) << stored << " " << chosen;
  const std::tuple<int32_t, int, int32_t> positions[] = {{3, -1, 3}, {7, 3, 7}, {7, 1, 1}, {-1, -1, -1}};
  for (const auto& [stored, chosen, result] : positions)
    EXPECT_EQ(choice_to_store(stored, 3, chosen), result) << stored << " " << chosen;
}

}  // namespace
}  // namespace tavro

#include "reading/FlagEdits.h"

#include <algorithm>

namespace tavro {

namespace {

// Every entry ticked: the conversions that show and read the ticks then also give the mask, so the
// mask ties entries to bits exactly as they do.
std::vector<bool> all_entries(const std::vector<std::string>& list) {
  return std::vector<bool>(list.size(), true);
}

}  // namespace

uint32_t flag_list_mask(const std::vector<std::string>& list) {
  return flag_list_to_word(list, all_entries(list));
}

TBitVector flag_list_vector_mask(const std::vector<std::string>& list) {
  return flag_list_to_bitvector(list, all_entries(list));
}

uint32_t merge_flag_edit(uint32_t old_flags, uint32_t known, uint32_t ticked) {
  return (old_flags & ~known) | ticked;
}

TBitVector merge_flag_edit(const TBitVector& old_bits, const TBitVector& known, const TBitVector& ticked) {
  TBitVector merged;
  for (size_t i = 0; i < merged.Words.size(); ++i)
    merged.Words[i] = merge_flag_edit(old_bits.Words[i], known.Words[i], ticked.Words[i]);
  return merged;
}

std::vector<std::string> plain_list_as_flag_list(const std::vector<std::string>& plain) {
  std::vector<std::string> list;
  list.reserve(plain.size());
  for (size_t i = 0; i < plain.size(); ++i)
    list.push_back(std::to_string(i) + "=" + plain[i]);
  return list;
}

uint32_t flag_choice_to_store(const std::vector<std::string>& list, uint32_t stored, int selected) {
  if (selected < 0 || static_cast<size_t>(selected) >= list.size()) return stored;
  std::vector<bool> chosen(list.size());
  chosen[static_cast<size_t>(selected)] = true;
  return flag_list_to_word(list, chosen);
}

int choice_index(std::span<const int32_t> values, int32_t stored) {
  auto found = std::find(values.begin(), values.end(), stored);
  return found == values.end() ? -1 : static_cast<int>(found - values.begin());
}

int32_t choice_to_store(std::span<const int32_t> values, int32_t stored, int chosen) {
  if (chosen < 0 || static_cast<size_t>(chosen) >= values.size()) return stored;
  return values[static_cast<size_t>(chosen)];
}

int32_t choice_to_store(int32_t stored, int count, int chosen) {
  return chosen >= 0 && chosen < count ? chosen : stored;
}

}  // namespace tavro

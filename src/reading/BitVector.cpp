// Flag words, bit vectors and the ties between set bits and the names of a flag list.
#include "reading/BitVector.h"

#include <charconv>

#include "reading/AreaFile.h"
#include "reading/Error.h"

namespace tavro {

namespace {

constexpr int kWordBits = 32;
constexpr int kVectorBits = 128;

std::string_view trim_blanks(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
    s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
    s.remove_suffix(1);
  return s;
}

// A flag word's bit for a list entry: bit numbers of 32 and above wrap into the word, as they did in
// the 32-bit shifts the list files were written for; negative ones name no bit.
uint32_t word_bit(int bit) {
  return bit < 0 ? 0u : 1u << (bit % kWordBits);
}

template <class Tick>
std::vector<bool> ticked_entries(const std::vector<std::string>& list, Tick&& is_set) {
  std::vector<bool> ticked(list.size());
  for (size_t i = 0; i < list.size(); ++i)
    ticked[i] = is_set(flag_entry_bit(list[i]));
  return ticked;
}

}  // namespace

uint32_t flag_value(char ch) {
  if (ch >= 'A' && ch <= 'Z') return 1u << (ch - 'A');
  if (ch >= 'a' && ch <= 'f') return 1u << (ch - 'a' + 26);
  return 0;
}

std::string flag_to_letters(uint32_t flags) {
  if (flags == 0) return "0";
  std::string letters;
  for (int bit = 0; bit < kWordBits; ++bit) {
    if (flags & (1u << bit)) letters += static_cast<char>(bit < 26 ? 'A' + bit : 'a' + (bit - 26));
  }
  return letters;
}

void TBitVector::set(int bit, bool on) {
  if (bit < 0 || bit >= kVectorBits) return;
  const uint32_t mask = 1u << (bit % kWordBits);
  uint32_t& word = Words[static_cast<size_t>(bit / kWordBits)];
  word = on ? (word | mask) : (word & ~mask);
}

std::string bitvector_to_text(const TBitVector& v) {
  int last = static_cast<int>(v.Words.size()) - 1;
  while (last > 0 && v.Words[static_cast<size_t>(last)] == 0)
    --last;
  std::string text = flag_to_letters(v.Words[0]);
  for (int i = 1; i <= last; ++i)
    text += "&" + flag_to_letters(v.Words[static_cast<size_t>(i)]);
  return text;
}

int flag_entry_bit(std::string_view entry) {
  std::string_view number = trim_blanks(entry.substr(0, entry.find('=')));
  int bit = 0;
  const char* begin = number.data();
  const char* end = begin + number.size();
  if (!number.empty() && *begin == '+') ++begin;
  auto [stop, ec] = std::from_chars(begin, end, bit);
  if (number.empty() || ec != std::errc() || stop != end) {
    throw Error("'" + std::string(number) + "' is not a valid integer value");
  }
  return bit;
}

std::string flag_entry_name(std::string_view entry) {
  size_t equals = entry.find('=');
  return std::string(equals == std::string_view::npos ? entry : entry.substr(equals + 1));
}

uint32_t flag_list_to_word(const std::vector<std::string>& list, const std::vector<bool>& chosen) {
  uint32_t flags = 0;
  for (size_t i = 0; i < list.size() && i < chosen.size(); ++i) {
    if (chosen[i]) flags |= word_bit(flag_entry_bit(list[i]));
  }
  return flags;
}

TBitVector flag_list_to_bitvector(const std::vector<std::string>& list, const std::vector<bool>& chosen) {
  TBitVector v;
  for (size_t i = 0; i < list.size() && i < chosen.size(); ++i) {
    if (chosen[i]) v.set(flag_entry_bit(list[i]));
  }
  return v;
}

std::vector<bool> word_to_flag_list(const std::vector<std::string>& list, uint32_t flags) {
  return ticked_entries(list, [&](int bit) { return (flags & word_bit(bit)) != 0; });
}

std::vector<bool> bitvector_to_flag_list(const std::vector<std::string>& list, const TBitVector& v) {
  return ticked_entries(list, [&](int bit) { return v.test(bit); });
}

std::string flags_to_names(const std::vector<std::string>& list, uint32_t flags) {
  std::string names;
  std::vector<bool> ticked = word_to_flag_list(list, flags);
  bool first = true;
  for (size_t i = 0; i < list.size(); ++i) {
    if (!ticked[i]) continue;
    if (!first) names += ' ';
    names += flag_entry_name(list[i]);
    first = false;
  }
  return names;
}

uint32_t names_to_flags(const std::vector<std::string>& list, const std::vector<std::string>& names) {
  uint32_t flags = 0;
  for (const std::string& name : names) {
    const std::string wanted = to_upper(name);
    for (const std::string& entry : list) {
      if (to_upper(flag_entry_name(entry)) == wanted) flags |= word_bit(flag_entry_bit(entry));
    }
  }
  return flags;
}

}  // namespace tavro

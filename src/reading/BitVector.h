#pragma once
// Flag words (32 bits, written as letters) and bit vectors (four flag words joined by '&').
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tavro {

uint32_t flag_value(char ch);
std::string flag_to_letters(uint32_t flags);

// A value type: copies are independent.
struct TBitVector {
  std::array<uint32_t, 4> Words{};

  void bitvector_clear() { Words = {}; }
  void bitvector_assign(const TBitVector& source) { Words = source.Words; }
  // Bits outside 0..127 are never set; setting one changes nothing.
  bool test(int bit) const { return bit >= 0 && bit < 128 && ((Words[bit / 32] >> (bit % 32)) & 1u); }
  void set(int bit, bool on = true);
  bool is_zero() const { return Words[0] == 0 && Words[1] == 0 && Words[2] == 0 && Words[3] == 0; }
  bool operator==(const TBitVector&) const = default;
};

std::string bitvector_to_text(const TBitVector& v);

// Flag lists: constant-list entries "bit=Name". Throws Error when the part before '=' is not a number.
int flag_entry_bit(std::string_view entry);
std::string flag_entry_name(std::string_view entry);
uint32_t flag_list_to_word(const std::vector<std::string>& list, const std::vector<bool>& chosen);
TBitVector flag_list_to_bitvector(const std::vector<std::string>& list, const std::vector<bool>& chosen);
std::vector<bool> word_to_flag_list(const std::vector<std::string>& list, uint32_t flags);
std::vector<bool> bitvector_to_flag_list(const std::vector<std::string>& list, const TBitVector& v);
std::string flags_to_names(const std::vector<std::string>& list, uint32_t flags);
uint32_t names_to_flags(const std::vector<std::string>& list, const std::vector<std::string>& names);

}  // namespace tavro

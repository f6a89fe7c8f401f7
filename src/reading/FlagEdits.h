#pragma once
// Storing what the user ticked or chose without losing what the lists cannot show: a set bit that no
// list entry names, or a stored number that no drop-down entry stands for, survives an edit.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "reading/BitVector.h"

namespace tavro {

// The bits a flag list ("bit=Name" entries) names; bit numbers wrap into the word as in
// flag_list_to_word. Throws Error for an entry whose bit is not a number.
uint32_t flag_list_mask(const std::vector<std::string>& list);
TBitVector flag_list_vector_mask(const std::vector<std::string>& list);

// The stored value after an edit: the bits the list knows as ticked, every other bit as it was.
uint32_t merge_flag_edit(uint32_t old_flags, uint32_t known, uint32_t ticked);
TBitVector merge_flag_edit(const TBitVector& old_bits, const TBitVector& known, const TBitVector& ticked);

// A plain list (entry i stands for bit i) as a flag list, so that both kinds share one path.
std::vector<std::string> plain_list_as_flag_list(const std::vector<std::string>& plain);

// The single bit a check list's selected entry stands for (a language spoken among those known):
// the entry's bit, or the stored choice as it was when no entry is selected.
uint32_t flag_choice_to_store(const std::vector<std::string>& list, uint32_t stored, int selected);

// Drop-downs. Entry i stands for values[i] (for most lists simply i).
// The entry that shows a stored value; -1 when none does.
int choice_index(std::span<const int32_t> values, int32_t stored);
// The value to store: the chosen entry's value, or the stored value when nothing is chosen or the
// choice is not an entry (the box showing a stored value no entry stands for). Never -1 for "none".
int32_t choice_to_store(std::span<const int32_t> values, int32_t stored, int chosen);
// The same for a list of count entries standing for their positions.
int32_t choice_to_store(int32_t stored, int count, int chosen);

}  // namespace tavro

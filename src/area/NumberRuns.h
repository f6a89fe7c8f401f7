#pragma once
// Runs of numbers as several sections hold them: read one after another, written separated by
// single blanks.
#include <array>
#include <cstdint>

#include "reading/AreaFile.h"

namespace tavro {

template <size_t N>
void read_numbers(TAreaFile& f, std::array<int32_t, N>& values) {
  for (int32_t& value : values)
    value = fread_number(f);
}

template <class Numbers>
void write_numbers(TAreaFile& f, const Numbers& values) {
  bool first = true;
  for (int32_t value : values) {
    if (!first) fwrite_text(f, " ");
    fwrite_number(f, value);
    first = false;
  }
}

}  // namespace tavro

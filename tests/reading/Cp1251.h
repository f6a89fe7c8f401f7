#pragma once
// Test sources are UTF-8; model text is Windows-1251. w("Меч") gives the model's bytes.
#include <string>
#include <string_view>

#include "reading/AreaFile.h"

namespace tavro {
inline std::string w(std::string_view utf8) {
  return utf8_to_cp1251(utf8);
}
}  // namespace tavro

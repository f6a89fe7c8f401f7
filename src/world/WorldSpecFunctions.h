#pragma once
// The special functions the server knows by name, numbered from 1 in the order of the Specials list;
// -1 stands for "no special function".
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tavro {

class TWorldSpecFunctions {
 public:
  std::vector<std::string> Items;  // one name per entry, file order

  int32_t Count() const { return static_cast<int32_t>(Items.size()); }
  // The number of the name (its position counted from 1), compared without regard to letter case;
  // -1 when the name is not in the table.
  int32_t Lookup(std::string_view name) const;
  // The name of a number from 1 to Count(). Throws Error for any other number.
  const std::string& IndexToName(int32_t number) const;
};

}  // namespace tavro

#include "world/WorldSpecFunctions.h"

#include "reading/Error.h"
#include "world/TextLists.h"

namespace tavro {

int32_t TWorldSpecFunctions::Lookup(std::string_view name) const {
  int32_t index = index_of_text(Items, name);
  return index < 0 ? -1 : index + 1;
}

const std::string& TWorldSpecFunctions::IndexToName(int32_t number) const {
  if (number < 1 || number > Count()) throw Error("SpecFunctions.IndexToName: Index out of range!");
  return Items[static_cast<size_t>(number - 1)];
}

}  // namespace tavro

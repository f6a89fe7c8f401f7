#include "ui/main/ModifiedAreas.h"

#include <algorithm>

namespace tavro::ui {

void TModifiedAreas::mark(TArea* area) {
  if (!area || contains(area)) return;
  areas_.push_back(area);
  emit changed(area, true);
}

void TModifiedAreas::clear(TArea* area) {
  const auto it = std::find(areas_.begin(), areas_.end(), area);
  if (it == areas_.end()) return;
  areas_.erase(it);
  emit changed(area, false);
}

bool TModifiedAreas::contains(const TArea* area) const {
  return std::find(areas_.begin(), areas_.end(), area) != areas_.end();
}

}  // namespace tavro::ui

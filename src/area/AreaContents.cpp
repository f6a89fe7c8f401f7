#include "area/AreaContents.h"

#include <utility>

#include "area/Area.h"
#include "area/Header.h"
#include "area/Helps.h"
#include "area/Mobiles.h"
#include "area/Objects.h"
#include "area/Resets.h"
#include "area/Rooms.h"
#include "area/Shops.h"

namespace tavro {

namespace {

// Every reference from the parts of area back to an area is made to point at area.
void claim_parts(TArea& area) {
  area.Header->Area = &area;
  area.Helps->Area = &area;
  area.Mobiles->Area = &area;
  area.Objects->Area = &area;
  for (const auto& object : area.Objects->Items)
    object->Affects.Area = &area;
  area.Shops->Area = &area;
  area.Rooms->Area = &area;
  area.RepairShops->Area = &area;
  area.Resets->Area = &area;
}

class TAreaContentsChange : public TChange {
 public:
  TAreaContentsChange(TArea& live, std::unique_ptr<TArea> held) : live_(live), held_(std::move(held)) {
    Apply();
  }
  void Apply() override { swap_area_contents(live_, *held_); }
  void Revert() override { swap_area_contents(live_, *held_); }

 private:
  TArea& live_;
  std::unique_ptr<TArea> held_;
};

}  // namespace

void swap_area_contents(TArea& a, TArea& b) {
  if (&a == &b) return;
  std::swap(a.Header, b.Header);
  std::swap(a.Helps, b.Helps);
  std::swap(a.Mobiles, b.Mobiles);
  std::swap(a.Objects, b.Objects);
  std::swap(a.Shops, b.Shops);
  std::swap(a.Rooms, b.Rooms);
  std::swap(a.RepairShops, b.RepairShops);
  std::swap(a.Resets, b.Resets);
  claim_parts(a);
  claim_parts(b);
}

std::unique_ptr<TChange> ChangeAreaContents(TArea& live, std::unique_ptr<TArea> replacement) {
  auto change = std::make_unique<TAreaContentsChange>(live, std::move(replacement));
  change->AddTouch(&live, kWholeAreaChanged);
  return change;
}

}  // namespace tavro

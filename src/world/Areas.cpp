#include "world/Areas.h"

#include "area/Area.h"
#include "area/Mobiles.h"
#include "area/Objects.h"
#include "area/Resets.h"
#include "area/Rooms.h"
#include "reading/Error.h"
#include "world/World.h"

namespace tavro {

namespace {

// Searches the areas in order with find (an area's own look-up); the area found goes to *area.
template <class Record, class Find>
Record* find_in_areas(const std::vector<std::unique_ptr<TArea>>& areas, TArea** area, Find find) {
  for (const auto& candidate : areas) {
    if (Record* record = find(*candidate)) {
      if (area != nullptr) *area = candidate.get();
      return record;
    }
  }
  if (area != nullptr) *area = nullptr;
  return nullptr;
}

}  // namespace

TAreas::~TAreas() {
  Clear();
}

void TAreas::Clear() {
  while (!Items.empty())
    Items.pop_back();
}

TAreaRoom* TAreas::find_room(int32_t vnum, TArea** area) const {
  return find_in_areas<TAreaRoom>(Items, area, [&](const TArea& a) { return a.Rooms->FindByVnum(vnum); });
}

TAreaObject* TAreas::find_object(int32_t vnum, TArea** area) const {
  return find_in_areas<TAreaObject>(Items, area, [&](const TArea& a) { return a.Objects->FindByVnum(vnum); });
}

TAreaMobile* TAreas::find_mobile(int32_t vnum, TArea** area) const {
  return find_in_areas<TAreaMobile>(Items, area, [&](const TArea& a) { return a.Mobiles->FindByVnum(vnum); });
}

int32_t TAreas::count_mobile_resets(int32_t vnum) const {
  int32_t count = 0;
  for (const auto& area : Items)
    for (const auto& reset : area->Resets->Items)
      if (reset->Command == 'M' && reset->Arg1 == vnum) ++count;
  return count;
}

TArea* TWorld::load_single_area(const std::string& path) {
  auto area = std::make_unique<TArea>(Areas.get());
  with_prefix("Load Single Area:\r\n", [&] { area->load_area(path); });
  Areas->Items.push_back(std::move(area));
  return Areas->Items.back().get();
}

}  // namespace tavro

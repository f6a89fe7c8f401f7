#include "area/Changes.h"

#include <algorithm>
#include <tuple>

#include "area/Header.h"
#include "area/Helps.h"
#include "area/MapEditing.h"
#include "area/Mobiles.h"
#include "area/Objects.h"
#include "area/Rooms.h"

namespace tavro {

namespace {

class TExitChange : public TChange {
 public:
  TExitChange(TAreaRoom& room, int32_t dir, int32_t to_vnum) : room_(room), dir_(dir), new_vnum_(to_vnum) {
    const auto& door = room.Doors[static_cast<size_t>(dir)];
    had_door_ = door != nullptr;
    if (had_door_) old_vnum_ = door->ToVnum;
    AddTouch(room.area(), kRoomsChanged);
    Apply();
  }
  void Apply() override { SetExit(room_, dir_, new_vnum_); }
  void Revert() override {
    auto& door = room_.Doors[static_cast<size_t>(dir_)];
    if (had_door_)
      door->ToVnum = old_vnum_;
    else
      door.reset();
  }

 private:
  TAreaRoom& room_;
  int32_t dir_;
  int32_t new_vnum_;
  int32_t old_vnum_ = 0;
  bool had_door_ = false;
};

}  // namespace

void TChange::AddTouch(TArea* area, uint32_t scope) {
  if (area == nullptr) return;
  const auto it = std::find_if(touched_.begin(), touched_.end(),
                               [area](const Touch& touch) { return touch.area == area; });
  if (it == touched_.end())
    touched_.push_back({area, scope});
  else
    it->scope |= scope;
}

void TChangeGroup::Add(std::unique_ptr<TChange> part) {
  if (part == nullptr) return;
  for (const Touch& touch : part->Touched())
    AddTouch(touch.area, touch.scope);
  parts_.push_back(std::move(part));
}

void TChangeGroup::Apply() {
  for (auto& part : parts_)
    part->Apply();
}

void TChangeGroup::Revert() {
  for (auto it = parts_.rbegin(); it != parts_.rend(); ++it)
    (*it)->Revert();
}

void swap_record(TAreaHeader& live, TAreaHeader& held) {
  std::swap(live, held);
  std::swap(live.Area, held.Area);
}

void swap_record(TAreaHelpItem& live, TAreaHelpItem& held) {
  std::swap(live, held);
}

namespace {

// Records that own parts with back references exchange contents through their complete copies.
template <class T>
void swap_by_copies(T& live, T& held) {
  T parked(live.Owner);
  parked.Assign(live);
  live.Assign(held);
  held.Assign(parked);
}

}  // namespace

void swap_record(TAreaObject& live, TAreaObject& held) {
  swap_by_copies(live, held);
}

// The copies keep the lists right: a listed mobile's Assign brings a shop it gains into the area's list,
// and a shop it loses leaves the list as it is destroyed.
void swap_record(TAreaMobile& live, TAreaMobile& held) {
  swap_by_copies(live, held);
}

namespace {

template <class Shop>
void list_shop(TArea& area, Shop* shop, bool listed) {
  if (shop == nullptr) return;
  if (listed)
    Shop::list_of(area).Add(shop);
  else
    Shop::list_of(area).Remove(shop);
}

}  // namespace

void record_listed(TAreaMobile& mobile, bool listed) {
  TArea* area = mobile.area();
  if (area == nullptr) return;
  list_shop(*area, mobile.Shop.get(), listed);
  list_shop(*area, mobile.RepairShop.get(), listed);
}

void swap_record(TAreaRoom& live, TAreaRoom& held) {
  const auto place = std::make_tuple(live.X, live.Y, live.Level, live.Unplaced);
  swap_by_copies(live, held);
  std::tie(live.X, live.Y, live.Level, live.Unplaced) = place;
}

std::unique_ptr<TChange> ChangeExit(TAreaRoom& room, int32_t dir, int32_t to_vnum) {
  return std::make_unique<TExitChange>(room, dir, to_vnum);
}

}  // namespace tavro

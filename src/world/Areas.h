#pragma once
// The world's loaded areas, and the look-ups across area boundaries.
#include <cstdint>
#include <memory>
#include <vector>

namespace tavro {

class TWorld;
class TArea;
class TAreaRoom;
class TAreaObject;
class TAreaMobile;

class TAreas {
 public:
  explicit TAreas(TWorld* world) : World(world) {}
  ~TAreas();
  TAreas(const TAreas&) = delete;
  TAreas& operator=(const TAreas&) = delete;

  // Frees every area, last to first.
  void Clear();
  // The first record with the vnum, searching the areas in order and each area's list in order;
  // area (when given) receives the area that holds it. Null (and a null area) when there is none.
  TAreaRoom* find_room(int32_t vnum, TArea** area = nullptr) const;
  TAreaObject* find_object(int32_t vnum, TArea** area = nullptr) const;
  TAreaMobile* find_mobile(int32_t vnum, TArea** area = nullptr) const;
  // How many mobile resets ('M') of all areas load the mobile with the vnum.
  int32_t count_mobile_resets(int32_t vnum) const;

  TWorld* World;
  std::vector<std::unique_ptr<TArea>> Items;
};

}  // namespace tavro

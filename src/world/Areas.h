#pragma once
// The world's loaded areas, and the look-ups across area boundaries.
#include <cstdint>
#include <memory>
#include <vector>

namespace tavro {

class TWorld;
class TArea;

class TAreas {
 public:
  explicit TAreas(TWorld* world) : World(world) {}
  ~TAreas();

  TWorld* World;
  std::vector<std::unique_ptr<TArea>> Items;
};

}  // namespace tavro

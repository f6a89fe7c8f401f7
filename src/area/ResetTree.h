#pragma once
// What the resets of an area put into one room, as a tree in reset order: the room's mobiles with what
// they carry and wear, its objects with their contents, exit settings, traps and bit changes. A reset
// belongs to the room through its own room argument or through the mobile or object reset before it,
// so the whole list is walked. The room editor's View lists the room's objects and mobiles from it; the
// reset page shows it and restructures the list room by room with it.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tavro {

class TArea;
class TAreaMobile;
class TAreaObject;
class TAreaReset;

struct TResetNode {
  const TAreaReset* Reset = nullptr;
  size_t Index = 0;     // of the reset in the area's list
  std::string Text;     // Windows-1251
  int32_t Parent = -1;  // node index; -1 at the top level
  std::vector<int32_t> Children;
};

class TResetTree {
 public:
  // Every node, a parent before its children; node i is Nodes[i].
  std::vector<TResetNode> Nodes;
  // The top-level nodes in order.
  std::vector<int32_t> Roots;

  bool empty() const { return Nodes.empty(); }
  // The node carrying the reset at this index of the area's list; -1 when the reset has none.
  int32_t NodeOfReset(size_t index) const;
  // The nodes as the tree shows them: each top-level node followed by its children, depth first.
  std::vector<int32_t> InTreeOrder() const;
  // Node numbers of the top-level nodes whose resets have this letter, in order.
  std::vector<int32_t> RootsWithLetter(char letter) const;

 private:
  friend TResetTree BuildResetTree(const TArea& area, int32_t room_vnum);
  std::vector<int32_t> node_of_reset_;
};

// The tree of the room with this vnum from the area's reset list. Names of mobiles and objects are
// case 1 of the short description of the first record with the vnum in the world's areas in list order
// (the area itself when it is outside a world), "Mobile" or "Object" when there is none.
TResetTree BuildResetTree(const TArea& area, int32_t room_vnum);

// The first object (mobile) with the vnum in the world's areas in list order, or in the area itself when
// it is outside a world; null when there is none.
const TAreaObject* FindWorldObject(const TArea& area, int32_t vnum);
const TAreaMobile* FindWorldMobile(const TArea& area, int32_t vnum);

// The direction as the game names it to players ("север" ... "куда-то", Windows-1251); a number outside
// the directions is given in decimal.
std::string RoomDirectionName(int32_t dir);

}  // namespace tavro

#include "area/ResetTree.h"

#include <array>
#include <unordered_map>

#include "area/Area.h"
#include "area/Directions.h"
#include "area/Mobiles.h"
#include "area/Objects.h"
#include "area/Resets.h"
#include "reading/AreaFile.h"
#include "reading/Cases.h"
#include "world/Areas.h"
#include "world/TextLists.h"
#include "world/World.h"

namespace tavro {

namespace {

// B resets: what their second argument's low byte changes.
enum BitTarget { kExitBits = 0, kObjectBits = 1, kMobileBits = 2, kRoomBits = 3 };
// T resets with this bit in Extra trap an object, the others the room.
constexpr int32_t kObjectTrap = 2;

std::string bracketed_vnum(int32_t vnum) {
  return " [" + std::to_string(vnum) + "]";
}

std::string bit_mode(int32_t arg2) {
  const auto bits = static_cast<uint32_t>(arg2);
  if (bits & (1u << 30)) return "set bits";
  if (bits & (1u << 31)) return "toggle bits";
  return "remove bits";
}

// Builds the tree in one walk over the list. The node a reset hangs under is decided by the mobile and
// object nodes made last, or by the latest earlier object reset of a vnum that made a node.
class TreeBuilder {
 public:
  TreeBuilder(const TArea& area, int32_t room, TResetTree& tree, std::vector<int32_t>& node_of_reset)
      : area_(area), room_(room), tree_(tree), node_of_reset_(node_of_reset) {}

  void Walk() {
    const auto& resets = area_.Resets->Items;
    node_of_reset_.assign(resets.size(), -1);
    for (index_ = 0; index_ < resets.size(); ++index_) {
      reset_ = resets[index_].get();
      Place(*reset_);
    }
  }

 private:
  void Place(const TAreaReset& r) {
    switch (r.Command) {
      case 'M':
      case 'O':
        PlaceInRoom(r);
        return;
      case 'E':
      case 'G':
        last_object_ = last_mobile_ < 0 ? -1 : Add(last_mobile_, CarriedText(r));
        return;
      case 'P':
        PlaceInside(r);
        return;
      case 'H':
        Add(Container(r.Arg1), "Hide object.");
        return;
      case 'D':
      case 'R':
        if (r.Arg1 == room_)
          Add(-1, (r.Command == 'D' ? "Setup exit to " : "Random exit to ") + RoomDirectionName(r.Arg2));
        return;
      case 'T':
        if (r.Extra & kObjectTrap)
          Add(Container(r.Arg3), "Make Trap.");
        else if (r.Arg3 == room_)
          Add(-1, "Place Trap into room.");
        return;
      case 'B':
        PlaceBits(r);
        return;
      default:
        return;
    }
  }

  // A mobile or object of another room ends what follows it here; one of this room leaves the other kind's
  // last node as it was.
  void PlaceInRoom(const TAreaReset& r) {
    if (r.Arg3 != room_) {
      last_mobile_ = last_object_ = -1;
    } else if (r.Command == 'M') {
      last_mobile_ = Add(-1, MobileText(r));
    } else {
      last_object_ = Add(-1, ObjectName(r.Arg1) + bracketed_vnum(r.Arg1));
    }
  }

  void PlaceInside(const TAreaReset& r) {
    const std::string text = ObjectName(r.Arg1) + bracketed_vnum(r.Arg1);
    if (r.Arg3 >= 1) {
      last_object_ = FindResetNode(r.Arg3);
      Add(last_object_, text);
      return;
    }
    int32_t container = last_object_;
    for (int32_t step = 0; step < r.Extra && container >= 0; ++step) {
      const auto& children = tree_.Nodes[static_cast<size_t>(container)].Children;
      container = children.empty() ? -1 : children.back();
    }
    Add(container, text);
  }

  void PlaceBits(const TAreaReset& r) {
    const std::string mode = bit_mode(r.Arg2);
    switch (r.Arg2 & 255) {
      case kExitBits:
        if (r.Arg1 == room_)
          Add(-1, "ExitInfo " + mode + " for exit to " + RoomDirectionName((r.Arg2 >> 8) & 255));
        return;
      case kObjectBits:
        Add(Container(r.Arg1), "Object ExtraFlags " + mode + ".");
        return;
      case kMobileBits:
        Add(last_mobile_, "Mobile AffectedBy " + mode + ".");
        return;
      case kRoomBits:
        if (r.Arg1 == room_) Add(-1, "RoomFlags " + mode + ".");
        return;
      default:
        return;
    }
  }

  // The node of the object a reset acts on: the last object node for 0 or less, else the latest earlier
  // object reset of that vnum in the tree.
  int32_t Container(int32_t vnum) const { return vnum < 1 ? last_object_ : FindResetNode(vnum); }

  int32_t FindResetNode(int32_t vnum) const {
    const auto found = latest_object_node_.find(vnum);
    return found == latest_object_node_.end() ? -1 : found->second;
  }

  // A node for the current reset under parent (-1: top level); nothing when a child has no parent.
  int32_t Add(int32_t parent, std::string text) {
    if (parent < 0 && !IsTopLevel()) return -1;
    const auto node = static_cast<int32_t>(tree_.Nodes.size());
    tree_.Nodes.push_back({reset_, index_, std::move(text), parent, {}});
    if (parent < 0)
      tree_.Roots.push_back(node);
    else
      tree_.Nodes[static_cast<size_t>(parent)].Children.push_back(node);
    node_of_reset_[index_] = node;
    if (CarriesObject(reset_->Command)) latest_object_node_[reset_->Arg1] = node;
    return node;
  }

  // Letters whose node stands at the top level; the others hang under a mobile or an object.
  bool IsTopLevel() const {
    switch (reset_->Command) {
      case 'M':
      case 'O':
      case 'D':
      case 'R':
        return true;
      case 'T':
        return (reset_->Extra & kObjectTrap) == 0;
      case 'B':
        return (reset_->Arg2 & 255) == kExitBits || (reset_->Arg2 & 255) == kRoomBits;
      default:
        return false;
    }
  }

  static bool CarriesObject(char letter) {
    return letter == 'E' || letter == 'G' || letter == 'O' || letter == 'P';
  }

  std::string MobileText(const TAreaReset& r) {
    std::string text = r.Arg2 > 1 ? "(" + std::to_string(r.Arg2) + ") " : std::string();
    const TAreaMobile* mobile = FindWorldMobile(area_, r.Arg1);
    text += mobile ? decode_case(mobile->ShortDescription, 1) : std::string("Mobile");
    return text + bracketed_vnum(r.Arg1);
  }

  std::string CarriedText(const TAreaReset& r) {
    std::string text = ObjectName(r.Arg1) + bracketed_vnum(r.Arg1);
    if (r.Command == 'E') text += "  -->  " + WearLocationText(r.Arg3);
    return text;
  }

  std::string ObjectName(int32_t vnum) {
    const auto cached = object_names_.find(vnum);
    if (cached != object_names_.end()) return cached->second;
    const TAreaObject* object = FindWorldObject(area_, vnum);
    return object_names_[vnum] = object ? decode_case(object->ShortDescription, 1) : std::string("Object");
  }

  // The location's text of the wear-location entry "n=FLAG text"; the number when the list has none.
  std::string WearLocationText(int32_t location) const {
    const TWorld* world = area_.world();
    const int32_t entry = world ? index_of_name(world->WearLocations, std::to_string(location)) : -1;
    if (entry < 0) return std::to_string(location);
    const std::string_view value = entry_value(world->WearLocations[static_cast<size_t>(entry)]);
    const size_t blank = value.find(' ');
    return blank == std::string_view::npos ? std::string() : std::string(value.substr(blank + 1));
  }

  const TArea& area_;
  const int32_t room_;
  TResetTree& tree_;
  std::vector<int32_t>& node_of_reset_;
  size_t index_ = 0;
  const TAreaReset* reset_ = nullptr;
  int32_t last_mobile_ = -1;
  int32_t last_object_ = -1;
  std::unordered_map<int32_t, int32_t> latest_object_node_;
  std::unordered_map<int32_t, std::string> object_names_;
};

template <class Record, class FindInAreas, class FindInArea>
const Record* find_anywhere(const TArea& area, FindInAreas&& in_areas, FindInArea&& in_area) {
  const TWorld* world = area.world();
  if (world != nullptr && world->Areas != nullptr) return in_areas(*world->Areas);
  return in_area(area);
}

}  // namespace

int32_t TResetTree::NodeOfReset(size_t index) const {
  return index < node_of_reset_.size() ? node_of_reset_[index] : -1;
}

std::vector<int32_t> TResetTree::InTreeOrder() const {
  std::vector<int32_t> order;
  order.reserve(Nodes.size());
  // An explicit stack: the depth of the tree follows the input.
  std::vector<int32_t> pending(Roots.rbegin(), Roots.rend());
  while (!pending.empty()) {
    const int32_t node = pending.back();
    pending.pop_back();
    order.push_back(node);
    const auto& children = Nodes[static_cast<size_t>(node)].Children;
    pending.insert(pending.end(), children.rbegin(), children.rend());
  }
  return order;
}

std::vector<int32_t> TResetTree::RootsWithLetter(char letter) const {
  std::vector<int32_t> roots;
  for (int32_t root : Roots)
    if (Nodes[static_cast<size_t>(root)].Reset->Command == letter) roots.push_back(root);
  return roots;
}

TResetTree BuildResetTree(const TArea& area, int32_t room_vnum) {
  TResetTree tree;
  if (area.Resets != nullptr) TreeBuilder(area, room_vnum, tree, tree.node_of_reset_).Walk();
  return tree;
}

const TAreaObject* FindWorldObject(const TArea& area, int32_t vnum) {
  return find_anywhere<TAreaObject>(
      area, [&](const TAreas& areas) { return areas.find_object(vnum); },
      [&](const TArea& own) { return own.Objects ? own.Objects->FindByVnum(vnum) : nullptr; });
}

const TAreaMobile* FindWorldMobile(const TArea& area, int32_t vnum) {
  return find_anywhere<TAreaMobile>(
      area, [&](const TAreas& areas) { return areas.find_mobile(vnum); },
      [&](const TArea& own) { return own.Mobiles ? own.Mobiles->FindByVnum(vnum) : nullptr; });
}

std::string RoomDirectionName(int32_t dir) {
  static const std::array<std::string, DirectionCount> names = [] {
    const std::array<const char*, DirectionCount> utf8 = {
        "север",        "восток",      "юг",        "запад",    "вверх",  "вниз",
        "северовосток", "северозапад", "юговосток", "югозапад", "куда-то"};
    std::array<std::string, DirectionCount> converted;
    for (size_t d = 0; d < utf8.size(); ++d)
      converted[d] = utf8_to_cp1251(utf8[d]);
    return converted;
  }();
  return is_valid_direction(dir) ? names[static_cast<size_t>(dir)] : std::to_string(dir);
}

}  // namespace tavro

#include "area/RoomView.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "area/Area.h"
#include "area/Mobiles.h"
#include "area/Objects.h"
#include "area/ResetTree.h"
#include "area/Resets.h"
#include "area/Rooms.h"
#include "world/World.h"

namespace tavro {

namespace {

std::string trimmed(std::string_view text) {
  constexpr std::string_view blanks = " \t\r\n";
  const size_t first = text.find_first_not_of(blanks);
  if (first == std::string_view::npos) return {};
  return std::string(text.substr(first, text.find_last_not_of(blanks) - first + 1));
}

uint32_t exit_flag(const TArea& area, const char* name) {
  const TWorld* world = area.world();
  return world ? world->exit_flags_of({name}) : 0;
}

std::string exit_list(const TAreaRoom& room, const TArea& area) {
  const uint32_t closed = exit_flag(area, "CLOSED");
  const uint32_t window = exit_flag(area, "WINDOW");
  std::string list;
  for (int32_t d = 0; d < DirectionCount; ++d) {
    const TAreaDoor* door = room.Doors[static_cast<size_t>(d)].get();
    if (door == nullptr || door->ToVnum <= 0) continue;
    const std::string name = RoomDirectionName(d);
    if (door->Flags & closed)
      list += " [" + name + "]";
    else if (door->Flags & window)
      list += " {" + name + "}";
    else
      list += " " + name;
  }
  return list.empty() ? " \xCD\xE5\xF2" : list;  // "Нет"
}

// The long descriptions of the records the top-level resets of a letter place, each once in order of
// first appearance with how often it occurs; resets of vnums no area has are left out.
template <class Find>
std::string placed_list(const TResetTree& tree, char letter, const char* colour, Find&& long_description) {
  const std::vector<int32_t> roots = tree.RootsWithLetter(letter);
  if (roots.empty()) return {};
  std::vector<std::pair<std::string, int>> seen;
  for (int32_t root : roots) {
    const std::string* text = long_description(tree.Nodes[static_cast<size_t>(root)].Reset->Arg1);
    if (text == nullptr) continue;
    // A long description ends with a line break in many files; the count goes on its line.
    const std::string line = trimmed(*text);
    auto found =
        std::find_if(seen.begin(), seen.end(), [&](const auto& entry) { return entry.first == line; });
    if (found == seen.end())
      seen.emplace_back(line, 1);
    else
      ++found->second;
  }
  std::string out = std::string("\n") + colour;
  for (const auto& [line, count] : seen)
    out += line + (count > 1 ? " (" + std::to_string(count) + ")" : std::string()) + "\n";
  return out;
}

}  // namespace

std::string RoomViewText(const TRoomViewFields& fields, const TAreaRoom& room, const TArea& area) {
  std::string text = "     &W" + trimmed(fields.Name) + "  &R\xCA\xEE\xEC\xED\xE0\xF2\xE0[&W" +  // "Комната"
                     trimmed(fields.Vnum) + "&R]&D\r\n  " + trimmed(fields.Description) + "\n";
  text += "\n&cExits:" + exit_list(room, area) + ".\n";
  const TResetTree tree = BuildResetTree(area, room.Vnum);
  text += placed_list(tree, 'O', "&G", [&](int32_t vnum) {
    const TAreaObject* object = FindWorldObject(area, vnum);
    return object ? &object->LongDescription : nullptr;
  });
  text += placed_list(tree, 'M', "&O", [&](int32_t vnum) {
    const TAreaMobile* mobile = FindWorldMobile(area, vnum);
    return mobile ? &mobile->LongDescription : nullptr;
  });
  return text;
}

}  // namespace tavro

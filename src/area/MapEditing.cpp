#include "area/MapEditing.h"

#include <algorithm>
#include <vector>

#include "area/Area.h"
#include "area/Changes.h"
#include "area/Header.h"
#include "area/Rooms.h"
#include "world/Areas.h"
#include "world/World.h"

namespace tavro {

namespace {

int32_t index_in(const TAreaRooms& rooms, const TAreaRoom* room) {
  for (size_t i = 0; i < rooms.Items.size(); ++i)
    if (rooms.Items[i].get() == room) return static_cast<int32_t>(i);
  return -1;
}

// Pixel arithmetic of the map in 64 bits: grid coordinates times the pitch may leave 32 bits.
bool within(int64_t centre, int64_t pixel, int64_t reach) {
  return pixel >= centre - reach && pixel <= centre + reach;
}

}  // namespace

bool ExitLeadsSomewhere(const TAreaRoom& room, int32_t dir) {
  if (!is_valid_direction(dir)) return false;
  const auto& door = room.Doors[static_cast<size_t>(dir)];
  return door && door->ToVnum >= 1;
}

int32_t NewRoomVnum(const TAreaRooms& rooms) {
  int32_t vnum = rooms.NextFreeVnum();
  const TWorld* world = rooms.Area ? rooms.Area->world() : nullptr;
  if (!world || !world->Areas) return vnum;
  std::vector<int32_t> taken;
  for (const auto& area : world->Areas->Items) {
    if (!area->Rooms || area->Rooms.get() == &rooms) continue;
    for (const auto& room : area->Rooms->Items)
      if (room->Vnum >= vnum) taken.push_back(room->Vnum);
  }
  std::sort(taken.begin(), taken.end());
  for (const int32_t used : taken) {
    if (used > vnum) break;
    if (used == vnum) ++vnum;
  }
  return vnum;
}

namespace {

TRoomCreation append_room(TAreaRooms& rooms, std::unique_ptr<TAreaRoom> room, TChangeGroup& group) {
  TRoomCreation made;
  made.vnum = room->Vnum;
  made.index = static_cast<int32_t>(rooms.Items.size());
  auto insertion = std::make_unique<TListChange<TAreaRoom>>(rooms.Items, rooms.Items.size(), std::move(room));
  insertion->AddTouch(rooms.Area, kRoomsChanged | kRoomsLaidOut);
  group.Add(std::move(insertion));
  return made;
}

std::unique_ptr<TAreaRoom> new_room(TAreaRooms& rooms, int32_t sector) {
  auto room = std::make_unique<TAreaRoom>(&rooms);
  room->Vnum = NewRoomVnum(rooms);
  room->Sector = sector;
  return room;
}

}  // namespace

TRoomCreation CreateLinkedRoom(TAreaRooms& rooms, int32_t from_index, int32_t dir, int32_t sector) {
  TAreaRoom& from = *rooms.Items.at(static_cast<size_t>(from_index));
  auto room = new_room(rooms, sector);
  SetExit(*room, RevDir[static_cast<size_t>(dir)], from.Vnum);
  auto group = std::make_unique<TChangeGroup>();
  TRoomCreation made = append_room(rooms, std::move(room), *group);
  group->Add(ChangeExit(from, dir, made.vnum));
  made.change = std::move(group);
  return made;
}

TRoomCreation CreateFirstRoom(TAreaRooms& rooms, int32_t sector) {
  auto group = std::make_unique<TChangeGroup>();
  TRoomCreation made = append_room(rooms, new_room(rooms, sector), *group);
  made.change = std::move(group);
  return made;
}

ExitTarget FindExitTarget(const TAreaRooms& rooms, int32_t vnum) {
  if (const TAreaRoom* room = rooms.FindByVnum(vnum))
    return {ExitTarget::ThisArea, rooms.Area, index_in(rooms, room)};
  const TWorld* world = rooms.Area ? rooms.Area->world() : nullptr;
  if (!world || !world->Areas) return {};
  for (const auto& area : world->Areas->Items) {
    if (area.get() == rooms.Area || !area->Rooms) continue;
    if (const TAreaRoom* room = area->Rooms->FindByVnum(vnum))
      return {ExitTarget::OtherArea, area.get(), index_in(*area->Rooms, room)};
  }
  return {};
}

int32_t RoomAt(const TAreaRooms& rooms, int32_t x, int32_t y, int32_t level) {
  for (size_t i = 0; i < rooms.Items.size(); ++i) {
    const TAreaRoom& room = *rooms.Items[i];
    if (room.X == x && room.Y == y && room.Level == level) return static_cast<int32_t>(i);
  }
  return -1;
}

int32_t FindNearestRoom(const TAreaRooms& rooms, int32_t from_index, int32_t dir,
                        const std::function<bool()>& continue_search) {
  const TAreaRoom& from = *rooms.Items.at(static_cast<size_t>(from_index));
  const GridStep step = MapSteps.at(static_cast<size_t>(dir));
  // Unsigned steps: a search the user keeps going wraps instead of overflowing.
  uint32_t x = static_cast<uint32_t>(from.X);
  uint32_t y = static_cast<uint32_t>(from.Y);
  uint32_t level = static_cast<uint32_t>(from.Level);
  for (;;) {
    x += static_cast<uint32_t>(step.dx);
    y += static_cast<uint32_t>(step.dy);
    level += static_cast<uint32_t>(step.dz);
    const int32_t found =
        RoomAt(rooms, static_cast<int32_t>(x), static_cast<int32_t>(y), static_cast<int32_t>(level));
    if (found >= 0) return found;
    if (!continue_search()) return -1;
  }
}

void SetExit(TAreaRoom& room, int32_t dir, int32_t to_vnum) {
  TAreaDoor& door = room.EnsureDoor(dir);
  door.Direction = dir;
  door.ToVnum = to_vnum;
}

std::string ExitLetters(const TAreaRoom& room) {
  std::string letters;
  for (int32_t dir = 0; dir < DirectionCount; ++dir)
    if (ExitLeadsSomewhere(room, dir)) letters += ExitStatusLetters[static_cast<size_t>(dir)];
  return letters;
}

int32_t RoomAtPoint(const TAreaRooms& rooms, int32_t level, int32_t zoom, int32_t off_x, int32_t off_y,
                    int32_t px, int32_t py) {
  const int64_t pitch = 4 * int64_t{zoom};
  for (size_t i = 0; i < rooms.Items.size(); ++i) {
    const TAreaRoom& room = *rooms.Items[i];
    const bool placed = !room.Unplaced;
    if ((placed ? room.Level : 0) != level) continue;
    const int64_t cx = (placed ? room.X : 0) * pitch - off_x;
    const int64_t cy = (placed ? room.Y : 0) * pitch - off_y;
    if (within(cx, px, zoom) && within(cy, py, zoom)) return static_cast<int32_t>(i);
  }
  return -1;
}

int32_t VisibleCells(int32_t extent, int32_t zoom) {
  return zoom > 0 ? extent / (4 * zoom) : 0;
}

int32_t ScrollToShow(int32_t position, int32_t coordinate, int32_t visible_cells) {
  visible_cells = std::max(visible_cells, 1);
  if (coordinate - position < 1) position = std::max(0, coordinate - 1);
  if (visible_cells - 1 < coordinate - position) position = coordinate - visible_cells + 1;
  return position;
}

int32_t ScrollToEnd(int32_t max, int32_t visible_cells) {
  return std::max(0, max - std::max(visible_cells, 1) + 1);
}

int32_t ZoomIn(int32_t zoom) {
  return std::min(zoom * 2, kMaxZoom);
}

int32_t ZoomOut(int32_t zoom) {
  return std::max(zoom / 2, kMinZoom);
}

TMapScroll ZoomScroll(int32_t screen, int64_t offset, int32_t old_zoom, int32_t new_zoom, int32_t max_cells) {
  if (old_zoom <= 0 || new_zoom <= 0) return {};
  const int64_t pitch = 4 * int64_t{new_zoom};
  const int64_t point = int64_t{screen} + offset;  // on the map, at the old zoom
  const int64_t wanted = (2 * point * new_zoom + old_zoom) / (2 * int64_t{old_zoom}) - screen;
  const int64_t clamped = std::clamp<int64_t>(wanted, 0, int64_t{std::max(max_cells, 0)} * pitch);
  return TMapScroll{static_cast<int32_t>(clamped / pitch), static_cast<int32_t>(clamped % pitch)};
}

namespace {

std::string exit_text(const TAreaRooms& rooms, int32_t dir, int32_t vnum) {
  std::string text = std::string(DirectionNames[static_cast<size_t>(dir)]) + " to " + std::to_string(vnum);
  const ExitTarget target = FindExitTarget(rooms, vnum);
  if (target.kind == ExitTarget::Nowhere) return text + " (no such room)";
  if (target.kind == ExitTarget::OtherArea)
    text += " in area \"" + (target.area->Header ? target.area->Header->Name : std::string()) + "\"";
  return text;
}

}  // namespace

std::vector<std::string> DescribeRoom(const TAreaRooms& rooms, int32_t index) {
  const TAreaRoom& room = *rooms.Items.at(static_cast<size_t>(index));
  const TWorld* world = rooms.Area ? rooms.Area->world() : nullptr;
  std::string sector = std::to_string(room.Sector);
  if (world && room.Sector >= 0 && static_cast<size_t>(room.Sector) < world->SectorTypes.size())
    sector = world->SectorTypes[static_cast<size_t>(room.Sector)];
  std::string exits;
  for (int32_t dir = 0; dir < DirectionCount; ++dir)
    if (ExitLeadsSomewhere(room, dir))
      exits +=
          (exits.empty() ? "" : ", ") + exit_text(rooms, dir, room.Doors[static_cast<size_t>(dir)]->ToVnum);
  return {"Room " + std::to_string(room.Vnum) + ": " + room.Name, "Sector: " + sector,
          "Exits: " + (exits.empty() ? std::string("none") : exits)};
}

}  // namespace tavro

#pragma once
// What the area window's map does to rooms and exits, and the arithmetic of its view: growing the map room
// by room, following and making exits, the hit test and the scrolling that keeps the selection visible.
// The window asks the user and repaints; everything it decides is here.
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "area/Directions.h"

namespace tavro {

class TArea;
class TAreaRoom;
class TAreaRooms;
class TChange;

// One grid step of a direction (screen y grows downwards, so north is -1). Direction 10 does not move.
struct GridStep {
  int32_t dx = 0;
  int32_t dy = 0;
  int32_t dz = 0;
};
inline constexpr std::array<GridStep, DirectionCount> MapSteps = {{{0, -1, 0},
                                                                   {1, 0, 0},
                                                                   {0, 1, 0},
                                                                   {-1, 0, 0},
                                                                   {0, 0, 1},
                                                                   {0, 0, -1},
                                                                   {1, -1, 0},
                                                                   {-1, -1, 0},
                                                                   {1, 1, 0},
                                                                   {-1, 1, 0},
                                                                   {0, 0, 0}}};

// Letters of the exits in the map's status bar.
inline constexpr std::array<const char*, DirectionCount> ExitStatusLetters = {
    "N", "E", "S", "W", "U", "D", "Ne", "Nw", "Se", "Sw", "?"};

// The largest map unit the zoom keys reach: a room square already far wider than any screen, and pixel
// positions of the largest maps stay well inside 32 bits.
inline constexpr int32_t kMaxZoom = 1280;
inline constexpr int32_t kMinZoom = 5;

// True when the room's door in slot dir exists and leads to a vnum of 1 or more.
bool ExitLeadsSomewhere(const TAreaRoom& room, int32_t dir);

// The vnum a new room of this list takes: the list's next free vnum, or, when a room of another loaded
// area has it, the first vnum above it that no room of the world has.
int32_t NewRoomVnum(const TAreaRooms& rooms);

// A room the map made, with the change that made it (already applied).
struct TRoomCreation {
  std::unique_ptr<TChange> change;
  int32_t index = -1;  // in the list
  int32_t vnum = 0;
};

// Creates a room with NewRoomVnum and the given sector, joined to the room at from_index by a door in slot
// dir and a door back in the reverse slot (an existing door in slot dir keeps its other fields), and
// appends it to the list. The layout is left to the caller.
TRoomCreation CreateLinkedRoom(TAreaRooms& rooms, int32_t from_index, int32_t dir, int32_t sector);
// The first room of a map that has none: NewRoomVnum, the given sector, no exits.
TRoomCreation CreateFirstRoom(TAreaRooms& rooms, int32_t sector);

// Where an exit's vnum leads, looked up in this list first, then in the world's areas in list order.
struct ExitTarget {
  enum Kind { ThisArea, OtherArea, Nowhere };
  Kind kind = Nowhere;
  TArea* area = nullptr;    // the area holding the room (this list's area for ThisArea)
  int32_t room_index = -1;  // in that area's room list
};
ExitTarget FindExitTarget(const TAreaRooms& rooms, int32_t vnum);

// The first room of the list (placed or not) standing at exactly this grid position; -1 when none.
int32_t RoomAt(const TAreaRooms& rooms, int32_t x, int32_t y, int32_t level);

// Walks from the room at from_index one grid step of dir at a time and returns the index of the first
// room found. After every step that finds nothing, continue_search decides whether to take another.
// -1 when the search was given up.
int32_t FindNearestRoom(const TAreaRooms& rooms, int32_t from_index, int32_t dir,
                        const std::function<bool()>& continue_search);

// Sets the door in slot dir (created when absent) to lead to to_vnum.
void SetExit(TAreaRoom& room, int32_t dir, int32_t to_vnum);

// "NESw": the status letters of every exit that leads somewhere, in direction order.
std::string ExitLetters(const TAreaRoom& room);

// Index of the first room on level whose square (zoom pixels about its centre, bounds inclusive) holds
// the pixel; the map is scrolled by off_x, off_y pixels. An unplaced room stands at grid (0, 0) on level
// 0. -1 when none.
int32_t RoomAtPoint(const TAreaRooms& rooms, int32_t level, int32_t zoom, int32_t off_x, int32_t off_y,
                    int32_t px, int32_t py);

// How many grid cells of 4 x zoom pixels an extent of the view holds.
int32_t VisibleCells(int32_t extent, int32_t zoom);
// The scroll position (in cells) that shows grid coordinate fully, changing position as little as
// possible, in a view of visible_cells cells.
int32_t ScrollToShow(int32_t position, int32_t coordinate, int32_t visible_cells);
// The scroll position that shows the last coordinate max as the last fully visible cell.
int32_t ScrollToEnd(int32_t max, int32_t visible_cells);

// The zoom keys: double, or halve but not below kMinZoom; neither goes beyond kMaxZoom.
int32_t ZoomIn(int32_t zoom);
int32_t ZoomOut(int32_t zoom);

// A scroll offset of the map in whole cells of 4 x zoom pixels and the pixels beyond them.
struct TMapScroll {
  int32_t cells = 0;
  int32_t pixels = 0;
};
// The scroll after the zoom changes from old_zoom to new_zoom that keeps the map point under the view
// pixel screen (scrolled by offset pixels before) under it, as far as 0 to max_cells cells allow.
TMapScroll ZoomScroll(int32_t screen, int64_t offset, int32_t old_zoom, int32_t new_zoom, int32_t max_cells);

// What the map says about a room, line by line (Windows-1251): "Room 3001: name", "Sector: city" and
// "Exits: north to 3002, east to 3010 in area "Forest", south to 4000 (no such room)" ("Exits: none").
std::vector<std::string> DescribeRoom(const TAreaRooms& rooms, int32_t index);

}  // namespace tavro

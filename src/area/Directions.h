#pragma once
// Exit directions of a room: slots 0 to 10 and the direction that leads back.
#include <array>
#include <cstdint>

namespace tavro {

enum TDirection : int32_t {
  DIR_NORTH = 0,
  DIR_EAST = 1,
  DIR_SOUTH = 2,
  DIR_WEST = 3,
  DIR_UP = 4,
  DIR_DOWN = 5,
  DIR_NORTHEAST = 6,
  DIR_NORTHWEST = 7,
  DIR_SOUTHEAST = 8,
  DIR_SOUTHWEST = 9,
  DIR_SOMEWHERE = 10,
};

inline constexpr int32_t DirectionCount = 11;

inline constexpr std::array<int32_t, DirectionCount> RevDir = {2, 3, 0, 1, 5, 4, 9, 8, 7, 6, 10};

inline constexpr std::array<const char*, DirectionCount> DirectionNames = {
    "north",     "east",      "south",     "west",      "up",       "down",
    "northeast", "northwest", "southeast", "southwest", "somewhere"};

// Captions of the direction buttons of the room editor.
inline constexpr std::array<const char*, DirectionCount> DirectionCaptions = {
    "N", "E", "S", "W", "U", "D", "NE", "NW", "SE", "SW", "?"};

inline constexpr bool is_valid_direction(int32_t d) {
  return d >= 0 && d < DirectionCount;
}

}  // namespace tavro

#pragma once
// Painting one level of the room grid laid out by AutoLayout onto a Canvas.
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "area/Canvas.h"

namespace tavro {

class TAreaRooms;
class TMapIndex;

// Sector colours as the world keeps them: entries "sector index=colour", the colour being the platform
// colour integer in decimal. A sector without an entry, or with a value that is not a number, is black.
class SectorPalette {
 public:
  SectorPalette() = default;
  explicit SectorPalette(const std::vector<std::string>& sector_colors);
  Color color_of(int32_t sector) const;

 private:
  std::unordered_map<int32_t, Color> colors_;
};

struct DrawLevelParams {
  int32_t level = 0;
  int32_t selected = -1;   // index in the room list; framed when not greyed
  int32_t cell_size = 10;  // s: a room square reaches s pixels from its centre, rooms stand 4s apart
  int32_t off_x = 0;       // pixels subtracted from every x
  int32_t off_y = 0;       // pixels subtracted from every y
  bool greyed = false;     // the shadow of another level: grey rooms, silver exits, no selection
  // When set, only rooms whose drawing can touch this rectangle (canvas pixels) are painted; the pixels
  // inside it come out the same as without it.
  const Rect* visible = nullptr;
  // The index of the rooms as they stand; with visible, only the rooms near it are looked at. Without
  // one, the drawing makes one for itself.
  const TMapIndex* index = nullptr;
  // Exits into another area (a stub ending in a filled square) and exits to a vnum no loaded room has (a
  // magenta stub ending in a cross).
  bool outside_exits = false;
  // The vnum inside each room square that has room for it, and the name under it when there is room
  // for both, in black or white, whichever reads better on the sector colour.
  bool labels = false;
};

// Paints the placed rooms of one level in list order: selection frame, the room square in its sector
// colour, then every exit's line (or stub towards another level) and arrowhead. An exit "somewhere"
// (direction 10) has no geometry of its own and shows as a small diamond at the upper left of its room.
// The sector colours come from the world of the rooms' area (black when there is none).
void DrawLevel(const TAreaRooms& rooms, Canvas& canvas, const DrawLevelParams& params);
void DrawLevel(const TAreaRooms& rooms, Canvas& canvas, const DrawLevelParams& params,
               const SectorPalette& palette);

// What the area window paints: the level below as a grey shadow 3 pixels up and to the left, then the
// level itself. visible as in DrawLevelParams.
void PaintMap(const TAreaRooms& rooms, Canvas& canvas, int32_t level, int32_t selected, int32_t zoom,
              int32_t off_x, int32_t off_y, const Rect* visible = nullptr);
// The same with every option of the shown level; the shadow takes them too, but has no labels.
void PaintMap(const TAreaRooms& rooms, Canvas& canvas, const DrawLevelParams& shown);

// The colour of a label drawn on a background: black on light colours, white on dark ones.
Color LabelColor(Color background);

// Pixel size of the whole laid-out map at this zoom with no scrolling: one cell beyond MaxX and MaxY.
Size MapPixelSize(const TAreaRooms& rooms, int32_t zoom);

}  // namespace tavro

#include "area/MapDrawing.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>

#include "area/Area.h"
#include "area/Layout.h"
#include "area/Rooms.h"
#include "area/SpatialIndex.h"
#include "world/World.h"

namespace tavro {

namespace {

// Geometry is computed in 64 bits (the zoom has no upper limit) and brought into the canvas's 32-bit range
// only at the end; nothing that far away is visible anyway.
struct P64 {
  int64_t x = 0;
  int64_t y = 0;
};

P64 operator+(P64 a, P64 b) {
  return {a.x + b.x, a.y + b.y};
}
P64 operator-(P64 a, P64 b) {
  return {a.x - b.x, a.y - b.y};
}
P64 operator*(int64_t k, P64 a) {
  return {k * a.x, k * a.y};
}

constexpr int64_t kCoordinateLimit = int64_t{1} << 28;

int32_t clamp_coordinate(int64_t v) {
  return static_cast<int32_t>(std::clamp(v, -kCoordinateLimit, kCoordinateLimit));
}

Point to_point(P64 p) {
  return Point{clamp_coordinate(p.x), clamp_coordinate(p.y)};
}

bool in_range(P64 p) {
  return p.x >= -kCoordinateLimit && p.x <= kCoordinateLimit && p.y >= -kCoordinateLimit &&
         p.y <= kCoordinateLimit;
}

// Liang-Barsky clipping of a segment to the coordinate range; false when nothing of it is inside.
bool clip_segment(P64& a, P64& b) {
  const double dx = static_cast<double>(b.x - a.x);
  const double dy = static_cast<double>(b.y - a.y);
  double t0 = 0.0;
  double t1 = 1.0;
  const double lim = static_cast<double>(kCoordinateLimit);
  const std::array<double, 4> p = {-dx, dx, -dy, dy};
  const std::array<double, 4> q = {static_cast<double>(a.x) + lim, lim - static_cast<double>(a.x),
                                   static_cast<double>(a.y) + lim, lim - static_cast<double>(a.y)};
  for (size_t i = 0; i < 4; ++i) {
    if (p[i] == 0.0) {
      if (q[i] < 0.0) return false;
      continue;
    }
    const double t = q[i] / p[i];
    if (p[i] < 0.0)
      t0 = std::max(t0, t);
    else
      t1 = std::min(t1, t);
    if (t0 > t1) return false;
  }
  const P64 start = a;
  a = {start.x + std::llround(t0 * dx), start.y + std::llround(t0 * dy)};
  b = {start.x + std::llround(t1 * dx), start.y + std::llround(t1 * dy)};
  return true;
}

template <size_t N>
void draw_polyline(Canvas& canvas, const std::array<P64, N>& points) {
  if (std::all_of(points.begin(), points.end(), in_range)) {
    std::array<Point, N> line;
    std::transform(points.begin(), points.end(), line.begin(), to_point);
    canvas.polyline(line);
    return;
  }
  for (size_t i = 0; i + 1 < points.size(); ++i) {
    P64 a = points[i];
    P64 b = points[i + 1];
    if (!clip_segment(a, b)) continue;
    const std::array<Point, 2> segment = {to_point(a), to_point(b)};
    canvas.polyline(segment);
  }
}

template <size_t N>
void draw_polygon(Canvas& canvas, const std::array<P64, N>& points) {
  std::array<Point, N> shape;
  std::transform(points.begin(), points.end(), shape.begin(), to_point);
  canvas.polygon(shape);
}

void draw_square(Canvas& canvas, P64 centre, int64_t half, bool frame_only) {
  const Rect rect{clamp_coordinate(centre.x - half), clamp_coordinate(centre.y - half),
                  clamp_coordinate(centre.x + half), clamp_coordinate(centre.y + half)};
  if (frame_only)
    canvas.frame_rect(rect);
  else
    canvas.rectangle(rect);
}

// Unit step of each direction on screen (north is up); up, down and somewhere have none.
constexpr std::array<P64, DirectionCount> kUnit = {
    {{0, -1}, {1, 0}, {0, 1}, {-1, 0}, {0, 0}, {0, 0}, {1, -1}, {-1, -1}, {1, 1}, {-1, 1}, {0, 0}}};

bool has_line(int32_t direction) {
  return direction <= DIR_WEST || (direction >= DIR_NORTHEAST && direction <= DIR_SOUTHWEST);
}

// Exit colour from flag bits 1 (door), 2 (closed) and 4 (locked): the strongest wins.
inline Color exit_color(uint32_t flags) {
  if (flags & EX_LOCKED) return colors::kRed;
  if (flags & EX_CLOSED) return colors::kBlue;
  if (flags & EX_ISDOOR) return colors::kLime;
  return colors::kGreen;
}

// The arrowhead of an exit: at the target end (t) for the flat directions, beside the room's own square
// (centre c) for up and down.
std::array<P64, 3> arrowhead(int32_t direction, P64 t, P64 c, int64_t s) {
  const int64_t a = s / 3, b = 4 * s / 3, w = 43 * s / 30;
  switch (direction) {
    case DIR_NORTH:
      return {{{t.x - a, t.y + b}, {t.x, t.y + s}, {t.x + a, t.y + b}}};
    case DIR_EAST:
      return {{{t.x - b, t.y - a}, {t.x - s, t.y}, {t.x - b, t.y + a}}};
    case DIR_SOUTH:
      return {{{t.x - a, t.y - b}, {t.x, t.y - s}, {t.x + a, t.y - b}}};
    case DIR_WEST:
      return {{{t.x + b, t.y + a}, {t.x + s, t.y}, {t.x + b, t.y - a}}};
    case DIR_NORTHEAST:
      return {{{t.x - w, t.y + s}, {t.x - s, t.y + s}, {t.x - s, t.y + w}}};
    case DIR_NORTHWEST:
      return {{{t.x + w, t.y + s}, {t.x + s, t.y + s}, {t.x + s, t.y + w}}};
    case DIR_SOUTHEAST:
      return {{{t.x - w, t.y - s}, {t.x - s, t.y - s}, {t.x - s, t.y - w}}};
    case DIR_SOUTHWEST:
      return {{{t.x + w, t.y - s}, {t.x + s, t.y - s}, {t.x + s, t.y - w}}};
    case DIR_UP:
      return {
          {{c.x + 6 * s / 5, c.y - s / 2}, {c.x + 17 * s / 10, c.y - s / 2}, {c.x + 29 * s / 20, c.y - s}}};
    default:
      return {
          {{c.x + 6 * s / 5, c.y + s / 2}, {c.x + 17 * s / 10, c.y + s / 2}, {c.x + 29 * s / 20, c.y + s}}};
  }
}

// An exit "somewhere" has no place on the grid: a small diamond at the upper left outside the square,
// clear of the west and northwest lines.
std::array<P64, 4> somewhere_mark(P64 c, int64_t s) {
  const P64 m{c.x - 29 * s / 20, c.y - s / 2};
  const int64_t r = std::max<int64_t>(1, s / 4);
  return {{{m.x - r, m.y}, {m.x, m.y - r}, {m.x + r, m.y}, {m.x, m.y + r}}};
}

// Exits that leave the list end in a mark in the gap before the next cell.
constexpr Color kOtherAreaMark{128, 0, 128};
constexpr Color kNowhere{255, 0, 255};

std::array<P64, 4> square_mark(P64 m, int64_t r) {
  return {{{m.x - r, m.y - r}, {m.x + r, m.y - r}, {m.x + r, m.y + r}, {m.x - r, m.y + r}}};
}

struct Box {
  int64_t left, top, right, bottom;
  void include(P64 p, int64_t margin) {
    left = std::min(left, p.x - margin);
    top = std::min(top, p.y - margin);
    right = std::max(right, p.x + margin);
    bottom = std::max(bottom, p.y + margin);
  }
  bool touches(const Rect& r) const {
    return right >= r.left && left <= r.right && bottom >= r.top && top <= r.bottom;
  }
};

// Paints one level from the index's compact copy of the rooms; the room records themselves are read
// only for the labels.
class LevelPainter {
 public:
  LevelPainter(const TAreaRooms& rooms, const TMapIndex& index, Canvas& canvas, const DrawLevelParams& params,
               const SectorPalette& palette)
      : rooms_(rooms.Items),
        index_(index),
        canvas_(canvas),
        params_(params),
        palette_(palette),
        s_(params.cell_size),
        k_(static_cast<int64_t>(std::sqrt(static_cast<double>(s_) * static_cast<double>(s_) / 12.0))) {}

  void paint() {
    if (params_.visible != nullptr) return paint_near(*params_.visible);
    for (size_t i = 0; i < rooms_.size(); ++i)
      paint_if_seen(static_cast<int32_t>(i));
  }

 private:
  // Only the rooms the index finds near the visible cells (everything a room draws lies within two cells
  // of its centre or along its lines) are tested and painted, still in list order.
  void paint_near(const Rect& visible) {
    const int64_t pitch = 4 * s_;
    const auto cell = [pitch](int64_t pixel) {
      return pixel >= 0 ? pixel / pitch : -((-pixel + pitch - 1) / pitch);
    };
    const CellRect cells{
        cell(int64_t{visible.left} + params_.off_x) - 3, cell(int64_t{visible.top} + params_.off_y) - 3,
        cell(int64_t{visible.right} + params_.off_x) + 3, cell(int64_t{visible.bottom} + params_.off_y) + 3};
    std::vector<int32_t> near;
    index_.RoomsNear(params_.level, cells, near);
    for (const int32_t i : near)
      paint_if_seen(i);
  }

  void paint_if_seen(int32_t i) {
    const TDrawnRoom& room = index_.Room(i);
    if (!room.placed || room.level != params_.level) return;
    if (params_.visible != nullptr && !can_touch(room, *params_.visible)) return;
    paint_room(i, room);
  }

  P64 centre(const TDrawnRoom& room) const {
    return {int64_t{room.x} * 4 * s_ - params_.off_x, int64_t{room.y} * 4 * s_ - params_.off_y};
  }

  // The target of a drawn exit: the first room with its vnum, when there is one and it is placed.
  const TDrawnRoom* target_of(const TDrawnRoom& room, int32_t direction) const {
    const int32_t target = room.target[static_cast<size_t>(direction)];
    if (target < 0) return nullptr;
    const TDrawnRoom& to = index_.Room(target);
    return to.placed ? &to : nullptr;
  }

  // An exit drawn with a mark of its own: it leads to no room of this list.
  bool leaves_list(const TDrawnRoom& room, int32_t direction) const {
    const int32_t target = room.target[static_cast<size_t>(direction)];
    return params_.outside_exits && target <= TDrawnRoom::kOutside && index_.OutsideVnum(target) >= 1;
  }

  // Where the line and arrowhead of a flat exit end: the target's centre on this level, else a stub.
  P64 line_end(const TDrawnRoom& room, const TDrawnRoom& target, int32_t direction) const {
    if (target.level == room.level) return centre(target);
    return centre(room) + (7 * s_ / 2) * kUnit[direction];
  }

  // Everything a room draws lies within 5s of its centre (square, frames, marks, stubs and their
  // arrowheads) or along its lines to rooms on the same level, which end within 2s of their targets.
  bool can_touch(const TDrawnRoom& room, const Rect& visible) const {
    const P64 p = centre(room);
    Box near{p.x, p.y, p.x, p.y};
    near.include(p, 5 * s_ + 2);
    if (near.touches(visible)) return true;
    for (int32_t d = 0; d < DirectionCount; ++d) {
      if (!has_line(d)) continue;
      const TDrawnRoom* target = target_of(room, d);
      if (target == nullptr || target->level != room.level) continue;
      Box line = near;  // the line runs from near this room to near its target
      line.include(centre(*target), 2 * s_ + 2);
      if (line.touches(visible)) return true;
    }
    return false;
  }

  void paint_room(int32_t index, const TDrawnRoom& room) {
    const P64 p = centre(room);
    int64_t half = s_;
    if (index == params_.selected && !params_.greyed) {
      canvas_.set_brush_color(colors::kBlack);
      draw_square(canvas_, p, s_, true);
      canvas_.set_brush_color(colors::kWhite);
      draw_square(canvas_, p, s_ - 1, true);
      half = s_ - 2;
    }
    if (params_.greyed) {
      canvas_.set_pen_color(colors::kGrey);
      canvas_.set_brush_color(colors::kGrey);
    } else {
      canvas_.set_pen_color(colors::kWhite);
      canvas_.set_brush_color(palette_.color_of(room.sector));
    }
    draw_square(canvas_, p, half, false);
    if (params_.labels && !params_.greyed) paint_labels(*rooms_[static_cast<size_t>(index)], p, half);
    for (int32_t d = 0; d < DirectionCount; ++d)
      paint_exit(room, p, d);
  }

  // The vnum centred in the square, or the vnum and the name (cut to fit) one above the other.
  void paint_labels(const TAreaRoom& room, P64 p, int64_t half) {
    const int64_t room_for = 2 * (half - 2);
    // Small squares, the most of a zoomed-out view, are turned away without measuring their text: no
    // digit is narrower than the narrowest one.
    if (line_height_ < 0) measure_digits();
    const std::string vnum = std::to_string(room.Vnum);
    if (line_height_ > room_for || static_cast<int64_t>(vnum.size()) * digit_width_ > room_for) return;
    const Size extent = canvas_.text_extent(vnum);
    if (extent.width > room_for || extent.height > room_for || !in_range(p)) return;
    const Color background = palette_.color_of(room.Sector);
    canvas_.set_brush_color(background);
    canvas_.set_pen_color(LabelColor(background));
    const std::string name =
        2 * extent.height <= room_for ? fitting_prefix(room.Name, room_for) : std::string();
    const int64_t top = name.empty() ? p.y - extent.height / 2 : p.y - extent.height;
    canvas_.text_out(clamp_coordinate(p.x - extent.width / 2), clamp_coordinate(top), vnum);
    if (name.empty()) return;
    const int64_t width = canvas_.text_extent(name).width;
    canvas_.text_out(clamp_coordinate(p.x - width / 2), clamp_coordinate(p.y), name);
  }

  void measure_digits() {
    line_height_ = canvas_.text_extent("0").height;
    digit_width_ = canvas_.text_extent("0").width;
    for (const char* digit : {"1", "2", "3", "4", "5", "6", "7", "8", "9"})
      digit_width_ = std::min<int64_t>(digit_width_, canvas_.text_extent(digit).width);
  }

  // The longest start of the text no wider than width.
  std::string fitting_prefix(const std::string& text, int64_t width) {
    size_t low = 0;
    size_t high = text.size();
    while (low < high) {
      const size_t middle = (low + high + 1) / 2;
      if (canvas_.text_extent(std::string_view(text).substr(0, middle)).width <= width)
        low = middle;
      else
        high = middle - 1;
    }
    return text.substr(0, low);
  }

  // A stub towards the exit's direction ending in a filled square (another area) or a cross (no such
  // room); up, down and somewhere keep their own shapes, in magenta when they lead nowhere.
  void paint_outside_exit(const TDrawnRoom& room, P64 p, int32_t direction) {
    const size_t d = static_cast<size_t>(direction);
    const bool elsewhere = index_.LeadsToOtherArea(index_.OutsideVnum(room.target[d]));
    const Color own = params_.greyed ? colors::kSilver : elsewhere ? exit_color(room.flags[d]) : kNowhere;
    if (!has_line(direction)) {
      fill_with(own);
      if (direction == DIR_SOMEWHERE) return draw_polygon(canvas_, somewhere_mark(p, s_));
      return draw_polygon(canvas_, arrowhead(direction, p, p, s_));
    }
    const P64 u = kUnit[direction];
    const P64 start = p + (s_ + k_) * u;
    const P64 mark = p + (5 * s_ / 2) * u;
    const int64_t r = std::max<int64_t>(2, s_ / 4);
    canvas_.set_pen_color(own);
    draw_polyline(canvas_, std::array<P64, 2>{start, mark});
    if (elsewhere) {
      fill_with(params_.greyed ? colors::kSilver : kOtherAreaMark);
      return draw_polygon(canvas_, square_mark(mark, r));
    }
    draw_polyline(canvas_, std::array<P64, 2>{mark - P64{r, r}, mark + P64{r, r}});
    draw_polyline(canvas_, std::array<P64, 2>{mark + P64{-r, r}, mark + P64{r, -r}});
  }

  void paint_exit(const TDrawnRoom& room, P64 p, int32_t direction) {
    const size_t d = static_cast<size_t>(direction);
    if (room.target[d] == TDrawnRoom::kNoExit) return;
    const TDrawnRoom* target = target_of(room, direction);
    if (target == nullptr && leaves_list(room, direction)) return paint_outside_exit(room, p, direction);
    if (target == nullptr) return;
    const Color own = params_.greyed ? colors::kSilver : exit_color(room.flags[d]);
    if (direction == DIR_SOMEWHERE) {
      fill_with(own);
      draw_polygon(canvas_, somewhere_mark(p, s_));
      return;
    }
    P64 t = p;
    if (has_line(direction)) {
      t = line_end(room, *target, direction);
      if (target != &room) {
        const uint32_t reverse = target->flags[static_cast<size_t>(RevDir[d])];
        canvas_.set_pen_color(params_.greyed ? colors::kSilver : exit_color(room.flags[d] | reverse));
        const P64 u = kUnit[direction];
        const P64 start = p + (s_ + k_) * u;
        const P64 end = t - (s_ + k_) * u;
        draw_polyline(canvas_, std::array<P64, 4>{start, start + k_ * u, end - k_ * u, end});
      }
    }
    fill_with(own);
    draw_polygon(canvas_, arrowhead(direction, t, p, s_));
  }

  void fill_with(Color color) {
    canvas_.set_pen_color(color);
    canvas_.set_brush_color(color);
  }

  const std::vector<std::unique_ptr<TAreaRoom>>& rooms_;
  const TMapIndex& index_;
  Canvas& canvas_;
  const DrawLevelParams& params_;
  const SectorPalette& palette_;
  int64_t line_height_ = -1;  // of a label, measured on first use
  int64_t digit_width_ = 0;   // of the narrowest digit
  int64_t s_;
  int64_t k_;
};

const std::vector<std::string>* world_sector_colors(const TAreaRooms& rooms) {
  if (rooms.Area == nullptr) return nullptr;
  const TWorld* world = rooms.Area->world();
  return world == nullptr ? nullptr : &world->SectorColors;
}

int32_t wrap_add(int32_t a, int32_t b) {
  return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}

bool parse_int(std::string_view text, int64_t& value) {
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, value);
  return ec == std::errc() && ptr == end;
}

}  // namespace

SectorPalette::SectorPalette(const std::vector<std::string>& sector_colors) {
  for (const std::string& entry : sector_colors) {
    const size_t equals = entry.find('=');
    if (equals == std::string::npos) continue;
    const std::string_view name(entry.data(), equals);
    int64_t sector = 0;
    // The look-up is by the sector number written in decimal, so "03" names no sector.
    if (!parse_int(name, sector) || std::to_string(sector) != name) continue;
    if (sector < INT32_MIN || sector > INT32_MAX) continue;
    int64_t value = 0;
    const Color color = parse_int(std::string_view(entry).substr(equals + 1), value)
                            ? Color::from_platform(static_cast<uint32_t>(value))
                            : colors::kBlack;
    colors_.try_emplace(static_cast<int32_t>(sector), color);
  }
}

Color SectorPalette::color_of(int32_t sector) const {
  const auto found = colors_.find(sector);
  return found == colors_.end() ? colors::kBlack : found->second;
}

void DrawLevel(const TAreaRooms& rooms, Canvas& canvas, const DrawLevelParams& params,
               const SectorPalette& palette) {
  if (params.cell_size <= 0) return;
  if (params.index != nullptr) return LevelPainter(rooms, *params.index, canvas, params, palette).paint();
  TMapIndex index;
  index.Build(rooms);
  LevelPainter(rooms, index, canvas, params, palette).paint();
}

void DrawLevel(const TAreaRooms& rooms, Canvas& canvas, const DrawLevelParams& params) {
  const std::vector<std::string>* colors = world_sector_colors(rooms);
  DrawLevel(rooms, canvas, params, colors == nullptr ? SectorPalette() : SectorPalette(*colors));
}

void PaintMap(const TAreaRooms& rooms, Canvas& canvas, int32_t level, int32_t selected, int32_t zoom,
              int32_t off_x, int32_t off_y, const Rect* visible) {
  DrawLevelParams shown;
  shown.level = level;
  shown.selected = selected;
  shown.cell_size = zoom;
  shown.off_x = off_x;
  shown.off_y = off_y;
  shown.visible = visible;
  PaintMap(rooms, canvas, shown);
}

void PaintMap(const TAreaRooms& rooms, Canvas& canvas, const DrawLevelParams& shown) {
  if (shown.cell_size <= 0) return;
  const std::vector<std::string>* colors = world_sector_colors(rooms);
  const SectorPalette palette = colors == nullptr ? SectorPalette() : SectorPalette(*colors);
  TMapIndex own;
  if (shown.index == nullptr) own.Build(rooms);
  DrawLevelParams shadow = shown;
  shadow.index = shown.index == nullptr ? &own : shown.index;
  shadow.level = wrap_add(shown.level, -1);
  shadow.off_x = wrap_add(shown.off_x, 3);
  shadow.off_y = wrap_add(shown.off_y, 3);
  shadow.greyed = true;
  DrawLevel(rooms, canvas, shadow, palette);
  DrawLevelParams level = shown;
  level.index = shadow.index;
  level.greyed = false;
  DrawLevel(rooms, canvas, level, palette);
}

Color LabelColor(Color background) {
  const int luminance = 299 * background.r + 587 * background.g + 114 * background.b;
  return luminance >= 128 * 1000 ? colors::kBlack : colors::kWhite;
}

Size MapPixelSize(const TAreaRooms& rooms, int32_t zoom) {
  const auto extent = [zoom](int32_t max_cell) {
    const int64_t pixels = (int64_t{max_cell} + 2) * 4 * std::max(zoom, 0);
    return static_cast<int32_t>(std::clamp<int64_t>(pixels, 0, INT32_MAX));
  };
  return Size{extent(rooms.MaxX), extent(rooms.MaxY)};
}

}  // namespace tavro

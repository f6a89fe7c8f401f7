#pragma once
// Small polygons rendered once by a QPainter and then copied into images at whole-pixel positions. A map
// frame draws thousands of identical exit arrowheads, and the painter's set-up for each one costs far more
// than the few pixels it fills. A polygon whose vertices are whole pixels covers the same pixels wherever
// it is moved by whole pixels, as long as no clip cuts it, so the copy is the painter's own drawing.
#include <QColor>
#include <QPainter>
#include <QPen>
#include <QRect>
#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <unordered_map>
#include <vector>

#include "area/Canvas.h"

namespace tavro::ui {

// The one-pixel pen the canvas outlines with.
QPen canvas_pen(const QColor& color);

// Draws a polygon with the painter's pen and brush the way the canvas does; stamps are made by this same
// call.
void paint_polygon(QPainter& painter, std::span<const Point> points);

class ShapeStamps {
 public:
  static constexpr size_t kMaxPoints = 4;
  static constexpr int32_t kMaxExtent = 64;  // wider or taller shapes are left to the painter
  static constexpr int32_t kMargin = 3;      // around the vertices: the painter must not clip there

  // One horizontal run of pixels, relative to the polygon's first vertex.
  struct Run {
    int32_t dx = 0;
    int32_t dy = 0;
    int32_t length = 0;
    bool outline = false;  // in the pen colour, else in the brush colour
  };

  struct Stamp {
    QRect reach;  // relative to the first vertex: the vertices' bounds and the margin
    std::vector<Run> runs;
  };

  // The stamp of a non-antialiased polygon, made on first use; nullptr when the shape is not stamped
  // (too many points, too large, or its drawing is not plain pen and brush pixels).
  const Stamp* find(std::span<const Point> points);

 private:
  struct Key {
    std::array<Point, kMaxPoints - 1> offsets{};  // of the other vertices from the first
    size_t count = 0;
    friend bool operator==(const Key&, const Key&) = default;
  };
  struct KeyHash {
    size_t operator()(const Key& key) const;
  };

  static std::optional<Stamp> make(std::span<const Point> points, const QRect& bounds);

  std::unordered_map<Key, std::optional<Stamp>, KeyHash> stamps_;  // nodes stay where they are
  struct Recent {
    Key key;
    const std::optional<Stamp>* stamp = nullptr;
  };
  std::array<Recent, 8> recent_{};
  size_t next_recent_ = 0;
};

}  // namespace tavro::ui

#pragma once
// A Canvas that records every call with the colours in force, for checking drawings call by call.
#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

#include "area/Canvas.h"

namespace tavro::test {

struct DrawCall {
  std::string op;  // "frame", "fill", "rectangle", "polyline", "polygon", "text"
  Color pen;
  Color brush;
  std::vector<Point> points;  // rectangles as their two corners
  std::string text;
  friend bool operator==(const DrawCall&, const DrawCall&) = default;

  // Smallest rectangle holding every point (corners inclusive).
  Rect bounds() const {
    Rect r{points[0].x, points[0].y, points[0].x, points[0].y};
    for (const Point& p : points) {
      r.left = std::min(r.left, p.x);
      r.top = std::min(r.top, p.y);
      r.right = std::max(r.right, p.x);
      r.bottom = std::max(r.bottom, p.y);
    }
    return r;
  }
};

inline std::ostream& operator<<(std::ostream& out, const Color& c) {
  return out << "rgb(" << int{c.r} << "," << int{c.g} << "," << int{c.b} << ")";
}

inline std::ostream& operator<<(std::ostream& out, const Point& p) {
  return out << "(" << p.x << "," << p.y << ")";
}

inline std::ostream& operator<<(std::ostream& out, const DrawCall& call) {
  out << call.op << " pen " << call.pen << " brush " << call.brush;
  for (const Point& p : call.points)
    out << " " << p;
  return out;
}

class RecordingCanvas : public Canvas {
 public:
  std::vector<DrawCall> calls;

  void set_pen_color(Color color) override { pen_ = color; }
  void set_brush_color(Color color) override { brush_ = color; }
  void frame_rect(const Rect& r) override { add("frame", {{r.left, r.top}, {r.right, r.bottom}}); }
  void fill_rect(const Rect& r) override { add("fill", {{r.left, r.top}, {r.right, r.bottom}}); }
  void rectangle(const Rect& r) override { add("rectangle", {{r.left, r.top}, {r.right, r.bottom}}); }
  void polyline(std::span<const Point> points) override { add("polyline", {points.begin(), points.end()}); }
  void polygon(std::span<const Point> points) override { add("polygon", {points.begin(), points.end()}); }
  void text_out(int32_t x, int32_t y, std::string_view text) override {
    add("text", {{x, y}});
    calls.back().text = std::string(text);
  }
  Size text_extent(std::string_view text) override { return Size{static_cast<int32_t>(8 * text.size()), 16}; }

  std::vector<DrawCall> of(const std::string& op) const {
    std::vector<DrawCall> found;
    std::copy_if(calls.begin(), calls.end(), std::back_inserter(found),
                 [&](const DrawCall& c) { return c.op == op; });
    return found;
  }

 private:
  void add(const char* op, std::vector<Point> points) {
    calls.push_back(DrawCall{op, pen_, brush_, std::move(points), {}});
  }
  Color pen_;
  Color brush_;
};

}  // namespace tavro::test

#include "ui/common/ShapeStamps.h"

#include <QBrush>
#include <QImage>
#include <QPoint>
#include <QVarLengthArray>
#include <algorithm>
#include <cstdlib>

namespace tavro::ui {

namespace {

// Marks that tell which of the two drawings left a pixel of a stamp.
constexpr QRgb kBrushMark = 0xFFFF0000u;
constexpr QRgb kOutlineMark = 0xFF0000FFu;

// The vertices' bounds relative to the first vertex; nothing when the shape is too large to stamp.
std::optional<QRect> relative_bounds(std::span<const Point> points) {
  int64_t left = 0, top = 0, right = 0, bottom = 0;
  for (const Point& point : points) {
    const int64_t dx = int64_t{point.x} - points.front().x;
    const int64_t dy = int64_t{point.y} - points.front().y;
    left = std::min(left, dx);
    top = std::min(top, dy);
    right = std::max(right, dx);
    bottom = std::max(bottom, dy);
  }
  if (right - left > ShapeStamps::kMaxExtent || bottom - top > ShapeStamps::kMaxExtent) return std::nullopt;
  return QRect(QPoint(static_cast<int>(left), static_cast<int>(top)),
               QPoint(static_cast<int>(right), static_cast<int>(bottom)));
}

// The runs of one row of a rendered stamp; false when a pixel is neither untouched nor a plain mark.
bool collect_runs(const QRgb* row, int width, int dx, int dy, std::vector<ShapeStamps::Run>& runs) {
  for (int x = 0; x < width;) {
    const QRgb mark = row[x];
    int end = x + 1;
    while (end < width && row[end] == mark)
      ++end;
    if (mark == kBrushMark || mark == kOutlineMark)
      runs.push_back(ShapeStamps::Run{dx + x, dy, end - x, mark == kOutlineMark});
    else if (mark != 0)
      return false;
    x = end;
  }
  return true;
}

// True when the painter left a pixel on the outermost ring of the image: the margin did not hold it all.
bool touches_border(const QImage& image) {
  const int last_x = image.width() - 1;
  const int last_y = image.height() - 1;
  for (int y = 0; y <= last_y; ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    if (row[0] != 0 || row[last_x] != 0) return true;
    if ((y == 0 || y == last_y) && std::any_of(row, row + last_x + 1, [](QRgb pixel) { return pixel != 0; }))
      return true;
  }
  return false;
}

}  // namespace

QPen canvas_pen(const QColor& color) {
  QPen pen(color, 0);
  pen.setCapStyle(Qt::SquareCap);
  return pen;
}

void paint_polygon(QPainter& painter, std::span<const Point> points) {
  QVarLengthArray<QPoint, 8> shape;
  shape.reserve(static_cast<qsizetype>(points.size()));
  for (const Point& point : points)
    shape.append(QPoint(point.x, point.y));
  if (shape.size() == 3)  // a triangle is convex, which the painter fills faster
    painter.drawConvexPolygon(shape.constData(), 3);
  else
    painter.drawPolygon(shape.constData(), static_cast<int>(shape.size()));
}

size_t ShapeStamps::KeyHash::operator()(const Key& key) const {
  size_t hash = key.count;
  for (const Point& offset : key.offsets)
    hash = hash * 1000003u ^ (static_cast<uint32_t>(offset.x) * 131u + static_cast<uint32_t>(offset.y));
  return hash;
}

const ShapeStamps::Stamp* ShapeStamps::find(std::span<const Point> points) {
  if (points.empty() || points.size() > kMaxPoints) return nullptr;
  const std::optional<QRect> bounds = relative_bounds(points);
  if (!bounds) return nullptr;
  Key key;
  key.count = points.size();
  for (size_t i = 1; i < points.size(); ++i)
    key.offsets[i - 1] = Point{points[i].x - points[0].x, points[i].y - points[0].y};
  // A map draws the same few arrowheads over and over: the last shapes are compared before any hashing.
  for (const Recent& recent : recent_)
    if (recent.stamp != nullptr && recent.key == key)
      return recent.stamp->has_value() ? &**recent.stamp : nullptr;
  auto found = stamps_.find(key);
  if (found == stamps_.end()) found = stamps_.emplace(key, make(points, *bounds)).first;
  recent_[next_recent_] = Recent{key, &found->second};
  next_recent_ = (next_recent_ + 1) % recent_.size();
  return found->second ? &*found->second : nullptr;
}

std::optional<ShapeStamps::Stamp> ShapeStamps::make(std::span<const Point> points, const QRect& bounds) {
  Stamp stamp;
  stamp.reach = bounds.adjusted(-kMargin, -kMargin, kMargin, kMargin);
  QImage image(stamp.reach.size(), QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  {
    // The first vertex goes where the reach puts it; every vertex stays a whole pixel.
    std::array<Point, kMaxPoints> placed;
    for (size_t i = 0; i < points.size(); ++i)
      placed[i] = Point{points[i].x - points[0].x - stamp.reach.left(),
                        points[i].y - points[0].y - stamp.reach.top()};
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(canvas_pen(QColor::fromRgba(kOutlineMark)));
    painter.setBrush(QBrush(QColor::fromRgba(kBrushMark), Qt::SolidPattern));
    paint_polygon(painter, std::span<const Point>(placed.data(), points.size()));
  }
  if (touches_border(image)) return std::nullopt;
  for (int y = 0; y < image.height(); ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    if (!collect_runs(row, image.width(), stamp.reach.left(), stamp.reach.top() + y, stamp.runs))
      return std::nullopt;
  }
  return stamp;
}

}  // namespace tavro::ui

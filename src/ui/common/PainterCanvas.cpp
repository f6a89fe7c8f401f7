#include "ui/common/PainterCanvas.h"

#include <QFontMetrics>
#include <QImage>
#include <QPaintEngine>
#include <QPoint>
#include <QRect>
#include <QRegion>
#include <QVarLengthArray>
#include <algorithm>

#include "ui/common/TextConversion.h"

namespace tavro::ui {

namespace {

bool is_empty(const Rect& rect) {
  return rect.right <= rect.left || rect.bottom <= rect.top;
}

// QPainter outlines a QRect one pixel wider and taller than it is; the canvas rectangles exclude their
// right and bottom edges, so the outline rectangle is one pixel smaller.
QRect outline_rect(const Rect& rect) {
  return QRect(rect.left, rect.top, rect.right - rect.left - 1, rect.bottom - rect.top - 1);
}

using QPoints = QVarLengthArray<QPoint, 8>;

QPoints to_qpoints(std::span<const Point> points) {
  QPoints result;
  result.reserve(static_cast<qsizetype>(points.size()));
  for (const Point& point : points)
    result.append(QPoint(point.x, point.y));
  return result;
}

uint32_t opaque_pixel(Color color) {
  return 0xFF000000u | (uint32_t{color.r} << 16) | (uint32_t{color.g} << 8) | color.b;
}

QPen make_tool(const QPen*, const QColor& color) {
  return canvas_pen(color);
}

QBrush make_tool(const QBrush*, const QColor& color) {
  return QBrush(color, Qt::SolidPattern);
}

}  // namespace

template <typename Tool>
const Tool& PainterCanvas::ToolOf<Tool>::in(Color wanted) {
  if (wanted != color) {
    color = wanted;
    tool = make_tool(&tool, to_qcolor(wanted));
  }
  return tool;
}

PainterCanvas::PainterCanvas(QPainter& painter, Pixels pixels)
    : painter_(painter),
      direct_(pixels == Pixels::Direct ? direct_target(painter) : DirectTarget{}),
      pen_{pen_color_, canvas_pen(to_qcolor(pen_color_))},
      frame_pen_{brush_color_, canvas_pen(to_qcolor(brush_color_))},
      brush_{brush_color_, QBrush(to_qcolor(brush_color_), Qt::SolidPattern)} {
  // The map is a pixel grid: smoothing would blur the one-pixel frames and lines.
  painter_.setRenderHint(QPainter::Antialiasing, false);
}

PainterCanvas::DirectTarget PainterCanvas::direct_target(QPainter& painter) {
  QPaintDevice* device = painter.device();
  QPaintEngine* engine = painter.paintEngine();
  if (device == nullptr || device->devType() != QInternal::Image || engine == nullptr ||
      engine->type() != QPaintEngine::Raster)
    return {};
  auto* image = static_cast<QImage*>(device);
  const QImage::Format format = image->format();
  if (format != QImage::Format_RGB32 && format != QImage::Format_ARGB32 &&
      format != QImage::Format_ARGB32_Premultiplied)
    return {};
  if (image->devicePixelRatio() != 1.0 || painter.opacity() != 1.0 ||
      painter.compositionMode() != QPainter::CompositionMode_SourceOver)
    return {};
  const QTransform transform = painter.deviceTransform();
  const int dx = static_cast<int>(transform.dx());
  const int dy = static_cast<int>(transform.dy());
  if (transform.type() > QTransform::TxTranslate || dx != transform.dx() || dy != transform.dy()) return {};
  QRect clip = image->rect();
  if (painter.hasClipping()) {
    const QRegion region = painter.clipRegion();
    if (region.rectCount() > 1) return {};
    clip &= region.boundingRect().translated(dx, dy);
  }
  return DirectTarget{image->bits(), image->bytesPerLine(), clip, image->rect(), dx, dy};
}

void PainterCanvas::fill_direct(int64_t left, int64_t top, int64_t right, int64_t bottom, Color color) {
  const QRect& clip = direct_.clip;
  const int64_t x0 = std::max<int64_t>(left + direct_.dx, clip.left());
  const int64_t x1 = std::min<int64_t>(right + direct_.dx, int64_t{clip.right()} + 1);
  const int64_t y0 = std::max<int64_t>(top + direct_.dy, clip.top());
  const int64_t y1 = std::min<int64_t>(bottom + direct_.dy, int64_t{clip.bottom()} + 1);
  if (x1 <= x0 || y1 <= y0) return;
  const uint32_t pixel = opaque_pixel(color);
  for (int64_t y = y0; y < y1; ++y) {
    auto* line = reinterpret_cast<uint32_t*>(direct_.bits + y * direct_.stride);
    std::fill(line + x0, line + x1, pixel);
  }
}

// The painter outlines rectangles that reach outside the image or are under three pixels across in its
// own way; only the others are written directly.
bool PainterCanvas::direct_frame_fits(const Rect& rect) const {
  if (direct_.bits == nullptr) return false;
  const QRect& bounds = direct_.bounds;
  return int64_t{rect.left} + direct_.dx >= bounds.left() && int64_t{rect.top} + direct_.dy >= bounds.top() &&
         int64_t{rect.right} + direct_.dx <= int64_t{bounds.right()} + 1 &&
         int64_t{rect.bottom} + direct_.dy <= int64_t{bounds.bottom()} + 1 &&
         int64_t{rect.right} - rect.left >= 3 && int64_t{rect.bottom} - rect.top >= 3;
}

bool PainterCanvas::polyline_direct(std::span<const Point> points) {
  for (size_t i = 0; i + 1 < points.size(); ++i) {
    const Point& a = points[i];
    const Point& b = points[i + 1];
    if ((a.x != b.x) == (a.y != b.y)) return false;  // slanted, or a single point
  }
  for (size_t i = 0; i + 1 < points.size(); ++i) {
    const Point& a = points[i];
    const Point& b = points[i + 1];
    fill_direct(std::min(a.x, b.x), std::min(a.y, b.y), int64_t{std::max(a.x, b.x)} + 1,
                int64_t{std::max(a.y, b.y)} + 1, pen_color_);
  }
  return true;
}

bool PainterCanvas::polygon_direct(std::span<const Point> points) {
  const ShapeStamps::Stamp* stamp = stamps_.find(points);
  if (stamp == nullptr) return false;
  const int64_t x = int64_t{points.front().x} + direct_.dx;
  const int64_t y = int64_t{points.front().y} + direct_.dy;
  const QRect& reach = stamp->reach;
  const QRect& clip = direct_.clip;
  if (x + reach.left() < clip.left() || x + reach.right() > clip.right() || y + reach.top() < clip.top() ||
      y + reach.bottom() > clip.bottom())
    return false;
  const uint32_t outline = opaque_pixel(pen_color_);
  const uint32_t fill = opaque_pixel(brush_color_);
  for (const ShapeStamps::Run& run : stamp->runs) {
    auto* line = reinterpret_cast<uint32_t*>(direct_.bits + (y + run.dy) * direct_.stride);
    std::fill_n(line + x + run.dx, run.length, run.outline ? outline : fill);
  }
  return true;
}

QColor PainterCanvas::to_qcolor(Color color) {
  return QColor(color.r, color.g, color.b);
}

void PainterCanvas::set_pen_color(Color color) {
  pen_color_ = color;
}

void PainterCanvas::set_brush_color(Color color) {
  brush_color_ = color;
}

void PainterCanvas::use(const QPen& pen, const QBrush& brush) {
  if (painter_.pen() != pen) painter_.setPen(pen);
  if (painter_.brush() != brush) painter_.setBrush(brush);
}

void PainterCanvas::frame_rect(const Rect& rect) {
  if (is_empty(rect)) return;
  if (direct_frame_fits(rect)) {
    const Color color = brush_color_;
    fill_direct(rect.left, rect.top, rect.right, rect.top + 1, color);
    fill_direct(rect.left, rect.bottom - 1, rect.right, rect.bottom, color);
    fill_direct(rect.left, rect.top + 1, rect.left + 1, rect.bottom - 1, color);
    fill_direct(rect.right - 1, rect.top + 1, rect.right, rect.bottom - 1, color);
    return;
  }
  use(frame_pen(), no_brush_);
  painter_.drawRect(outline_rect(rect));
}

void PainterCanvas::fill_rect(const Rect& rect) {
  if (is_empty(rect)) return;
  if (direct_.bits != nullptr) return fill_direct(rect.left, rect.top, rect.right, rect.bottom, brush_color_);
  painter_.fillRect(QRect(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top), brush());
}

// Two solid fills give the same pixels as an outlined, filled rectangle and take the painter's fastest path.
void PainterCanvas::rectangle(const Rect& rect) {
  if (is_empty(rect)) return;
  if (direct_.bits != nullptr) {
    fill_direct(rect.left, rect.top, rect.right, rect.bottom, pen_color_);
    if (int64_t{rect.right} - rect.left > 2 && int64_t{rect.bottom} - rect.top > 2)
      fill_direct(rect.left + 1, rect.top + 1, rect.right - 1, rect.bottom - 1, brush_color_);
    return;
  }
  const QRect outer(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
  painter_.fillRect(outer, to_qcolor(pen_color_));
  if (outer.width() > 2 && outer.height() > 2)
    painter_.fillRect(outer.adjusted(1, 1, -1, -1), to_qcolor(brush_color_));
}

void PainterCanvas::polyline(std::span<const Point> points) {
  if (points.size() < 2) return;
  if (direct_.bits != nullptr && polyline_direct(points)) return;
  const QPoints line = to_qpoints(points);
  use(pen(), painter_.brush());
  painter_.drawPolyline(line.constData(), static_cast<int>(line.size()));
}

void PainterCanvas::polygon(std::span<const Point> points) {
  if (points.empty()) return;
  if (direct_.bits != nullptr && polygon_direct(points)) return;
  use(pen(), brush());
  paint_polygon(painter_, points);
}

void PainterCanvas::text_out(int32_t x, int32_t y, std::string_view text) {
  const QString shown = from_cp1251(text);
  const QFontMetrics metrics = painter_.fontMetrics();
  painter_.fillRect(QRect(x, y, metrics.horizontalAdvance(shown), metrics.height()), brush());
  use(pen(), painter_.brush());
  painter_.drawText(QPoint(x, y + metrics.ascent()), shown);
}

Size PainterCanvas::text_extent(std::string_view text) {
  const QFontMetrics metrics = painter_.fontMetrics();
  return Size{metrics.horizontalAdvance(from_cp1251(text)), metrics.height()};
}

}  // namespace tavro::ui

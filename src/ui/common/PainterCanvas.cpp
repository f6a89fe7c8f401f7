#include "ui/common/PainterCanvas.h"

#include <QFontMetrics>
#include <QPoint>
#include <QRect>
#include <QVarLengthArray>

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

QPen cosmetic_pen(const QColor& color) {
  QPen pen(color, 0);
  pen.setCapStyle(Qt::SquareCap);
  return pen;
}

}  // namespace

PainterCanvas::PainterCanvas(QPainter& painter)
    : painter_(painter),
      pen_(cosmetic_pen(Qt::black)),
      frame_pen_(cosmetic_pen(Qt::white)),
      brush_(Qt::white, Qt::SolidPattern) {
  // The map is a pixel grid: smoothing would blur the one-pixel frames and lines.
  painter_.setRenderHint(QPainter::Antialiasing, false);
}

QColor PainterCanvas::to_qcolor(Color color) {
  return QColor(color.r, color.g, color.b);
}

void PainterCanvas::set_pen_color(Color color) {
  if (color == pen_color_) return;
  pen_color_ = color;
  pen_ = cosmetic_pen(to_qcolor(color));
}

void PainterCanvas::set_brush_color(Color color) {
  if (color == brush_color_) return;
  brush_color_ = color;
  brush_ = QBrush(to_qcolor(color), Qt::SolidPattern);
  frame_pen_ = cosmetic_pen(to_qcolor(color));
}

void PainterCanvas::use(const QPen& pen, const QBrush& brush) {
  if (painter_.pen() != pen) painter_.setPen(pen);
  if (painter_.brush() != brush) painter_.setBrush(brush);
}

void PainterCanvas::frame_rect(const Rect& rect) {
  if (is_empty(rect)) return;
  use(frame_pen_, no_brush_);
  painter_.drawRect(outline_rect(rect));
}

void PainterCanvas::fill_rect(const Rect& rect) {
  if (is_empty(rect)) return;
  painter_.fillRect(QRect(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top), brush_);
}

// Two solid fills give the same pixels as an outlined, filled rectangle and take the painter's fastest path.
void PainterCanvas::rectangle(const Rect& rect) {
  if (is_empty(rect)) return;
  const QRect outer(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
  painter_.fillRect(outer, pen_.color());
  if (outer.width() > 2 && outer.height() > 2)
    painter_.fillRect(outer.adjusted(1, 1, -1, -1), brush_.color());
}

void PainterCanvas::polyline(std::span<const Point> points) {
  if (points.size() < 2) return;
  const QPoints line = to_qpoints(points);
  use(pen_, painter_.brush());
  painter_.drawPolyline(line.constData(), static_cast<int>(line.size()));
}

void PainterCanvas::polygon(std::span<const Point> points) {
  if (points.empty()) return;
  const QPoints shape = to_qpoints(points);
  use(pen_, brush_);
  if (shape.size() == 3)  // a triangle is convex, which the painter fills faster
    painter_.drawConvexPolygon(shape.constData(), 3);
  else
    painter_.drawPolygon(shape.constData(), static_cast<int>(shape.size()));
}

void PainterCanvas::text_out(int32_t x, int32_t y, std::string_view text) {
  const QString shown = from_cp1251(text);
  const QFontMetrics metrics = painter_.fontMetrics();
  painter_.fillRect(QRect(x, y, metrics.horizontalAdvance(shown), metrics.height()), brush_);
  use(pen_, painter_.brush());
  painter_.drawText(QPoint(x, y + metrics.ascent()), shown);
}

Size PainterCanvas::text_extent(std::string_view text) {
  const QFontMetrics metrics = painter_.fontMetrics();
  return Size{metrics.horizontalAdvance(from_cp1251(text)), metrics.height()};
}

}  // namespace tavro::ui

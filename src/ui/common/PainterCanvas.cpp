#include "ui/common/PainterCanvas.h"

#include <QFontMetrics>
#include <QPoint>
#include <QPolygon>
#include <QRect>

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

QPolygon to_polygon(std::span<const Point> points) {
  QPolygon polygon;
  polygon.reserve(static_cast<qsizetype>(points.size()));
  for (const Point& point : points)
    polygon.append(QPoint(point.x, point.y));
  return polygon;
}

}  // namespace

PainterCanvas::PainterCanvas(QPainter& painter) : painter_(painter), pen_(Qt::black), brush_(Qt::white) {
  // The map is a pixel grid: smoothing would blur the one-pixel frames and lines.
  painter_.setRenderHint(QPainter::Antialiasing, false);
}

QColor PainterCanvas::to_qcolor(Color color) {
  return QColor(color.r, color.g, color.b);
}

void PainterCanvas::set_pen_color(Color color) {
  pen_ = to_qcolor(color);
}

void PainterCanvas::set_brush_color(Color color) {
  brush_ = to_qcolor(color);
}

void PainterCanvas::frame_rect(const Rect& rect) {
  if (is_empty(rect)) return;
  painter_.setPen(QPen(brush_, 0));
  painter_.setBrush(Qt::NoBrush);
  painter_.drawRect(outline_rect(rect));
}

void PainterCanvas::fill_rect(const Rect& rect) {
  if (is_empty(rect)) return;
  painter_.fillRect(QRect(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top), brush_);
}

void PainterCanvas::rectangle(const Rect& rect) {
  if (is_empty(rect)) return;
  painter_.setPen(QPen(pen_, 0));
  painter_.setBrush(brush_);
  painter_.drawRect(outline_rect(rect));
}

void PainterCanvas::polyline(std::span<const Point> points) {
  if (points.size() < 2) return;
  painter_.setPen(QPen(pen_, 0));
  painter_.drawPolyline(to_polygon(points));
}

void PainterCanvas::polygon(std::span<const Point> points) {
  if (points.empty()) return;
  painter_.setPen(QPen(pen_, 0));
  painter_.setBrush(brush_);
  painter_.drawPolygon(to_polygon(points));
}

void PainterCanvas::text_out(int32_t x, int32_t y, std::string_view text) {
  const QString shown = from_cp1251(text);
  const QFontMetrics metrics = painter_.fontMetrics();
  painter_.fillRect(QRect(x, y, metrics.horizontalAdvance(shown), metrics.height()), brush_);
  painter_.setPen(QPen(pen_, 0));
  painter_.drawText(QPoint(x, y + metrics.ascent()), shown);
}

Size PainterCanvas::text_extent(std::string_view text) {
  const QFontMetrics metrics = painter_.fontMetrics();
  return Size{metrics.horizontalAdvance(from_cp1251(text)), metrics.height()};
}

}  // namespace tavro::ui

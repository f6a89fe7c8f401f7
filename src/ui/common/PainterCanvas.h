#pragma once
// The Canvas of the core drawn with a QPainter: on the map widget, into a QImage or an SVG generator.
#include <QBrush>
#include <QPainter>
#include <QPen>

#include "area/Canvas.h"

namespace tavro::ui {

class PainterCanvas : public Canvas {
 public:
  // painter is not owned and must be active for the lifetime of the canvas. The painter's own pen and
  // brush may be changed between calls; the canvas sets what it needs before each drawing.
  explicit PainterCanvas(QPainter& painter);

  void set_pen_color(Color color) override;
  void set_brush_color(Color color) override;
  void frame_rect(const Rect& rect) override;
  void fill_rect(const Rect& rect) override;
  void rectangle(const Rect& rect) override;
  void polyline(std::span<const Point> points) override;
  void polygon(std::span<const Point> points) override;
  void text_out(int32_t x, int32_t y, std::string_view text) override;
  Size text_extent(std::string_view text) override;

  static QColor to_qcolor(Color color);

 private:
  // Pens and brushes are kept as objects so that re-applying an unchanged one costs a pointer compare.
  void use(const QPen& pen, const QBrush& brush);

  QPainter& painter_;
  Color pen_color_ = colors::kBlack;
  Color brush_color_ = colors::kWhite;
  QPen pen_;        // lines and outlines
  QPen frame_pen_;  // frames are drawn in the brush colour
  QBrush brush_;
  QBrush no_brush_{Qt::NoBrush};
};

}  // namespace tavro::ui

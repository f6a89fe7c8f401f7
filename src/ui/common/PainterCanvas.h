#pragma once
// The Canvas of the core drawn with a QPainter: on the map widget, into a QImage or an SVG generator.
#include <QPainter>

#include "area/Canvas.h"

namespace tavro::ui {

class PainterCanvas : public Canvas {
 public:
  // painter is not owned and must be active for the lifetime of the canvas.
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
  QPainter& painter_;
  QColor pen_;
  QColor brush_;
};

}  // namespace tavro::ui

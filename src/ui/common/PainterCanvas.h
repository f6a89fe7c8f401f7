#pragma once
// The Canvas of the core drawn with a QPainter: on the map widget, into a QImage or an SVG generator.
#include <QBrush>
#include <QPainter>
#include <QPen>
#include <QRect>

#include "area/Canvas.h"
#include "ui/common/ShapeStamps.h"

namespace tavro::ui {

class PainterCanvas : public Canvas {
 public:
  // How solid shapes reach the pixels. Direct writes axis-aligned shapes into the scanlines of a 32-bit
  // image when the painter allows it (raster engine, whole-pixel translation, one clip rectangle), and
  // copies small polygons from stamps the painter drew once; it falls back to the painter otherwise.
  // PainterOnly always goes through the painter.
  enum class Pixels { Direct, PainterOnly };

  // painter is not owned and must be active for the lifetime of the canvas. The painter's own pen and
  // brush may be changed between calls; the canvas sets what it needs before each drawing. Its clip,
  // transform and render hints are read or set once here and must not change while the canvas is used.
  explicit PainterCanvas(QPainter& painter, Pixels pixels = Pixels::Direct);

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
  // A pen or brush of one colour, built only when the painter is to use it: most shapes never reach the
  // painter, while the colours change for nearly every one. Kept as an object so that re-applying an
  // unchanged one costs a pointer compare.
  template <typename Tool>
  struct ToolOf {
    Color color;
    Tool tool;
    const Tool& in(Color wanted);
  };

  void use(const QPen& pen, const QBrush& brush);
  const QPen& pen() { return pen_.in(pen_color_); }
  const QPen& frame_pen() { return frame_pen_.in(brush_color_); }
  const QBrush& brush() { return brush_.in(brush_color_); }

  // The image the painter draws on when shapes may be written into it directly.
  struct DirectTarget {
    uchar* bits = nullptr;  // nullptr: draw everything through the painter
    qsizetype stride = 0;
    QRect clip;    // device pixels that may be written
    QRect bounds;  // the whole image
    int dx = 0;    // logical to device offset
    int dy = 0;
  };
  static DirectTarget direct_target(QPainter& painter);
  // Fills the rectangle [left, right) x [top, bottom) in logical coordinates with an opaque colour.
  void fill_direct(int64_t left, int64_t top, int64_t right, int64_t bottom, Color color);
  bool direct_frame_fits(const Rect& rect) const;
  // One-pixel horizontal and vertical segments, both ends included; false (nothing drawn) when a
  // segment is slanted or empty.
  bool polyline_direct(std::span<const Point> points);
  // A polygon copied from its stamp; false (nothing drawn) when it has none or a clip may cut it.
  bool polygon_direct(std::span<const Point> points);

  QPainter& painter_;
  DirectTarget direct_;
  Color pen_color_ = colors::kBlack;
  Color brush_color_ = colors::kWhite;
  ToolOf<QPen> pen_;        // lines and outlines
  ToolOf<QPen> frame_pen_;  // frames are drawn in the brush colour
  ToolOf<QBrush> brush_;
  QBrush no_brush_{Qt::NoBrush};
  ShapeStamps stamps_;
};

}  // namespace tavro::ui

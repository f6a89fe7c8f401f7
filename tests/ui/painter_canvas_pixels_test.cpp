// Shapes written straight into an image's scanlines must give exactly the pixels the painter gives:
// random rectangles, frames, lines and polygons, clipped, translated and partly outside the image,
// polygons of every orientation swept across the edges of the image and of the clip, and whole maps.
#include <QImage>
#include <QPainter>
#include <QtTest>
#include <algorithm>
#include <functional>
#include <random>
#include <vector>

#include "area/MapDrawing.h"
#include "area/Rooms.h"
#include "ui/common/PainterCanvas.h"

namespace tavro::ui {

namespace {

using Setup = std::function<void(QPainter&)>;
using Drawing = std::function<void(Canvas&)>;

constexpr QSize kSmallImage(64, 48);

void render(QImage& image, const Setup& setup, const Drawing& drawing, PainterCanvas::Pixels pixels) {
  image.fill(Qt::black);
  QPainter painter(&image);
  setup(painter);
  PainterCanvas canvas(painter, pixels);
  drawing(canvas);
}

// The first pixel where the two ways differ, as text; empty when the images are the same.
QString first_difference(const QImage& direct, const QImage& painted) {
  for (int y = 0; y < direct.height(); ++y)
    for (int x = 0; x < direct.width(); ++x)
      if (direct.pixel(x, y) != painted.pixel(x, y))
        return QString::asprintf("(%d, %d): %08x instead of %08x", x, y, direct.pixel(x, y),
                                 painted.pixel(x, y));
  return {};
}

void compare_ways(QImage::Format format, const Setup& setup, const Drawing& drawing,
                  const QString& what = QString(), QSize size = kSmallImage) {
  // Kept from one comparison to the next: thousands of fresh images cost more than the drawing in them.
  static QImage direct, painted;
  if (direct.size() != size || direct.format() != format) {
    direct = QImage(size, format);
    painted = QImage(size, format);
  }
  render(direct, setup, drawing, PainterCanvas::Pixels::Direct);
  render(painted, setup, drawing, PainterCanvas::Pixels::PainterOnly);
  if (direct != painted) QFAIL(qPrintable(what + QStringLiteral(": ") + first_difference(direct, painted)));
}

// Shapes of every small size and some large ones, many outside the image on one side.
enum ShapeKind { kFill, kFrame, kRectangle, kStraightLines, kSlantedLine, kPolygon, kKindCount };

// One to five points around (x, y), no more than reach pixels away in each direction: triangles and
// quadrilaterals of every orientation and vertex order, degenerate ones, and some too large or with too
// many points to be stamped.
std::vector<Point> random_polygon(std::mt19937& random, int32_t x, int32_t y, int32_t reach) {
  std::uniform_int_distribution<int32_t> offset(-reach, reach);
  std::uniform_int_distribution<int> count(1, 5);
  std::vector<Point> points(static_cast<size_t>(count(random) == 1 ? count(random) : 3));
  for (Point& point : points)
    point = Point{x + offset(random), y + offset(random)};
  return points;
}

// Shapes of one kind, or of every kind mixed when kind is kKindCount.
Drawing random_shapes(unsigned seed, int kind_wanted = kKindCount) {
  return [seed, kind_wanted](Canvas& canvas) {
    std::mt19937 random(seed);
    std::uniform_int_distribution<int32_t> place(-20, 80);
    std::uniform_int_distribution<int32_t> extent(0, 7);
    std::uniform_int_distribution<int32_t> kind(0, kKindCount - 1);
    std::uniform_int_distribution<int> channel(0, 255);
    const auto color = [&] {
      return Color{uint8_t(channel(random)), uint8_t(channel(random)), uint8_t(channel(random))};
    };
    for (int i = 0; i < 300; ++i) {
      canvas.set_pen_color(color());
      canvas.set_brush_color(color());
      const int32_t x = place(random), y = place(random);
      const int32_t w = i % 10 == 0 ? 40 : extent(random), h = i % 10 == 0 ? 30 : extent(random);
      const Rect rect{x, y, x + w, y + h};
      const int drawn = kind(random);
      if (kind_wanted != kKindCount && drawn != kind_wanted) continue;
      if (drawn == kFill) {
        canvas.fill_rect(rect);
      } else if (drawn == kFrame) {
        canvas.frame_rect(rect);
      } else if (drawn == kRectangle) {
        canvas.rectangle(rect);
      } else if (drawn == kStraightLines) {
        // An exit line: straight, with zero-length pieces when the step is 0.
        const int32_t step = extent(random) / 3;
        canvas.polyline(
            std::array<Point, 4>{Point{x, y}, Point{x + step, y}, Point{x + w - step, y}, Point{x + w, y}});
        canvas.polyline(std::array<Point, 3>{Point{x, y}, Point{x, y + h}, Point{x + w, y + h}});
      } else if (drawn == kSlantedLine) {
        canvas.polyline(std::array<Point, 2>{Point{x, y}, Point{x + w, y + h}});
      } else {
        canvas.polygon(random_polygon(random, x, y, i % 10 == 0 ? 40 : w));
      }
    }
  };
}

// A triangle with its tip at the origin pointing along unit: the base lies length behind the tip and
// reaches half to each side. The shape of the straight arrowheads.
std::vector<Point> pointed_triangle(Point unit, int32_t length, int32_t half) {
  const Point base{-length * unit.x, -length * unit.y};
  const Point across{-unit.y * half, unit.x * half};
  return {Point{base.x + across.x, base.y + across.y}, Point{0, 0},
          Point{base.x - across.x, base.y - across.y}};
}

// A right triangle with its right angle at the origin and legs of leg pixels towards the quadrant: the
// shape of the diagonal arrowheads.
std::vector<Point> corner_triangle(Point quadrant, int32_t leg) {
  return {Point{quadrant.x * leg, 0}, Point{0, 0}, Point{0, quadrant.y * leg}};
}

std::vector<Point> diamond(int32_t radius) {
  return {Point{-radius, 0}, Point{0, -radius}, Point{radius, 0}, Point{0, radius}};
}

// Every orientation at many sizes, in both vertex orders.
std::vector<std::vector<Point>> swept_shapes() {
  const std::array<Point, 8> units = {{{0, -1}, {1, -1}, {1, 0}, {1, 1}, {0, 1}, {-1, 1}, {-1, 0}, {-1, -1}}};
  const std::array<int32_t, 11> sizes = {1, 2, 3, 4, 5, 6, 7, 9, 13, 20, 27};
  std::vector<std::vector<Point>> shapes;
  for (const int32_t size : sizes) {
    for (const Point& unit : units) {
      shapes.push_back(pointed_triangle(unit, size, size));
      shapes.push_back(pointed_triangle(unit, size, std::max(1, size / 3)));
      if (unit.x != 0 && unit.y != 0) shapes.push_back(corner_triangle(unit, size));
    }
    shapes.push_back(diamond(size));
  }
  const size_t one_order = shapes.size();
  for (size_t i = 0; i < one_order; ++i)
    shapes.emplace_back(shapes[i].rbegin(), shapes[i].rend());
  return shapes;
}

QRect bounds_of(const std::vector<Point>& shape) {
  QRect bounds(QPoint(shape[0].x, shape[0].y), QSize(1, 1));
  for (const Point& point : shape)
    bounds |= QRect(QPoint(point.x, point.y), QSize(1, 1));
  return bounds;
}

// How far a shape moves across an edge of the frame: from lying wholly outside it to well inside.
int32_t entering_steps(const std::vector<Point>& shape) {
  const QRect bounds = bounds_of(shape);
  return std::max(bounds.width(), bounds.height()) + 12;
}

// Copies of one shape crossing each edge of the frame and its lower right corner, step pixels in from
// where they lay wholly outside, the pen and the brush in different colours.
Drawing shape_entering(const std::vector<Point>& shape, const QRect& frame, int32_t step) {
  return [shape, frame, step](Canvas& canvas) {
    const QRect bounds = bounds_of(shape);
    const int32_t w = bounds.width(), h = bounds.height();
    const int32_t outside_left = frame.left() - w - 5 + step;
    const int32_t outside_top = frame.top() - h - 5 + step;
    const int32_t outside_right = frame.right() + 6 - step;  // where the left of the bounds goes
    const int32_t outside_bottom = frame.bottom() + 6 - step;
    const int32_t middle_x = frame.center().x() - w / 2;
    const int32_t middle_y = frame.center().y() - h / 2;
    canvas.set_pen_color(Color{200, 30, 40});
    canvas.set_brush_color(Color{20, 90, 210});
    for (const QPoint& place :
         {QPoint(outside_left, middle_y), QPoint(outside_right, middle_y), QPoint(middle_x, outside_top),
          QPoint(middle_x, outside_bottom), QPoint(outside_right, outside_bottom)}) {
      std::vector<Point> moved = shape;
      for (Point& point : moved)
        point = Point{point.x + place.x() - bounds.left(), point.y + place.y() - bounds.top()};
      canvas.polygon(moved);
    }
  };
}

std::unique_ptr<TAreaRooms> grid_of_rooms(int32_t side) {
  auto rooms = std::make_unique<TAreaRooms>(nullptr);
  const auto vnum = [side](int32_t x, int32_t y) { return 1 + y * side + x; };
  for (int32_t y = 0; y < side; ++y)
    for (int32_t x = 0; x < side; ++x) {
      TAreaRoom& room = rooms->Add();
      room.Vnum = vnum(x, y);
      room.X = x;
      room.Y = y;
      room.Level = (x + y) % 3 == 0 ? -1 : 0;
      room.Sector = (x * 7 + y) % 5;
      if (x + 1 < side) room.EnsureDoor(DIR_EAST).ToVnum = vnum(x + 1, y);
      if (y + 1 < side) room.EnsureDoor(DIR_SOUTH).ToVnum = vnum(x, y + 1);
      if (x + 1 < side && y + 1 < side) room.EnsureDoor(DIR_SOUTHEAST).ToVnum = vnum(x + 1, y + 1);
      if (x % 4 == 0) room.EnsureDoor(DIR_UP).ToVnum = vnum(x, y);
      if (x % 4 == 1) room.EnsureDoor(DIR_DOWN).ToVnum = vnum(x, y);
      if (x % 5 == 2) room.EnsureDoor(DIR_SOMEWHERE).ToVnum = vnum(x, y);
      if (x > 0) room.EnsureDoor(DIR_WEST).ToVnum = vnum(x - 1, y);
      if (y > 0) room.EnsureDoor(DIR_NORTH).ToVnum = vnum(x, y - 1);
      if (y % 2 == 0 && x > 0 && y > 0) room.EnsureDoor(DIR_NORTHWEST).ToVnum = vnum(x - 1, y - 1);
      if (y % 2 == 1 && x + 1 < side && y > 0) room.EnsureDoor(DIR_NORTHEAST).ToVnum = vnum(x + 1, y - 1);
      if (x % 3 == 0 && x > 0 && y + 1 < side) room.EnsureDoor(DIR_SOUTHWEST).ToVnum = vnum(x - 1, y + 1);
      if ((x + y) % 6 == 0) room.EnsureDoor(DIR_EAST).Flags = EX_ISDOOR | EX_CLOSED;
    }
  return rooms;
}

}  // namespace

class PainterCanvasPixelsTest : public QObject {
  Q_OBJECT

 private slots:
  void directShapesMatchThePainter_data() {
    QTest::addColumn<int>("format");
    QTest::addColumn<int>("state");
    const char* states[] = {"plain", "clipped", "translated", "clipped and translated"};
    for (const QImage::Format format : {QImage::Format_RGB32, QImage::Format_ARGB32_Premultiplied,
                                        QImage::Format_ARGB32, QImage::Format_RGB16})
      for (int state = 0; state < 4; ++state)
        QTest::addRow("format %d, %s", int(format), states[state]) << int(format) << state;
  }

  void directShapesMatchThePainter() {
    QFETCH(int, format);
    QFETCH(int, state);
    const Setup setup = [state](QPainter& painter) {
      if (state & 2) painter.translate(-7, 5);
      if (state & 1) painter.setClipRect(QRect(5, 3, 41, 29));
    };
    for (int kind = 0; kind <= kKindCount; ++kind)
      for (unsigned seed = 1; seed <= 20; ++seed)
        compare_ways(static_cast<QImage::Format>(format), setup, random_shapes(seed, kind),
                     QStringLiteral("kind %1, seed %2").arg(kind).arg(seed));
  }

  // A clip of two rectangles cannot be written directly; the painter must still draw it right.
  void complexClipFallsBackToThePainter() {
    const Setup setup = [](QPainter& painter) {
      painter.setClipRegion(QRegion(2, 2, 20, 20) + QRegion(30, 10, 20, 30));
    };
    compare_ways(QImage::Format_RGB32, setup, random_shapes(99));
  }

  // Each shape crosses the edges of the image, or of a clip, one pixel at a time: where it may be cut it
  // must be left to the painter, and wherever it is copied the copy must be exact.
  void polygonsCrossingEdgesMatchThePainter_data() {
    QTest::addColumn<int>("state");
    QTest::newRow("plain") << 0;
    QTest::newRow("translated") << 1;
    QTest::newRow("clipped and translated") << 2;
  }

  void polygonsCrossingEdgesMatchThePainter() {
    QFETCH(int, state);
    const QSize size(176, 144);  // large enough to keep the copies apart
    const QPoint shift(-7, 5);
    const QRect clip(20, 15, 136, 114);
    const Setup setup = [&](QPainter& painter) {
      if (state >= 1) painter.translate(shift);
      if (state == 2) painter.setClipRect(clip);
    };
    const QRect frame = state == 0 ? QRect(QPoint(), size) : state == 1 ? QRect(-shift, size) : clip;
    const std::vector<std::vector<Point>> shapes = swept_shapes();
    for (size_t i = 0; i < shapes.size(); ++i)
      for (int32_t step = 0; step <= entering_steps(shapes[i]); ++step)
        compare_ways(QImage::Format_RGB32, setup, shape_entering(shapes[i], frame, step),
                     QStringLiteral("shape %1, step %2").arg(i).arg(step), size);
  }

  // Moving a shape finds the same stamp; a new vertex order is a new shape to the painter's outline;
  // shapes the copy cannot promise to reproduce get none and are left to the painter.
  void stampsAreSharedOnlyByTheSameShape() {
    ShapeStamps stamps;
    const std::vector<Point> arrow = {Point{10, 20}, Point{12, 25}, Point{14, 20}};
    const ShapeStamps::Stamp* stamp = stamps.find(arrow);
    QVERIFY(stamp != nullptr);
    QVERIFY(!stamp->runs.empty());
    const std::vector<Point> moved = {Point{-310, 7}, Point{-308, 12}, Point{-306, 7}};
    QCOMPARE(stamps.find(moved), stamp);
    const std::vector<Point> reversed(arrow.rbegin(), arrow.rend());
    QVERIFY(stamps.find(reversed) != stamp);

    const int32_t most = ShapeStamps::kMaxExtent;
    const std::vector<Point> largest = {Point{0, 0}, Point{most, most / 2}, Point{0, most}};
    QVERIFY(stamps.find(largest) != nullptr);
    const std::vector<Point> too_wide = {Point{0, 0}, Point{most + 1, 1}, Point{0, 2}};
    QCOMPARE(stamps.find(too_wide), nullptr);
    const std::vector<Point> far_apart = {Point{INT32_MIN, 0}, Point{INT32_MAX, 0}, Point{0, 1}};
    QCOMPARE(stamps.find(far_apart), nullptr);
    const std::vector<Point> pentagon = {Point{0, 0}, Point{4, 0}, Point{5, 3}, Point{2, 5}, Point{-1, 3}};
    QCOMPARE(stamps.find(pentagon), nullptr);
    QCOMPARE(stamps.find({}), nullptr);
  }

  void mapLevelsMatchThePainter_data() {
    QTest::addColumn<int>("zoom");
    for (const int zoom : {1, 2, 3, 4, 5, 6, 7, 8, 10, 12, 15, 20, 30, 40, 60})
      QTest::addRow("zoom %d", zoom) << zoom;
  }

  // The map at several scrolls, so that rooms, lines and arrowheads are cut by every edge.
  void mapLevelsMatchThePainter() {
    QFETCH(int, zoom);
    const auto rooms = grid_of_rooms(12);
    const QSize size(160, 120);
    const Rect view{0, 0, size.width(), size.height()};
    for (const int32_t scroll : {-3, 2, 4 * zoom + 5, 9 * zoom - 1}) {
      const Drawing map = [&](Canvas& canvas) {
        PaintMap(*rooms, canvas, 0, 5, zoom, scroll, scroll / 2, &view);
      };
      compare_ways(
          QImage::Format_RGB32, [](QPainter&) {}, map, QStringLiteral("scroll %1").arg(scroll), size);
    }
  }
};

}  // namespace tavro::ui

QTEST_MAIN(tavro::ui::PainterCanvasPixelsTest)
#include "painter_canvas_pixels_test.moc"

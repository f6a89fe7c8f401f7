// Shapes written straight into an image's scanlines must give exactly the pixels the painter gives:
// random rectangles, frames and lines, clipped, translated and partly outside the image, and a whole map.
#include <QImage>
#include <QPainter>
#include <QtTest>
#include <functional>
#include <random>

#include "area/MapDrawing.h"
#include "area/Rooms.h"
#include "ui/common/PainterCanvas.h"

namespace tavro::ui {

namespace {

using Setup = std::function<void(QPainter&)>;
using Drawing = std::function<void(Canvas&)>;

QImage render(QImage::Format format, const Setup& setup, const Drawing& drawing,
              PainterCanvas::Pixels pixels) {
  QImage image(64, 48, format);
  image.fill(Qt::black);
  QPainter painter(&image);
  setup(painter);
  PainterCanvas canvas(painter, pixels);
  drawing(canvas);
  painter.end();
  return image;
}

// The first pixel where the two ways differ, as text; empty when the images are the same.
QString first_difference(const QImage& direct, const QImage& painted) {
  for (int y = 0; y < direct.height(); ++y)
    for (int x = 0; x < direct.width(); ++x)
      if (direct.pixel(x, y) != painted.pixel(x, y))
        return QStringLiteral("(%1, %2): %3 instead of %4")
            .arg(x)
            .arg(y)
            .arg(direct.pixel(x, y), 8, 16)
            .arg(painted.pixel(x, y), 8, 16);
  return {};
}

void compare_ways(QImage::Format format, const Setup& setup, const Drawing& drawing,
                  const QString& what = QString()) {
  const QImage direct = render(format, setup, drawing, PainterCanvas::Pixels::Direct);
  const QImage painted = render(format, setup, drawing, PainterCanvas::Pixels::PainterOnly);
  const QString difference = first_difference(direct, painted);
  QVERIFY2(difference.isEmpty(), qPrintable(what + QStringLiteral(": ") + difference));
}

// Shapes of every small size and some large ones, many outside the image on one side.
enum ShapeKind { kFill, kFrame, kRectangle, kStraightLines, kSlantedLine, kKindCount };

// Shapes of one kind, or of every kind mixed when kind is kKindCount.
Drawing random_shapes(unsigned seed, int kind_wanted = kKindCount) {
  return [seed, kind_wanted](Canvas& canvas) {
    std::mt19937 random(seed);
    std::uniform_int_distribution<int32_t> place(-20, 80);
    std::uniform_int_distribution<int32_t> extent(0, 7);
    std::uniform_int_distribution<int32_t> kind(0, 4);
    std::uniform_int_distribution<int> channel(0, 255);
    for (int i = 0; i < 300; ++i) {
      const auto color = [&] {
        return Color{static_cast<uint8_t>(channel(random)), static_cast<uint8_t>(channel(random)),
                     static_cast<uint8_t>(channel(random))};
      };
      canvas.set_pen_color(color());
      canvas.set_brush_color(color());
      const int32_t x = place(random), y = place(random);
      const int32_t w = i % 10 == 0 ? 40 : extent(random), h = i % 10 == 0 ? 30 : extent(random);
      const Rect rect{x, y, x + w, y + h};
      const int drawn = kind(random);
      if (kind_wanted != kKindCount && drawn != kind_wanted) continue;
      switch (drawn) {
        case kFill:
          canvas.fill_rect(rect);
          break;
        case kFrame:
          canvas.frame_rect(rect);
          break;
        case kRectangle:
          canvas.rectangle(rect);
          break;
        case kStraightLines: {  // an exit line: straight, with zero-length pieces when the step is 0
          const int32_t step = extent(random) / 3;
          const std::array<Point, 4> line = {Point{x, y}, Point{x + step, y}, Point{x + w - step, y},
                                             Point{x + w, y}};
          canvas.polyline(line);
          const std::array<Point, 3> bend = {Point{x, y}, Point{x, y + h}, Point{x + w, y + h}};
          canvas.polyline(bend);
          break;
        }
        default: {
          const std::array<Point, 2> slanted = {Point{x, y}, Point{x + w, y + h}};
          canvas.polyline(slanted);
        }
      }
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
      if (x > 0) room.EnsureDoor(DIR_WEST).ToVnum = vnum(x - 1, y);
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
    const QList<QImage::Format> formats = {QImage::Format_RGB32, QImage::Format_ARGB32_Premultiplied,
                                           QImage::Format_ARGB32, QImage::Format_RGB16};
    const QStringList states = {QStringLiteral("plain"), QStringLiteral("clipped"),
                                QStringLiteral("translated"), QStringLiteral("clipped and translated")};
    for (const QImage::Format format : formats)
      for (int state = 0; state < states.size(); ++state)
        QTest::addRow("format %d, %s", int(format), qPrintable(states[state])) << int(format) << state;
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

  void mapLevelsMatchThePainter_data() {
    QTest::addColumn<int>("zoom");
    QTest::newRow("zoom 1") << 1;
    QTest::newRow("zoom 3") << 3;
    QTest::newRow("zoom 5") << 5;
    QTest::newRow("zoom 10") << 10;
  }

  void mapLevelsMatchThePainter() {
    QFETCH(int, zoom);
    const auto rooms = grid_of_rooms(12);
    const Rect view{0, 0, 64, 48};
    const Drawing map = [&](Canvas& canvas) { PaintMap(*rooms, canvas, 0, 5, zoom, 2, 3, &view); };
    compare_ways(
        QImage::Format_RGB32, [](QPainter&) {}, map);
  }
};

}  // namespace tavro::ui

QTEST_MAIN(tavro::ui::PainterCanvasPixelsTest)
#include "painter_canvas_pixels_test.moc"

// The QPainter canvas: pixel coverage of its rectangles and shapes, and a drawn map level whose pixels
// inside a view are the same with and without culling to that view.
#include <QImage>
#include <QPainter>
#include <QtTest>
#include <random>

#include "area/MapDrawing.h"
#include "area/Rooms.h"
#include "ui/common/PainterCanvas.h"

namespace tavro::ui {

class MapCanvasTest : public QObject {
  Q_OBJECT

 private:
  static QImage blank(int width = 40, int height = 40) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::black);
    return image;
  }
  static QRgb rgb(Color c) { return qRgb(c.r, c.g, c.b); }

 private slots:
  void rectangleCoversLeftTopButNotRightBottom() {
    QImage image = blank();
    {
      QPainter painter(&image);
      PainterCanvas canvas(painter);
      canvas.set_pen_color(colors::kWhite);
      canvas.set_brush_color(colors::kRed);
      canvas.rectangle(Rect{10, 10, 20, 20});
    }
    QCOMPARE(image.pixel(10, 10), rgb(colors::kWhite));
    QCOMPARE(image.pixel(19, 19), rgb(colors::kWhite));
    QCOMPARE(image.pixel(19, 15), rgb(colors::kWhite));
    QCOMPARE(image.pixel(15, 15), rgb(colors::kRed));
    QCOMPARE(image.pixel(11, 18), rgb(colors::kRed));
    QCOMPARE(image.pixel(20, 20), rgb(colors::kBlack));
    QCOMPARE(image.pixel(20, 15), rgb(colors::kBlack));
    QCOMPARE(image.pixel(9, 9), rgb(colors::kBlack));
  }

  void frameUsesTheBrushAndFillHasNoOutline() {
    QImage image = blank();
    {
      QPainter painter(&image);
      PainterCanvas canvas(painter);
      canvas.set_pen_color(colors::kRed);
      canvas.set_brush_color(colors::kBlue);
      canvas.frame_rect(Rect{2, 2, 8, 8});
      canvas.set_brush_color(colors::kLime);
      canvas.fill_rect(Rect{20, 20, 25, 25});
      canvas.frame_rect(Rect{30, 30, 30, 35});  // empty: nothing
    }
    QCOMPARE(image.pixel(2, 2), rgb(colors::kBlue));
    QCOMPARE(image.pixel(7, 7), rgb(colors::kBlue));
    QCOMPARE(image.pixel(4, 4), rgb(colors::kBlack));
    QCOMPARE(image.pixel(8, 8), rgb(colors::kBlack));
    QCOMPARE(image.pixel(20, 20), rgb(colors::kLime));
    QCOMPARE(image.pixel(24, 24), rgb(colors::kLime));
    QCOMPARE(image.pixel(25, 25), rgb(colors::kBlack));
    QCOMPARE(image.pixel(30, 30), rgb(colors::kBlack));
  }

  void polylineAndPolygonUseThePenAndBrush() {
    QImage image = blank();
    {
      QPainter painter(&image);
      PainterCanvas canvas(painter);
      canvas.set_pen_color(colors::kGreen);
      const Point line[] = {{1, 1}, {10, 1}, {10, 5}};
      canvas.polyline(line);
      canvas.set_pen_color(colors::kRed);
      canvas.set_brush_color(colors::kBlue);
      const Point triangle[] = {{20, 20}, {36, 20}, {20, 36}};
      canvas.polygon(triangle);
    }
    QCOMPARE(image.pixel(5, 1), rgb(colors::kGreen));
    QCOMPARE(image.pixel(10, 3), rgb(colors::kGreen));
    QCOMPARE(image.pixel(5, 3), rgb(colors::kBlack));
    QCOMPARE(image.pixel(20, 20), rgb(colors::kRed));
    QCOMPARE(image.pixel(23, 23), rgb(colors::kBlue));
    QCOMPARE(image.pixel(35, 35), rgb(colors::kBlack));
  }

  void culledLevelHasTheSamePixelsInTheView() {
    TAreaRooms rooms(nullptr);
    std::mt19937 random(11);
    constexpr int32_t kSide = 40;
    for (int32_t i = 0; i < kSide * kSide; ++i) {
      TAreaRoom& room = rooms.Add();
      room.Vnum = i + 1;
      room.X = 1 + i % kSide;
      room.Y = 1 + i / kSide;
      room.Level = i % 9 == 0 ? -1 : 0;
      room.Sector = i % 3;
    }
    for (int32_t e = 0; e < 4000; ++e) {
      const int32_t from = static_cast<int32_t>(random() % rooms.Items.size());
      const int32_t to =
          e % 25 == 0 ? static_cast<int32_t>(random() % rooms.Items.size())
                      : std::clamp(from + static_cast<int32_t>(random() % 83) - 41, 0, kSide * kSide - 1);
      TAreaDoor& door = rooms.Items[from]->EnsureDoor(static_cast<int32_t>(random() % DirectionCount));
      door.ToVnum = to + 1;
      door.Flags = random() % 8;
    }
    const Rect view{250, 180, 730, 540};
    const auto render = [&](const Rect* visible) {
      QImage image(1700, 1700, QImage::Format_RGB32);
      image.fill(Qt::white);
      QPainter painter(&image);
      PainterCanvas canvas(painter);
      PaintMap(rooms, canvas, 0, 77, 10, 13, 29, visible);
      painter.end();
      return image.copy(view.left, view.top, view.right - view.left, view.bottom - view.top);
    };
    const QImage full = render(nullptr);
    const QImage culled = render(&view);
    QCOMPARE(culled, full);
  }
};

}  // namespace tavro::ui

QTEST_MAIN(tavro::ui::MapCanvasTest)
#include "map_canvas_test.moc"

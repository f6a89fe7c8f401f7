// Layout and drawing costs on large areas: a square grid with exits both ways, a long corridor and a tangle,
// laid out and drawn onto a null canvas and into a 1920 x 1080 image, at 1,000, 10,000 and 100,000 rooms;
// rooms made from the map in a 100,000-room area.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cmath>
#include <random>

#include "area/Changes.h"
#include "area/Layout.h"
#include "area/MapDrawing.h"
#include "area/MapEditing.h"
#include "area/Rooms.h"
#include "area/SpatialIndex.h"
#include "ui/common/PainterCanvas.h"

namespace tavro {
namespace {

constexpr int32_t kZoom = 10;
const Rect kView{0, 0, 1920, 1080};

// side x side rooms, each joined to its four neighbours both ways.
std::unique_ptr<TAreaRooms> make_grid(int32_t side) {
  auto rooms = std::make_unique<TAreaRooms>(nullptr);
  const auto vnum = [side](int32_t x, int32_t y) { return 1 + y * side + x; };
  for (int32_t y = 0; y < side; ++y)
    for (int32_t x = 0; x < side; ++x) {
      TAreaRoom& room = rooms->Add();
      room.Vnum = vnum(x, y);
      room.Sector = (x + y) % 4;
      if (y > 0) room.EnsureDoor(DIR_NORTH).ToVnum = vnum(x, y - 1);
      if (x + 1 < side) room.EnsureDoor(DIR_EAST).ToVnum = vnum(x + 1, y);
      if (y + 1 < side) room.EnsureDoor(DIR_SOUTH).ToVnum = vnum(x, y + 1);
      if (x > 0) room.EnsureDoor(DIR_WEST).ToVnum = vnum(x - 1, y);
    }
  return rooms;
}

std::unique_ptr<TAreaRooms> make_corridor(int32_t length) {
  auto rooms = std::make_unique<TAreaRooms>(nullptr);
  for (int32_t v = 1; v <= length; ++v) {
    TAreaRoom& room = rooms->Add();
    room.Vnum = v;
    if (v < length) room.EnsureDoor(DIR_EAST).ToVnum = v + 1;
    if (v > 1) room.EnsureDoor(DIR_WEST).ToVnum = v - 1;
  }
  return rooms;
}

int32_t side_for(int64_t rooms) {
  return static_cast<int32_t>(std::lround(std::sqrt(static_cast<double>(rooms))));
}

class NullCanvas : public Canvas {
 public:
  int64_t calls = 0;
  void set_pen_color(Color) override {}
  void set_brush_color(Color) override {}
  void frame_rect(const Rect&) override { ++calls; }
  void fill_rect(const Rect&) override { ++calls; }
  void rectangle(const Rect&) override { ++calls; }
  void polyline(std::span<const Point>) override { ++calls; }
  void polygon(std::span<const Point>) override { ++calls; }
  void text_out(int32_t, int32_t, std::string_view) override { ++calls; }
  Size text_extent(std::string_view) override { return {}; }
};

const SectorPalette& palette() {
  static const SectorPalette p(std::vector<std::string>{"0=8421376", "1=32768", "2=16776960", "3=12632256"});
  return p;
}

void BM_LayoutGrid(benchmark::State& state) {
  auto rooms = make_grid(side_for(state.range(0)));
  for (auto _ : state) {
    AutoLayout(*rooms);
    benchmark::DoNotOptimize(rooms->MaxX);
  }
  state.counters["rooms"] = static_cast<double>(rooms->Items.size());
}
BENCHMARK(BM_LayoutGrid)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_LayoutCorridor(benchmark::State& state) {
  auto rooms = make_corridor(static_cast<int32_t>(state.range(0)));
  for (auto _ : state) {
    AutoLayout(*rooms);
    benchmark::DoNotOptimize(rooms->MaxX);
  }
}
BENCHMARK(BM_LayoutCorridor)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// Exits in random directions to random rooms: the layout keeps colliding and pushing.
std::unique_ptr<TAreaRooms> make_tangle(int32_t count) {
  auto rooms = std::make_unique<TAreaRooms>(nullptr);
  std::mt19937 random(7);
  for (int32_t v = 1; v <= count; ++v)
    rooms->Add().Vnum = v;
  for (int32_t v = 1; v <= count; ++v)
    for (int32_t e = 0; e < 3; ++e)
      rooms->Items[v - 1]->EnsureDoor(static_cast<int32_t>(random() % 10)).ToVnum =
          1 + static_cast<int32_t>(random() % count);
  return rooms;
}

void BM_LayoutTangled(benchmark::State& state) {
  auto rooms = make_tangle(static_cast<int32_t>(state.range(0)));
  for (auto _ : state) {
    AutoLayout(*rooms);
    benchmark::DoNotOptimize(rooms->MaxX);
  }
}
BENCHMARK(BM_LayoutTangled)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// Making a room from the map in a laid-out area of range(0) rooms, layout and index included: a corridor
// grows east from a room on the edge of a grid (range(1) 0) or of a tangle (1). Counts the additions the
// remembered walk refused.
void BM_MakeLinkedRoom(benchmark::State& state) {
  auto rooms =
      state.range(1) == 0 ? make_grid(side_for(state.range(0))) : make_tangle(int32_t(state.range(0)));
  TRoomLayout layout;
  layout.LayOut(*rooms);
  TMapIndex index;
  index.Build(*rooms);
  // The room furthest east (and then north) of level 0 starts the corridor.
  int32_t from = 0;
  for (int32_t i = 0; i < int32_t(rooms->Items.size()); ++i) {
    const TAreaRoom& r = *rooms->Items[i];
    const TAreaRoom& best = *rooms->Items[from];
    if (!r.Unplaced && r.Level == 0 && (r.X > best.X || (r.X == best.X && r.Y < best.Y))) from = i;
  }
  int64_t refused = 0;
  for (auto _ : state) {
    TRoomCreation made = CreateLinkedRoom(*rooms, from, DIR_EAST, 0);
    if (layout.AddLinkedRoom(*rooms, from, DIR_EAST)) {
      index.AddLinkedRoom(*rooms, from);
    } else {
      ++refused;
      layout.LayOut(*rooms);
      index.Build(*rooms);
    }
    from = made.index;
  }
  state.counters["refused"] = static_cast<double>(refused);
}
BENCHMARK(BM_MakeLinkedRoom)->ArgsProduct({{100000}, {0, 1}})->Unit(benchmark::kMillisecond);

// range(1): 1 draws only what can touch a 1920 x 1080 view, 0 the whole level.
void BM_DrawLevelNull(benchmark::State& state) {
  auto rooms = make_grid(side_for(state.range(0)));
  AutoLayout(*rooms);
  DrawLevelParams params;
  params.cell_size = kZoom;
  params.selected = 5;
  if (state.range(1) != 0) params.visible = &kView;
  NullCanvas canvas;
  for (auto _ : state)
    DrawLevel(*rooms, canvas, params, palette());
  state.counters["calls/draw"] = static_cast<double>(canvas.calls) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_DrawLevelNull)->ArgsProduct({{1000, 10000, 100000}, {1, 0}})->Unit(benchmark::kMillisecond);

// What the map widget paints on a full-HD view through the index, at range(1) cells scrolled down and
// right, zoom range(2): the shadow level and the shown level with labels and exit marks, into an image
// (range(3) 1) or onto a null canvas, which leaves the core's own part.
void BM_PaintViewIndexed(benchmark::State& state) {
  auto rooms = make_grid(side_for(state.range(0)));
  AutoLayout(*rooms);
  TMapIndex index;
  index.Build(*rooms);
  QImage image(kView.right, kView.bottom, QImage::Format_RGB32);
  DrawLevelParams params;
  params.cell_size = static_cast<int32_t>(state.range(2));
  params.off_x = params.off_y = static_cast<int32_t>(state.range(1)) * 4 * params.cell_size;
  params.visible = &kView;
  params.index = &index;
  params.outside_exits = true;
  params.labels = true;
  NullCanvas null;
  for (auto _ : state) {
    if (state.range(3) == 0) {
      PaintMap(*rooms, null, params);
      continue;
    }
    image.fill(Qt::white);
    QPainter painter(&image);
    ui::PainterCanvas canvas(painter);
    PaintMap(*rooms, canvas, params);
  }
}
BENCHMARK(BM_PaintViewIndexed)
    ->ArgsProduct({{100000}, {0, 150}, {5, 10, 20, 40}, {1, 0}})
    ->Unit(benchmark::kMillisecond);

// What the map widget does on a repaint of a full-HD view: shadow level and shown level into an image.
void BM_DrawLevelImage(benchmark::State& state) {
  auto rooms = make_grid(side_for(state.range(0)));
  AutoLayout(*rooms);
  QImage image(kView.right, kView.bottom, QImage::Format_RGB32);
  for (auto _ : state) {
    image.fill(Qt::white);
    QPainter painter(&image);
    ui::PainterCanvas canvas(painter);
    DrawLevelParams params;
    params.cell_size = kZoom;
    params.visible = &kView;
    DrawLevel(*rooms, canvas, params, palette());
  }
}
BENCHMARK(BM_DrawLevelImage)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// The part of the above that is only the white background of the view.
void BM_ClearView(benchmark::State& state) {
  QImage image(kView.right, kView.bottom, QImage::Format_RGB32);
  for (auto _ : state) {
    image.fill(Qt::white);
    benchmark::DoNotOptimize(image.constBits());
  }
}
BENCHMARK(BM_ClearView)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tavro

int main(int argc, char** argv) {
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

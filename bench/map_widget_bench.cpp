// One frame of the map widget for a 100,000-room area at 1920 x 1080, rendered offscreen into an image: what
// every scroll, zoom or selection change costs the builder; and a room made from the map there.
#include <benchmark/benchmark.h>
#include <QApplication>
#include <QImage>
#include <QScrollBar>
#include <memory>

#include "area/Area.h"
#include "area/Directions.h"
#include "area/Rooms.h"
#include "support/QtBenchmarkMain.h"
#include "ui/main/MapWidget.h"
#include "world/Areas.h"
#include "world/World.h"

namespace {

constexpr int kSide = 320;  // two grids of 320 x 157: 100,480 rooms
constexpr int kWidth = 1920;
constexpr int kHeight = 1080;

// Two grids of 320 x 157 rooms, one on level 0 and one right under it on level -1 (so that the grey shadow
// covers the whole map too): rooms joined east-west along every row and north-south down the first
// column, a closed door on every fifth east exit, the two grids joined by an up/down exit.
std::unique_ptr<tavro::TWorld> make_world() {
  using namespace tavro;
  auto world = std::make_unique<TWorld>();
  for (int sector = 0; sector < 10; ++sector)
    world->SectorColors.push_back(std::to_string(sector) + "=" + std::to_string(0x203040 * (sector + 1)));
  world->Areas->Items.push_back(std::make_unique<TArea>(world->Areas.get()));
  TAreaRooms& rooms = *world->Areas->Items.back()->Rooms;
  constexpr int kRows = 157;
  const auto vnum_at = [](int grid, int row, int column) {
    return 1 + (grid * kRows + row) * kSide + column;
  };
  for (int grid = 0; grid < 2; ++grid) {
    for (int row = 0; row < kRows; ++row) {
      for (int column = 0; column < kSide; ++column) {
        TAreaRoom& room = rooms.Add();
        room.Vnum = vnum_at(grid, row, column);
        room.Sector = (row + column) % 10;
        if (column + 1 < kSide) {
          TAreaDoor& east = room.EnsureDoor(DIR_EAST);
          east.ToVnum = vnum_at(grid, row, column + 1);
          east.Flags = (column % 5 == 0) ? EX_ISDOOR | EX_CLOSED : 0;
        }
        if (column > 0) room.EnsureDoor(DIR_WEST).ToVnum = vnum_at(grid, row, column - 1);
        if (column == 0 && row + 1 < kRows) room.EnsureDoor(DIR_SOUTH).ToVnum = vnum_at(grid, row + 1, 0);
        if (column == 0 && row > 0) room.EnsureDoor(DIR_NORTH).ToVnum = vnum_at(grid, row - 1, 0);
      }
    }
  }
  rooms.Items.front()->EnsureDoor(DIR_DOWN).ToVnum = vnum_at(1, 0, 0);
  rooms.Items[157 * kSide]->EnsureDoor(DIR_UP).ToVnum = vnum_at(0, 0, 0);
  return world;
}

struct MapFixture {
  std::unique_ptr<tavro::TWorld> world = make_world();
  tavro::ui::TMapWidget map;
  QImage frame{kWidth, kHeight, QImage::Format_RGB32};

  MapFixture() {
    map.resize(kWidth, kHeight);
    map.SetRooms(world->Areas->Items.back()->Rooms.get());
    map.SelectRoom(kSide * 10 + 10);
    map.ensurePolished();
  }
};

MapFixture& fixture() {
  static MapFixture instance;
  return instance;
}

void paint_frames(benchmark::State& state, int zoom, int scroll) {
  MapFixture& f = fixture();
  f.map.Zoom = zoom;
  f.map.AreaPagesChange();
  f.map.horizontal_bar()->setValue(scroll);
  f.map.vertical_bar()->setValue(scroll);
  for (auto _ : state) {
    f.map.render(&f.frame);
    benchmark::DoNotOptimize(f.frame.constBits());
  }
  state.counters["rooms"] = static_cast<double>(f.world->Areas->Items.back()->Rooms->Items.size());
}

// Scrolling by one cell moves the painted pixels and paints only the strip that comes into view.
void paint_scroll_strip(benchmark::State& state, int zoom) {
  MapFixture& f = fixture();
  f.map.Zoom = zoom;
  f.map.horizontal_bar()->setValue(0);
  f.map.vertical_bar()->setValue(0);
  QWidget* box = f.map.paint_box();
  const int cell = 4 * zoom;
  const QRect strip(box->mapTo(&f.map, QPoint(box->width() - cell, 0)), QSize(cell, box->height()));
  for (auto _ : state) {
    f.map.render(&f.frame, strip.topLeft(), QRegion(strip));
    benchmark::DoNotOptimize(f.frame.constBits());
  }
}

// Zoom 5 shows the most rooms at once (about 96 x 54 cells); zoom 10 is the map's starting zoom. From
// zoom 160 on the arrowheads are too large for stamps and go through the painter.
BENCHMARK_CAPTURE(paint_frames, Zoom5, 5, 0)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(paint_scroll_strip, Zoom5, 5)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(paint_scroll_strip, Zoom10, 10)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(paint_frames, Zoom10, 10, 0)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(paint_frames, Zoom10_Scrolled, 10, 40)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(paint_frames, Zoom20, 20, 20)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(paint_frames, Zoom40, 40, 20)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(paint_frames, Zoom160, 160, 20)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(paint_frames, Zoom10_Far, 10, 150)->Unit(benchmark::kMillisecond);

// Ctrl+Right on the last room of the first row, again and again: a corridor grows east out of the grid,
// each new room laid out and indexed as a full layout would place it (the paint is measured above).
void make_linked_rooms(benchmark::State& state) {
  MapFixture& f = fixture();
  f.map.SelectRoom(kSide - 1);
  for (auto _ : state)
    f.map.CreateRoomTowards(tavro::DIR_EAST);
  state.counters["rooms"] = static_cast<double>(f.world->Areas->Items.back()->Rooms->Items.size());
}
BENCHMARK(make_linked_rooms)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  return tavro::bench::run_qt_benchmarks(argc, argv);
}

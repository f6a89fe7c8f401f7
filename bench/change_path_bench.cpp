// Edits of a 10,000-room area through the change path as the area window makes them: a linked room made
// from the map (the step pushed, the map laid out again), a room removal with its repairs taken back, and
// the memory a long history of map edits keeps.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <QApplication>
#include <QUndoStack>
#include <memory>

#include "area/Area.h"
#include "area/Changes.h"
#include "area/Layout.h"
#include "area/MapEditing.h"
#include "area/RoomRemoval.h"
#include "area/Rooms.h"
#include "support/QtBenchmarkMain.h"
#include "ui/common/WorldDocument.h"
#include "ui/main/MapWidget.h"
#include "world/Areas.h"
#include "world/World.h"

namespace {

using namespace tavro;
using namespace tavro::ui;

constexpr int kSide = 100;  // 100 x 100 rooms

// A grid of rooms joined east-west along every row and north-south down the first column.
std::unique_ptr<TWorld> make_world() {
  auto world = std::make_unique<TWorld>();
  world->Areas->Items.push_back(std::make_unique<TArea>(world->Areas.get()));
  TAreaRooms& rooms = *world->Areas->Items.back()->Rooms;
  const auto vnum_at = [](int row, int column) { return 1 + row * kSide + column; };
  for (int row = 0; row < kSide; ++row) {
    for (int column = 0; column < kSide; ++column) {
      TAreaRoom& room = rooms.Add();
      room.Vnum = vnum_at(row, column);
      if (column + 1 < kSide) room.EnsureDoor(DIR_EAST).ToVnum = vnum_at(row, column + 1);
      if (column > 0) room.EnsureDoor(DIR_WEST).ToVnum = vnum_at(row, column - 1);
      if (column == 0 && row + 1 < kSide) room.EnsureDoor(DIR_SOUTH).ToVnum = vnum_at(row + 1, 0);
      if (column == 0 && row > 0) room.EnsureDoor(DIR_NORTH).ToVnum = vnum_at(row - 1, 0);
    }
  }
  return world;
}

// The area window's part: the map's steps go on the stack, and the map follows the stack.
class Host : public TMapHost {
 public:
  explicit Host(TWorldDocument& document) : document_(document) {}
  void MapEdited(std::unique_ptr<TChange> change, const QString& text) override {
    document_.Push(std::move(change), text);
  }
  void ShowRoomInEditor(int32_t) override {}
  void ShowAreas(const std::vector<TArea*>&) override {}
  void ShowRoomsPage() override {}
  bool AnalyzeHotKeys(int, Qt::KeyboardModifiers) override { return false; }
  void ShowMapHelp() override {}
  std::optional<int32_t> ChooseSector(int32_t) override { return std::nullopt; }
  void OpenRoomInArea(TArea&, int32_t, bool) override {}

 private:
  TWorldDocument& document_;
};

struct Fixture {
  std::unique_ptr<TWorld> world = make_world();
  TArea& area = *world->Areas->Items.back();
  TWorldDocument document;
  Host host{document};
  TMapWidget map;

  Fixture() {
    map.resize(1920, 1080);
    map.SetHost(&host);
    map.SetRooms(area.Rooms.get());
    QObject::connect(&document, &TWorldDocument::AreaChanged, &map,
                     [this](TArea*, uint32_t scope) { map.RoomsChanged((scope & kRoomsLaidOut) != 0); });
  }
};

// A room of the middle row: its north slot is free.
constexpr int32_t kMiddleRoom = kSide * (kSide / 2) + kSide / 2;

void BM_MakeLinkedRoom(benchmark::State& state) {
  Fixture f;
  for (auto _ : state) {
    f.map.SelectRoom(kMiddleRoom);
    f.map.CreateRoomTowards(DIR_NORTH);
    state.PauseTiming();
    f.document.UndoStack()->undo();
    state.ResumeTiming();
  }
}

// The removal of a room that exits of its neighbours lead to, taken back, and the map laid out again.
void BM_UndoRoomRemoval(benchmark::State& state) {
  Fixture f;
  for (auto _ : state) {
    state.PauseTiming();
    f.document.Push(RemoveRoom(*f.area.Rooms, kMiddleRoom + 1, RemovalAnswer::Yes), QStringLiteral("Remove"));
    state.ResumeTiming();
    f.document.UndoStack()->undo();
    AutoLayout(*f.area.Rooms);
  }
}

size_t allocated_bytes() {
  return mallinfo2().uordblks;
}

// 1,000 map edits (rooms made, exits linked, rooms removed with repairs): what the history holds beyond
// the records the area itself keeps.
void BM_HistoryOfThousandEdits(benchmark::State& state) {
  for (auto _ : state) {
    Fixture f;
    TAreaRooms& rooms = *f.area.Rooms;
    for (int edit = 0; edit < 1000; ++edit) {
      const int32_t from = (edit * 37) % (kSide * kSide);
      switch (edit % 3) {
        case 0:
          f.document.Push(CreateLinkedRoom(rooms, from, DIR_UP, 0).change, QStringLiteral("Create"));
          break;
        case 1:
          f.document.Push(ChangeExit(*rooms.Items[static_cast<size_t>(from)], DIR_DOWN, 1),
                          QStringLiteral("Link"));
          break;
        default:
          f.document.Push(RemoveRoom(rooms, rooms.Items[static_cast<size_t>(from)]->Vnum, RemovalAnswer::Yes),
                          QStringLiteral("Remove"));
      }
    }
    const size_t with_history = allocated_bytes();
    f.document.UndoStack()->clear();
    state.counters["history_MB"] = static_cast<double>(with_history - allocated_bytes()) / 1e6;
  }
}

BENCHMARK(BM_MakeLinkedRoom)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UndoRoomRemoval)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HistoryOfThousandEdits)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

int main(int argc, char** argv) {
  return tavro::bench::run_qt_benchmarks(argc, argv);
}

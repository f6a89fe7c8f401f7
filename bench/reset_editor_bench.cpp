// The room's reset page on an area of 20,000 resets: the tree of a room and the grid of the whole list
// built and shown (a room of ten resets, and one of 400), and one reset command done and undone through
// the change path, with the tree and grid following both.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTreeWidget>
#include <QUndoStack>
#include <memory>

#include "area/Area.h"
#include "area/Changes.h"
#include "area/Mobiles.h"
#include "area/Objects.h"
#include "area/ResetEditing.h"
#include "area/Resets.h"
#include "area/Rooms.h"
#include "support/QtBenchmarkMain.h"
#include "ui/common/WorldDocument.h"
#include "ui/editors/RoomResetsPage.h"
#include "world/Areas.h"
#include "world/World.h"

namespace {

using namespace tavro;

constexpr int kRooms = 2000;
constexpr int kBusyRoom = kRooms / 2;
constexpr int kBusyGroups = 80;  // five resets each

void add_reset(TArea& area, char letter, int32_t arg1, int32_t arg3) {
  TAreaReset& reset = area.Resets->Add();
  reset.Command = letter;
  reset.Arg1 = arg1;
  reset.Arg3 = arg3;
}

// A mobile with a weapon and bread, and a chest with a coin inside: five resets.
void add_group(TArea& area, int32_t room, int32_t i) {
  add_reset(area, 'M', 1 + i % 100, room);
  add_reset(area, 'E', 1 + i % 100, 16);
  add_reset(area, 'G', 1 + (i + 1) % 100, 0);
  add_reset(area, 'O', 1 + (i + 2) % 100, room);
  add_reset(area, 'P', 1 + (i + 3) % 100, 0);
}

std::unique_ptr<TWorld> make_world() {
  auto world = std::make_unique<TWorld>();
  world->WearLocations = {"16=WIELD wielded"};
  TArea& area = *world->Areas->Items.emplace_back(std::make_unique<TArea>(world->Areas.get()));
  for (int32_t vnum = 1; vnum <= kRooms; ++vnum)
    area.Rooms->Add().Vnum = vnum;
  for (int32_t vnum = 1; vnum <= 100; ++vnum) {
    TAreaObject& object = area.Objects->Add();
    object.Vnum = vnum;
    object.ShortDescription = "object " + std::to_string(vnum);
    TAreaMobile& mobile = area.Mobiles->Add();
    mobile.Vnum = vnum;
    mobile.ShortDescription = "mobile " + std::to_string(vnum);
  }
  // 1,999 rooms of two groups and the busy room of 80: 20,390 resets.
  for (int32_t vnum = 1; vnum <= kRooms; ++vnum)
    for (int32_t i = 0; i < (vnum == kBusyRoom ? kBusyGroups : 2); ++i)
      add_group(area, vnum, i);
  return world;
}

struct Page {
  std::unique_ptr<TWorld> world = make_world();
  ui::TWorldDocument document;
  ui::TRoomResetsPage page;
  TArea& area = *world->Areas->Items[0];

  Page() {
    page.resize(900, 600);
    page.show();
    page.Bind(&area, &document);
  }
};

void ShowRoom(benchmark::State& state, int32_t room) {
  Page shown;
  for (auto _ : state) {
    shown.page.SetRoom(room);
    shown.page.FillResetGrid();
    QCoreApplication::processEvents();  // laid out and painted
  }
  state.counters["resets"] = static_cast<double>(shown.area.Resets->Items.size());
  state.counters["nodes"] = shown.page.tvResets->topLevelItemCount();
}

void BM_TreeAndGridOfARoom(benchmark::State& state) {
  ShowRoom(state, 7);
}

void BM_TreeAndGridOfABusyRoom(benchmark::State& state) {
  ShowRoom(state, kBusyRoom);
}

void BM_ResetInsertedAndUndone(benchmark::State& state) {
  Page shown;
  shown.page.SetRoom(7);
  TAreaReset hidden(shown.area.Resets.get());
  hidden.Command = 'H';
  for (auto _ : state) {
    shown.document.Push(InsertReset(shown.area, 40, hidden), QStringLiteral("Hide Object"));
    shown.document.UndoStack()->undo();
  }
}

BENCHMARK(BM_TreeAndGridOfARoom)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TreeAndGridOfABusyRoom)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ResetInsertedAndUndone)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  return tavro::bench::run_qt_benchmarks(argc, argv);
}

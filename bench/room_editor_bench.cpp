// The room editor on a 10,000-room area: selecting another room (the working copy taken, every page
// filled, the door of the selected direction shown) and the View text of a room whose resets put 200
// things there, in an area of 20,000 resets.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <memory>

#include "area/Area.h"
#include "area/Mobiles.h"
#include "area/Objects.h"
#include "area/Programs.h"
#include "area/Resets.h"
#include "area/Rooms.h"
#include "support/QtBenchmarkMain.h"
#include "ui/editors/RoomEditForm.h"
#include "world/Areas.h"
#include "world/World.h"

namespace {

using namespace tavro;

constexpr int kRooms = 10000;
constexpr int kResetsPerRoom = 2;
constexpr int kBusyRoom = kRooms / 2;
constexpr int kBusyResets = 200;

void add_lists(TWorld& world) {
  for (int i = 0; i < 16; ++i)
    world.SectorTypes.push_back("sector" + std::to_string(i));
  for (int bit = 0; bit < 32; ++bit) {
    world.RoomFlags.push_back(std::to_string(bit) + "=ROOM" + std::to_string(bit));
    world.ExitFlags.push_back(std::to_string(bit) + "=EXIT" + std::to_string(bit));
  }
  for (int i = 0; i < 20; ++i)
    world.PullTypes.push_back(std::to_string(i) + "=PULL" + std::to_string(i));
  world.ProgTypes = {"ACT_PROG", "SPEECH_PROG", "RAND_PROG", "GREET_PROG", "ENTRY_PROG"};
}

void add_room(TArea& area, int32_t vnum) {
  TAreaRoom& room = area.Rooms->Add();
  room.Vnum = vnum;
  room.Name = "Room " + std::to_string(vnum);
  room.Description = "A room of the benchmark, with a description of two lines.\r\nThe second line.\r\n";
  for (int32_t dir : {DIR_NORTH, DIR_EAST, DIR_SOUTH, DIR_WEST})
    room.EnsureDoor(dir).ToVnum = 1 + (vnum + dir) % kRooms;
  room.ExtraDescs.Add().Keyword = "sign";
  room.Progs->Add().ProgType = "SPEECH_PROG";
}

void add_reset(TArea& area, char letter, int32_t arg1, int32_t arg3) {
  TAreaReset& reset = area.Resets->Add();
  reset.Command = letter;
  reset.Arg1 = arg1;
  reset.Arg2 = 1;
  reset.Arg3 = arg3;
}

std::unique_ptr<TWorld> make_world() {
  auto world = std::make_unique<TWorld>();
  add_lists(*world);
  TArea& area = *world->Areas->Items.emplace_back(std::make_unique<TArea>(world->Areas.get()));
  for (int32_t vnum = 1; vnum <= kRooms; ++vnum)
    add_room(area, vnum);
  for (int32_t vnum = 1; vnum <= 100; ++vnum) {
    TAreaObject& object = area.Objects->Add();
    object.Vnum = vnum;
    object.LongDescription = "Object " + std::to_string(vnum) + " lies here.";
    TAreaMobile& mobile = area.Mobiles->Add();
    mobile.Vnum = vnum;
    mobile.LongDescription = "Mobile " + std::to_string(vnum) + " stands here.\r\n";
  }
  for (int32_t vnum = 1; vnum <= kRooms; ++vnum) {
    const int32_t count = vnum == kBusyRoom ? kBusyResets / 2 : kResetsPerRoom / 2;
    for (int32_t i = 0; i < count; ++i) {
      add_reset(area, 'O', 1 + i % 100, vnum);
      add_reset(area, 'M', 1 + i % 100, vnum);
    }
  }
  return world;
}

void BM_SelectAnotherRoom(benchmark::State& state) {
  const auto world = make_world();
  ui::TRoomEditForm form;
  form.CommonPanel->resize(1200, 800);
  form.BindArea(*world->Areas->Items[0]);
  int index = 0;
  for (auto _ : state) {
    index = (index + 997) % kRooms;
    form.SelectItem(index);
  }
  state.counters["rooms"] = form.entry_count();
}

void BM_ViewTextOf200Resets(benchmark::State& state) {
  const auto world = make_world();
  ui::TRoomEditForm form;
  form.BindArea(*world->Areas->Items[0]);
  form.SelectItem(kBusyRoom - 1);
  for (auto _ : state)
    benchmark::DoNotOptimize(form.ViewTextOfRoom());
  state.counters["resets"] = static_cast<double>(world->Areas->Items[0]->Resets->Items.size());
}

BENCHMARK(BM_SelectAnotherRoom)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ViewTextOf200Resets)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  return tavro::bench::run_qt_benchmarks(argc, argv);
}

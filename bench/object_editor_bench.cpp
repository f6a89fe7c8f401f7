// The object editor on a 10,000-object area of the sample world's lists: selecting another object in
// the list (its fields, value rows, flags, affects, extra descriptions and programs shown).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QListView>
#include <memory>

#include "area/Area.h"
#include "area/Objects.h"
#include "area/Programs.h"
#include "support/QtBenchmarkMain.h"
#include "support/SampleCopy.h"
#include "ui/editors/ObjectEditForm.h"
#include "world/Areas.h"
#include "world/World.h"

namespace {

using namespace tavro;

constexpr int kObjects = 10000;

// Objects of every item type in turn, each with flags, two affects, an extra description and a program.
void fill_objects(const TWorld& world, TArea& area) {
  const int types = static_cast<int>(world.ItemTypes.size());
  for (int i = 0; i < kObjects; ++i) {
    TAreaObject& object = area.Objects->Add();
    object.Vnum = 100000 + i;
    object.Name = "thing" + std::to_string(i);
    object.ShortDescription = "a thing " + std::to_string(i);
    object.LongDescription = "A thing lies here.";
    object.Description = "It is a thing.\r\nNothing more.";
    object.ItemType = i % types;
    object.WearFlags = 1u | (1u << (i % 16));
    object.ExtraFlags.set(i % 32);
    object.Values = {i, 2, 3, 1, 0, 0, 0};
    object.FurnitureFlags = 1u << (i % 8);
    for (int32_t location : {1, 18}) {
      TAreaAffect& affect = object.Affects.Add();
      affect.Location = location;
      affect.Modifier = i % 5;
    }
    TAreaExtraDesc& desc = object.ExtraDescs.Add();
    desc.Keyword = "thing";
    desc.Description = "A closer look.";
    TWorldProg& prog = object.Progs->Add();
    prog.ProgType = "ACT_PROG";
    prog.Arguments = "p pokes";
    prog.Body = "say ouch";
  }
}

void BM_SelectAnotherObject(benchmark::State& state) {
  static const bench::TSampleCopy sample("tavro_object_editor_bench_");
  TWorld world(sample.Root.string(), (sample.Root / "mud").string());
  TArea& area = *world.Areas->Items.emplace_back(std::make_unique<TArea>(world.Areas.get()));
  fill_objects(world, area);
  ui::TObjectEditForm form;
  form.resize(1200, 800);
  form.BindArea(area);
  form.show();
  QApplication::processEvents();
  int row = 0;
  for (auto _ : state) {
    row = (row + 4999) % kObjects;  // far apart, through every item type
    form.LBSearch->setCurrentIndex(form.Entries->index(row));
    QApplication::processEvents();  // laid out and painted
  }
  state.counters["objects"] = form.entry_count();
}

BENCHMARK(BM_SelectAnotherObject)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  return tavro::bench::run_qt_benchmarks(argc, argv);
}

// The mobile editor on a 10,000-mobile area of the sample world's lists: selecting another mobile in the
// list (its fields, choices, flag lists, programs and shops shown).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QListView>
#include <memory>

#include "area/Area.h"
#include "area/Mobiles.h"
#include "area/Programs.h"
#include "support/QtBenchmarkMain.h"
#include "support/SampleCopy.h"
#include "ui/editors/MobileEditForm.h"
#include "world/Areas.h"
#include "world/World.h"

namespace {

using namespace tavro;

constexpr int kMobiles = 10000;

// Simple and complex mobiles in turn, with flags, languages, a program, and every third one a shop.
void fill_mobiles(TArea& area) {
  for (int i = 0; i < kMobiles; ++i) {
    TAreaMobile& mobile = area.Mobiles->Add();
    mobile.Vnum = 100000 + i;
    mobile.Name = "mob" + std::to_string(i);
    mobile.ShortDescription = "a mob " + std::to_string(i);
    mobile.LongDescription = "A mob stands here.";
    mobile.Description = "It is a mob.\r\nNothing more.";
    mobile.Complex = i % 2 == 1;
    mobile.ActFlags.set(i % 32);
    mobile.AffectedBy.set(i % 20);
    mobile.Speaks = 3;
    mobile.Speaking = 1 << (i % 2);
    mobile.Special = i % 5 == 0 ? 1 : -1;
    TWorldProg& prog = mobile.Progs->Add();
    prog.ProgType = "GREET_PROG";
    prog.Arguments = "100";
    prog.Body = "say hello";
    mobile.SetHasShop(i % 3 == 0);
  }
}

void BM_SelectAnotherMobile(benchmark::State& state) {
  static const bench::TSampleCopy sample("tavro_mobile_editor_bench_");
  TWorld world(sample.Root.string(), (sample.Root / "mud").string());
  TArea& area = *world.Areas->Items.emplace_back(std::make_unique<TArea>(world.Areas.get()));
  fill_mobiles(area);
  ui::TMobileEditForm form;
  form.resize(1200, 800);
  form.BindArea(area);
  form.show();
  QApplication::processEvents();
  int row = 0;
  for (auto _ : state) {
    row = (row + 4999) % kMobiles;  // far apart, simple and complex, with and without a shop
    form.LBSearch->setCurrentIndex(form.Entries->index(row));
    QApplication::processEvents();  // laid out and painted
  }
  state.counters["mobiles"] = form.entry_count();
}

BENCHMARK(BM_SelectAnotherMobile)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  return tavro::bench::run_qt_benchmarks(argc, argv);
}

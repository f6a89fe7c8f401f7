// The editor's start on the bundled sample world, as a builder waits for it: the main window, the world
// (settings, lists, reference data, sector colours, areas list) and every area loaded behind the progress
// window, then the first area window opened with its map laid out.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <string>

#include "support/SampleCopy.h"
#include "ui/main/AreaManageForm.h"
#include "ui/main/MainForm.h"
#include "world/World.h"

namespace {

void BM_SampleWorldStart(benchmark::State& state) {
  static const tavro::bench::TSampleCopy sample("tavro_startup_bench_");
  const QString start = QString::fromStdString(sample.Root.string());
  QDir::setCurrent(start);
  for (auto _ : state) {
    tavro::ui::TMainForm form;
    form.StartUpOnShow = false;
    form.StartDir = start;
    form.show();
    if (!form.LoadWorld(QString::fromStdString((sample.Root / "mud").string()))) {
      state.SkipWithError("the sample world did not load");
      break;
    }
    benchmark::DoNotOptimize(form.open_area_window(0));
    QApplication::processEvents();
    state.counters["areas"] = static_cast<double>(form.World()->AreaNames.size());
  }
}
BENCHMARK(BM_SampleWorldStart)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  tavro::ui::TAreaManageForm::Install();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

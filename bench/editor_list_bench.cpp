// The list page of an editor on a 10,000-record area: binding the area (the list filled, the first record
// shown) and a keystroke in the search field (the first matching entry found, selected and shown).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLineEdit>
#include <memory>

#include "area/Area.h"
#include "area/Helps.h"
#include "support/QtBenchmarkMain.h"
#include "ui/editors/HelpEditForm.h"
#include "world/Areas.h"
#include "world/World.h"

namespace {

using namespace tavro;

constexpr int kHelps = 10000;

std::unique_ptr<TWorld> make_world() {
  auto world = std::make_unique<TWorld>();
  TArea& area = *world->Areas->Items.emplace_back(std::make_unique<TArea>(world->Areas.get()));
  for (int i = 0; i < kHelps; ++i) {
    auto help = std::make_unique<TAreaHelpItem>();
    help->Keywords = "HELP" + std::to_string(i) + " TOPIC";
    help->Text = "Text of help " + std::to_string(i) + ".\r\nSecond line.";
    area.Helps->Items.push_back(std::move(help));
  }
  return world;
}

void BM_OpenListPage(benchmark::State& state) {
  const auto world = make_world();
  for (auto _ : state) {
    ui::THelpEditForm form;
    form.CommonPanel->resize(1200, 800);
    form.BindArea(*world->Areas->Items[0]);
    benchmark::DoNotOptimize(form.entry_count());
  }
}

// Typing "HELP9999" one letter at a time: each keystroke searches the list from the top.
void BM_SearchKeystroke(benchmark::State& state) {
  const auto world = make_world();
  ui::THelpEditForm form;
  form.BindArea(*world->Areas->Items[0]);
  const QString typed = QStringLiteral("HELP9999");
  int length = 0;
  for (auto _ : state) {
    length = length % typed.size() + 1;
    form.SearchEdit->setText(typed.left(length));
  }
  state.counters["entries"] = form.entry_count();
}

BENCHMARK(BM_OpenListPage)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SearchKeystroke)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  return tavro::bench::run_qt_benchmarks(argc, argv);
}

// The autosave as a builder would feel it: one modified area of 10,000 rooms (with its objects, mobiles,
// resets, programs, shops and helps, about 6 MB) kept in its recovery file.
//
//   BM_AreaText               the area turned into its text, the part that must run on the window thread.
//   BM_RecoveryFile           the whole recovery file on one thread: text, record and check sum, the file
//                             written atomically and forced to the disk.
//   BM_AutoSaveModifiedArea   the autosave of the main window (TAutoSave::SaveNow) with that area modified
//                             through the change path, as the timer runs it: what the window waits for. The
//                             file is written by the autosave's thread, outside the measured time.
//   BM_AutoSaveUntilOnDisk    the same until the file is on the disk (wall time).
//
// Target: the window waits under 50 ms (BM_AutoSaveModifiedArea, wall time).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <filesystem>
#include <memory>
#include <string>

#include "area/Area.h"
#include "area/Changes.h"
#include "area/Header.h"
#include "area/Rooms.h"
#include "support/WorldGenerator.h"
#include "ui/common/WorldDocument.h"
#include "ui/main/AutoSave.h"
#include "ui/main/MainForm.h"
#include "world/Areas.h"
#include "world/Recovery.h"
#include "world/World.h"

namespace {

namespace fs = std::filesystem;
using tavro::bench::TGeneratedWorld;

constexpr int32_t kRooms = 10000;

const TGeneratedWorld& generated_world() {
  static const TGeneratedWorld world(tavro::bench::TWorldShape{1, kRooms, 20261206});
  return world;
}

// A folder for recovery files, removed at the end of the program.
const std::string& recovery_root() {
  static struct Folder {
    std::string path = tavro::bench::make_temporary_folder("tavro-recovery-");
    ~Folder() {
      std::error_code ignored;
      fs::remove_all(path, ignored);
    }
  } folder;
  return folder.path;
}

void BM_AreaText(benchmark::State& state) {
  const TGeneratedWorld& files = generated_world();
  tavro::TWorld world(files.StartFolder, files.MudFolder);
  tavro::TArea* area = world.load_single_area(files.AreaPaths.front());
  size_t bytes = 0;
  for (auto _ : state) {
    const std::string text = tavro::area_text(*area);
    bytes = text.size();
    benchmark::DoNotOptimize(text.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
  state.counters["text_MB"] = static_cast<double>(bytes) / 1e6;
}
BENCHMARK(BM_AreaText)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();

void BM_RecoveryFile(benchmark::State& state) {
  const TGeneratedWorld& files = generated_world();
  tavro::TWorld world(files.StartFolder, files.MudFolder);
  tavro::TArea* area = world.load_single_area(files.AreaPaths.front());
  area->Header->Name += " (modified)";
  const std::string path = recovery_root() + "/area-" + area->Header->FileName + ".rec";
  tavro::TRecoveryManifest manifest;
  manifest.AreaFile = area->Header->FileName;
  manifest.AreaStamp = tavro::file_stamp(files.AreaPaths.front());
  for (auto _ : state) {
    manifest.SavedAt += 1;
    tavro::write_recovery_file(*area, path, manifest);
  }
  const auto bytes = static_cast<int64_t>(fs::file_size(path));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * bytes);
  state.counters["rooms"] = static_cast<double>(area->Rooms->Items.size());
  state.counters["file_MB"] = static_cast<double>(bytes) / 1e6;
}
BENCHMARK(BM_RecoveryFile)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();

// The main window over the generated world, its area modified through the change path; then rounds of
// the autosave, each waiting for the disk only when until_on_disk says so (otherwise between rounds,
// untimed).
void run_autosave(benchmark::State& state, bool until_on_disk) {
  const TGeneratedWorld& files = generated_world();
  QDir::setCurrent(QString::fromStdString(files.StartFolder));
  tavro::ui::TMainForm form;
  form.StartUpOnShow = false;
  form.StartDir = QString::fromStdString(files.StartFolder);
  if (!form.LoadWorld(QString::fromStdString(files.MudFolder))) {
    state.SkipWithError("the generated world did not load");
    return;
  }
  tavro::TArea& area = *form.World()->Areas->Items.front();
  auto header = std::make_unique<tavro::TAreaHeader>(*area.Header);
  header->Name += " (modified)";
  form.Document().Push(tavro::ChangeRecord(*area.Header, std::move(header), &area, tavro::kHeaderChanged),
                       QStringLiteral("Edit Header"));
  tavro::ui::TAutoSave& autosave = form.AutoSave();
  for (auto _ : state) {
    autosave.SaveNow();
    if (until_on_disk) {
      autosave.Flush();
    } else {
      state.PauseTiming();
      autosave.Flush();
      state.ResumeTiming();
    }
  }
  if (!QFile::exists(autosave.RecoveryFileOf(&area))) state.SkipWithError("no recovery file was written");
  state.counters["rooms"] = static_cast<double>(area.Rooms->Items.size());
  // Leave nothing to recover behind.
  form.Document().MarkSaved(&area);
  autosave.CleanExit();
}
void BM_AutoSaveModifiedArea(benchmark::State& state) {
  run_autosave(state, false);
}
BENCHMARK(BM_AutoSaveModifiedArea)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();

void BM_AutoSaveUntilOnDisk(benchmark::State& state) {
  run_autosave(state, true);
}
BENCHMARK(BM_AutoSaveUntilOnDisk)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  qputenv("TAVRO_RECOVERY_DIR", QFile::encodeName(QString::fromStdString(recovery_root())));
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

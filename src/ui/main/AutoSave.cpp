#include "ui/main/AutoSave.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTimer>
#include <QUndoStack>
#include <algorithm>
#include <condition_variable>
#include <deque>
#include <filesystem>
#include <functional>
#include <mutex>
#include <thread>

#include "area/Area.h"
#include "area/AreaContents.h"
#include "area/Header.h"
#include "reading/Error.h"
#include "reading/Paths.h"
#include "ui/common/DialogService.h"
#include "ui/common/TextConversion.h"
#include "ui/common/WorldDocument.h"
#include "ui/main/MainForm.h"
#include "world/Areas.h"
#include "world/Backups.h"
#include "world/IniFile.h"
#include "world/World.h"

namespace tavro::ui {

namespace {

const QString kCaption = QStringLiteral("Tavro Editor");
const char* const kRootVariable = "TAVRO_RECOVERY_DIR";

// File names reach the core as the file system's bytes.
std::string to_path(const QString& path) {
  return QFile::encodeName(path).toStdString();
}
QString from_path(const std::string& path) {
  return QFile::decodeName(QByteArray::fromStdString(path));
}

char lower_ascii(char ch) {
  return ch >= 'A' && ch <= 'Z' ? static_cast<char>(ch - 'A' + 'a') : ch;
}

bool same_file_name(const std::string& a, const std::string& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                            [](char x, char y) { return lower_ascii(x) == lower_ascii(y); });
}

// "Name" (file), or "Name" (not saved yet).
QString label(const TArea& area) {
  const QString name = from_cp1251(area.Header->Name);
  const QString file = from_path(area.Header->FileName);
  if (file.isEmpty()) return QStringLiteral("\"%1\" (not saved yet)").arg(name);
  return QStringLiteral("\"%1\" (%2)").arg(name, file);
}

QString local_time(int64_t seconds) {
  return QDateTime::fromSecsSinceEpoch(seconds).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

TBackupStamp stamp_now() {
  const QDateTime now = QDateTime::currentDateTime();
  const QDate date = now.date();
  const QTime time = now.time();
  return {date.year(), date.month(), date.day(), time.hour(), time.minute(), time.second()};
}

}  // namespace

QString world_root_path(const TWorld& world) {
  const QFileInfo root(from_path(world.MudPath));
  QString path = root.canonicalFilePath();
  if (path.isEmpty()) path = QDir::cleanPath(root.absoluteFilePath());
  return path;
}

// The autosave's thread: writes and removes recovery files in the order they were asked for. A file still
// waiting to be written when a newer text of it comes takes the newer text (a slow disk never builds up a
// queue of outdated texts).
class TRecoveryWriter {
 public:
  // failed runs on the writer's thread.
  using Failed = std::function<void(const std::string& path, const std::string& message)>;

  explicit TRecoveryWriter(Failed failed) : failed_(std::move(failed)), thread_([this] { Run(); }) {}
  // Finishes every job asked for, then ends the thread.
  ~TRecoveryWriter() {
    {
      const std::lock_guard<std::mutex> lock(mutex_);
      stop_ = true;
    }
    wake_.notify_all();
    thread_.join();
  }
  TRecoveryWriter(const TRecoveryWriter&) = delete;
  TRecoveryWriter& operator=(const TRecoveryWriter&) = delete;

  void Write(std::string path, std::string text, const TRecoveryManifest& manifest) {
    {
      const std::lock_guard<std::mutex> lock(mutex_);
      const auto last =
          std::find_if(jobs_.rbegin(), jobs_.rend(), [&](const Job& job) { return job.path == path; });
      if (last != jobs_.rend() && !last->remove) {
        last->text = std::move(text);
        last->manifest = manifest;
      } else {
        jobs_.push_back({std::move(path), std::move(text), manifest, false});
      }
    }
    wake_.notify_all();
  }
  void Remove(std::string path) {
    {
      const std::lock_guard<std::mutex> lock(mutex_);
      jobs_.push_back({std::move(path), {}, {}, true});
    }
    wake_.notify_all();
  }
  void Flush() {
    std::unique_lock<std::mutex> lock(mutex_);
    done_.wait(lock, [this] { return jobs_.empty() && !busy_; });
  }

 private:
  struct Job {
    std::string path;
    std::string text;
    TRecoveryManifest manifest;
    bool remove;
  };

  void Run() {
    for (;;) {
      Job job;
      {
        std::unique_lock<std::mutex> lock(mutex_);
        wake_.wait(lock, [this] { return stop_ || !jobs_.empty(); });
        if (jobs_.empty()) return;
        job = std::move(jobs_.front());
        jobs_.pop_front();
        busy_ = true;
      }
      try {
        if (job.remove) {
          std::error_code ignored;  // a file already gone is what was asked for
          std::filesystem::remove(job.path, ignored);
        } else {
          write_recovery_text(job.path, job.text, job.manifest);
        }
      } catch (const std::exception& e) {
        failed_(job.path, e.what());
      }
      {
        const std::lock_guard<std::mutex> lock(mutex_);
        busy_ = false;
      }
      done_.notify_all();
    }
  }

  Failed failed_;
  std::mutex mutex_;
  std::condition_variable wake_, done_;
  std::deque<Job> jobs_;
  bool busy_ = false;
  bool stop_ = false;
  std::thread thread_;  // last: it starts once everything it uses is there
};

struct TAutoSave::Found {
  QString name;
  TRecoveryManifest manifest;
  std::unique_ptr<TArea> area;
  TArea* target = nullptr;  // the loaded area it belongs to; none: it comes back as an area of its own
  bool changed_on_disk = false;
};

TAutoSave::TAutoSave(TMainForm* main_form)
    : QObject(main_form), main_form_(main_form), document_(main_form->Document()), timer_(new QTimer(this)) {
  writer_ = std::make_unique<TRecoveryWriter>([this](const std::string& path, const std::string& message) {
    const QString name = QFileInfo(from_path(path)).fileName(), text = from_cp1251(message);
    QMetaObject::invokeMethod(
        this, [this, name, text] { WriteFailed(name, text); }, Qt::QueuedConnection);
  });
  timer_->setSingleShot(true);
  connect(timer_, &QTimer::timeout, this, &TAutoSave::TimerFired);
  connect(&document_, &TWorldDocument::AreaChanged, this, [this] { AreaChanged(); });
  connect(&document_, &TWorldDocument::ModifiedChanged, this, &TAutoSave::ModifiedChanged);
}

// Without a clean exit (the process ends, a test drops the window) the recovery files stay where they are:
// they are what the next start offers to recover. The files asked for are written first.
TAutoSave::~TAutoSave() {
  writer_.reset();
}

void TAutoSave::Flush() {
  writer_->Flush();
}

QString TAutoSave::RecoveryRoot() {
  const QString chosen = qEnvironmentVariable(kRootVariable);
  if (!chosen.isEmpty()) return QDir::cleanPath(chosen);
  return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/recovery");
}

QString TAutoSave::AreaPath(const std::string& file_name) const {
  return from_path(join_path(main_form_->World()->MudPath, "area\\" + file_name));
}

std::vector<TArea*> TAutoSave::Start() {
  const TWorld* world = main_form_->World();
  if (!world) return {};
  safety_ = read_editor_safety(TIniFile(join_path(to_path(main_form_->StartDir), "TavroEd.ini")));
  const QString root = world_root_path(*world);
  folder_ = RecoveryRoot() + u'/' + from_path(recovery_folder_name(to_path(root)));
  started_ = true;
  // The folder is made with the first recovery file: a world never autosaved leaves nothing behind.
  if (!QFileInfo(folder_).isDir() || !Lock()) return {};
  return OfferRecovery();
}

bool TAutoSave::Lock() {
  if (lock_ && lock_->isLocked()) return true;
  lock_ = std::make_unique<QLockFile>(folder_ + QStringLiteral("/editor.lock"));
  // Only a process that is gone frees the lock, however long the editor that holds it runs.
  lock_->setStaleLockTime(0);
  if (lock_->tryLock(0)) return true;
  disabled_ = true;
  timer_->stop();
  const QString why =
      lock_->error() == QLockFile::LockFailedError
          ? QStringLiteral("Another Tavro Editor is working on this world.")
          : QStringLiteral("The recovery folder %1 cannot be used.").arg(QDir::toNativeSeparators(folder_));
  DialogService::instance().message(
      main_form_, kCaption,
      why + QStringLiteral("\r\nThis window does not autosave: save your changes yourself."),
      DialogIcon::Warning);
  return false;
}

bool TAutoSave::TakeFolder() {
  if (disabled_) return false;
  if (!QDir().mkpath(folder_)) {
    ReportFailure(
        QStringLiteral("The recovery folder %1 cannot be made.").arg(QDir::toNativeSeparators(folder_)));
    return false;
  }
  return Lock();
}

// ---- Autosave -------------------------------------------------------------------------------------------

// Every change starts the wait again, so that a burst of edits is written once; work that keeps changing is
// still written at most twice the interval after its first unwritten change.
void TAutoSave::AreaChanged() {
  if (!started_ || disabled_ || safety_.AutoSaveSeconds <= 0) return;
  const qint64 interval = qint64(safety_.AutoSaveSeconds) * 1000;
  const qint64 now = QDateTime::currentMSecsSinceEpoch();
  if (pending_since_ < 0) pending_since_ = now;
  const qint64 latest = pending_since_ + 2 * interval - now;
  timer_->start(int(std::clamp<qint64>(std::min(interval, latest), 0, interval)));
}

QString TAutoSave::NameFor(const TArea* area) {
  const auto it = kept_.find(area);
  if (it != kept_.end() && it->second.area_file == area->Header->FileName) return it->second.name;
  std::vector<std::string> taken;
  for (const QString& name : unreadable_)
    taken.push_back(to_path(name));
  for (const auto& [other, kept] : kept_)
    if (other != area) taken.push_back(to_path(kept.name));
  const int32_t number = area->Header->FileName.empty() ? next_new_number_++ : 0;
  return from_path(recovery_file_name(area->Header->FileName, number, taken));
}

// A modal dialog may stand in the middle of an edit (a question asked half-way): the autosave waits until it
// is answered.
void TAutoSave::TimerFired() {
  if (QApplication::activeModalWidget()) {
    timer_->start(1000);
    return;
  }
  SaveNow();
}

void TAutoSave::SaveNow() {
  timer_->stop();
  pending_since_ = -1;
  if (!started_ || disabled_) return;
  const std::vector<TArea*> areas = document_.ModifiedAreas();
  if (areas.empty() || !TakeFolder()) return;
  QStringList failures;
  const int64_t now = QDateTime::currentSecsSinceEpoch();
  for (TArea* area : areas) {
    const QString name = NameFor(area);
    TRecoveryManifest manifest;
    manifest.AreaFile = area->Header->FileName;
    manifest.IsNew = area->IsNew;
    manifest.SavedAt = now;
    if (!manifest.AreaFile.empty()) manifest.AreaStamp = file_stamp(to_path(AreaPath(manifest.AreaFile)));
    std::string text;
    try {
      text = area_text(*area);
    } catch (const std::exception& e) {
      failures << label(*area) + QStringLiteral(": ") + from_cp1251(e.what());
      continue;
    }
    writer_->Write(to_path(folder_ + u'/' + name), std::move(text), manifest);
    // The area took another name (Save As failed half-way, or it has a name now): its old file goes.
    const auto it = kept_.find(area);
    if (it != kept_.end() && it->second.name != name)
      writer_->Remove(to_path(folder_ + u'/' + it->second.name));
    kept_[area] = {name, area->Header->FileName};
  }
  if (!failures.isEmpty()) {
    ReportFailure(QStringLiteral("The unsaved work of these areas could not be kept for recovery:\r\n") +
                  failures.join(QStringLiteral("\r\n")));
    return;
  }
  main_form_->statusBar()->showMessage(
      QStringLiteral("Unsaved work kept for recovery at %1").arg(QTime::currentTime().toString()), 5000);
}

// Once a session in a box (the builder must know the work is not protected), then in the status bar.
void TAutoSave::ReportFailure(const QString& text) {
  main_form_->statusBar()->showMessage(QStringLiteral("Autosave failed"), 0);
  if (failure_shown_) return;
  failure_shown_ = true;
  DialogService::instance().message(main_form_, kCaption, text, DialogIcon::Warning);
}

void TAutoSave::WriteFailed(const QString& name, const QString& message) {
  QString area = name;
  for (const auto& [kept_area, kept] : kept_)
    if (kept.name == name) area = label(*kept_area);
  ReportFailure(QStringLiteral("The unsaved work of %1 could not be kept for recovery:\r\n").arg(area) +
                message);
}

void TAutoSave::ModifiedChanged(TArea* area, bool modified) {
  // Saved, or its changes discarded (or all undone): nothing of it is left to recover.
  if (!modified) RemoveRecoveryFile(area);
}

void TAutoSave::RemoveRecoveryFile(const TArea* area) {
  const auto it = kept_.find(area);
  if (it == kept_.end()) return;
  writer_->Remove(to_path(folder_ + u'/' + it->second.name));
  kept_.erase(it);
}

QString TAutoSave::RecoveryFileOf(const TArea* area) const {
  const auto it = kept_.find(area);
  return it == kept_.end() ? QString() : folder_ + u'/' + it->second.name;
}

void TAutoSave::CleanExit() {
  timer_->stop();
  for (const auto& [area, kept] : kept_)
    writer_->Remove(to_path(folder_ + u'/' + kept.name));
  kept_.clear();
  writer_->Flush();
  started_ = false;
  if (lock_) lock_->unlock();
  lock_.reset();
  // Gone when nothing else is in it (a file that could not be read stays, and so does its folder).
  if (!folder_.isEmpty()) QDir().rmdir(folder_);
}

// ---- Recovery -------------------------------------------------------------------------------------------

std::vector<TArea*> TAutoSave::OfferRecovery() {
  TWorld& world = *main_form_->World();
  std::vector<Found> found;
  QStringList unreadable_lines;
  const QStringList names = QDir(folder_).entryList(QDir::Files, QDir::Name);
  for (const QString& name : names) {
    if (!is_recovery_file_name(to_path(name))) continue;
    Found item;
    item.name = name;
    item.area = std::make_unique<TArea>(world.Areas.get());
    try {
      item.manifest = read_recovery_file(to_path(folder_ + u'/' + name), *item.area);
    } catch (const std::exception& e) {
      // Kept, never removed by the editor: the builder may still get something out of it.
      unreadable_ << name;
      QString why = from_cp1251(e.what());
      why = why.mid(why.indexOf(QStringLiteral("\r\n")) + 2);  // the path is named once, above the list
      unreadable_lines << name + QStringLiteral(": ") +
                              why.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
      continue;
    }
    const TRecoveryManifest& m = item.manifest;
    if (!m.IsNew && !m.AreaFile.empty()) {
      for (const auto& area : world.Areas->Items)
        if (!area->IsNew && same_file_name(area->Header->FileName, m.AreaFile)) item.target = area.get();
    }
    if (!m.AreaFile.empty()) item.changed_on_disk = file_stamp(to_path(AreaPath(m.AreaFile))) != m.AreaStamp;
    found.push_back(std::move(item));
  }
  const QString unreadable_text =
      unreadable_lines.isEmpty()
          ? QString()
          : QStringLiteral("These recovery files could not be read; they are kept in %1:\r\n")
                    .arg(QDir::toNativeSeparators(folder_)) +
                unreadable_lines.join(QStringLiteral("\r\n"));
  if (found.empty()) {
    if (!unreadable_text.isEmpty())
      DialogService::instance().message(main_form_, kCaption, unreadable_text, DialogIcon::Warning);
    return {};
  }

  // Two files of one area (one was kept unreadable, then the area autosaved again): the newer one counts.
  std::stable_sort(found.begin(), found.end(),
                   [](const Found& a, const Found& b) { return a.manifest.SavedAt > b.manifest.SavedAt; });
  std::vector<Found> superseded;
  for (size_t i = 0; i < found.size();) {
    const auto same_area = [&](const Found& earlier) {
      return found[i].manifest.AreaFile.empty()
                 ? false
                 : same_file_name(earlier.manifest.AreaFile, found[i].manifest.AreaFile) &&
                       earlier.manifest.IsNew == found[i].manifest.IsNew;
    };
    if (std::any_of(found.begin(), found.begin() + std::ptrdiff_t(i), same_area)) {
      superseded.push_back(std::move(found[i]));
      found.erase(found.begin() + std::ptrdiff_t(i));
    } else {
      ++i;
    }
  }
  std::sort(found.begin(), found.end(), [](const Found& a, const Found& b) { return a.name < b.name; });

  QStringList kept_lines, changed_lines;
  for (const Found& item : found) {
    kept_lines << label(*item.area) + QStringLiteral(", autosaved ") + local_time(item.manifest.SavedAt);
    if (item.changed_on_disk) changed_lines << label(*item.area);
  }
  QString text = QStringLiteral(
                     "The last session of the editor did not end normally. "
                     "Unsaved work of these areas was kept:\r\n") +
                 kept_lines.join(QStringLiteral("\r\n"));
  if (!changed_lines.isEmpty())
    text += QStringLiteral(
                "\r\n\r\nThe file of these areas changed on disk after the autosave; recovering puts "
                "the autosaved work in place of what the file holds now:\r\n") +
            changed_lines.join(QStringLiteral("\r\n"));
  if (!unreadable_text.isEmpty()) text += QStringLiteral("\r\n\r\n") + unreadable_text;
  text += QStringLiteral("\r\n\r\nRecover the unsaved work? Discard deletes it.");
  const DialogAnswer answer = DialogService::instance().question(
      main_form_, kCaption, text, DialogButtons::RecoverDiscard, DialogIcon::Warning);
  for (const Found& item : superseded)
    QFile::remove(folder_ + u'/' + item.name);
  if (answer == DialogAnswer::No) {
    for (const Found& item : found)
      QFile::remove(folder_ + u'/' + item.name);
    return {};
  }
  return Recover(found);
}

// Each file's contents take the place of its area's as one change, so that the area counts as modified and
// its file on disk stays as it is until the builder saves. The history then starts after the recovery: no
// undo takes the recovered work away again.
std::vector<TArea*> TAutoSave::Recover(std::vector<Found>& found) {
  TWorld& world = *main_form_->World();
  std::vector<TArea*> recovered;
  for (Found& item : found) {
    TArea* live = item.target;
    if (!live) {
      // Never saved, or its file is no longer among the loaded areas: it comes back as a new area that
      // keeps the file name it had; its first save joins the areas list.
      auto fresh = std::make_unique<TArea>(world.Areas.get());
      live = fresh.get();
      world.Areas->Items.push_back(std::move(fresh));
    } else {
      item.area->Header->FileName = live->Header->FileName;
    }
    const QString text = QStringLiteral("Recover ") + label(*item.area);
    document_.Push(ChangeAreaContents(*live, std::move(item.area)), text);
    kept_[live] = {item.name, live->Header->FileName};
    if (live->Header->FileName.empty()) ++next_new_number_;
    recovered.push_back(live);
  }
  document_.UndoStack()->clear();
  // The recovery files hold exactly what was recovered: nothing to write until the next change.
  timer_->stop();
  pending_since_ = -1;
  return recovered;
}

// ---- Backups --------------------------------------------------------------------------------------------

bool TAutoSave::BeforeSave(const QString& path) {
  if (!started_ || safety_.BackupCount <= 0) return true;
  const std::string target = resolve_path_case(to_path(path));
  const QString key = QFileInfo(from_path(target)).absoluteFilePath();
  if (backed_up_.contains(key)) return true;
  try {
    const std::string folder = join_path(folder_part(target), std::string(kBackupFolder));
    keep_backup(target, folder, stamp_now(), safety_.BackupCount);
  } catch (const std::exception& e) {
    const DialogAnswer answer = DialogService::instance().question(
        main_form_, kCaption,
        from_cp1251(e.what()) + QStringLiteral("\r\nThe file could not be kept as a backup. Save anyway?"),
        DialogButtons::YesNo, DialogIcon::Warning);
    if (answer != DialogAnswer::Yes) return false;
  }
  // Later saves in this session replace what this session wrote: the backup is of the file before it.
  backed_up_.insert(key);
  return true;
}

}  // namespace tavro::ui

#pragma once
// Nothing of a builder's work is lost: a few seconds after the last change every area with unsaved changes
// is written to a recovery file in a folder of the user's application data (one folder per world), never
// over the area's own file; a start-up that finds recovery files offers to bring the work back; and the
// first save of a file in a session keeps the file it replaces as a rolling backup.
//
// The main window owns one TAutoSave. What to write and how to name it is decided in the core
// (world/Recovery.h, world/Backups.h); this class ties it to the change notifications, the timer, the
// dialogs and the folders. The window thread only turns the modified areas into text; a thread of the
// autosave's own writes the files (forcing them to the disk takes longer than making them) and removes them,
// in the order they were asked for, so that the builder never waits for the disk.
#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>
#include <memory>
#include <unordered_map>
#include <vector>

#include "world/Recovery.h"

class QLockFile;
class QTimer;

namespace tavro {
class TArea;
class TWorld;
}  // namespace tavro

namespace tavro::ui {

class TMainForm;
class TWorldDocument;
class TRecoveryWriter;

// The world's server root as one absolute path without a trailing separator (the key of its recovery
// folder and of its session).
QString world_root_path(const TWorld& world);

class TAutoSave : public QObject {
  Q_OBJECT

 public:
  explicit TAutoSave(TMainForm* main_form);
  ~TAutoSave() override;

  // The folder that holds a recovery folder per world: the environment variable TAVRO_RECOVERY_DIR when it
  // is set (tests, portable set-ups), else "recovery" in the user's application data.
  static QString RecoveryRoot();

  // The world is loaded: reads the settings ("Editor" section of TavroEd.ini), takes this world's recovery
  // folder and, when an earlier session left recovery files there, says which areas have unsaved work and
  // from when and offers Recover (the default) or Discard. Returns the areas that were recovered.
  std::vector<TArea*> Start();
  bool Started() const { return started_; }

  // Writes every area with unsaved changes to its recovery file now (the timer runs this): the texts are
  // made at once, the files are written by the autosave's thread.
  void SaveNow();
  // Waits until every recovery file asked for is written or removed.
  void Flush();
  // Before a save replaces the file at path: the first save of that file in this session keeps the file as
  // it is as a backup. False when the backup failed and the builder chose not to save.
  bool BeforeSave(const QString& path);
  // The editor closes normally: the recovery files this session wrote or took over are removed.
  void CleanExit();

  QString RecoveryFolder() const { return folder_; }
  // The recovery file holding the area's unsaved work, empty when there is none.
  QString RecoveryFileOf(const TArea* area) const;
  const TEditorSafety& Settings() const { return safety_; }
  QTimer* Timer() const { return timer_; }

 private:
  struct Kept {
    QString name;           // file name in the recovery folder
    std::string area_file;  // the area's file name it was written for
  };
  struct Found;

  void AreaChanged();
  void TimerFired();
  void ModifiedChanged(TArea* area, bool modified);
  void RemoveRecoveryFile(const TArea* area);
  bool TakeFolder();
  bool Lock();
  QString NameFor(const TArea* area);
  std::vector<TArea*> OfferRecovery();
  std::vector<TArea*> Recover(std::vector<Found>& found);
  QString AreaPath(const std::string& file_name) const;
  void ReportFailure(const QString& text);
  void WriteFailed(const QString& name, const QString& message);

  TMainForm* main_form_;
  TWorldDocument& document_;
  QTimer* timer_;
  std::unique_ptr<QLockFile> lock_;
  std::unique_ptr<TRecoveryWriter> writer_;
  TEditorSafety safety_;
  QString folder_;
  bool started_ = false;
  bool disabled_ = false;  // another editor works on this world, or its folder cannot be used
  bool failure_shown_ = false;
  qint64 pending_since_ = -1;  // when the first change not yet written was made (ms since the epoch)
  int32_t next_new_number_ = 1;
  std::unordered_map<const TArea*, Kept> kept_;
  QStringList unreadable_;  // recovery files that did not load: kept, and their names not reused
  QSet<QString> backed_up_;
};

}  // namespace tavro::ui

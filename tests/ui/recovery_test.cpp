// Never lose an hour of building: the autosave writes recovery files a few seconds after the last change
// and never touches the area files; a session that ends without cleaning up (a window dropped, a process
// killed) is offered back at the next start, Recover giving the same unsaved areas and Discard removing
// the files; saving or discarding removes an area's recovery file; a recovery file that does not read is
// reported and kept; the first save of a session keeps rolling backups; the windows of the last session
// come back, and a first start opens the area picker.
#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QLockFile>
#include <QMdiSubWindow>
#include <QProcess>
#include <QTabWidget>
#include <QTimer>
#include <QUndoStack>
#include <QtTest>

#include "MainFixture.h"
#include "area/Area.h"
#include "area/Changes.h"
#include "area/Header.h"
#include "area/Rooms.h"
#include "reading/AreaFile.h"
#include "ui/common/TextConversion.h"
#include "ui/common/WorldDocument.h"
#include "ui/main/AreaManageForm.h"
#include "ui/main/AutoSave.h"
#include "ui/main/GetAreaForm.h"
#include "ui/main/MDIChild.h"
#include "ui/main/MapWidget.h"
#include "world/Areas.h"
#include "world/Backups.h"
#include "world/IniFile.h"
#include "world/Recovery.h"
#include "world/World.h"

using namespace tavro;
using namespace tavro::ui;
using namespace Qt::StringLiterals;
using testing::read_file;
using testing::write_file;

namespace {

// The areas of the bundled sample world: every section in use, Russian texts, programs in files.
testing::AreaFiles sample_areas() {
  testing::AreaFiles areas;
  const QString folder = QStringLiteral(TAVRO_SAMPLE_DIR) + u"/mud/area/"_s;
  for (const QString& name :
       {u"town.are"_s, u"market.are"_s, u"forest.are"_s, u"dungeon.are"_s, u"mill.are"_s})
    areas.emplace_back(name, read_file(folder + name));
  return areas;
}

// What a save of the area would write now.
QByteArray saved_text(const TArea& area) {
  TAreaFile f;
  area.write_area(f);
  return QByteArray::fromStdString(f.Buffer);
}

// Two changes on the world's change path, as the editors make them: a new name and a new room.
void edit_area(TWorldDocument& document, TArea& area, const char* name, int32_t vnum) {
  auto header = std::make_unique<TAreaHeader>(*area.Header);
  header->Name = name;
  document.Push(ChangeRecord(*area.Header, std::move(header), &area, kHeaderChanged), u"Edit Header"_s);
  auto room = std::make_unique<TAreaRoom>(area.Rooms.get());
  room->Vnum = vnum;
  room->Name = to_cp1251(u"Комната %1"_s.arg(vnum));
  room->Description = "A room made before the crash.\r\n";
  document.Push(ChangeList(area.Rooms->Items, area.Rooms->Items.size(), std::move(room), &area,
                           kRoomsChanged | kRoomsLaidOut),
                u"Create Room"_s);
}

// The child process of the kill test: loads the world in folder, edits it, autosaves, writes what a save
// would write, says so and waits to be killed.
int edit_and_wait(const QString& folder) {
  QDir::setCurrent(folder);
  ScriptedDialogService script;
  DialogServiceGuard guard(&script);
  TMainForm form;
  form.StartUpOnShow = false;
  form.show();
  if (!form.LoadWorld(folder + u"/mud"_s)) return 2;
  TArea& town = *form.World()->Areas->Items.at(0);
  edit_area(form.Document(), town, "Town after the crash", 3900);
  form.AutoSave().SaveNow();
  form.AutoSave().Flush();
  QFile expected(folder + u"/expected.are"_s);
  if (!expected.open(QIODevice::WriteOnly) || expected.write(saved_text(town)) < 0) return 3;
  expected.close();
  std::fputs("autosaved\n", stdout);
  std::fflush(stdout);
  return QApplication::exec();
}

}  // namespace

class RecoveryTest : public QObject, testing::MainWindowFixture {
  Q_OBJECT

 private:
  TArea* area_named(const char* file) const {
    for (const auto& area : world().Areas->Items)
      if (area->Header->FileName == file) return area.get();
    return nullptr;
  }

  void load_sample(const QByteArray& editor_settings = {}) {
    show_main_window(sample_areas());
    QVERIFY(testing::copy_tree(QStringLiteral(TAVRO_SAMPLE_DIR) + u"/mud/mudprogs"_s,
                               folder->path(u"mud/mudprogs"_s)));
    if (!editor_settings.isEmpty()) {
      QFile settings(folder->path(u"TavroEd.ini"_s));
      QVERIFY(settings.open(QIODevice::Append));
      settings.write("\r\n[Editor]\r\n" + editor_settings);
    }
    QVERIFY(form->LoadWorld(folder->mud()));
  }

  // A new main window on the same folder; the old one is dropped without its clean exit, as a crash or a
  // killed process leaves things.
  void start_again() {
    form.reset();
    form = std::make_unique<TMainForm>();
    form->StartUpOnShow = false;
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    QVERIFY(form->LoadWorld(folder->mud()));
  }

  // The main window closed as the builder closes it (the unsaved changes question answered), then a new one.
  void exit_and_start_again() {
    QVERIFY(form->close());
    start_again();
  }

  // The autosave has run, and what it asked for is on disk.
  void autosave() const {
    form->AutoSave().SaveNow();
    form->AutoSave().Flush();
  }

  QString recovery_folder() const { return form->AutoSave().RecoveryFolder(); }
  QStringList recovery_files() const {
    form->AutoSave().Flush();
    QStringList names = QDir(recovery_folder()).entryList(QDir::Files);
    names.removeAll(u"editor.lock"_s);
    return names;
  }
  QStringList backups() const { return QDir(folder->area(u"backup"_s)).entryList(QDir::Files, QDir::Name); }

  QStringList questions() const {
    QStringList texts;
    for (const auto& shown : script->shown)
      if (shown.kind == u"question"_s) texts << shown.text;
    return texts;
  }

 private slots:
  void init() { TMainForm::set_area_window_factory(nullptr); }

  void cleanup() {
    const int unexpected = close_without_questions();
    QCOMPARE(unexpected, 0);
  }

  void theAutosaveWritesRecoveryFilesAfterTheIntervalAndNeverTheAreaFile() {
    load_sample("AutoSaveSeconds=1\r\n");
    QCOMPARE(form->AutoSave().Settings().AutoSaveSeconds, 1);
    QVERIFY(recovery_folder().startsWith(folder->recovery() + u'/'));
    const QByteArray town = read_file(folder->area(u"town.are"_s));
    // A world that was never autosaved leaves nothing behind.
    QVERIFY(!QFileInfo::exists(recovery_folder()));
    edit_area(form->Document(), *area_named("town.are"), "Town", 3900);
    QVERIFY(form->AutoSave().Timer()->isActive());
    QCOMPARE(form->AutoSave().Timer()->interval(), 1000);
    QTRY_COMPARE_WITH_TIMEOUT(recovery_files(), QStringList{u"area-town.are.rec"_s}, 5000);
    QCOMPARE(read_file(folder->area(u"town.are"_s)), town);
    QCOMPARE(form->AutoSave().RecoveryFileOf(area_named("town.are")),
             recovery_folder() + u"/area-town.are.rec"_s);
    // Nothing else in the areas folder: no temporary, no copy.
    QCOMPARE(QDir(folder->mud() + u"/area"_s).entryList(QDir::Files).size(), qsizetype(6));
  }

  void theAutosaveIsOffWithZeroSeconds() {
    load_sample("AutoSaveSeconds=0\r\n");
    edit_area(form->Document(), *area_named("town.are"), "Town", 3900);
    QVERIFY(!form->AutoSave().Timer()->isActive());
  }

  void aKilledSessionComesBackAsUnsavedChangesOfTheSameAreas() {
    load_sample();
    TArea& town = *area_named("town.are");
    TArea& mill = *area_named("mill.are");
    edit_area(form->Document(), town, "Town, rebuilt", 3900);
    edit_area(form->Document(), mill, "Mill, rebuilt", 6900);
    TArea* fresh = form->NewArea()->Area;
    edit_area(form->Document(), *fresh, "Never saved", 9900);
    const QByteArray expected_town = saved_text(town), expected_mill = saved_text(mill),
                     expected_fresh = saved_text(*fresh);
    const QByteArray town_file = read_file(folder->area(u"town.are"_s)),
                     mill_file = read_file(folder->area(u"mill.are"_s));
    autosave();
    QCOMPARE(recovery_files(), (QStringList{u"area-mill.are.rec"_s, u"area-town.are.rec"_s, u"new-1.rec"_s}));

    script->replies = {DialogAnswer::Yes};
    start_again();
    const QStringList asked = questions();
    QCOMPARE(asked.size(), qsizetype(1));
    const QString today = QDate::currentDate().toString(u"yyyy-MM-dd"_s);
    QVERIFY2(
        asked[0].startsWith(u"The last session of the editor did not end normally. Unsaved work of these "
                            "areas was kept:\r\n\"Mill, rebuilt\" (mill.are), autosaved "_s +
                            today),
        qPrintable(asked[0]));
    QVERIFY(asked[0].contains(u"\r\n\"Town, rebuilt\" (town.are), autosaved "_s + today));
    QVERIFY(asked[0].contains(u"\r\n\"Never saved\" (not saved yet), autosaved "_s + today));
    QVERIFY(asked[0].endsWith(u"\r\n\r\nRecover the unsaved work? Discard deletes it."_s));
    QVERIFY(!asked[0].contains(u"changed on disk"_s));

    // The same unsaved areas, their files untouched; the recovered new area keeps no file name.
    TArea* town_again = area_named("town.are");
    TArea* mill_again = area_named("mill.are");
    QCOMPARE(saved_text(*town_again), expected_town);
    QCOMPARE(saved_text(*mill_again), expected_mill);
    QCOMPARE(read_file(folder->area(u"town.are"_s)), town_file);
    QCOMPARE(read_file(folder->area(u"mill.are"_s)), mill_file);
    QCOMPARE(world().Areas->Items.size(), size_t(6));
    TArea* fresh_again = area_at(5);
    QVERIFY(fresh_again->IsNew);
    QCOMPARE(fresh_again->Header->FileName, std::string());
    QCOMPARE(saved_text(*fresh_again), expected_fresh);
    const auto modified = form->Document().ModifiedAreas();
    QCOMPARE(modified.size(), size_t(3));
    for (TArea* area : {town_again, mill_again, fresh_again})
      QVERIFY(form->Document().IsModified(area));
    // Every recovered area shows its window; no undo takes the recovered work away.
    QCOMPARE(window_count(), 3);
    QCOMPARE(form->find_area_window(town_again)->windowTitle().endsWith(u" *"_s), true);
    QVERIFY(!form->Document().UndoStack()->canUndo());

    // Written out, the recovered area is what a save before the kill would have written; its recovery file
    // goes with the save.
    QVERIFY(form->SaveArea(town_again));
    QCOMPARE(read_file(folder->area(u"town.are"_s)), expected_town);
    QCOMPARE(recovery_files(), (QStringList{u"area-mill.are.rec"_s, u"new-1.rec"_s}));
    // The next autosave writes the other areas where they were.
    edit_area(form->Document(), *mill_again, "Mill, again", 6901);
    autosave();
    QCOMPARE(recovery_files(), (QStringList{u"area-mill.are.rec"_s, u"new-1.rec"_s}));
    QCOMPARE(script->unexpected, 0);
  }

  void aProcessKilledWithoutCleaningUpIsOfferedAtTheNextStart() {
    folder = std::make_unique<testing::WorldFolder>(sample_areas());
    QVERIFY(folder->ok);
    QVERIFY(testing::copy_tree(QStringLiteral(TAVRO_SAMPLE_DIR) + u"/mud/mudprogs"_s,
                               folder->path(u"mud/mudprogs"_s)));
    const QByteArray town_file = read_file(folder->area(u"town.are"_s));
    QProcess editor;
    editor.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    editor.start(QCoreApplication::applicationFilePath(), {u"--edit-and-wait"_s, folder->dir.path()});
    QVERIFY(editor.waitForStarted(10000));
    QByteArray said;
    while (!said.contains("autosaved") && editor.waitForReadyRead(30000))
      said += editor.readAllStandardOutput();
    QVERIFY2(said.contains("autosaved"), said.constData());
    // No chance to clean up: no close, no destructors, the lock of its recovery folder left behind.
    editor.kill();
    QVERIFY(editor.waitForFinished(10000));
    QCOMPARE(editor.exitStatus(), QProcess::CrashExit);

    script_dialogs();
    script->replies = {DialogAnswer::Yes};
    form = std::make_unique<TMainForm>();
    form->StartUpOnShow = false;
    form->show();
    QVERIFY(form->LoadWorld(folder->mud()));
    QCOMPARE(questions().size(), qsizetype(1));
    QVERIFY(questions()[0].contains(u"\"Town after the crash\" (town.are), autosaved "_s));
    TArea* town = area_named("town.are");
    QVERIFY(form->Document().IsModified(town));
    QCOMPARE(read_file(folder->area(u"town.are"_s)), town_file);
    QVERIFY(form->SaveArea(town));
    QCOMPARE(read_file(folder->area(u"town.are"_s)), read_file(folder->path(u"expected.are"_s)));
    QVERIFY(recovery_files().isEmpty());
  }

  void discardRemovesTheRecoveryFiles() {
    load_sample();
    const QByteArray town_as_loaded = saved_text(*area_named("town.are"));
    edit_area(form->Document(), *area_named("town.are"), "Town, rebuilt", 3900);
    edit_area(form->Document(), *form->NewArea()->Area, "Never saved", 9900);
    autosave();
    QCOMPARE(recovery_files().size(), qsizetype(2));
    script->replies = {DialogAnswer::No};
    start_again();
    QCOMPARE(questions().size(), qsizetype(1));
    QVERIFY(recovery_files().isEmpty());
    QVERIFY(form->Document().ModifiedAreas().empty());
    QCOMPARE(world().Areas->Items.size(), size_t(5));
    QCOMPARE(saved_text(*area_named("town.are")), town_as_loaded);
    QCOMPARE(window_count(), 0);
    // Nothing is offered again.
    start_again();
    QCOMPARE(questions().size(), qsizetype(1));
  }

  void savingOrDiscardingRemovesTheAreasRecoveryFileAndACleanExitLeavesNone() {
    TAreaManageForm::Install();
    load_sample();
    TArea& town = *area_named("town.are");
    TArea& forest = *area_named("forest.are");
    edit_area(form->Document(), forest, "Forest, rebuilt", 5900);
    edit_area(form->Document(), town, "Town, rebuilt", 3900);
    autosave();
    QCOMPARE(recovery_files(), (QStringList{u"area-forest.are.rec"_s, u"area-town.are.rec"_s}));

    QVERIFY(form->SaveArea(&town));
    QCOMPARE(recovery_files(), QStringList{u"area-forest.are.rec"_s});
    // Undoing back to the saved state leaves nothing to recover either.
    form->Document().UndoStack()->undo();
    QVERIFY(form->Document().IsModified(&town));
    autosave();
    QCOMPARE(recovery_files(), (QStringList{u"area-forest.are.rec"_s, u"area-town.are.rec"_s}));
    form->Document().UndoStack()->redo();
    QCOMPARE(recovery_files(), QStringList{u"area-forest.are.rec"_s});

    // The forest's window closed, its changes discarded.
    form->open_area_window(&forest);
    script->replies = {DialogAnswer::No};
    form->FileClose1->trigger();
    QTRY_VERIFY(recovery_files().isEmpty());
    QCOMPARE(window_count(), 0);

    // A clean exit, the unsaved changes discarded: no recovery file, no folder, nothing offered next time.
    edit_area(form->Document(), *area_named("mill.are"), "Mill, rebuilt", 6900);
    autosave();
    QCOMPARE(recovery_files().size(), qsizetype(1));
    const QString used = recovery_folder();
    script->replies = {DialogAnswer::No};
    exit_and_start_again();
    QVERIFY(!QFileInfo::exists(used));
    QCOMPARE(questions().size(), qsizetype(2));  // the two "save them?" questions, no recovery
  }

  void anAreaChangedOnDiskSinceTheAutosaveIsNamed() {
    load_sample();
    edit_area(form->Document(), *area_named("town.are"), "Town, rebuilt", 3900);
    edit_area(form->Document(), *area_named("forest.are"), "Forest, rebuilt", 5900);
    autosave();
    const QByteArray expected = saved_text(*area_named("forest.are"));
    // Someone else changes the forest's file meanwhile.
    QByteArray changed = read_file(folder->area(u"forest.are"_s));
    changed.replace("#AREA", "#AREA ");
    write_file(folder->area(u"forest.are"_s), changed);
    script->replies = {DialogAnswer::Yes};
    start_again();
    const QString asked = questions().value(0);
    QVERIFY2(
        asked.contains(u"\r\n\r\nThe file of these areas changed on disk after the autosave; recovering puts "
                       "the autosaved work in place of what the file holds now:\r\n\"Forest, rebuilt\" "
                       "(forest.are)\r\n\r\nRecover"_s),
        qPrintable(asked));
    QCOMPARE(asked.count(u"(town.are)"_s), qsizetype(1));
    QCOMPARE(saved_text(*area_named("forest.are")), expected);
    QCOMPARE(read_file(folder->area(u"forest.are"_s)), changed);
  }

  void aDamagedRecoveryFileIsReportedAndKept_data() {
    QTest::addColumn<int>("cut");
    QTest::addColumn<bool>("alone");
    QTest::newRow("cut short, beside a good one") << 2 << false;
    QTest::newRow("one byte changed, beside a good one") << -1 << false;
    QTest::newRow("cut short, alone") << 2 << true;
    QTest::newRow("empty, alone") << 0 << true;
  }

  void aDamagedRecoveryFileIsReportedAndKept() {
    QFETCH(int, cut);
    QFETCH(bool, alone);
    load_sample();
    edit_area(form->Document(), *area_named("town.are"), "Town, rebuilt", 3900);
    if (!alone) edit_area(form->Document(), *area_named("mill.are"), "Mill, rebuilt", 6900);
    autosave();
    const QString damaged = recovery_folder() + u"/area-town.are.rec"_s;
    QByteArray bytes = read_file(damaged);
    if (cut < 0)
      bytes[bytes.size() / 3] = char(bytes[bytes.size() / 3] ^ 0x20);
    else
      bytes.truncate(cut == 0 ? 0 : bytes.size() / cut);
    write_file(damaged, bytes);
    const QByteArray town_file = read_file(folder->area(u"town.are"_s));

    script->replies = {DialogAnswer::Yes};
    start_again();  // the start-up goes on
    const QString reason = cut < 0 ? u"The file is damaged: its check sum does not match its contents."_s
                                   : u"The file is cut short: it does not end with the record of its area."_s;
    const QString report = u"These recovery files could not be read; they are kept in "_s +
                           QDir::toNativeSeparators(recovery_folder()) + u":\r\narea-town.are.rec: "_s +
                           reason;
    if (alone) {
      QCOMPARE(dialog(-1), (QStringList{u"message"_s, u"Tavro Editor"_s, report}));
      QCOMPARE(script->replies.size(), size_t(1));  // nothing to recover: no question
      script->replies.clear();
    } else {
      const QString asked = questions().value(0);
      QVERIFY2(asked.contains(u"\"Mill, rebuilt\" (mill.are), autosaved"_s), qPrintable(asked));
      QVERIFY2(asked.contains(u"\r\n\r\n"_s + report + u"\r\n\r\nRecover the unsaved work?"_s),
               qPrintable(asked));
      QVERIFY(form->Document().IsModified(area_named("mill.are")));
    }
    QVERIFY(!form->Document().IsModified(area_named("town.are")));
    QCOMPARE(read_file(folder->area(u"town.are"_s)), town_file);
    // Kept as it was, and never written over by the autosave of the same area.
    QCOMPARE(read_file(damaged), bytes);
    edit_area(form->Document(), *area_named("town.are"), "Town, again", 3901);
    autosave();
    QCOMPARE(read_file(damaged), bytes);
    QVERIFY(QFileInfo::exists(recovery_folder() + u"/area-town.are-2.rec"_s));
    // Nor removed by a clean exit; reported again at the next start.
    script->replies = {DialogAnswer::No, DialogAnswer::Yes};
    exit_and_start_again();
    QCOMPARE(read_file(damaged), bytes);
    QVERIFY(dialog(-1).value(2).contains(u"area-town.are.rec: "_s + reason));
    script->replies.clear();
  }

  void aSaveKeepsThePreviousFileAndTheSixthDropsTheOldest() {
    load_sample();
    const QByteArray original = read_file(folder->area(u"town.are"_s));
    std::vector<QByteArray> before_save{original};
    for (int session = 1; session <= 6; ++session) {
      if (session > 1) exit_and_start_again();
      TArea& town = *area_named("town.are");
      edit_area(form->Document(), town, qPrintable(u"Town %1"_s.arg(session)), 3900 + session);
      QVERIFY(form->SaveArea(&town));
      // A second save in the same session keeps no second backup.
      edit_area(form->Document(), town, qPrintable(u"Town %1b"_s.arg(session)), 3950 + session);
      QVERIFY(form->SaveArea(&town));
      before_save.push_back(read_file(folder->area(u"town.are"_s)));
      const QStringList kept = backups();
      QCOMPARE(kept.size(), qsizetype(std::min(session, 5)));
      for (const QString& name : kept)
        QVERIFY2(name.startsWith(u"town.are."_s) && name.endsWith(u".bak"_s), qPrintable(name));
      // The newest backup sorts last and is the file as it was before this session's first save.
      QCOMPARE(read_file(folder->area(u"backup/"_s) + kept.back()), before_save[size_t(session) - 1]);
    }
    const QStringList kept = backups();
    QCOMPARE(read_file(folder->area(u"backup/"_s) + kept.front()), before_save[1]);
    for (const QString& name : kept)
      QVERIFY(read_file(folder->area(u"backup/"_s) + name) != original);
    // The server reads only what its areas list names.
    QCOMPARE(read_file(folder->area(u"area.lst"_s)),
             QByteArray("town.are\nmarket.are\nforest.are\ndungeon.are\nmill.are\n$\n"));
  }

  void backupsAreOffWithZero() {
    load_sample("BackupCount=0\r\n");
    TArea& town = *area_named("town.are");
    edit_area(form->Document(), town, "Town 1", 3901);
    QVERIFY(form->SaveArea(&town));
    QVERIFY(!QFileInfo::exists(folder->area(u"backup"_s)));
  }

  void theSessionsWindowsComeBack() {
    TAreaManageForm::Install();
    load_sample();
    auto* town = qobject_cast<TAreaManageForm*>(form->open_area_window(area_named("town.are")));
    auto* forest = qobject_cast<TAreaManageForm*>(form->open_area_window(area_named("forest.are")));
    auto* mill = qobject_cast<TAreaManageForm*>(form->open_area_window(area_named("mill.are")));
    QVERIFY(town && forest && mill);
    const int32_t forest_room = 2;
    forest->Map()->SelectRoom(forest_room);
    const int32_t forest_vnum = area_named("forest.are")->Rooms->Items[forest_room]->Vnum;
    forest->Map()->Zoom = 40;
    forest->Map()->LevelUp();
    const int32_t forest_level = forest->Map()->MapLevel;
    town->ShowPage(TMDIChild::RoomsPage);
    form->open_area_window(area_named("forest.are"));  // the active one
    // A new area never saved has no file to come back from.
    form->NewArea();
    form->open_area_window(area_named("forest.are"));
    exit_and_start_again();

    const std::vector<TMDIChild*> windows = form->AreaWindows();
    QCOMPARE(windows.size(), size_t(3));
    QCOMPARE(windows[0]->Area, area_named("town.are"));
    QCOMPARE(windows[1]->Area, area_named("forest.are"));
    QCOMPARE(windows[2]->Area, area_named("mill.are"));
    QCOMPARE(form->ActiveAreaWindow(), windows[1]);
    auto* town_again = qobject_cast<TAreaManageForm*>(windows[0]);
    auto* forest_again = qobject_cast<TAreaManageForm*>(windows[1]);
    auto* mill_again = qobject_cast<TAreaManageForm*>(windows[2]);
    QCOMPARE(town_again->AreaPages->currentIndex(), int(TMDIChild::RoomsPage));
    QCOMPARE(forest_again->AreaPages->currentIndex(), int(TMDIChild::MapPage));
    TMapWidget* map = forest_again->Map();
    QCOMPARE(map->Zoom, 40);
    QCOMPARE(map->MapLevel, forest_level);
    QCOMPARE(map->SelectedRoom, forest_room);
    QCOMPARE(area_named("forest.are")->Rooms->Items[size_t(map->SelectedRoom)]->Vnum, forest_vnum);
    QVERIFY(map->status_panel(3).endsWith(QString::number(forest_vnum)));
    QCOMPARE(mill_again->Map()->Zoom, 10);
    QCOMPARE(mill_again->Map()->SelectedRoom, -1);

    // The settings say so in plain lines.
    const TIniFile ini(folder->path(u"TavroEd.ini"_s).toStdString());
    QCOMPARE(ini.ReadString("Session", "Windows", ""), std::string("3"));
    QCOMPARE(ini.ReadString("Session", "Active", ""), std::string("2"));
    QCOMPARE(ini.ReadString("Session", "Window2", ""),
             "0," + std::to_string(forest_level) + ",40," + std::to_string(forest_vnum) + ",forest.are");
  }

  void aFirstStartOpensTheAreaPickerByItselfAndALaterOneDoesNot() {
    show_main_window({{u"one.are"_s, testing::small_area("One")}});
    // No session was ever written in these settings.
    QByteArray settings = read_file(folder->path(u"TavroEd.ini"_s));
    settings.replace("[Session]\r\nWindows=0\r\n", "");
    write_file(folder->path(u"TavroEd.ini"_s), settings);
    QString shown;
    const auto answer_picker = [&shown] {
      QWidget* modal = QApplication::activeModalWidget();
      if (!modal) return;
      shown = QString::fromLatin1(modal->metaObject()->className());
      if (auto* picker = qobject_cast<TGetAreaForm*>(modal)) picker->OkClick();
    };
    QTimer poll;
    connect(&poll, &QTimer::timeout, this, answer_picker);
    poll.start(20);
    script->replies = {folder->area(u"area.lst"_s)};
    QVERIFY(form->StartUp());
    QTRY_COMPARE(shown, u"tavro::ui::TGetAreaForm"_s);
    QTRY_COMPARE(window_count(), 1);

    // The session is written at the exit: the next start opens its window and no picker.
    shown.clear();
    QVERIFY(form->close());
    form = std::make_unique<TMainForm>();
    form->StartUpOnShow = false;
    form->show();
    script->replies = {folder->area(u"area.lst"_s)};
    QVERIFY(form->StartUp());
    QTest::qWait(100);
    QCOMPARE(shown, QString());
    QCOMPARE(window_count(), 1);
  }

  void aSecondEditorOnTheSameWorldLeavesTheFirstOnesFilesAlone() {
    load_sample();
    edit_area(form->Document(), *area_named("town.are"), "Town, rebuilt", 3900);
    autosave();
    const QString file = form->AutoSave().RecoveryFileOf(area_named("town.are"));
    QVERIFY(QFileInfo::exists(file));
    const QString lock_path = recovery_folder() + u"/editor.lock"_s;
    // Another editor holds the lock of the folder (the first one, still running).
    auto first = std::move(form);
    form = std::make_unique<TMainForm>();
    form->StartUpOnShow = false;
    form->show();
    QVERIFY(form->LoadWorld(folder->mud()));
    QCOMPARE(dialog(-1),
             (QStringList{u"message"_s, u"Tavro Editor"_s,
                          u"Another Tavro Editor is working on this world.\r\nThis window does not "
                          "autosave: save your changes yourself."_s}));
    QVERIFY(questions().isEmpty());
    edit_area(form->Document(), *area_named("mill.are"), "Mill, rebuilt", 6900);
    autosave();
    QVERIFY(form->AutoSave().RecoveryFileOf(area_named("mill.are")).isEmpty());
    form->Document().MarkSaved(area_named("mill.are"));
    QVERIFY(form->close());
    QVERIFY(QFileInfo::exists(file));
    QVERIFY(QFileInfo::exists(lock_path));
    form = std::move(first);
  }
};

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setAttribute(Qt::AA_Use96Dpi, true);
  if (argc == 3 && QByteArray(argv[1]) == "--edit-and-wait")
    return edit_and_wait(QString::fromLocal8Bit(argv[2]));
  RecoveryTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "recovery_test.moc"

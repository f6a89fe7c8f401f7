// The main window driven offscreen: start-up, the area commands, saving and the unsaved-changes questions.
#include <QKeyEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QtTest>
#include <memory>

#include "MainFixture.h"
#include "area/Area.h"
#include "area/Header.h"
#include "ui/common/DialogService.h"
#include "ui/main/MDIChild.h"
#include "ui/main/MainForm.h"
#include "ui/main/ModifiedAreas.h"
#include "world/Areas.h"
#include "world/World.h"

using namespace tavro;
using namespace tavro::ui;
using tavro::ui::testing::read_file;
using tavro::ui::testing::small_area;
using tavro::ui::testing::WorldFolder;

namespace {

// A focusable control that records the keys reaching it.
class KeyRecorder : public QWidget {
 public:
  explicit KeyRecorder(QWidget* parent) : QWidget(parent) { setFocusPolicy(Qt::StrongFocus); }
  std::vector<int> Keys;

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    // The modifier keys themselves are pressed on the way; only the keys proper count.
    const int key = event->key();
    if (key != Qt::Key_Control && key != Qt::Key_Shift) Keys.push_back(key);
  }
};

// An area window that records the pages asked for and holds a control to type into.
class RecordingWindow : public TMDIChild {
 public:
  explicit RecordingWindow(TMainForm* main_form) : TMDIChild(main_form), Edit(new KeyRecorder(this)) {}
  void ShowPage(int page) override { Pages.push_back(page); }
  std::vector<int> Pages;
  KeyRecorder* Edit;
};

QString native(const QString& path) {
  return QDir::cleanPath(path);
}

}  // namespace

class MainFormTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<WorldFolder> folder;
  std::unique_ptr<ScriptedDialogService> script;
  std::unique_ptr<DialogServiceGuard> guard;
  std::unique_ptr<TMainForm> form;

  // Builds the world folder and a shown main window; the start-up itself is left to the test.
  void prepare(const std::vector<std::pair<QString, QByteArray>>& areas) {
    folder = std::make_unique<WorldFolder>(areas);
    QVERIFY(folder->ok);
    script = std::make_unique<ScriptedDialogService>();
    guard = std::make_unique<DialogServiceGuard>(script.get());
    form = std::make_unique<TMainForm>();
    form->StartUpOnShow = false;
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form.get()));
  }

  // Start-up with the areas list picked in the dialog.
  void start(const std::vector<std::pair<QString, QByteArray>>& areas) {
    prepare(areas);
    script->replies.push_back(folder->area(QStringLiteral("area.lst")));
    QVERIFY(form->StartUp());
    QCOMPARE(script->unexpected, 0);
  }

  TArea* area_at(size_t i) const { return form->World()->Areas->Items.at(i).get(); }
  int window_count() const { return int(form->MdiArea->subWindowList().size()); }

  void modify(TMDIChild* window, const char* new_name) {
    window->Area->Header->Name = new_name;
    window->MarkModified();
  }

 private slots:
  void init() {
    TMainForm::set_area_window_factory([](TMainForm* f) { return new RecordingWindow(f); });
  }

  void cleanup() {
    form.reset();
    guard.reset();
    script.reset();
    folder.reset();
    TMainForm::set_area_window_factory(nullptr);
  }

  void the_commands_carry_their_captions_shortcuts_and_hints() {
    prepare({});
    struct Command {
      QAction* action;
      const char* caption;
      QKeySequence shortcut;
      const char* tool_tip;
      const char* status_tip;
    };
    const Command table[] = {
        {form->FileNew1, "&New Area", QKeySequence(Qt::CTRL | Qt::Key_N), "New", "Create a new area"},
        {form->FileOpen1, "&Open Area", QKeySequence(Qt::CTRL | Qt::Key_O), "Open", "Open an area"},
        {form->FileGetFromList1, "&Get Area", QKeySequence(Qt::CTRL | Qt::Key_L), "Get",
         "Get area from world area list"},
        {form->FileSave1, "&Save Area", QKeySequence(Qt::CTRL | Qt::Key_S), "Save", "Save current area"},
        {form->FileSaveAs1, "Save Area &As...", {}, "Save As", "Save current area with different name"},
        {form->FileClose1, "&Close Area", {}, "Close", "Close current file"},
        {form->FileCloseAll1, "Clos&e All Areas ", {}, "", ""},
        {form->FileExit1, "E&xit", {}, "Exit", "Exit application"},
        {form->EditCut1, "Cu&t", QKeySequence(Qt::CTRL | Qt::Key_X), "Cut",
         "Cuts the selection and puts it on the Clipboard"},
        {form->EditCopy1, "&Copy", QKeySequence(Qt::CTRL | Qt::Key_C), "Copy",
         "Copies the selection and puts it on the Clipboard"},
        {form->EditPaste1, "&Paste", QKeySequence(Qt::CTRL | Qt::Key_V), "Paste",
         "Inserts Clipboard contents"},
        {form->HelpAbout1,
         "&About...",
         {},
         "About",
         "Displays program information, version number, and copyright"},
        {form->acShowMap, "Mp", QKeySequence(Qt::CTRL | Qt::Key_1), "Show Map", "Show Map"},
        {form->acShowStats, "S", QKeySequence(Qt::CTRL | Qt::Key_2), "Show Stats", "Show Stats"},
        {form->acShowHelps, "H", QKeySequence(Qt::CTRL | Qt::Key_3), "Show Helps", "Show Helps"},
        {form->acShowRooms, "R", QKeySequence(Qt::CTRL | Qt::Key_4), "Show Rooms", "Show Rooms"},
        {form->acShowObjects, "O", QKeySequence(Qt::CTRL | Qt::Key_5), "Show Objects", "Show Objects"},
        {form->acShowMobiles, "Mo", QKeySequence(Qt::CTRL | Qt::Key_6), "Show Mobiles", "Show Mobiles"},
    };
    for (const Command& command : table) {
      QCOMPARE(command.action->text(), QString::fromUtf8(command.caption));
      QCOMPARE(command.action->shortcut(), command.shortcut);
      QCOMPARE(command.action->statusTip(), QString::fromUtf8(command.status_tip));
      // Without a hint of its own, Qt shows the caption as the tool tip.
      if (*command.tool_tip) QCOMPARE(command.action->toolTip(), QString::fromUtf8(command.tool_tip));
    }

    const auto texts = [](const QList<QAction*>& actions) {
      QStringList list;
      for (const QAction* action : actions)
        list << (action->isSeparator() ? QStringLiteral("-") : action->text());
      return list.join(u',');
    };
    QStringList menus;
    for (const QAction* menu : form->menuBar()->actions())
      menus << menu->text();
    QCOMPARE(menus, (QStringList{QStringLiteral("&File"), QStringLiteral("&Edit"), QStringLiteral("Area"),
                                 QStringLiteral("&Window"), QStringLiteral("&Help")}));
    const QList<QAction*> bar = form->menuBar()->actions();
    QCOMPARE(texts(bar[0]->menu()->actions()),
             QStringLiteral("&New Area,&Open Area,&Get Area,-,&Save Area,Save Area &As...,Save A&ll Areas,-,"
                            "&Close Area,Clos&e All Areas ,-,E&xit"));
    QCOMPARE(bar[0]->statusTip(), QStringLiteral("File related commands"));
    QCOMPARE(texts(bar[1]->menu()->actions()), QStringLiteral("Cu&t,&Copy,&Paste,-,Sector Colors"));
    QCOMPARE(texts(bar[2]->menu()->actions()), QStringLiteral("Info,Helps"));
    QCOMPARE(texts(bar[4]->menu()->actions()), QStringLiteral("&Help,-,&About..."));
    auto* tool_bar = form->findChild<QToolBar*>();
    QVERIFY(tool_bar);
    QCOMPARE(texts(tool_bar->actions()),
             QStringLiteral("&New Area,&Get Area,&Open Area,&Save Area,-,Cu&t,&Copy,&Paste,-,&Cascade,"
                            "Tile &Horizontally,Tile &Vertically,-,Mp,S,H,R,O,Mo"));
  }

  void the_window_menu_lists_the_area_windows() {
    start({{QStringLiteral("one.are"), "#AREA One~\n#VERSION 11\n#$\n"},
           {QStringLiteral("two.are"), "#AREA Two~\n#VERSION 11\n#$\n"}});
    form->open_area_window(0);
    TMDIChild* second = form->open_area_window(1);
    QMenu* window_menu = form->menuBar()->actions()[3]->menu();
    emit window_menu->aboutToShow();
    const QList<QAction*> items = window_menu->actions();
    QCOMPARE(items.size(), 8);
    QCOMPARE(items[6]->text(), QStringLiteral("&1 One v.11 (one.are)"));
    QCOMPARE(items[7]->text(), QStringLiteral("&2 Two v.11 (two.are)"));
    QVERIFY(items[7]->isChecked());
    items[6]->trigger();
    QVERIFY(form->ActiveAreaWindow() != second);
    form->WindowTileVertical1->trigger();
    const QList<QMdiSubWindow*> subs = form->MdiArea->subWindowList();
    QCOMPARE(subs[0]->geometry().top(), subs[1]->geometry().top());
    QVERIFY(subs[0]->geometry().right() < subs[1]->geometry().left());
    form->WindowTileHorizontal1->trigger();
    QCOMPARE(subs[0]->geometry().left(), subs[1]->geometry().left());
    QVERIFY(subs[0]->geometry().bottom() < subs[1]->geometry().top());
  }

  void cancelling_the_start_dialog_takes_the_mud_folder_beside_the_program() {
    prepare({{QStringLiteral("one.are"), small_area("One")}});
    QVERIFY(form->StartUp());
    QCOMPARE(script->shown.size(), size_t(1));
    QCOMPARE(script->shown[0].kind, QStringLiteral("open"));
    // No server path in the settings yet: the dialog proposes the list of the world beside the program.
    QCOMPARE(native(script->shown[0].text), native(folder->area(QStringLiteral("area.lst"))));
    QCOMPARE(native(QString::fromStdString(form->World()->MudPath)), native(folder->mud()));
    QCOMPARE(form->World()->Areas->Items.size(), size_t(1));
    QCOMPARE(form->StartDir, QDir::currentPath());
  }

  void the_picked_list_two_folders_deep_fixes_the_root() {
    prepare({{QStringLiteral("one.are"), small_area("One")}, {QStringLiteral("two.are"), small_area("Two")}});
    script->replies.push_back(folder->area(QStringLiteral("area.lst")));
    QVERIFY(form->StartUp());
    QCOMPARE(native(QString::fromStdString(form->World()->MudPath)), native(folder->mud()));
    QCOMPARE(form->World()->AreaNames, (TStringList{"one.are", "two.are"}));
    QCOMPARE(area_at(1)->Header->Name, std::string("Two"));
  }

  void a_broken_area_answered_continue_is_left_out() {
    prepare({{QStringLiteral("one.are"), small_area("One")},
             {QStringLiteral("broken.are"), "#AREA Broken~\n#FOO\n"},
             {QStringLiteral("two.are"), small_area("Two")}});
    script->replies = {folder->area(QStringLiteral("area.lst")), DialogAnswer::Yes};
    QVERIFY(form->StartUp());
    QCOMPARE(script->unexpected, 0);
    QCOMPARE(script->shown.size(), size_t(2));
    QCOMPARE(script->shown[1].kind, QStringLiteral("question"));
    QCOMPARE(script->shown[1].caption, QStringLiteral("Tavro Editor"));
    const QString path = QString::fromStdString(form->World()->MudPath) + QStringLiteral("area/broken.are");
    QCOMPARE(script->shown[1].text, QStringLiteral("Load Single Area:\r\nload_area \"") + path +
                                        QStringLiteral("\":\r\nBad section name: FOO\r\nContinue?"));
    QCOMPARE(form->World()->AreaNames, (TStringList{"one.are", "two.are"}));
    QCOMPARE(form->World()->Areas->Items.size(), size_t(2));
    QCOMPARE(area_at(1)->Header->Name, std::string("Two"));
  }

  void a_broken_area_answered_stop_ends_the_start_up() {
    prepare({{QStringLiteral("one.are"), small_area("One")},
             {QStringLiteral("broken.are"), "#AREA Broken~\n#FOO\n"},
             {QStringLiteral("two.are"), small_area("Two")}});
    script->replies = {folder->area(QStringLiteral("area.lst")), DialogAnswer::No};
    QVERIFY(!form->StartUp());
    QCOMPARE(script->unexpected, 0);
    QVERIFY(form->World()->Areas->Items.empty());
    // No loading window is left behind.
    for (QWidget* top : QApplication::topLevelWidgets()) {
      QVERIFY(!(top->isVisible() && top->windowTitle() == QStringLiteral("Load Areas")));
    }
  }

  void an_unreadable_areas_list_is_reported_and_the_editor_stays_open() {
    prepare({});
    testing::write_file(folder->area(QStringLiteral("area.lst")), "one.are\ntwo.are\n");
    script->replies.push_back(folder->area(QStringLiteral("area.lst")));
    QVERIFY(form->StartUp());
    QCOMPARE(script->shown.size(), size_t(2));
    QCOMPARE(script->shown[1].kind, QStringLiteral("message"));
    QCOMPARE(script->shown[1].caption, QStringLiteral("Tavro Ed"));
    QVERIFY(script->shown[1].text.startsWith(QStringLiteral("Load Areas List (two.are):\r\n")));
    QVERIFY(form->World()->AreaNames.empty());
    QVERIFY(form->World()->Areas->Items.empty());
    // New areas can still be made.
    QVERIFY(form->NewArea());
  }

  void a_missing_reference_file_is_reported_and_ends_the_start_up() {
    prepare({});
    QVERIFY(QFile::remove(folder->path(QStringLiteral("mud/system/skills.dat"))));
    script->replies.push_back(folder->area(QStringLiteral("area.lst")));
    QVERIFY(!form->StartUp());
    QCOMPARE(script->shown.size(), size_t(2));
    QCOMPARE(script->shown[1].kind, QStringLiteral("message"));
    QCOMPARE(script->shown[1].caption, QStringLiteral("Tavro Editor"));
    QVERIFY(script->shown[1].text.contains(QStringLiteral("skills.dat")));
  }

  void the_area_commands_live_only_with_an_area_window() {
    start({{QStringLiteral("one.are"), small_area("One")}, {QStringLiteral("two.are"), small_area("Two")}});
    const QList<QAction*> area_commands = {form->FileSave1,   form->FileSaveAs1,   form->FileSaveAll1,
                                           form->acShowMap,   form->acShowStats,   form->acShowHelps,
                                           form->acShowRooms, form->acShowObjects, form->acShowMobiles};
    const auto commands_enabled = [&](bool enabled) {
      for (QAction* action : area_commands) {
        if (action->isEnabled() != enabled) return false;
      }
      return form->AreaMenu->menuAction()->isVisible() == enabled;
    };
    QVERIFY(commands_enabled(false));
    QVERIFY(!form->FileOpen1->isEnabled());
    QVERIFY(!form->FileCloseAll1->isEnabled());

    TMDIChild* first = form->open_area_window(0);
    QVERIFY(first);
    QVERIFY(commands_enabled(true));
    TMDIChild* second = form->open_area_window(1);
    QCOMPARE(window_count(), 2);
    // Opening an area that has a window brings that window forward.
    QCOMPARE(form->open_area_window(0), first);
    QCOMPARE(window_count(), 2);
    QCOMPARE(form->ActiveAreaWindow(), first);
    QCOMPARE(form->find_area_window(area_at(1)), second);

    form->FileClose1->trigger();
    QTRY_COMPARE(window_count(), 1);
    QTRY_VERIFY(commands_enabled(true));
    form->FileClose1->trigger();
    QTRY_COMPARE(window_count(), 0);
    QTRY_VERIFY(commands_enabled(false));
    // Closing a window leaves its area loaded.
    QCOMPARE(form->World()->Areas->Items.size(), size_t(2));
    QCOMPARE(script->unexpected, 0);
  }

  void ctrl_digits_switch_pages_and_do_not_reach_the_focused_field() {
    start({{QStringLiteral("one.are"), small_area("One")}});
    auto* window = static_cast<RecordingWindow*>(form->open_area_window(0));
    QApplication::setActiveWindow(form.get());
    QVERIFY(QTest::qWaitForWindowActive(form.get()));
    window->Edit->setFocus();
    QTest::keyClick(window->Edit, Qt::Key_2, Qt::ControlModifier);
    QTest::keyClick(window->Edit, Qt::Key_6, Qt::ControlModifier);
    QCOMPARE(window->Pages, (std::vector<int>{TMDIChild::StatsPage, TMDIChild::MobilesPage}));
    QVERIFY(window->Edit->Keys.empty());
    // Any other shift state is no page command: the key goes on to the control.
    QTest::keyClick(window->Edit, Qt::Key_2, Qt::ControlModifier | Qt::ShiftModifier);
    QTest::keyClick(window->Edit, Qt::Key_7, Qt::ControlModifier);
    QCOMPARE(window->Pages.size(), size_t(2));
    QCOMPARE(window->Edit->Keys, (std::vector<int>{Qt::Key_2, Qt::Key_7}));

    QVERIFY(form->AnalyzeHotKeys(Qt::Key_1, Qt::ControlModifier));
    QVERIFY(!form->AnalyzeHotKeys(Qt::Key_1, Qt::ControlModifier | Qt::ShiftModifier));
    QVERIFY(!form->AnalyzeHotKeys(Qt::Key_7, Qt::ControlModifier));
    QVERIFY(!form->AnalyzeHotKeys(Qt::Key_1, Qt::NoModifier));
    form->ShowAreaHelps->trigger();
    QCOMPARE(window->Pages, (std::vector<int>{TMDIChild::StatsPage, TMDIChild::MobilesPage,
                                              TMDIChild::MapPage, TMDIChild::HelpsPage}));
  }

  void save_on_a_new_area_asks_for_a_name_once() {
    start({{QStringLiteral("one.are"), small_area("One")}});
    TMDIChild* window = form->NewArea();
    QVERIFY(window);
    QCOMPARE(form->ActiveAreaWindow(), window);
    modify(window, "Fresh");
    const QString target = folder->area(QStringLiteral("fresh.are"));
    script->replies.push_back(target);
    form->FileSave1->trigger();
    QCOMPARE(script->shown.back().kind, QStringLiteral("save"));
    QCOMPARE(native(script->shown.back().text), native(folder->area(QStringLiteral("NewArea.are"))));
    QVERIFY(read_file(target).startsWith("#AREA Fresh~"));
    QCOMPARE(window->Area->Header->FileName, std::string("fresh.are"));
    QCOMPARE(form->World()->AreaNames, (TStringList{"one.are", "fresh.are"}));
    QVERIFY(read_file(folder->area(QStringLiteral("area.lst"))).contains("fresh.are"));
    QVERIFY(!window->IsModified());

    modify(window, "Fresher");
    const size_t dialogs = script->shown.size();
    form->FileSave1->trigger();
    QCOMPARE(script->shown.size(), dialogs);
    QVERIFY(read_file(target).startsWith("#AREA Fresher~"));
    QCOMPARE(form->World()->AreaNames, (TStringList{"one.are", "fresh.are"}));
    QCOMPARE(script->unexpected, 0);
  }

  void cancelling_the_save_dialog_saves_nothing() {
    start({});
    TMDIChild* window = form->NewArea();
    modify(window, "Fresh");
    script->replies.push_back(DialogAnswer::Cancel);
    QVERIFY(!form->SaveArea(window->Area));
    QVERIFY(window->Area->Header->FileName.empty());
    QVERIFY(window->IsModified());
    QVERIFY(form->World()->AreaNames.empty());
  }

  void save_as_renames_and_refuses_another_areas_file() {
    start({{QStringLiteral("one.are"), small_area("One")}, {QStringLiteral("two.are"), small_area("Two")}});
    TMDIChild* window = form->open_area_window(0);
    script->replies.push_back(folder->area(QStringLiteral("TWO.are")));
    form->FileSaveAs1->trigger();
    QCOMPARE(script->shown.back().kind, QStringLiteral("message"));
    QCOMPARE(script->shown.back().text,
             QStringLiteral(
                 "The area \"Two\" (two.are) is kept in the file TWO.are.\r\nChoose another file name."));
    QCOMPARE(window->Area->Header->FileName, std::string("one.are"));
    QCOMPARE(read_file(folder->area(QStringLiteral("two.are"))), small_area("Two"));

    script->replies.push_back(folder->area(QStringLiteral("renamed.are")));
    form->FileSaveAs1->trigger();
    QCOMPARE(window->Area->Header->FileName, std::string("renamed.are"));
    QVERIFY(read_file(folder->area(QStringLiteral("renamed.are"))).startsWith("#AREA One~"));
    QVERIFY(window->windowTitle().endsWith(QStringLiteral("(renamed.are)")));
    QCOMPARE(script->unexpected, 0);
  }

  void a_failed_save_is_reported_and_keeps_the_mark() {
    start({{QStringLiteral("one.are"), small_area("One")}});
    TMDIChild* window = form->open_area_window(0);
    modify(window, "Changed");
    // A folder where the file should be: the save cannot write it.
    QVERIFY(QFile::remove(folder->area(QStringLiteral("one.are"))));
    QVERIFY(QDir().mkdir(folder->area(QStringLiteral("one.are"))));
    QVERIFY(!form->SaveArea(window->Area));
    QCOMPARE(script->shown.back().kind, QStringLiteral("message"));
    QVERIFY(script->shown.back().text.startsWith(QStringLiteral("save_area \"")));
    QVERIFY(window->IsModified());
  }

  void the_caption_marks_unsaved_changes() {
    start({{QStringLiteral("one.are"), "#AREA One~\n#VERSION 11\n#$\n"}});
    TMDIChild* window = form->open_area_window(0);
    QCOMPARE(window->windowTitle(), QStringLiteral("One v.11 (one.are)"));
    window->MarkModified();
    QCOMPARE(window->windowTitle(), QStringLiteral("One v.11 (one.are) *"));
    QVERIFY(form->ModifiedAreas().contains(window->Area));
    QVERIFY(form->SaveArea(window->Area));
    QCOMPARE(window->windowTitle(), QStringLiteral("One v.11 (one.are)"));
  }

  void closing_an_area_window_with_changes_asks_first() {
    start({{QStringLiteral("one.are"), small_area("One")}});
    TMDIChild* window = form->open_area_window(0);
    modify(window, "Changed");

    script->replies.push_back(DialogAnswer::Cancel);
    form->FileClose1->trigger();
    QCOMPARE(script->shown.back().kind, QStringLiteral("question"));
    QCOMPARE(script->shown.back().text,
             QStringLiteral("The area \"Changed\" (one.are) has unsaved changes.\r\nSave them?"));
    QTest::qWait(20);
    QCOMPARE(window_count(), 1);
    QVERIFY(window->IsModified());

    script->replies.push_back(DialogAnswer::Yes);
    form->FileClose1->trigger();
    QTRY_COMPARE(window_count(), 0);
    QVERIFY(read_file(folder->area(QStringLiteral("one.are"))).startsWith("#AREA Changed~"));
    QVERIFY(form->ModifiedAreas().empty());
    QCOMPARE(script->unexpected, 0);
  }

  void discarding_on_close_rereads_the_area_from_its_file() {
    start({{QStringLiteral("one.are"), small_area("One")}, {QStringLiteral("two.are"), small_area("Two")}});
    TMDIChild* window = form->open_area_window(1);
    modify(window, "Changed");
    script->replies.push_back(DialogAnswer::No);
    form->FileClose1->trigger();
    QTRY_COMPARE(window_count(), 0);
    QTRY_VERIFY(form->ModifiedAreas().empty());
    QCOMPARE(form->World()->Areas->Items.size(), size_t(2));
    QCOMPARE(area_at(1)->Header->Name, std::string("Two"));
    QCOMPARE(read_file(folder->area(QStringLiteral("two.are"))), small_area("Two"));
    // Reopened, the window shows the area as its file holds it.
    QCOMPARE(form->open_area_window(1)->windowTitle(), QStringLiteral("Two v.0 (two.are)"));
  }

  void discarding_a_new_area_drops_it() {
    start({{QStringLiteral("one.are"), small_area("One")}});
    modify(form->NewArea(), "Fresh");
    QCOMPARE(form->World()->Areas->Items.size(), size_t(2));
    script->replies.push_back(DialogAnswer::No);
    form->FileClose1->trigger();
    QTRY_COMPARE(form->World()->Areas->Items.size(), size_t(1));
    QVERIFY(form->ModifiedAreas().empty());
    QCOMPARE(form->World()->AreaNames, (TStringList{"one.are"}));
  }

  void save_all_saves_every_area_with_changes() {
    start({{QStringLiteral("one.are"), small_area("One")},
           {QStringLiteral("two.are"), small_area("Two")},
           {QStringLiteral("three.are"), small_area("Three")}});
    modify(form->open_area_window(0), "One changed");
    modify(form->open_area_window(2), "Three changed");
    form->FileSaveAll1->trigger();
    QVERIFY(form->ModifiedAreas().empty());
    QVERIFY(read_file(folder->area(QStringLiteral("one.are"))).startsWith("#AREA One changed~"));
    QVERIFY(read_file(folder->area(QStringLiteral("three.are"))).startsWith("#AREA Three changed~"));
    QCOMPARE(read_file(folder->area(QStringLiteral("two.are"))), small_area("Two"));
    QCOMPARE(script->unexpected, 0);
  }

  void closing_the_main_window_with_changes_asks_once() {
    start({{QStringLiteral("one.are"), small_area("One")}, {QStringLiteral("two.are"), small_area("Two")}});
    modify(form->open_area_window(0), "One changed");
    modify(form->open_area_window(1), "Two changed");

    script->replies.push_back(DialogAnswer::Cancel);
    QVERIFY(!form->close());
    QCOMPARE(script->shown.back().text,
             QStringLiteral("These areas have unsaved changes:\r\n\"One changed\" "
                            "(one.are)\r\n\"Two changed\" (two.are)\r\nSave them?"));
    QCOMPARE(window_count(), 2);

    // Discard: one question for the whole window, none for each area window.
    script->replies.push_back(DialogAnswer::No);
    const size_t dialogs = script->shown.size();
    QVERIFY(form->close());
    QCOMPARE(script->shown.size(), dialogs + 1);
    QCOMPARE(read_file(folder->area(QStringLiteral("one.are"))), small_area("One"));
    QCOMPARE(script->unexpected, 0);
  }

  void closing_the_main_window_can_save_everything_first() {
    start({{QStringLiteral("one.are"), small_area("One")}});
    modify(form->open_area_window(0), "One changed");
    script->replies.push_back(DialogAnswer::Yes);
    QVERIFY(form->close());
    QVERIFY(read_file(folder->area(QStringLiteral("one.are"))).startsWith("#AREA One changed~"));
  }
};

QTEST_MAIN(MainFormTest)
#include "main_form_test.moc"

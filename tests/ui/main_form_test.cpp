// The main window driven offscreen: start-up, the area commands, saving and the unsaved-changes questions.
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QtTest>

#include "MainFixture.h"
#include "area/Area.h"
#include "area/Changes.h"
#include "area/Header.h"
#include "ui/common/WorldDocument.h"
#include "ui/main/MDIChild.h"

using namespace tavro;
using namespace tavro::ui;
using namespace Qt::StringLiterals;
using tavro::ui::testing::read_file;
using tavro::ui::testing::small_area;

namespace {

// An area window that records the pages asked for and holds a control to type into.
class RecordingWindow : public TMDIChild {
 public:
  explicit RecordingWindow(TMainForm* main_form)
      : TMDIChild(main_form), Edit(new QWidget(this)), Keys(new testing::KeyLog(Edit)) {
    Edit->setFocusPolicy(Qt::StrongFocus);
  }
  void ShowPage(int page) override { Pages.push_back(page); }
  std::vector<int> Pages;
  QWidget* Edit;
  testing::KeyLog* Keys;
};

QString native(const QString& path) {
  return QDir::cleanPath(path);
}

const testing::AreaFiles kOneTwo = {{u"one.are"_s, small_area("One")}, {u"two.are"_s, small_area("Two")}};

}  // namespace

class MainFormTest : public QObject, testing::MainWindowFixture {
  Q_OBJECT

 private:
  // Start-up with the areas list picked in the dialog.
  void start(const testing::AreaFiles& areas) {
    show_main_window(areas);
    script->replies.push_back(folder->area(u"area.lst"_s));
    QVERIFY(form->StartUp());
    // The list picked two folders deep fixes the root.
    QCOMPARE(native(QString::fromStdString(world().MudPath)), native(folder->mud()));
  }

  void modify(TMDIChild* window, const char* new_name) {
    auto header = std::make_unique<TAreaHeader>(*window->Area->Header);
    header->Name = new_name;
    form->Document().Push(
        ChangeRecord(*window->Area->Header, std::move(header), window->Area, kHeaderChanged),
        u"Edit Header"_s);
  }

  QByteArray area_file(const QString& name) const { return read_file(folder->area(name)); }

 private slots:
  void init() {
    TMainForm::set_area_window_factory([](TMainForm* f) { return new RecordingWindow(f); });
  }

  void cleanup() {
    // Every dialog a test causes has its scripted answer.
    const int unexpected = script ? script->unexpected : 0;
    tear_down();
    TMainForm::set_area_window_factory(nullptr);
    QCOMPARE(unexpected, 0);
  }

  void the_commands_carry_their_captions_shortcuts_and_hints() {
    show_main_window({});
    QCOMPARE(form->FileGetFromList1->text(), u"&Get Area"_s);
    QCOMPARE(form->FileGetFromList1->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_L));
    QCOMPARE(form->FileGetFromList1->statusTip(), u"Get area from world area list"_s);
    QCOMPARE(form->FileCloseAll1->text(), u"Clos&e All Areas "_s);
    QCOMPARE(form->acShowMobiles->text(), u"Mo"_s);
    QCOMPARE(form->acShowMobiles->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_6));
    QCOMPARE(form->acShowMobiles->toolTip(), u"Show Mobiles"_s);
    const QList<QAction*> bar = form->menuBar()->actions();
    QCOMPARE(bar.size(), 6);
    QCOMPARE(bar[3]->text(), u"Area"_s);
    QCOMPARE(bar[0]->menu()->actions().size(), 12);
    QVERIFY(bar[0]->menu()->actions().contains(form->FileSaveAll1));
    QVERIFY(bar[1]->menu()->actions().contains(form->acSectorColors));
    QCOMPARE(form->findChild<QToolBar*>()->actions().size(), 19);
  }

  void the_window_menu_lists_the_area_windows_by_their_captions() {
    start({{u"one.are"_s, "#AREA One~\n#VERSION 11\n#$\n"}, {u"two.are"_s, "#AREA Two~\n#VERSION 11\n#$\n"}});
    form->open_area_window(0);
    TMDIChild* second = form->open_area_window(1);
    QMenu* window_menu = form->menuBar()->actions()[4]->menu();
    emit window_menu->aboutToShow();
    const QList<QAction*> items = window_menu->actions();
    QCOMPARE(items.size(), 8);
    QCOMPARE(items[6]->text(), u"&1 One v.11 (one.are)"_s);
    QCOMPARE(items[7]->text(), u"&2 Two v.11 (two.are)"_s);
    QVERIFY(items[7]->isChecked());
    // The caption marks unsaved changes until they are saved.
    modify(second, "Two");
    QCOMPARE(second->windowTitle(), u"Two v.11 (two.are) *"_s);
    QVERIFY(form->Document().IsModified(second->Area));
    QVERIFY(form->SaveArea(second->Area));
    QCOMPARE(second->windowTitle(), u"Two v.11 (two.are)"_s);
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
    show_main_window({{u"one.are"_s, small_area("One")}});
    script->replies = {DialogAnswer::Cancel};
    QVERIFY(form->StartUp());
    QCOMPARE(script->shown.size(), size_t(1));
    QCOMPARE(script->shown[0].kind, u"open"_s);
    // No server path in the settings yet: the dialog proposes the list of the world beside the program.
    QCOMPARE(native(script->shown[0].text), native(folder->area(u"area.lst"_s)));
    QCOMPARE(native(QString::fromStdString(world().MudPath)), native(folder->mud()));
    QCOMPARE(world().Areas->Items.size(), size_t(1));
    QCOMPARE(form->StartDir, QDir::currentPath());
  }

  void a_broken_area_on_start_up_data() {
    QTest::addColumn<bool>("go_on");
    QTest::newRow("answered continue: left out") << true;
    QTest::newRow("answered stop: start-up ends") << false;
  }

  void a_broken_area_on_start_up() {
    QFETCH(bool, go_on);
    show_main_window({{u"one.are"_s, small_area("One")},
                      {u"broken.are"_s, "#AREA Broken~\n#FOO\n"},
                      {u"two.are"_s, small_area("Two")}});
    script->replies = {folder->area(u"area.lst"_s), go_on ? DialogAnswer::Yes : DialogAnswer::No};
    QCOMPARE(form->StartUp(), go_on);
    const QString path = QString::fromStdString(world().MudPath) + u"area/broken.are"_s;
    QCOMPARE(dialog(-1), (QStringList{u"question"_s, u"Tavro Editor"_s,
                                      u"Load Single Area:\r\nload_area \""_s + path +
                                          u"\":\r\nBad section name: FOO\r\nContinue?"_s}));
    if (go_on) {
      QCOMPARE(world().AreaNames, (TStringList{"one.are", "two.are"}));
      QCOMPARE(world().Areas->Items.size(), size_t(2));
      QCOMPARE(area_at(1)->Header->Name, std::string("Two"));
      return;
    }
    QVERIFY(world().Areas->Items.empty());
    // No loading window is left behind.
    for (QWidget* top : QApplication::topLevelWidgets())
      QVERIFY(!(top->isVisible() && top->windowTitle() == u"Load Areas"_s));
  }

  void an_unreadable_areas_list_is_reported_and_the_editor_stays_open() {
    show_main_window({});
    testing::write_file(folder->area(u"area.lst"_s), "one.are\ntwo.are\n");
    script->replies.push_back(folder->area(u"area.lst"_s));
    QVERIFY(form->StartUp());
    QCOMPARE(script->shown.size(), size_t(2));
    QCOMPARE(dialog(1).mid(0, 2), (QStringList{u"message"_s, u"Tavro Ed"_s}));
    QVERIFY(script->shown[1].text.startsWith(u"Load Areas List (two.are):\r\n"_s));
    QVERIFY(world().AreaNames.empty());
    QVERIFY(world().Areas->Items.empty());
    // New areas can still be made.
    QVERIFY(form->NewArea());
  }

  void a_missing_reference_file_is_reported_and_ends_the_start_up() {
    show_main_window({});
    QVERIFY(QFile::remove(folder->path(u"mud/system/skills.dat"_s)));
    script->replies.push_back(folder->area(u"area.lst"_s));
    QVERIFY(!form->StartUp());
    QCOMPARE(script->shown.size(), size_t(2));
    QCOMPARE(dialog(1).mid(0, 2), (QStringList{u"message"_s, u"Tavro Editor"_s}));
    QVERIFY(script->shown[1].text.contains(u"skills.dat"_s));
  }

  void the_area_commands_live_only_with_an_area_window() {
    start(kOneTwo);
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
    QCOMPARE(world().Areas->Items.size(), size_t(2));
  }

  void ctrl_digits_switch_pages_and_do_not_reach_the_focused_field() {
    start({{u"one.are"_s, small_area("One")}});
    auto* window = static_cast<RecordingWindow*>(form->open_area_window(0));
    QApplication::setActiveWindow(form.get());
    QVERIFY(QTest::qWaitForWindowActive(form.get()));
    window->Edit->setFocus();
    QTest::keyClick(window->Edit, Qt::Key_2, Qt::ControlModifier);
    QTest::keyClick(window->Edit, Qt::Key_6, Qt::ControlModifier);
    QCOMPARE(window->Pages, (std::vector<int>{TMDIChild::StatsPage, TMDIChild::MobilesPage}));
    QVERIFY(window->Keys->keys.empty());
    // Any other shift state is no page command: the key goes on to the control.
    QTest::keyClick(window->Edit, Qt::Key_2, Qt::ControlModifier | Qt::ShiftModifier);
    QTest::keyClick(window->Edit, Qt::Key_7, Qt::ControlModifier);
    QTest::keyClick(window->Edit, Qt::Key_1);
    QCOMPARE(window->Pages.size(), size_t(2));
    QCOMPARE(window->Keys->keys, (std::vector<int>{Qt::Key_2, Qt::Key_7, Qt::Key_1}));
    form->ShowAreaHelps->trigger();
    QCOMPARE(window->Pages.back(), int(TMDIChild::HelpsPage));
  }

  void save_on_a_new_area_asks_for_a_name_once() {
    start({{u"one.are"_s, small_area("One")}});
    TMDIChild* window = form->NewArea();
    QVERIFY(window);
    QCOMPARE(form->ActiveAreaWindow(), window);
    modify(window, "Fresh");
    // Cancelled, nothing is saved.
    script->replies.push_back(DialogAnswer::Cancel);
    QVERIFY(!form->SaveArea(window->Area));
    QVERIFY(window->Area->Header->FileName.empty());
    QVERIFY(window->IsModified());
    QCOMPARE(world().AreaNames, (TStringList{"one.are"}));

    script->replies.push_back(folder->area(u"fresh.are"_s));
    form->FileSave1->trigger();
    QCOMPARE(script->shown.back().kind, u"save"_s);
    QCOMPARE(native(script->shown.back().text), native(folder->area(u"NewArea.are"_s)));
    QVERIFY(area_file(u"fresh.are"_s).startsWith("#AREA Fresh~"));
    QCOMPARE(window->Area->Header->FileName, std::string("fresh.are"));
    QCOMPARE(world().AreaNames, (TStringList{"one.are", "fresh.are"}));
    QVERIFY(area_file(u"area.lst"_s).contains("fresh.are"));
    QVERIFY(!window->IsModified());

    modify(window, "Fresher");
    const size_t dialogs = script->shown.size();
    form->FileSave1->trigger();
    QCOMPARE(script->shown.size(), dialogs);
    QVERIFY(area_file(u"fresh.are"_s).startsWith("#AREA Fresher~"));
    QCOMPARE(world().AreaNames, (TStringList{"one.are", "fresh.are"}));
  }

  void save_as_renames_and_refuses_another_areas_file() {
    start(kOneTwo);
    TMDIChild* window = form->open_area_window(0);
    script->replies.push_back(folder->area(u"TWO.are"_s));
    form->FileSaveAs1->trigger();
    QCOMPARE(script->shown.back().kind, u"message"_s);
    QCOMPARE(script->shown.back().text,
             u"The area \"Two\" (two.are) is kept in the file TWO.are.\r\nChoose another file name."_s);
    QCOMPARE(window->Area->Header->FileName, std::string("one.are"));
    QCOMPARE(area_file(u"two.are"_s), small_area("Two"));

    script->replies.push_back(folder->area(u"renamed.are"_s));
    form->FileSaveAs1->trigger();
    QCOMPARE(window->Area->Header->FileName, std::string("renamed.are"));
    QVERIFY(area_file(u"renamed.are"_s).startsWith("#AREA One~"));
    QVERIFY(window->windowTitle().endsWith(u"(renamed.are)"_s));
  }

  void a_failed_save_is_reported_and_keeps_the_mark() {
    start({{u"one.are"_s, small_area("One")}});
    TMDIChild* window = form->open_area_window(0);
    modify(window, "Changed");
    // A folder where the file should be: the save cannot write it.
    QVERIFY(QFile::remove(folder->area(u"one.are"_s)));
    QVERIFY(QDir().mkdir(folder->area(u"one.are"_s)));
    QVERIFY(!form->SaveArea(window->Area));
    QCOMPARE(script->shown.back().kind, u"message"_s);
    QVERIFY(script->shown.back().text.startsWith(u"save_area \""_s));
    QVERIFY(window->IsModified());
  }

  void closing_an_area_window_with_changes_asks_first() {
    start({{u"one.are"_s, small_area("One")}});
    TMDIChild* window = form->open_area_window(0);
    modify(window, "Changed");

    script->replies.push_back(DialogAnswer::Cancel);
    form->FileClose1->trigger();
    QCOMPARE(script->shown.back().kind, u"question"_s);
    QCOMPARE(script->shown.back().text,
             u"The area \"Changed\" (one.are) has unsaved changes.\r\nSave them?"_s);
    QTest::qWait(20);
    QCOMPARE(window_count(), 1);
    QVERIFY(window->IsModified());

    script->replies.push_back(DialogAnswer::Yes);
    form->FileClose1->trigger();
    QTRY_COMPARE(window_count(), 0);
    QVERIFY(area_file(u"one.are"_s).startsWith("#AREA Changed~"));
    QVERIFY(form->Document().ModifiedAreas().empty());
  }

  void discarding_on_close_drops_a_new_area_and_rereads_a_loaded_one() {
    start(kOneTwo);
    modify(form->open_area_window(1), "Changed");
    modify(form->NewArea(), "Fresh");
    QCOMPARE(world().Areas->Items.size(), size_t(3));
    script->replies = {DialogAnswer::No, DialogAnswer::No};
    form->FileClose1->trigger();
    QTRY_COMPARE(world().Areas->Items.size(), size_t(2));
    QCOMPARE(world().AreaNames, (TStringList{"one.are", "two.are"}));
    form->FileClose1->trigger();
    QTRY_COMPARE(window_count(), 0);
    QTRY_VERIFY(form->Document().ModifiedAreas().empty());
    QCOMPARE(world().Areas->Items.size(), size_t(2));
    QCOMPARE(area_at(1)->Header->Name, std::string("Two"));
    QCOMPARE(area_file(u"two.are"_s), small_area("Two"));
    // Reopened, the window shows the area as its file holds it.
    QCOMPARE(form->open_area_window(1)->windowTitle(), u"Two v.0 (two.are)"_s);
  }

  void save_all_saves_every_area_with_changes() {
    start({{u"one.are"_s, small_area("One")},
           {u"two.are"_s, small_area("Two")},
           {u"three.are"_s, small_area("Three")}});
    modify(form->open_area_window(0), "One changed");
    modify(form->open_area_window(2), "Three changed");
    form->FileSaveAll1->trigger();
    QVERIFY(form->Document().ModifiedAreas().empty());
    QVERIFY(area_file(u"one.are"_s).startsWith("#AREA One changed~"));
    QVERIFY(area_file(u"three.are"_s).startsWith("#AREA Three changed~"));
    QCOMPARE(area_file(u"two.are"_s), small_area("Two"));
  }

  void closing_the_main_window_with_changes_asks_once_data() {
    QTest::addColumn<bool>("save");
    QTest::newRow("saving everything first") << true;
    QTest::newRow("discarding") << false;
  }

  void closing_the_main_window_with_changes_asks_once() {
    QFETCH(bool, save);
    start(kOneTwo);
    modify(form->open_area_window(0), "One changed");
    modify(form->open_area_window(1), "Two changed");

    script->replies.push_back(DialogAnswer::Cancel);
    QVERIFY(!form->close());
    QCOMPARE(script->shown.back().text,
             u"These areas have unsaved changes:\r\n\"One changed\" "
             u"(one.are)\r\n\"Two changed\" (two.are)\r\nSave them?"_s);
    QCOMPARE(window_count(), 2);

    // One question for the whole window, none for each area window.
    script->replies.push_back(save ? DialogAnswer::Yes : DialogAnswer::No);
    const size_t dialogs = script->shown.size();
    QVERIFY(form->close());
    QCOMPARE(script->shown.size(), dialogs + 1);
    QCOMPARE(area_file(u"one.are"_s).startsWith("#AREA One changed~"), save);
    QCOMPARE(area_file(u"two.are"_s) == small_area("Two"), !save);
  }
};

QTEST_MAIN(MainFormTest)
#include "main_form_test.moc"

// The area window and its map driven offscreen through the real main window: the keys of the map, the
// questions they ask (answered by script), the room editor following the map, the painting of the map.
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScrollBar>
#include <QTabWidget>
#include <QTextBrowser>
#include <QTimer>
#include <QtTest>
#include <memory>

#include "MainFixture.h"
#include "area/Area.h"
#include "area/Header.h"
#include "area/MapDrawing.h"
#include "area/MapEditing.h"
#include "area/Resets.h"
#include "area/Rooms.h"
#include "ui/common/DialogService.h"
#include "ui/editors/ParentForm.h"
#include "ui/main/AreaManageForm.h"
#include "ui/main/HelpWindow.h"
#include "ui/main/MainForm.h"
#include "ui/main/ModifiedAreas.h"
#include "ui/main/SelectSectorForm.h"
#include "world/Areas.h"
#include "world/World.h"

using namespace tavro;
using namespace tavro::ui;
using tavro::ui::testing::WorldFolder;

namespace {

// A room editor reduced to what the map drives: the list of rooms by vnum and the room shown.
class TestRoomEditor : public TParentForm {
 public:
  TestRoomEditor() : edVnum(new QLineEdit(FieldsPanel)) {}

  void BindArea(TArea& area) override {
    LBSearch->clear();
    for (const auto& room : area.Rooms->Items)
      append_entry(QString::number(room->Vnum), room.get());
    SetList();
  }
  void ShowItem(int index) override {
    if (index < 0 || index >= entry_count()) {
      CurrentIndex = -1;
      ClearItem();
      return;
    }
    CurrentIndex = index;
    edVnum->setText(QString::number(entry_entity<TAreaRoom>(index)->Vnum));
  }
  void ClearItem() override {
    edVnum->clear();
    TParentForm::ClearItem();
  }

  QLineEdit* edVnum;
};

TestRoomEditor* room_editor(TAreaManageForm* window) {
  return static_cast<TestRoomEditor*>(window->RoomEditor());
}

QStringList entries(TParentForm* editor) {
  QStringList texts;
  for (int i = 0; i < editor->entry_count(); ++i)
    texts << editor->entry_text(i);
  return texts;
}

// Counts the key presses of one key that reach a widget.
class KeyCounter : public QObject {
 public:
  KeyCounter(QWidget* widget, int key) : QObject(widget), key_(key) { widget->installEventFilter(this); }
  int count = 0;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == key_) ++count;
    return false;
  }

 private:
  int key_;
};

QColor pixel(const QImage& image, int x, int y) {
  return QColor(image.pixel(x, y));
}

}  // namespace

class AreaMapTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<WorldFolder> folder;
  std::unique_ptr<ScriptedDialogService> script;
  std::unique_ptr<DialogServiceGuard> guard;
  std::unique_ptr<TMainForm> main;

  TWorld& world() { return *main->World(); }

  TArea& add_area(const char* name) {
    world().Areas->Items.push_back(std::make_unique<TArea>(world().Areas.get()));
    TArea& area = *world().Areas->Items.back();
    area.Header->Name = name;
    return area;
  }

  static TAreaRoom& add_room(TArea& area, int32_t vnum, int32_t sector = 0) {
    TAreaRoom& room = area.Rooms->Add();
    room.Vnum = vnum;
    room.Sector = sector;
    return room;
  }

  static void link(TAreaRoom& from, int32_t dir, const TAreaRoom& to) { SetExit(from, dir, to.Vnum); }

  static void link_both(TAreaRoom& from, int32_t dir, TAreaRoom& to) {
    link(from, dir, to);
    link(to, RevDir[static_cast<size_t>(dir)], from);
  }

  TAreaManageForm* open(TArea& area) {
    auto* window = qobject_cast<TAreaManageForm*>(main->open_area_window(&area));
    if (!window) return nullptr;
    QApplication::processEvents();
    return window;
  }

  // A key as the user types it: to whatever has the focus.
  static void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QWidget* target = QApplication::focusWidget();
    QVERIFY(target);
    QTest::keyClick(target, Qt::Key(key), modifiers);
  }

  static void click_room(TAreaManageForm* window, const TAreaRoom& room) {
    TMapWidget* map = window->Map();
    const int pitch = 4 * map->Zoom;
    const QPoint at(room.X * pitch - map->offset_x(), room.Y * pitch - map->offset_y());
    QTest::mouseClick(map->paint_box(), Qt::LeftButton, {}, at);
  }

  void expect_no_dialogs() { QCOMPARE(script->shown.size(), size_t(0)); }

 private slots:
  void init() {
    folder = std::make_unique<WorldFolder>(std::vector<std::pair<QString, QByteArray>>{});
    QVERIFY(folder->ok);
    script = std::make_unique<ScriptedDialogService>();
    guard = std::make_unique<DialogServiceGuard>(script.get());
    TAreaManageForm::Install();
    TAreaManageForm::set_editor_factory(TMDIChild::RoomsPage,
                                        [] { return std::make_unique<TestRoomEditor>(); });
    main = std::make_unique<TMainForm>();
    main->StartUpOnShow = false;
    main->resize(1000, 700);
    main->show();
    QVERIFY(QTest::qWaitForWindowActive(main.get()));
    QVERIFY(main->LoadWorld(folder->mud()));
  }

  void cleanup() {
    // Nothing here asks about unsaved changes: the windows go without a question.
    for (TArea* area : std::vector<TArea*>(main->ModifiedAreas().areas()))
      main->ModifiedAreas().clear(area);
    main.reset();
    TAreaManageForm::set_editor_factory(TMDIChild::RoomsPage, nullptr);
    TMainForm::set_area_window_factory(nullptr);
    guard.reset();
    QCOMPARE(script->unexpected, 0);
    script.reset();
    folder.reset();
  }

  void setAreaShowsTheMapWithNothingSelected() {
    TArea& area = add_area("Town");
    TAreaRoom& a = add_room(area, 100);
    TAreaRoom& b = add_room(area, 101);
    link_both(a, DIR_EAST, b);
    TAreaManageForm* window = open(area);
    QVERIFY(window);
    TMapWidget* map = window->Map();
    QCOMPARE(window->AreaPages->currentIndex(), 0);
    QCOMPARE(window->AreaPages->count(), 6);
    QCOMPARE(window->AreaPages->tabText(5), QStringLiteral("Mobiles"));
    QCOMPARE(map->Zoom, 10);
    QCOMPARE(map->MapLevel, 0);
    QCOMPARE(map->SelectedRoom, -1);
    QCOMPARE(map->horizontal_bar()->maximum(), 2);
    QCOMPARE(map->vertical_bar()->maximum(), 1);
    QCOMPARE(map->status_panel(2), QStringLiteral("MLevel:0"));
    for (int panel : {0, 1, 3, 4, 5})
      QCOMPARE(map->status_panel(panel), QString());
    // The editors that are not built yet leave an honest page behind.
    QVERIFY(window->Editor(TMDIChild::StatsPage) == nullptr);
    QVERIFY(window->RoomEditor() != nullptr);
    QCOMPARE(entries(window->RoomEditor()), (QStringList{QStringLiteral("100"), QStringLiteral("101")}));
  }

  void emptyAreaShowsABlankMapAndIgnoresCommands() {
    TArea& area = add_area("Empty");
    TAreaManageForm* window = open(area);
    TMapWidget* map = window->Map();
    press(Qt::Key_Right, Qt::ControlModifier);
    press(Qt::Key_Delete);
    press(Qt::Key_Left, Qt::ShiftModifier | Qt::ControlModifier);
    QCOMPARE(area.Rooms->Items.size(), size_t(0));
    expect_no_dialogs();
    QVERIFY(!main->ModifiedAreas().contains(&area));
    QCOMPARE(map->status_panel(2), QStringLiteral("MLevel:0"));
    for (int panel : {0, 1, 3, 4, 5})
      QCOMPARE(map->status_panel(panel), QString());
    const QImage image = map->paint_box()->grab().toImage();
    for (int y = 0; y < image.height(); y += 7)
      for (int x = 0; x < image.width(); x += 7)
        QCOMPARE(image.pixel(x, y), qRgb(255, 255, 255));
  }

  void clickSelectsARoomAndTheEditorShowsIt() {
    TArea& area = add_area("Town");
    TAreaRoom& a = add_room(area, 100, 1);
    TAreaRoom& b = add_room(area, 101);
    link_both(a, DIR_EAST, b);
    SetExit(a, DIR_SOUTHWEST, 555);
    world().SectorTypes = {"inside", "city"};
    TAreaManageForm* window = open(area);
    TMapWidget* map = window->Map();
    click_room(window, b);
    QCOMPARE(map->SelectedRoom, 1);
    QCOMPARE(window->RoomEditor()->selected_entry(), 1);
    QCOMPARE(room_editor(window)->edVnum->text(), QStringLiteral("101"));
    click_room(window, a);
    QCOMPARE(map->status_panel(0), QStringLiteral("RX:1"));
    QCOMPARE(map->status_panel(1), QStringLiteral("RY:1"));
    QCOMPARE(map->status_panel(3), QStringLiteral("VNum:100"));
    QCOMPARE(map->status_panel(4), QStringLiteral("Sector:city"));
    QCOMPARE(map->status_panel(5), QStringLiteral("Exits:ESw"));

    // A click on empty map clears the selection and the editor.
    QTest::mouseClick(map->paint_box(), Qt::LeftButton, {}, QPoint(300, 300));
    QCOMPARE(map->SelectedRoom, -1);
    QCOMPARE(room_editor(window)->edVnum->text(), QString());
    QCOMPARE(window->RoomEditor()->CurrentIndex, -1);
    QCOMPARE(map->status_panel(3), QString());
  }

  void doubleClickOpensTheRoomsPage() {
    TArea& area = add_area("Town");
    TAreaRoom& a = add_room(area, 100);
    TAreaManageForm* window = open(area);
    const QPoint at(a.X * 40, a.Y * 40);
    QTest::mouseDClick(window->Map()->paint_box(), Qt::LeftButton, {}, at);
    QCOMPARE(window->AreaPages->currentIndex(), int(TMDIChild::RoomsPage));
    QCOMPARE(room_editor(window)->edVnum->text(), QStringLiteral("100"));
  }

  void ctrlRightCreatesALinkedRoom() {
    TArea& area = add_area("Town");
    TAreaRoom& a = add_room(area, 100);
    add_room(area, 104);  // not reachable: stays unplaced, but counts for the next free vnum
    TAreaManageForm* window = open(area);
    TMapWidget* map = window->Map();
    click_room(window, a);
    press(Qt::Key_Right, Qt::ControlModifier);

    expect_no_dialogs();
    QCOMPARE(area.Rooms->Items.size(), size_t(3));
    const TAreaRoom& created = *area.Rooms->Items[2];
    QCOMPARE(created.Vnum, 105);
    QVERIFY(a.Doors[DIR_EAST]);
    QCOMPARE(a.Doors[DIR_EAST]->ToVnum, 105);
    QVERIFY(created.Doors[DIR_WEST]);
    QCOMPARE(created.Doors[DIR_WEST]->ToVnum, 100);
    QCOMPARE(created.X, a.X + 1);
    QCOMPARE(created.Y, a.Y);
    QVERIFY(!created.Unplaced);
    QCOMPARE(map->SelectedRoom, 2);
    QCOMPARE(map->MapLevel, 0);
    QCOMPARE(entries(window->RoomEditor()).last(), QStringLiteral("105"));
    QCOMPARE(window->RoomEditor()->selected_entry(), 2);
    QCOMPARE(room_editor(window)->edVnum->text(), QStringLiteral("105"));
    QCOMPARE(map->status_panel(3), QStringLiteral("VNum:105"));
    QCOMPARE(map->status_panel(5), QStringLiteral("Exits:W"));
    QVERIFY(main->ModifiedAreas().contains(&area));
    QVERIFY(window->windowTitle().endsWith(QStringLiteral(" *")));
    QCOMPARE(map->horizontal_bar()->maximum(), created.X);

    // Up (keypad +) creates a room one level higher, and the map shows that level.
    press(Qt::Key_Plus, Qt::ControlModifier | Qt::KeypadModifier);
    const TAreaRoom& above = *area.Rooms->Items[3];
    QCOMPARE(above.Vnum, 106);
    QCOMPARE(above.Level, 1);
    QVERIFY(above.Doors[DIR_DOWN]);
    QCOMPARE(map->MapLevel, 1);
    QCOMPARE(map->status_panel(2), QStringLiteral("MLevel:1"));
  }

  void ctrlDirectionAlongAnExistingExitOnlyMoves() {
    TArea& area = add_area("Town");
    TAreaRoom& a = add_room(area, 100);
    TAreaRoom& b = add_room(area, 101);
    link_both(a, DIR_EAST, b);
    TAreaManageForm* window = open(area);
    click_room(window, a);
    press(Qt::Key_Right, Qt::ControlModifier);
    QCOMPARE(area.Rooms->Items.size(), size_t(2));
    QCOMPARE(window->Map()->SelectedRoom, 1);
    QCOMPARE(window->RoomEditor()->selected_entry(), 1);
    QVERIFY(!main->ModifiedAreas().contains(&area));
  }

  void ctrlDirectionIntoAnotherAreaAsksToOpenIt() {
    TArea& other = add_area("Forest");
    add_room(other, 7);
    TAreaRoom& far_room = add_room(other, 200);
    TArea& area = add_area("Town");
    TAreaRoom& a = add_room(area, 100);
    link(a, DIR_NORTH, far_room);
    TAreaManageForm* window = open(area);
    click_room(window, a);

    script->replies = {DialogAnswer::No};
    press(Qt::Key_Up, Qt::ControlModifier);
    QCOMPARE(script->shown.size(), size_t(1));
    QCOMPARE(script->shown[0].caption, QStringLiteral("Create New Room"));
    QCOMPARE(script->shown[0].text, QStringLiteral("This room in area \"Forest\"\r\nOpen area?"));
    QVERIFY(main->find_area_window(&other) == nullptr);
    QCOMPARE(area.Rooms->Items.size(), size_t(1));

    script->replies = {DialogAnswer::Yes};
    press(Qt::Key_Up, Qt::ControlModifier);
    auto* opened = qobject_cast<TAreaManageForm*>(main->find_area_window(&other));
    QVERIFY(opened);
    QCOMPARE(opened->Map()->SelectedRoom, 1);
    QCOMPARE(opened->RoomEditor()->selected_entry(), 1);
    QCOMPARE(room_editor(opened)->edVnum->text(), QStringLiteral("200"));
    QCOMPARE(window->Map()->SelectedRoom, 0);
  }

  void shiftUpAcrossAreasLeavesTheOtherEditorAlone() {
    TArea& other = add_area("Forest");
    add_room(other, 7);
    TAreaRoom& far_room = add_room(other, 200);
    TArea& area = add_area("Town");
    TAreaRoom& a = add_room(area, 100);
    link(a, DIR_NORTH, far_room);
    TAreaManageForm* window = open(area);
    click_room(window, a);

    script->replies = {DialogAnswer::Yes};
    press(Qt::Key_Up, Qt::ShiftModifier);
    QCOMPARE(script->shown.size(), size_t(1));
    QCOMPARE(script->shown[0].kind, QStringLiteral("question"));
    QCOMPARE(script->shown[0].caption, QStringLiteral("Move To Room"));
    QCOMPARE(script->shown[0].text, QStringLiteral("This room in area \"Forest\"\r\nOpen area?"));
    auto* opened = qobject_cast<TAreaManageForm*>(main->find_area_window(&other));
    QVERIFY(opened);
    QCOMPARE(opened->Map()->SelectedRoom, 1);
    QCOMPARE(opened->Map()->MapLevel, far_room.Level);
    QCOMPARE(opened->RoomEditor()->selected_entry(), 0);
    QVERIFY(!main->ModifiedAreas().contains(&area));
  }

  void exitIntoNoKnownRoomIsReported() {
    TArea& area = add_area("Town");
    TAreaRoom& a = add_room(area, 100);
    SetExit(a, DIR_NORTH, 999);
    TAreaManageForm* window = open(area);
    click_room(window, a);
    press(Qt::Key_Up, Qt::ShiftModifier);
    press(Qt::Key_Up, Qt::ControlModifier);
    QCOMPARE(script->shown.size(), size_t(2));
    QCOMPARE(script->shown[0].kind, QStringLiteral("message"));
    QCOMPARE(script->shown[0].caption, QStringLiteral("Move To Room"));
    QCOMPARE(script->shown[0].text, QStringLiteral("Unfinished link (VNum 999) !"));
    QCOMPARE(script->shown[1].caption, QStringLiteral("Create new room"));
    QCOMPARE(script->shown[1].text, QStringLiteral("Unfinished link (VNum 999) !"));
    QCOMPARE(area.Rooms->Items.size(), size_t(1));
    QCOMPARE(window->Map()->SelectedRoom, 0);
  }

  void shiftCtrlLinksToTheNearestRoom() {
    // a at column 4; f three cells to the west on the same row, reached through a detour.
    TArea& area = add_area("Town");
    TAreaRoom& a = add_room(area, 100);
    TAreaRoom& b = add_room(area, 101);
    TAreaRoom& c = add_room(area, 102);
    TAreaRoom& d = add_room(area, 103);
    TAreaRoom& e = add_room(area, 104);
    TAreaRoom& f = add_room(area, 105);
    link_both(a, DIR_NORTH, b);
    link_both(b, DIR_WEST, c);
    link_both(c, DIR_WEST, d);
    link_both(d, DIR_WEST, e);
    link_both(e, DIR_SOUTH, f);
    TAreaManageForm* window = open(area);
    QCOMPARE(f.X, a.X - 3);
    QCOMPARE(f.Y, a.Y);
    click_room(window, a);
    const int32_t a_x = a.X;

    script->replies = {DialogAnswer::Yes, DialogAnswer::No};
    press(Qt::Key_Left, Qt::ShiftModifier | Qt::ControlModifier);
    QCOMPARE(script->shown.size(), size_t(2));
    QVERIFY(!a.Doors[DIR_WEST]);
    QVERIFY(!main->ModifiedAreas().contains(&area));

    script->shown.clear();
    script->replies = {DialogAnswer::Yes, DialogAnswer::Yes};
    press(Qt::Key_Left, Qt::ShiftModifier | Qt::ControlModifier);
    QCOMPARE(script->shown.size(), size_t(2));
    for (const auto& shown : script->shown) {
      QCOMPARE(shown.caption, QStringLiteral("Linking room"));
      QCOMPARE(shown.text, QStringLiteral("Near rooms in this direction don't exist!\r\nContinue search?"));
    }
    QVERIFY(a.Doors[DIR_WEST]);
    QCOMPARE(a.Doors[DIR_WEST]->ToVnum, 105);
    QVERIFY(!f.Doors[DIR_EAST]);
    QCOMPARE(window->Map()->SelectedRoom, 5);
    QCOMPARE(a.X, a_x);  // no new layout
    QVERIFY(main->ModifiedAreas().contains(&area));
  }

  void deleteAsksAndCancelKeepsEverything() {
    TArea& area = add_area("Town");
    TAreaRoom& a = add_room(area, 100);
    TAreaRoom& b = add_room(area, 101);
    link_both(a, DIR_EAST, b);
    TAreaManageForm* window = open(area);
    click_room(window, b);
    script->replies = {DialogAnswer::Cancel};
    press(Qt::Key_Delete);
    QCOMPARE(script->shown.size(), size_t(1));
    QCOMPARE(script->shown[0].caption, QStringLiteral("Remove Room"));
    QCOMPARE(script->shown[0].text, QStringLiteral("Fix Exits?"));
    QCOMPARE(area.Rooms->Items.size(), size_t(2));
    QCOMPARE(window->Map()->SelectedRoom, 1);
    QCOMPARE(window->RoomEditor()->entry_count(), 2);
    QVERIFY(!main->ModifiedAreas().contains(&area));
  }

  void deleteAnsweredNoRemovesTheRoomOnly() {
    TArea& other = add_area("Forest");
    TAreaRoom& o = add_room(other, 7);
    TArea& area = add_area("Town");
    TAreaRoom& a = add_room(area, 100);
    TAreaRoom& b = add_room(area, 101);
    TAreaRoom& c = add_room(area, 102);
    link_both(a, DIR_EAST, b);
    link_both(a, DIR_SOUTH, c);
    link(o, DIR_UP, b);
    TAreaReset& reset = other.Resets->Add();
    reset.Command = 'M';
    reset.Arg3 = 101;
    TAreaManageForm* window = open(area);
    click_room(window, b);

    script->replies = {DialogAnswer::No};
    press(Qt::Key_Delete);
    QCOMPARE(script->shown.size(), size_t(1));
    QCOMPARE(script->shown[0].text, QStringLiteral("Fix Exits and Resets?"));
    QCOMPARE(area.Rooms->Items.size(), size_t(2));
    QCOMPARE(area.Rooms->Items[1]->Vnum, 102);
    QCOMPARE(o.Doors[DIR_UP]->ToVnum, 101);
    QCOMPARE(other.Resets->Items.size(), size_t(1));
    // The index now selects the room that followed, and the editor shows that one.
    QCOMPARE(window->Map()->SelectedRoom, 1);
    QCOMPARE(entries(window->RoomEditor()), (QStringList{QStringLiteral("100"), QStringLiteral("102")}));
    QCOMPARE(room_editor(window)->edVnum->text(), QStringLiteral("102"));
    QCOMPARE(window->RoomEditor()->CurrentIndex, 1);
    QVERIFY(main->ModifiedAreas().contains(&area));
    QVERIFY(main->find_area_window(&other) == nullptr);

    // Removing the last room of the list leaves nothing selected.
    script->replies = {DialogAnswer::No};
    press(Qt::Key_Delete);
    QCOMPARE(area.Rooms->Items.size(), size_t(1));
    QCOMPARE(window->Map()->SelectedRoom, -1);
    QCOMPARE(window->RoomEditor()->CurrentIndex, -1);
    QCOMPARE(window->Map()->status_panel(3), QString());
  }

  void deleteAnsweredYesRepairsAndShowsTheOtherArea() {
    TArea& other = add_area("Forest");
    TAreaRoom& o = add_room(other, 7);
    TArea& area = add_area("Town");
    TAreaRoom& a = add_room(area, 100);
    TAreaRoom& b = add_room(area, 101);
    link_both(a, DIR_EAST, b);
    link(o, DIR_UP, b);
    for (char command : {'O', 'P', 'M', 'E', 'G'}) {
      TAreaReset& reset = other.Resets->Add();
      reset.Command = command;
      reset.Arg3 = command == 'M' ? 101 : 1;
    }
    TAreaManageForm* window = open(area);
    click_room(window, b);

    script->replies = {DialogAnswer::Yes};
    press(Qt::Key_Delete);
    QCOMPARE(area.Rooms->Items.size(), size_t(1));
    QCOMPARE(a.Doors[DIR_EAST]->ToVnum, 0);
    QCOMPARE(o.Doors[DIR_UP]->ToVnum, 0);
    QCOMPARE(other.Resets->Items.size(), size_t(2));
    QVERIFY(main->find_area_window(&other) != nullptr);
    QVERIFY(main->ModifiedAreas().contains(&other));
    QVERIFY(main->ModifiedAreas().contains(&area));
    QVERIFY(!other.ModifiedElsewhere);
    QCOMPARE(window->Map()->SelectedRoom, -1);
  }

  void zoomStaysWithinItsLimits() {
    TArea& area = add_area("Town");
    add_room(area, 100);
    TAreaManageForm* window = open(area);
    TMapWidget* map = window->Map();
    press(Qt::Key_Slash, Qt::KeypadModifier);
    QCOMPARE(map->Zoom, 5);
    press(Qt::Key_Slash, Qt::KeypadModifier);
    QCOMPARE(map->Zoom, 5);
    press(Qt::Key_Asterisk, Qt::KeypadModifier);
    QCOMPARE(map->Zoom, 10);
    press(Qt::Key_Asterisk, Qt::KeypadModifier);
    QCOMPARE(map->Zoom, 20);
    for (int i = 0; i < 30; ++i)
      press(Qt::Key_Asterisk, Qt::KeypadModifier);
    QCOMPARE(map->Zoom, kMaxZoom);
    // The main keyboard's / is not the zoom key.
    press(Qt::Key_Slash);
    QCOMPARE(map->Zoom, kMaxZoom);
  }

  void f1OpensTheMapKeysHelp() {
    TArea& area = add_area("Town");
    add_room(area, 100);
    open(area);
    QVERIFY(main->findChild<THelpWindow*>() == nullptr);
    press(Qt::Key_F1);
    auto* help = main->findChild<THelpWindow*>();
    QVERIFY(help);
    QVERIFY(help->isVisible());
    QCOMPARE(help->Browser->source(), QUrl(QStringLiteral("qrc:/help/map_info.html")));
    // The page is the keyboard guide itself, not the contents page.
    QVERIFY(help->Browser->toPlainText().contains(QStringLiteral("Ctrl + direction")));
    expect_no_dialogs();
  }

  void levelKeysChangeTheShownLevel() {
    TArea& area = add_area("Town");
    add_room(area, 100);
    TAreaManageForm* window = open(area);
    press(Qt::Key_Plus, Qt::KeypadModifier);
    press(Qt::Key_Plus, Qt::KeypadModifier);
    QCOMPARE(window->Map()->MapLevel, 2);
    QCOMPARE(window->Map()->status_panel(2), QStringLiteral("MLevel:2"));
    press(Qt::Key_Minus, Qt::KeypadModifier);
    press(Qt::Key_Minus, Qt::KeypadModifier);
    press(Qt::Key_Minus, Qt::KeypadModifier);
    QCOMPARE(window->Map()->status_panel(2), QStringLiteral("MLevel:-1"));
  }

  void scrollKeysMoveWithinTheMap() {
    TArea& area = add_area("Town");
    TAreaRoom* last = &add_room(area, 1);
    for (int32_t vnum = 2; vnum <= 60; ++vnum) {
      TAreaRoom& next = add_room(area, vnum);
      link_both(*last, DIR_SOUTHEAST, next);
      last = &next;
    }
    TAreaManageForm* window = open(area);
    TMapWidget* map = window->Map();
    QScrollBar* h = map->horizontal_bar();
    QScrollBar* v = map->vertical_bar();
    QCOMPARE(h->maximum(), 60);
    press(Qt::Key_Left);
    QCOMPARE(h->value(), 0);
    press(Qt::Key_Right);
    press(Qt::Key_Right);
    QCOMPARE(h->value(), 2);
    press(Qt::Key_Down);
    QCOMPARE(v->value(), 1);
    const int page = VisibleCells(map->paint_box()->height(), map->Zoom);
    press(Qt::Key_PageDown);
    QCOMPARE(v->value(), 1 + page);
    press(Qt::Key_PageUp);
    press(Qt::Key_PageUp);
    QCOMPARE(v->value(), 0);
    press(Qt::Key_End);
    // The last room is the last fully visible one.
    QCOMPARE(h->value(), 60 - VisibleCells(map->paint_box()->width(), map->Zoom) + 1);
    QCOMPARE(v->value(), 60 - page + 1);
    const TAreaRoom& end = *area.Rooms->Items.back();
    QVERIFY(end.X * 40 - map->offset_x() + 10 <= map->paint_box()->width());
    press(Qt::Key_Home);
    QCOMPARE(h->value(), 0);
    QCOMPARE(v->value(), 0);
  }

  void theSelectionStaysInView() {
    TArea& area = add_area("Town");
    TAreaRoom* last = &add_room(area, 1);
    for (int32_t vnum = 2; vnum <= 80; ++vnum) {
      TAreaRoom& next = add_room(area, vnum);
      link_both(*last, DIR_EAST, next);
      last = &next;
    }
    TAreaManageForm* window = open(area);
    TMapWidget* map = window->Map();
    click_room(window, *area.Rooms->Items[0]);
    const int width = map->paint_box()->width();
    for (int step = 0; step < 79; ++step) {
      press(Qt::Key_Right, Qt::ShiftModifier);
      const TAreaRoom& selected = *area.Rooms->Items[static_cast<size_t>(map->SelectedRoom)];
      const int centre = selected.X * 4 * map->Zoom - map->offset_x();
      QVERIFY2(centre - map->Zoom >= 0 && centre + map->Zoom <= width, qPrintable(QString::number(step)));
    }
    QCOMPARE(map->SelectedRoom, 79);
    QVERIFY(map->horizontal_bar()->value() > 0);
  }

  void enterAndCtrlDigitsSwitchPages() {
    TArea& area = add_area("Town");
    add_room(area, 100);
    TAreaManageForm* window = open(area);
    press(Qt::Key_Return);
    QCOMPARE(window->AreaPages->currentIndex(), int(TMDIChild::RoomsPage));

    // On another page the map's keys pass on: Right types nowhere near the map.
    QLineEdit* search = window->RoomEditor()->SearchEdit;
    search->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(search));
    QTest::keyClicks(search, QStringLiteral("10"));
    press(Qt::Key_Left);
    QCOMPARE(window->Map()->horizontal_bar()->value(), 0);
    QCOMPARE(search->cursorPosition(), 1);

    // Ctrl+Shift+1 is no page key: it reaches the text field. Ctrl+1 shows the map and never does.
    auto* digits = new KeyCounter(search, Qt::Key_1);
    press(Qt::Key_1, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(window->AreaPages->currentIndex(), int(TMDIChild::RoomsPage));
    QCOMPARE(digits->count, 1);
    press(Qt::Key_1, Qt::ControlModifier);
    QCOMPARE(window->AreaPages->currentIndex(), int(TMDIChild::MapPage));
    QCOMPARE(digits->count, 1);
    QCOMPARE(search->text(), QStringLiteral("10"));
    for (int page = 5; page >= 0; --page) {
      window->Map()->paint_box()->setFocus();
      window->AreaPages->setCurrentIndex(0);
      press(Qt::Key_1 + page, Qt::ControlModifier);
      QCOMPARE(window->AreaPages->currentIndex(), page);
    }
  }

  void tChoosesTheSectorOfNewRooms() {
    world().SectorTypes = {"inside", "city", "field", "forest", "hills"};
    TArea& area = add_area("Town");
    TAreaRoom& a = add_room(area, 100);
    TAreaManageForm* window = open(area);
    click_room(window, a);
    bool picked = false;
    QTimer::singleShot(0, this, [&] {
      auto* picker = qobject_cast<TSelectSectorForm*>(QApplication::activeModalWidget());
      if (!picker) return;
      picked = picker->Selected == 0;
      picker->SetSelected(3);
      picker->accept();
    });
    press(Qt::Key_T);
    QVERIFY(picked);
    QCOMPARE(window->Map()->NewRoomSector, 3);
    main->activateWindow();
    window->Map()->paint_box()->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), window->Map()->paint_box());
    press(Qt::Key_Down, Qt::ControlModifier);
    QCOMPARE(area.Rooms->Items.back()->Sector, 3);
    QCOMPARE(window->Map()->status_panel(4), QStringLiteral("Sector:forest"));
  }

  void theLevelBelowIsAGreyShadow() {
    TArea& area = add_area("Town");
    TAreaRoom& a = add_room(area, 100, 1);
    TAreaRoom& c = add_room(area, 101, 1);
    TAreaRoom& up = add_room(area, 102, 2);
    link_both(a, DIR_EAST, c);
    link_both(a, DIR_UP, up);
    world().SectorColors = {"0=0", "1=255", "2=16711680"};
    TAreaManageForm* window = open(area);
    TMapWidget* map = window->Map();
    press(Qt::Key_Plus, Qt::KeypadModifier);
    QCOMPARE(map->MapLevel, 1);
    const QImage image = map->paint_box()->grab().toImage();
    // c stands at (80, 40) on level 0: its grey square, 3 pixels up and to the left, spans 67..87.
    QCOMPARE(pixel(image, 77, 37), QColor(128, 128, 128));
    QCOMPARE(pixel(image, 86, 46), QColor(128, 128, 128));
    QCOMPARE(pixel(image, 89, 49), QColor(Qt::white));
    // The room of the shown level in its sector colour (blue, 0x00FF0000 with red in the low byte).
    QCOMPARE(pixel(image, up.X * 40, up.Y * 40), QColor(0, 0, 255));

    press(Qt::Key_Minus, Qt::KeypadModifier);
    const QImage level0 = map->paint_box()->grab().toImage();
    QCOMPARE(pixel(level0, 80, 40), QColor(255, 0, 0));
  }
};

QTEST_MAIN(AreaMapTest)
#include "area_map_test.moc"

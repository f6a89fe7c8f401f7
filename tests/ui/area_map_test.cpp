// The area window and its map driven offscreen through the real main window: the keys of the map, the
// questions they ask (answered by script), the room editor following the map, the painting of the map.
#include <QLineEdit>
#include <QListWidget>
#include <QScrollBar>
#include <QTabWidget>
#include <QTextBrowser>
#include <QTimer>
#include <QtTest>

#include "MainFixture.h"
#include "area/Area.h"
#include "area/Changes.h"
#include "area/Header.h"
#include "area/MapDrawing.h"
#include "area/MapEditing.h"
#include "area/Resets.h"
#include "area/Rooms.h"
#include "ui/common/WorldDocument.h"
#include "ui/editors/ParentForm.h"
#include "ui/main/AreaManageForm.h"
#include "ui/main/HelpWindow.h"
#include "ui/main/SelectSectorForm.h"

using namespace tavro;
using namespace tavro::ui;
using namespace Qt::StringLiterals;

namespace {

// A room editor reduced to what the map drives: the list of rooms by vnum and the vnum of the room shown.
class TestRoomEditor : public TParentForm {
 public:
  void BindArea(TArea& area) override {
    area_ = &area;
    fill();
    SetList();
  }
  // The list follows the rooms; the map says which one to show.
  void AreaChanged(uint32_t scope) override {
    if (scope & kRoomsChanged) fill();
  }
  void ShowItem(int index) override {
    if (index < 0 || index >= entry_count()) return ClearItem();
    CurrentIndex = index;
    ShownVnum = entry_entity<TAreaRoom>(index)->Vnum;
  }
  void ClearItem() override {
    ShownVnum = 0;
    TParentForm::ClearItem();
  }
  int32_t ShownVnum = 0;

 private:
  void fill() {
    clear_entries();
    for (const auto& room : area_->Rooms->Items)
      append_entry(QString::number(room->Vnum), room.get());
  }
  TArea* area_ = nullptr;
};

int32_t shown_vnum(TAreaManageForm* window) {
  return static_cast<TestRoomEditor*>(window->RoomEditor())->ShownVnum;
}

QStringList entries(TParentForm* editor) {
  QStringList texts;
  for (int i = 0; i < editor->entry_count(); ++i)
    texts << editor->entry_text(i);
  return texts;
}

}  // namespace

class AreaMapTest : public QObject, testing::MainWindowFixture {
  Q_OBJECT

 private:
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

  // Rooms from first on, each linked both ways to the one before in the direction dir.
  static void add_chain(TArea& area, int32_t first, int32_t last, int32_t dir) {
    TAreaRoom* previous = &add_room(area, first);
    for (int32_t vnum = first + 1; vnum <= last; ++vnum) {
      TAreaRoom& next = add_room(area, vnum);
      link_both(*previous, dir, next);
      previous = &next;
    }
  }

  TAreaManageForm* open(TArea& area) {
    auto* window = qobject_cast<TAreaManageForm*>(form->open_area_window(&area));
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

  // The window of a new area with the rooms given, the first of them selected.
  TAreaManageForm* open_with_first_selected(TArea& area) {
    TAreaManageForm* window = open(area);
    if (window && !area.Rooms->Items.empty()) click_room(window, *area.Rooms->Items[0]);
    return window;
  }

  // Town: 100 with 101 to the east and 102 to the south; Forest's room 7 leads up to 101, and Forest's resets
  // put a mobile (with equipment) into 101. The map shows Town with 101 selected.
  TAreaManageForm* open_rooms_to_delete() {
    TArea& other = add_area("Forest");
    TAreaRoom& o = add_room(other, 7);
    TArea& area = add_area("Town");
    TAreaRoom& a = add_room(area, 100);
    TAreaRoom& b = add_room(area, 101);
    b.Name = "East";
    link_both(a, DIR_EAST, b);
    link_both(a, DIR_SOUTH, add_room(area, 102));
    link(o, DIR_UP, b);
    for (char command : {'O', 'P', 'M', 'E', 'G'}) {
      TAreaReset& reset = other.Resets->Add();
      reset.Command = command;
      reset.Arg3 = command == 'M' ? 101 : 1;
    }
    TAreaManageForm* window = open(area);
    click_room(window, b);
    return window;
  }

  bool modified(TArea& area) { return form->Document().IsModified(&area); }

 private slots:
  void init() {
    TAreaManageForm::Install();
    TAreaManageForm::set_editor_factory(TMDIChild::RoomsPage,
                                        [] { return std::make_unique<TestRoomEditor>(); });
    load({}, QSize(1000, 700));
    QVERIFY(QTest::qWaitForWindowActive(form.get()));
  }

  void cleanup() {
    const int unexpected = close_without_questions();
    TAreaManageForm::set_editor_factory(TMDIChild::RoomsPage, nullptr);
    QCOMPARE(unexpected, 0);
  }

  void setAreaShowsTheMapWithNothingSelectedAndCtrlMovesAlongExits() {
    TArea& area = add_area("Town");
    add_chain(area, 100, 101, DIR_EAST);
    TAreaManageForm* window = open(area);
    QVERIFY(window);
    TMapWidget* map = window->Map();
    QCOMPARE(window->AreaPages->currentIndex(), 0);
    QCOMPARE(window->AreaPages->count(), 6);
    QCOMPARE(map->Zoom, 10);
    QCOMPARE(map->MapLevel, 0);
    QCOMPARE(map->SelectedRoom, -1);
    QCOMPARE(map->horizontal_bar()->maximum(), 2);
    QCOMPARE(map->vertical_bar()->maximum(), 1);
    QCOMPARE(map->status_panel(2), u"MLevel:0"_s);
    for (int panel : {0, 1, 3, 4, 5})
      QCOMPARE(map->status_panel(panel), QString());
    QCOMPARE(entries(window->RoomEditor()), (QStringList{u"100"_s, u"101"_s}));

    // Ctrl+direction along an existing exit only moves.
    click_room(window, *area.Rooms->Items[0]);
    press(Qt::Key_Right, Qt::ControlModifier);
    QCOMPARE(area.Rooms->Items.size(), size_t(2));
    QCOMPARE(map->SelectedRoom, 1);
    QCOMPARE(window->RoomEditor()->selected_entry(), 1);
    QVERIFY(!modified(area));
  }

  // An empty map shows nothing and offers nothing to delete or link; Enter or Ctrl+direction makes the
  // first room, the map selects it and the status bar names its vnum.
  void emptyMapMakesItsFirstRoom_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifier");
    QTest::newRow("Enter") << int(Qt::Key_Return) << int(Qt::NoModifier);
    QTest::newRow("Ctrl+Right") << int(Qt::Key_Right) << int(Qt::ControlModifier);
  }

  void emptyMapMakesItsFirstRoom() {
    QFETCH(int, key);
    QFETCH(int, modifier);
    TArea& area = add_area("Empty");
    TMapWidget* map = open(area)->Map();
    const QImage image = map->paint_box()->grab().toImage();
    for (int y = 0; y < image.height(); y += 7)
      for (int x = 0; x < image.width(); x += 7)
        QCOMPARE(image.pixel(x, y), qRgb(255, 255, 255));
    press(Qt::Key_Delete);
    press(Qt::Key_Left, Qt::ShiftModifier | Qt::ControlModifier);
    QCOMPARE(script->shown.size(), size_t(0));
    QVERIFY(!modified(area));

    press(key, Qt::KeyboardModifiers(modifier));
    QCOMPARE(area.Rooms->Items.size(), size_t(1));
    QCOMPARE(map->SelectedRoom, 0);
    QCOMPARE(map->status_panel(6), u"New room: 1"_s);
    QVERIFY(modified(area));
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
    QCOMPARE(shown_vnum(window), 101);
    click_room(window, a);
    QCOMPARE((QStringList{map->status_panel(0), map->status_panel(1), map->status_panel(3),
                          map->status_panel(4), map->status_panel(5)}),
             (QStringList{u"RX:1"_s, u"RY:1"_s, u"VNum:100"_s, u"Sector:city"_s, u"Exits:ESw"_s}));

    // A click on empty map clears the selection and the editor.
    QTest::mouseClick(map->paint_box(), Qt::LeftButton, {}, QPoint(300, 300));
    QCOMPARE(map->SelectedRoom, -1);
    QCOMPARE(shown_vnum(window), 0);
    QCOMPARE(window->RoomEditor()->CurrentIndex, -1);
    QCOMPARE(map->status_panel(3), QString());

    // A double click opens the rooms page on that room.
    QTest::mouseDClick(map->paint_box(), Qt::LeftButton, {}, QPoint(a.X * 40, a.Y * 40));
    QCOMPARE(window->AreaPages->currentIndex(), int(TMDIChild::RoomsPage));
    QCOMPARE(shown_vnum(window), 100);
  }

  void ctrlRightCreatesALinkedRoom() {
    TArea& area = add_area("Town");
    TAreaRoom& a = add_room(area, 100);
    add_room(area, 104);  // not reachable: stays unplaced, but counts for the next free vnum
    TAreaManageForm* window = open_with_first_selected(area);
    TMapWidget* map = window->Map();
    press(Qt::Key_Right, Qt::ControlModifier);

    QCOMPARE(script->shown.size(), size_t(0));
    QCOMPARE(area.Rooms->Items.size(), size_t(3));
    const TAreaRoom& created = *area.Rooms->Items[2];
    QCOMPARE(created.Vnum, 105);
    QVERIFY(a.Doors[DIR_EAST] && created.Doors[DIR_WEST]);
    QCOMPARE(a.Doors[DIR_EAST]->ToVnum, 105);
    QCOMPARE(created.Doors[DIR_WEST]->ToVnum, 100);
    QCOMPARE(map->SelectedRoom, 2);
    QCOMPARE(map->MapLevel, 0);
    QCOMPARE(window->RoomEditor()->selected_entry(), 2);
    QCOMPARE(shown_vnum(window), 105);
    QCOMPARE(map->status_panel(5), u"Exits:W"_s);
    QVERIFY(modified(area));
    QCOMPARE(map->horizontal_bar()->maximum(), created.X);

    // Up (keypad +) creates a room one level higher, and the map shows that level.
    press(Qt::Key_Plus, Qt::ControlModifier | Qt::KeypadModifier);
    const TAreaRoom& above = *area.Rooms->Items[3];
    QCOMPARE(above.Vnum, 106);
    QCOMPARE(above.Level, 1);
    QVERIFY(above.Doors[DIR_DOWN]);
    QCOMPARE(map->MapLevel, 1);
    QCOMPARE(map->status_panel(2), u"MLevel:1"_s);
  }

  // The town's next vnum belongs to a market room: the new room takes the first vnum no room of the world
  // has, and the status bar names it. Delete leaves alone a room on a level that is not shown.
  void newRoomVnumIsFreeInTheWorldAndDeleteKeepsToTheShownLevel() {
    TArea& market = add_area("Market");
    add_room(market, 101);
    add_room(market, 102);
    TArea& area = add_area("Town");
    add_room(area, 100);
    TAreaManageForm* window = open_with_first_selected(area);
    press(Qt::Key_Right, Qt::ControlModifier);
    QCOMPARE(area.Rooms->Items.back()->Vnum, 103);
    QCOMPARE(window->Map()->status_panel(6), u"New room: 103"_s);
    press(Qt::Key_Minus, Qt::KeypadModifier);
    press(Qt::Key_Delete);
    QCOMPARE(script->shown.size(), size_t(0));
    QCOMPARE(area.Rooms->Items.size(), size_t(2));
  }

  void directionIntoAnotherAreaAsksToOpenIt_data() {
    QTest::addColumn<int>("modifier");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("editor_entry");  // a move leaves the other area's editor where it was
    QTest::newRow("Ctrl: create") << int(Qt::ControlModifier) << u"Create New Room"_s << 1;
    QTest::newRow("Shift: move") << int(Qt::ShiftModifier) << u"Move To Room"_s << 0;
  }

  void directionIntoAnotherAreaAsksToOpenIt() {
    QFETCH(int, modifier);
    QFETCH(QString, caption);
    QFETCH(int, editor_entry);
    TArea& other = add_area("Forest");
    add_room(other, 7);
    TAreaRoom& far_room = add_room(other, 200);
    TArea& area = add_area("Town");
    link(add_room(area, 100), DIR_NORTH, far_room);
    TAreaManageForm* window = open_with_first_selected(area);

    script->replies = {DialogAnswer::No};
    press(Qt::Key_Up, Qt::KeyboardModifiers(modifier));
    QCOMPARE(dialog(0),
             (QStringList{u"question"_s, caption, u"This room in area \"Forest\"\r\nOpen area?"_s}));
    QVERIFY(form->find_area_window(&other) == nullptr);
    QCOMPARE(area.Rooms->Items.size(), size_t(1));

    script->replies = {DialogAnswer::Yes};
    press(Qt::Key_Up, Qt::KeyboardModifiers(modifier));
    auto* opened = qobject_cast<TAreaManageForm*>(form->find_area_window(&other));
    QVERIFY(opened);
    QCOMPARE(opened->Map()->SelectedRoom, 1);
    QCOMPARE(opened->Map()->MapLevel, far_room.Level);
    QCOMPARE(opened->RoomEditor()->selected_entry(), editor_entry);
    QCOMPARE(shown_vnum(opened), editor_entry == 1 ? 200 : 7);
    QCOMPARE(window->Map()->SelectedRoom, 0);
    QVERIFY(!modified(area));
  }

  void exitIntoNoKnownRoomIsReported() {
    TArea& area = add_area("Town");
    SetExit(add_room(area, 100), DIR_NORTH, 999);
    TAreaManageForm* window = open_with_first_selected(area);
    press(Qt::Key_Up, Qt::ShiftModifier);
    press(Qt::Key_Up, Qt::ControlModifier);
    QCOMPARE(script->shown.size(), size_t(2));
    QCOMPARE(dialog(0), (QStringList{u"message"_s, u"Move To Room"_s, u"Unfinished link (VNum 999) !"_s}));
    QCOMPARE(dialog(1), (QStringList{u"message"_s, u"Create new room"_s, u"Unfinished link (VNum 999) !"_s}));
    QCOMPARE(area.Rooms->Items.size(), size_t(1));
    QCOMPARE(window->Map()->SelectedRoom, 0);
  }

  void shiftCtrlLinksToTheNearestRoom() {
    // a at column 4; f three cells to the west on the same row, reached through a detour.
    TArea& area = add_area("Town");
    TAreaRoom& a = add_room(area, 100);
    add_chain(area, 101, 104, DIR_WEST);
    TAreaRoom& f = add_room(area, 105);
    link_both(a, DIR_NORTH, *area.Rooms->Items[1]);
    link_both(*area.Rooms->Items[4], DIR_SOUTH, f);
    TAreaManageForm* window = open_with_first_selected(area);
    QCOMPARE(QPoint(f.X, f.Y), QPoint(a.X - 3, a.Y));
    const int32_t a_x = a.X;

    script->replies = {DialogAnswer::Yes, DialogAnswer::No};
    press(Qt::Key_Left, Qt::ShiftModifier | Qt::ControlModifier);
    QCOMPARE(script->shown.size(), size_t(2));
    QVERIFY(!a.Doors[DIR_WEST]);
    QVERIFY(!modified(area));

    script->shown.clear();
    script->replies = {DialogAnswer::Yes, DialogAnswer::Yes};
    press(Qt::Key_Left, Qt::ShiftModifier | Qt::ControlModifier);
    QCOMPARE(script->shown.size(), size_t(2));
    for (int i : {0, 1})
      QCOMPARE(dialog(i), (QStringList{u"question"_s, u"Linking room"_s,
                                       u"Near rooms in this direction don't exist!\r\nContinue search?"_s}));
    QVERIFY(a.Doors[DIR_WEST]);
    QCOMPARE(a.Doors[DIR_WEST]->ToVnum, 105);
    QVERIFY(!f.Doors[DIR_EAST]);
    QCOMPARE(window->Map()->SelectedRoom, 5);
    QCOMPARE(a.X, a_x);  // no new layout
    QVERIFY(modified(area));
  }

  // What the answers do to the rooms, doors and resets is the removal's own affair; here: the question, the
  // selection and the editor that follow, the windows and the marks of unsaved changes.
  void deleteAsksAndFollowsTheAnswer_data() {
    QTest::addColumn<int>("answer_number");
    QTest::newRow("Cancel keeps everything") << int(DialogAnswer::Cancel);
    QTest::newRow("No removes the room only") << int(DialogAnswer::No);
    QTest::newRow("Yes repairs and shows the other area") << int(DialogAnswer::Yes);
  }

  void deleteAsksAndFollowsTheAnswer() {
    QFETCH(int, answer_number);
    const auto answer = DialogAnswer(answer_number);
    TAreaManageForm* window = open_rooms_to_delete();
    TArea& other = *area_at(0);
    TArea& area = *area_at(1);
    script->replies = {answer};
    press(Qt::Key_Delete);
    QCOMPARE(dialog(0), (QStringList{u"question"_s, u"Remove Room"_s,
                                     u"Room 101 \"East\" will be removed.\r\nFix Exits and Resets?"_s}));
    QCOMPARE(form->find_area_window(&other) != nullptr, answer == DialogAnswer::Yes);
    QCOMPARE(modified(other), answer == DialogAnswer::Yes);
    QCOMPARE(modified(area), answer != DialogAnswer::Cancel);
    if (answer == DialogAnswer::Cancel) {
      QCOMPARE(area.Rooms->Items.size(), size_t(3));
      QCOMPARE(window->Map()->SelectedRoom, 1);
      QCOMPARE(window->RoomEditor()->entry_count(), 3);
      return;
    }
    // The index now selects the room that followed, and the editor shows that one.
    QCOMPARE(area.Rooms->Items.size(), size_t(2));
    QCOMPARE(window->Map()->SelectedRoom, 1);
    QCOMPARE(entries(window->RoomEditor()), (QStringList{u"100"_s, u"102"_s}));
    QCOMPARE(shown_vnum(window), 102);
    QCOMPARE(window->RoomEditor()->CurrentIndex, 1);
    if (answer == DialogAnswer::Yes) return;

    // Removing the last room of the list leaves nothing selected. No other area's resets name it.
    script->replies = {DialogAnswer::No};
    press(Qt::Key_Delete);
    QVERIFY(dialog(1).last().endsWith(u"\r\nFix Exits?"_s));
    QCOMPARE(area.Rooms->Items.size(), size_t(1));
    QCOMPARE(window->Map()->SelectedRoom, -1);
    QCOMPARE(window->RoomEditor()->CurrentIndex, -1);
    QCOMPARE(window->Map()->status_panel(3), QString());
  }

  void zoomStaysWithinItsLimits() {
    TArea& area = add_area("Town");
    add_room(area, 100);
    TMapWidget* map = open(area)->Map();
    const auto zoom_after = [&](int key, Qt::KeyboardModifiers modifiers, int times = 1) {
      for (int i = 0; i < times; ++i)
        press(key, modifiers);
      return map->Zoom;
    };
    QCOMPARE(zoom_after(Qt::Key_Slash, Qt::KeypadModifier), 5);
    QCOMPARE(zoom_after(Qt::Key_Slash, Qt::KeypadModifier), 5);
    QCOMPARE(zoom_after(Qt::Key_Asterisk, Qt::KeypadModifier), 10);
    QCOMPARE(zoom_after(Qt::Key_Asterisk, Qt::KeypadModifier, 30), kMaxZoom);
    // The main keyboard's / is not the zoom key.
    QCOMPARE(zoom_after(Qt::Key_Slash, Qt::NoModifier), kMaxZoom);
  }

  void f1OpensTheMapKeysHelp() {
    TArea& area = add_area("Town");
    add_room(area, 100);
    open(area);
    QVERIFY(form->findChild<THelpWindow*>() == nullptr);
    press(Qt::Key_F1);
    auto* help = form->findChild<THelpWindow*>();
    QVERIFY(help);
    QVERIFY(help->isVisible());
    QCOMPARE(help->Browser->source(), QUrl(u"qrc:/help/map_info.html"_s));
    // The page is the keyboard guide itself, not the contents page.
    QVERIFY(help->Browser->toPlainText().contains(u"Ctrl + direction"_s));
    QCOMPARE(script->shown.size(), size_t(0));
  }

  void scrollKeysMoveWithinTheMap() {
    TArea& area = add_area("Town");
    add_chain(area, 1, 60, DIR_SOUTHEAST);
    TMapWidget* map = open(area)->Map();
    QCOMPARE(map->horizontal_bar()->maximum(), 60);
    const int page = VisibleCells(map->paint_box()->height(), map->Zoom);
    const auto scroll_after = [&](int key) {
      press(key);
      return QPoint(map->horizontal_bar()->value(), map->vertical_bar()->value());
    };
    QCOMPARE(scroll_after(Qt::Key_Left), QPoint(0, 0));
    scroll_after(Qt::Key_Right);
    QCOMPARE(scroll_after(Qt::Key_Right), QPoint(2, 0));
    QCOMPARE(scroll_after(Qt::Key_Down), QPoint(2, 1));
    QCOMPARE(scroll_after(Qt::Key_PageDown), QPoint(2, 1 + page));
    scroll_after(Qt::Key_PageUp);
    QCOMPARE(scroll_after(Qt::Key_PageUp), QPoint(2, 0));
    // The last room is the last fully visible one.
    const int end_x = 60 - VisibleCells(map->paint_box()->width(), map->Zoom) + 1;
    QCOMPARE(scroll_after(Qt::Key_End), QPoint(end_x, 60 - page + 1));
    QVERIFY(area.Rooms->Items.back()->X * 40 - map->offset_x() + 10 <= map->paint_box()->width());
    QCOMPARE(scroll_after(Qt::Key_Home), QPoint(0, 0));
  }

  void theSelectionStaysInView() {
    TArea& area = add_area("Town");
    add_chain(area, 1, 80, DIR_EAST);
    TAreaManageForm* window = open_with_first_selected(area);
    TMapWidget* map = window->Map();
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

    // On another page the map's keys pass on: Left moves the text cursor, not the map.
    QLineEdit* search = window->RoomEditor()->SearchEdit;
    search->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(search));
    QTest::keyClicks(search, u"10"_s);
    press(Qt::Key_Left);
    QCOMPARE(window->Map()->horizontal_bar()->value(), 0);
    QCOMPARE(search->cursorPosition(), 1);

    // Ctrl+Shift+1 is no page key: it reaches the text field. Ctrl+1 shows the map and never does.
    auto* keys = new testing::KeyLog(search);
    press(Qt::Key_1, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(window->AreaPages->currentIndex(), int(TMDIChild::RoomsPage));
    QCOMPARE(keys->keys, std::vector<int>{Qt::Key_1});
    press(Qt::Key_1, Qt::ControlModifier);
    QCOMPARE(window->AreaPages->currentIndex(), int(TMDIChild::MapPage));
    QCOMPARE(keys->keys, std::vector<int>{Qt::Key_1});
    QCOMPARE(search->text(), u"10"_s);
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
    add_room(area, 100);
    TAreaManageForm* window = open_with_first_selected(area);
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
    form->activateWindow();
    window->Map()->paint_box()->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), window->Map()->paint_box());
    press(Qt::Key_Down, Qt::ControlModifier);
    QCOMPARE(area.Rooms->Items.back()->Sector, 3);
    QCOMPARE(window->Map()->status_panel(4), u"Sector:forest"_s);
  }

  void theLevelBelowIsAGreyShadow() {
    TArea& area = add_area("Town");
    TAreaRoom& a = add_room(area, 100, 1);
    TAreaRoom& c = add_room(area, 101, 1);
    TAreaRoom& up = add_room(area, 102, 2);
    link_both(a, DIR_EAST, c);
    link_both(a, DIR_UP, up);
    world().SectorColors = {"0=0", "1=255", "2=16711680"};
    TMapWidget* map = open(area)->Map();
    press(Qt::Key_Plus, Qt::KeypadModifier);
    QCOMPARE(map->MapLevel, 1);
    // c stands at (80, 40) on level 0: its grey square, 3 pixels up and to the left, spans 67..87. The room
    // of the shown level is in its sector colour (blue, 0x00FF0000 with red in the low byte).
    const QImage image = map->paint_box()->grab().toImage();
    const QRgb grey = qRgb(128, 128, 128);
    QCOMPARE((QList<QRgb>{image.pixel(77, 37), image.pixel(86, 46), image.pixel(89, 49),
                          image.pixel(up.X * 40, up.Y * 40)}),
             (QList<QRgb>{grey, grey, qRgb(255, 255, 255), qRgb(0, 0, 255)}));
    press(Qt::Key_Minus, Qt::KeypadModifier);
    QCOMPARE(map->paint_box()->grab().toImage().pixel(80, 40), qRgb(255, 0, 0));
    // The level goes on below the lowest room.
    press(Qt::Key_Minus, Qt::KeypadModifier);
    QCOMPARE(map->status_panel(2), u"MLevel:-1"_s);
  }
};

QTEST_MAIN(AreaMapTest)
#include "area_map_test.moc"

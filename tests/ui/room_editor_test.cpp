// The room editor on the Rooms page, driven through its widgets in the real main window: a room edited
// and saved, doors made with their flags and messages, rooms added, renumbered and deleted beside the
// map, and the View text of a room of the sample world.
#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <QUndoStack>
#include <QtTest>

#include "MainFixture.h"
#include "area/Area.h"
#include "area/Resets.h"
#include "area/Rooms.h"
#include "reading/Cases.h"
#include "ui/common/TextConversion.h"
#include "ui/common/WorldDocument.h"
#include "ui/editors/ActionsFixForm.h"
#include "ui/editors/ChoiceBox.h"
#include "ui/editors/ExtraDescsPage.h"
#include "ui/editors/FlagCheckList.h"
#include "ui/editors/ProgsPage.h"
#include "ui/editors/RoomDoorsPage.h"
#include "ui/editors/RoomEditForm.h"
#include "ui/editors/SingleVisualForm.h"
#include "ui/editors/TextField.h"
#include "ui/main/AreaManageForm.h"
#include "ui/main/MapWidget.h"

using namespace tavro;
using namespace tavro::ui;
using namespace Qt::StringLiterals;

namespace {

const QByteArray kHome =
    "#AREA Home~\n\n#VERSION 11\n\n#ROOMS\n"
    "#100\nSquare~\nA square.\n~\n0 ABc 1\nD1\n~\n~\n0 -1 101\nE\nfountain~\nA fountain.\n~\n"
    "> speech_prog p wish~\nmpecho Splash.\n~\n|\nS\n"
    "#101\nLane~\nA lane.\n~\n0 0 1\nD3\n~\n~\n0 -1 100\nS\n#0\n\n"
    "#RESETS\nO 0 1 0 100\nD 0 100 1 0\nS\n\n#$\n";
const QByteArray kMarket =
    "#AREA Market~\n\n#ROOMS\n#200\nStall~\n~\n0 0 0\nD2\n~\n~\n0 -1 100\nS\n#0\n\n"
    "#RESETS\nM 0 5 1 100\nS\n\n#$\n";

QByteArray sample_area(const char* name) {
  return testing::read_file(QStringLiteral(TAVRO_SAMPLE_DIR "/mud/area/") + QLatin1String(name));
}

}  // namespace

class RoomEditorTest : public QObject, testing::MainWindowFixture {
  Q_OBJECT

 private:
  TAreaManageForm* window = nullptr;
  TRoomEditForm* rooms = nullptr;

  void open(const testing::AreaFiles& areas) {
    TAreaManageForm::Install();
    show_main_window(areas, QSize(1100, 800));
    // The sample's areas load their program files.
    QVERIFY(testing::copy_tree(QStringLiteral(TAVRO_SAMPLE_DIR "/mud/mudprogs"),
                               folder->path(u"mud/mudprogs"_s)));
    QVERIFY(form->LoadWorld(folder->mud()));
    QVERIFY(QTest::qWaitForWindowActive(form.get()));
    // A room flag no list entry names: bit 28 ('c') must survive an edit of the flags.
    std::erase(world().RoomFlags, std::string("28=R4"));
    window = qobject_cast<TAreaManageForm*>(form->open_area_window(area_at(0)));
    window->ShowPage(TMDIChild::RoomsPage);
    rooms = static_cast<TRoomEditForm*>(window->RoomEditor());
    QCoreApplication::processEvents();  // the page laid out, for clicks at its rows
  }
  static void tick(QListWidget* list, int row) {
    list->setFocus();
    list->setCurrentRow(row);
    QTest::keyClick(list, Qt::Key_Space);
  }
  void select(int index) {
    rooms->LBSearch->setFocus();
    rooms->LBSearch->setCurrentIndex(rooms->Entries->index(index));
  }
  void page(int index) { rooms->RoomInfoPageControl->setCurrentIndex(index); }
  QByteArray file(const char* name) const { return testing::read_file(folder->area(QLatin1String(name))); }
  const TAreaRoom& room(size_t area, size_t index) const { return *area_at(area)->Rooms->Items.at(index); }
  TAreaDoor* door(size_t area, size_t index, int dir) const {
    return room(area, index).Doors[size_t(dir)].get();
  }
  void undo() { form->Document().UndoStack()->undo(); }
  // Answers the modal dialog that the next step opens.
  template <class Dialog, class Answer>
  void answer(Answer&& fill) {
    QTimer::singleShot(0, this, [fill] {
      auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
      QVERIFY(dialog);
      fill(*dialog);
    });
  }

 private slots:
  void cleanup() {
    const int unexpected = close_without_questions();
    QCOMPARE(unexpected, 0);
  }

  // Name, description, sector, flags, an extra description and a program edited and stored by one OK:
  // the saved file differs only in those lines of that room, and a flag bit no entry names stays.
  void roomEditedAndSavedChangesOnlyItsLines() {
    open({{u"home.are"_s, kHome}, {u"market.are"_s, kMarket}});
    QVERIFY(form->SaveArea(area_at(0)));
    const QByteArray before = file("home.are");
    type(rooms->RoomNameEdit, u"Plaza"_s);
    type(rooms->DescriptionEdit, u"A wide plaza."_s);
    page(TRoomEditForm::StatsPage);
    rooms->RoomCBSector->setFocus();
    QTest::keyClick(rooms->RoomCBSector, Qt::Key_Down);
    tick(rooms->RoomCLBFlags, 3);
    page(TRoomEditForm::ExtraDescsPage);
    type(rooms->ExtraDescs->EDKeywordEdit, u"fountain well"_s);
    page(TRoomEditForm::ProgsPage);
    type(rooms->Progs->ProgArgumentsEdit, u"p coin"_s);
    rooms->OKButton->click();
    QCOMPARE(rooms->entry_text(0), u"100   Plaza"_s);
    QVERIFY(form->SaveArea(area_at(0)));
    QByteArray expected = before;
    expected.replace("Square~\nA square.\n~\n0 ABc 1", "Plaza~\nA wide plaza.\n~\n0 ABDc 2")
        .replace("fountain~", "fountain well~")
        .replace("p wish~", "p coin~");
    QCOMPARE(file("home.are"), expected);
    QVERIFY(!form->Document().IsModified(area_at(1)));
  }

  // A new room takes the next free vnum, is listed at once and is found on the map by a double click;
  // Ctrl+digit reaches the main window's page keys from inside the editor.
  void addedRoomIsListedAndShownOnTheMap() {
    open({{u"home.are"_s, kHome}, {u"market.are"_s, kMarket}});
    rooms->RoomNameEdit->setFocus();
    QTest::keyClick(rooms->RoomNameEdit, Qt::Key_I, Qt::ControlModifier);
    QCOMPARE(rooms->RoomVNumEdit->text(), u"102"_s);
    type(rooms->RoomNameEdit, u"Well"_s);
    rooms->OKButton->click();
    QCOMPARE(rooms->entry_text(2), u"102   Well"_s);
    QCOMPARE(rooms->CurrentIndex, 2);
    const QRect row = rooms->LBSearch->visualRect(rooms->Entries->index(2));
    // As the window system delivers a double click: a click, then the second press as a double click.
    QTest::mouseClick(rooms->LBSearch->viewport(), Qt::LeftButton, {}, row.center());
    QTest::mouseDClick(rooms->LBSearch->viewport(), Qt::LeftButton, {}, row.center());
    QCOMPARE(window->AreaPages->currentIndex(), int(TMDIChild::MapPage));
    QCOMPARE(window->Map()->SelectedRoom, 2);
    QCOMPARE(window->Map()->status_panel(3), u"VNum:102"_s);
    window->ShowPage(TMDIChild::RoomsPage);
    QTest::keyClick(rooms->RoomNameEdit, Qt::Key_1, Qt::ControlModifier);
    QCOMPARE(window->AreaPages->currentIndex(), int(TMDIChild::MapPage));
  }

  // A door made north with a key, the door and closed flags and an action message in three forms; the
  // room's OK stores the door still being edited. A key that is no number fails the store and keeps
  // the direction; an exit only looked at is not saved.
  void doorMadeSavedAndReloaded() {
    open({{u"home.are"_s, kHome}, {u"market.are"_s, kMarket}});
    select(1);
    page(TRoomEditForm::DoorsPage);
    TRoomDoorsPage* doors = rooms->Doors;
    QTest::mouseClick(doors->DoorButtons[DIR_SOUTHEAST], Qt::LeftButton);
    QTest::mouseClick(doors->DoorButtons[DIR_NORTH], Qt::LeftButton);
    QVERIFY(!doors->ExitKeyEdit->isEnabled());
    QVERIFY(doors->UsageHint->text().contains(u"not saved"_s));
    type(doors->ExitVNumEdit, u"100"_s);
    type(doors->ExitKeyEdit, u"x"_s);
    QTest::mouseClick(doors->DoorButtons[DIR_EAST], Qt::LeftButton);
    QCOMPARE(dialog(-1).last(), u"DOOR: Bad information:\r\nKey: 'x' is not a whole number"_s);
    QVERIFY(doors->DoorButtons[DIR_NORTH]->isChecked());
    type(doors->ExitKeyEdit, u"5"_s);
    tick(doors->ExitCLBFlags, 0);
    tick(doors->ExitCLBFlags, 1);
    doors->PageControl1->setCurrentIndex(1);
    QVERIFY(doors->PageControl1->widget(1)->isEnabled());
    answer<TActionsFixForm>([](TActionsFixForm& actions) {
      actions.Edit1->setText(u"Вы открыли дверь."_s);
      actions.Edit2->setText(u"$n открыл дверь."_s);
      actions.Edit3->setText(u"Ветер открыл дверь."_s);
      actions.Button1->click();
    });
    doors->TextButton(&TDoorTexts::OpenAction)->click();
    rooms->OKButton->click();
    QVERIFY(doors->DoorButtons[DIR_NORTH]->styleSheet().contains(u"rgb(0, 255, 0)"_s));
    QVERIFY(form->SaveArea(area_at(0)));

    TArea reread(world().Areas.get());
    reread.load_area(folder->area(u"home.are"_s).toStdString());
    const TAreaRoom& lane = *reread.Rooms->Items.at(1);
    QCOMPARE(lane.Doors[DIR_SOUTHEAST].get(), nullptr);
    const TAreaDoor& north = *lane.Doors[DIR_NORTH];
    QCOMPARE(std::make_tuple(north.ToVnum, north.Key, north.Flags), std::make_tuple(100, 5, 3u));
    QCOMPARE(north.OpenAction(),
             encode_cases3({to_cp1251(u"Вы открыли дверь."_s), to_cp1251(u"$n открыл дверь."_s),
                            to_cp1251(u"Ветер открыл дверь."_s)}));
    QCOMPARE(lane.Doors[DIR_WEST]->ToVnum, 100);
  }

  // Renumbering asks (how many, where); Cancel stores nothing, Yes takes every exit and reset along in
  // one step, and undo brings all back.
  void renumberingTakesReferencesAlong() {
    open({{u"home.are"_s, kHome}, {u"market.are"_s, kMarket}});
    type(rooms->RoomVNumEdit, u"150"_s);
    script->replies = {DialogAnswer::Cancel};
    rooms->OKButton->click();
    QCOMPARE(
        dialog(-1),
        (QStringList{u"question"_s, u"Renumber Room"_s,
                     u"Room 100 becomes room 150.\r\n2 exits and 3 resets name room 100: 3 in \"Home\" "
                     "(home.are), 2 in \"Market\" (market.are).\r\n\r\nMake them name room 150?\r\nNo leaves "
                     "them naming 100, where no room will be."_s}));
    QCOMPARE(room(0, 0).Vnum, 100);
    QCOMPARE(rooms->RoomVNumEdit->text(), u"150"_s);
    QVERIFY(!form->Document().IsModified(area_at(0)));
    script->replies = {DialogAnswer::Yes};
    rooms->OKButton->click();
    const auto references = [this] {
      return QList<int>{room(0, 0).Vnum,
                        door(0, 1, DIR_WEST)->ToVnum,
                        door(1, 0, DIR_SOUTH)->ToVnum,
                        area_at(0)->Resets->Items[0]->Arg3,
                        area_at(0)->Resets->Items[1]->Arg1,
                        area_at(1)->Resets->Items[0]->Arg3};
    };
    QCOMPARE(references(), (QList<int>{150, 150, 150, 150, 150, 150}));
    QCOMPARE(rooms->entry_text(0), u"150   Square"_s);
    QVERIFY(form->Document().IsModified(area_at(1)));
    undo();
    QCOMPARE(references(), (QList<int>{100, 100, 100, 100, 100, 100}));
    QCOMPARE(rooms->entry_text(0), u"100   Square"_s);
    QVERIFY(form->Document().ModifiedAreas().empty());
  }

  // Delete goes through the map's removal: its question, the exits repaired, one undoable step.
  void deleteRepairsExitsThroughTheMap() {
    open({{u"home.are"_s, kHome}, {u"market.are"_s, kMarket}});
    select(1);
    script->replies = {DialogAnswer::Yes};
    QTest::keyClick(rooms->LBSearch, Qt::Key_D, Qt::ControlModifier);
    QCOMPARE(dialog(-1).last(), u"Room 101 \"Lane\" will be removed.\r\nFix Exits?"_s);
    QCOMPARE(area_at(0)->Rooms->Items.size(), size_t(1));
    QCOMPARE(door(0, 0, DIR_EAST)->ToVnum, 0);
    QCOMPARE(rooms->entry_count(), 1);
    undo();
    QCOMPARE(rooms->entry_count(), 2);
    QCOMPARE(door(0, 0, DIR_EAST)->ToVnum, 101);
  }

  // Restore drops what is not stored and keeps what OK stored; after a program is removed the first is
  // selected and takes the edits; a pull type outside the list survives an edit of its door.
  void pagesKeepWhatTheyShow() {
    open({{u"home.are"_s, kHome}, {u"market.are"_s, kMarket}});
    area_at(0)->Rooms->Items[0]->Doors[DIR_EAST]->PullType = 99;
    rooms->ShowEntry(0);
    page(TRoomEditForm::ExtraDescsPage);
    type(rooms->ExtraDescs->EDKeywordEdit, u"basin"_s);
    rooms->OKButton->click();
    type(rooms->ExtraDescs->EDKeywordEdit, u"pool"_s);
    rooms->RestoreButton->click();
    QCOMPARE(rooms->ExtraDescs->EDKeywordEdit->text(), u"basin"_s);
    page(TRoomEditForm::ProgsPage);
    TProgsPage* progs = rooms->Progs;
    progs->MPAddButton->click();
    QCOMPARE(progs->LBProgs->currentRow(), 1);
    progs->MPRemoveButton->click();
    QCOMPARE(progs->LBProgs->currentRow(), 0);
    type(progs->ProgArgumentsEdit, u"p coin"_s);
    page(TRoomEditForm::DoorsPage);
    QTest::mouseClick(rooms->Doors->DoorButtons[DIR_EAST], Qt::LeftButton);
    type(rooms->Doors->ExitKeyEdit, u"7"_s);
    rooms->OKButton->click();
    const TAreaRoom& square = room(0, 0);
    QCOMPARE(square.Progs->Items.size(), size_t(1));
    QCOMPARE(square.Progs->Items[0]->Arguments, std::string("p coin"));
    QCOMPARE(std::make_pair(square.Doors[DIR_EAST]->Key, square.Doors[DIR_EAST]->PullType),
             std::make_pair(7, 99));
  }

  // The View text of the sample world's central square: exits by their Russian names, the object and the
  // mobile its resets put there.
  void viewTextOfASampleRoom() {
    open({{u"town.are"_s, sample_area("town.are")}});
    QString shown;
    answer<TSingleVisualForm>([&shown](TSingleVisualForm& preview) {
      shown = preview.text();
      preview.close();
    });
    rooms->ViewButton->click();
    QCOMPARE(shown,
             u"     &WЦентральная площадь Светлограда  &RКомната[&W3001&R]&D\r\n"
             "  Вы стоите в самом сердце Светлограда. Площадь вымощена серым булыжником,\r\n"
             "отполированным тысячами ног. Посреди неё журчит старый фонтан с фигурой\r\n"
             "рыбы, из пасти которой бьёт струя чистой воды. Во все стороны расходятся\r\n"
             "улицы, а по углам площади толпятся торговцы и зеваки.\n"
             "\n&cExits: север восток юг запад северовосток северозапад юговосток югозапад.\n"
             "\n&GСтарый фонтан с каменной рыбой журчит посреди площади.\n"
             "\n&OГородской стражник внимательно следит за порядком.\n"_s);
  }
};

QTEST_MAIN(RoomEditorTest)
#include "room_editor_test.moc"

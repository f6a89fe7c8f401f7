// The record editors on the change path, driven through their widgets: the header editor of the Stats
// page, the help editor of the Helps page, and the typed layer's checks on a room list (vnums that would
// break the world, texts that would end early), each store one undoable step or nothing at all.
#include <QLineEdit>
#include <QListView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabBar>
#include <QTabWidget>
#include <QtTest>

#include "MainFixture.h"
#include "area/Area.h"
#include "area/Header.h"
#include "area/Helps.h"
#include "area/RecordChecks.h"
#include "area/Rooms.h"
#include "ui/common/TextConversion.h"
#include "ui/common/WorldDocument.h"
#include "ui/editors/FlagCheckList.h"
#include "ui/editors/HelpEditForm.h"
#include "ui/editors/StatsEditForm.h"
#include "ui/editors/TextField.h"
#include "ui/main/AreaManageForm.h"

using namespace tavro;
using namespace tavro::ui;
using namespace Qt::StringLiterals;

namespace {

// A room editor reduced to a vnum and a name, over the typed layer: what the room editor will check.
class VnumRoomEditor : public TRecordEditor<TAreaRoom> {
 public:
  VnumRoomEditor() {
    setWindowTitle(u"Room Edit"_s);
    edVnum = new QLineEdit(FieldsPanel);
    edName = new QLineEdit(FieldsPanel);
    edName->move(0, 30);
    WatchEdits();
  }
  QLineEdit* edVnum;
  QLineEdit* edName;

 protected:
  List& Records(TArea& area) const override { return area.Rooms->Items; }
  uint32_t Scope() const override { return kRoomsChanged; }
  QString EntryText(const TAreaRoom& room) const override { return QString::number(room.Vnum); }
  QString RecordLabel(const TAreaRoom& room) const override { return u"Room %1"_s.arg(room.Vnum); }
  QString ErrorPrefix() const override { return u"ROOM: Bad information:"_s; }
  void ShowRecord(const TAreaRoom& room) override {
    edVnum->setText(QString::number(room.Vnum));
    edName->setText(from_cp1251(room.Name));
  }
  void ClearFields() override {
    edVnum->clear();
    edName->clear();
  }
  void ReadFields(TAreaRoom& room) override {
    room.Vnum = field_number(edVnum, u"VNum"_s);
    room.Name = field_text(edName, u"Name"_s);
  }
  void Validate(const TAreaRoom& room, const TAreaRoom* live) override {
    const std::string refusal = VnumRefusal(*area(), RecordKind::Room, room.Vnum, live);
    if (!refusal.empty()) throw TFieldError(from_cp1251(refusal), edVnum);
  }
  std::unique_ptr<TAreaRoom> NewRecord(TArea& area) const override {
    return std::make_unique<TAreaRoom>(area.Rooms.get());
  }
  std::unique_ptr<TAreaRoom> CopyOf(const TAreaRoom& room) const override {
    auto copy = std::make_unique<TAreaRoom>(room.Owner);
    copy->Assign(room);
    return copy;
  }
};

const QByteArray kHome =
    "#AREA Home~\n\n#VERSION 11\n\n#AUTHOR Builder~\n\n#FLAGS Bf 25\n\n#HELPS\n1 GATE~\nThe gate.\n~\n\n-1 "
    "$~\n\n"
    "#ROOMS\n#100\nSquare~\n~\n0 0 0\nS\n#0\n\n#$\n";

}  // namespace

class RecordEditorsTest : public QObject, testing::MainWindowFixture {
  Q_OBJECT

 private:
  TAreaManageForm* open_page(int page) {
    auto* window = qobject_cast<TAreaManageForm*>(form->open_area_window(area_at(0)));
    window->ShowPage(page);
    return window;
  }
  template <class Editor>
  Editor* editor(TAreaManageForm* window, int page) {
    return static_cast<Editor*>(window->Editor(page));
  }
  QByteArray home_file() const { return testing::read_file(folder->area(u"home.are"_s)); }
  void undo() { form->EditUndo1->trigger(); }

 private slots:
  void init() {
    TAreaManageForm::Install();
    load({{u"home.are"_s, kHome},
          {u"market.are"_s, "#AREA Market~\n\n#ROOMS\n#200\nStall~\n~\n0 0 0\nS\n#0\n\n#$\n"}});
    QVERIFY(QTest::qWaitForWindowActive(form.get()));
  }

  void cleanup() {
    const int unexpected = close_without_questions();
    TAreaManageForm::set_editor_factory(TMDIChild::RoomsPage, nullptr);
    QCOMPARE(unexpected, 0);
  }

  // Only the lines of the fields edited differ in the saved file; the caption follows the new name; a
  // bit no flag entry names survives the flags being edited.
  void headerEditedAndSavedChangesOnlyItsLines() {
    TAreaManageForm* window = open_page(TMDIChild::StatsPage);
    auto* stats = editor<TStatsEditForm>(window, TMDIChild::StatsPage);
    QCOMPARE(stats->edAreaName->text(), u"Home"_s);
    QVERIFY(form->SaveArea(area_at(0)));
    const QByteArray before = home_file();
    type(stats->edAreaName, u"Hamlet"_s);
    stats->chAreaFlags->item(0)->setCheckState(Qt::Checked);
    stats->OKButton->click();
    QVERIFY(window->windowTitle().startsWith(u"Hamlet v.11"_s));
    QVERIFY(form->SaveArea(area_at(0)));
    QByteArray expected = before;
    expected.replace("#AREA Home~", "#AREA Hamlet~").replace("#FLAGS Bf 25", "#FLAGS ABf 25");
    QCOMPARE(home_file(), expected);
  }

  // Changing the editor's pages while typing stores nothing; Cancel shows the new-area defaults; leaving
  // the page then stores nothing.
  void cancelThenLeavingThePageKeepsTheHeader() {
    TAreaManageForm* window = open_page(TMDIChild::StatsPage);
    auto* stats = editor<TStatsEditForm>(window, TMDIChild::StatsPage);
    type(stats->edResetMessage, u"Bells."_s);
    QTabBar* tabs = stats->Pages->tabBar();
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(1).center());
    QCOMPARE(area_at(0)->Header->ResetMessage, std::string());
    stats->edAreaName->setFocus();
    stats->CancelButton->click();
    QCOMPARE(stats->edAreaName->text(), u"New Area"_s);
    QCOMPARE(stats->edFrequency->value(), 25);
    window->ShowPage(TMDIChild::MapPage);
    QCOMPARE(area_at(0)->Header->Name, std::string("Home"));
    QVERIFY(!form->Document().IsModified(area_at(0)));
    stats->RestoreButton->click();
    QCOMPARE(stats->edAreaName->text(), u"Home"_s);
  }

  void helpAddedRenamedAndUndone() {
    TAreaManageForm* window = open_page(TMDIChild::HelpsPage);
    auto* helps = editor<THelpEditForm>(window, TMDIChild::HelpsPage);
    helps->NameEdit->setFocus();
    helps->AddAction->trigger();
    type(helps->NameEdit, u"well"_s);
    QTest::keyClick(helps->NameEdit, Qt::Key_Return);
    QTest::keyClicks(helps->NameEdit, u"  deep  "_s);
    type(helps->TextEdit, u"A deep well."_s);
    helps->OKButton->click();
    QCOMPARE(helps->entry_count(), 2);
    QCOMPARE(helps->entry_text(1), u"well deep"_s);
    type(helps->NameEdit, u"old well"_s);
    helps->OKButton->click();
    QCOMPARE(helps->entry_count(), 2);
    QCOMPARE(helps->entry_text(1), u"old well"_s);
    QCOMPARE(form->EditUndo1->text(), u"&Undo Edit Help old well"_s);
    undo();
    QCOMPARE(helps->entry_text(1), u"well deep"_s);
    QCOMPARE(helps->NameEdit->toPlainText(), u"well deep"_s);
    undo();
    QCOMPARE(helps->entry_count(), 1);
    QVERIFY(!form->Document().IsModified(area_at(0)));
  }

  // A level from the file beyond the field's range stays unless the level is edited; Backspace and the
  // arrows edit it; a help without text would be dropped by the next load, so it is refused.
  void helpLevelAndTextRules() {
    area_at(0)->Helps->Items[0]->Level = 100;
    const std::string text = area_at(0)->Helps->Items[0]->Text;
    TAreaManageForm* window = open_page(TMDIChild::HelpsPage);
    auto* helps = editor<THelpEditForm>(window, TMDIChild::HelpsPage);
    QCOMPARE(helps->LevelEdit->text(), u"100"_s);
    type(helps->NameEdit, u"GATE WEST"_s);
    helps->OKButton->click();
    QCOMPARE(area_at(0)->Helps->Items[0]->Level, 100);
    type(helps->LevelEdit, u"12"_s);
    QTest::keyClick(helps->LevelEdit, Qt::Key_Backspace);
    QTest::keyClick(helps->LevelEdit, Qt::Key_Up);
    QCOMPARE(helps->LevelEdit->text(), u"2"_s);
    helps->OKButton->click();
    QCOMPARE(area_at(0)->Helps->Items[0]->Level, 2);
    type(helps->LevelEdit, u"66"_s);
    helps->OKButton->click();
    QCOMPARE(dialog(-1).last(), u"Bad level value!"_s);
    type(helps->LevelEdit, u"5"_s);
    helps->TextEdit->selectAll();
    QTest::keyClick(helps->TextEdit, Qt::Key_Delete);
    helps->OKButton->click();
    QCOMPARE(dialog(-1).last(), u"Empty Text not allowed!"_s);
    QCOMPARE(area_at(0)->Helps->Items[0]->Text, text);
  }

  // Refusals leave the record as it was and the typed text in place.
  void refusedFieldsStoreNothing_data() {
    QTest::addColumn<QString>("vnum");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("message");
    QTest::newRow("vnum of another area")
        << u"200"_s << u"Hall"_s
        << u"Vnum 200 is taken by the room 200 of the area \"Market\" (market.are)"_s;
    QTest::newRow("vnum 0") << u"0"_s << u"Hall"_s
                            << u"Vnum 0 ends the section in the area file: choose another vnum"_s;
    QTest::newRow("not a number") << u"1x"_s << u"Hall"_s << u"VNum: '1x' is not a whole number"_s;
    QTest::newRow("tilde in a name") << u"100"_s << u"Hall~"_s
                                     << u"Name: holds '~', which ends a text in the area file"_s;
  }

  void refusedFieldsStoreNothing() {
    QFETCH(QString, vnum);
    QFETCH(QString, name);
    QFETCH(QString, message);
    TAreaManageForm::set_editor_factory(TMDIChild::RoomsPage,
                                        [] { return std::make_unique<VnumRoomEditor>(); });
    TAreaManageForm* window = open_page(TMDIChild::RoomsPage);
    auto* rooms = editor<VnumRoomEditor>(window, TMDIChild::RoomsPage);
    type(rooms->edVnum, vnum);
    type(rooms->edName, name);
    rooms->OKButton->click();
    QCOMPARE(dialog(-1),
             (QStringList{u"message"_s, u"Room Edit"_s, u"ROOM: Bad information:\r\n"_s + message}));
    const TAreaRoom& room = *area_at(0)->Rooms->Items[0];
    QCOMPARE(std::make_pair(room.Vnum, room.Name), std::make_pair(100, std::string("Square")));
    QCOMPARE(rooms->CurrentIndex, 0);
    QCOMPARE(rooms->edName->text(), name);
    QVERIFY(!form->Document().IsModified(area_at(0)));
  }
};

QTEST_MAIN(RecordEditorsTest)
#include "record_editors_test.moc"

// The one change path as a builder meets it: map edits undone and redone from the keyboard, the unsaved
// mark following the history, files saved exactly as they were, and the edit still open in an editor
// stored before a save or refused before a close.
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QtTest>

#include "MainFixture.h"
#include "area/Area.h"
#include "area/Changes.h"
#include "area/Header.h"
#include "area/Helps.h"
#include "area/MapEditing.h"
#include "area/Resets.h"
#include "area/Rooms.h"
#include "ui/common/WorldDocument.h"
#include "ui/editors/HelpEditForm.h"
#include "ui/main/AreaManageForm.h"

using namespace tavro;
using namespace tavro::ui;
using namespace Qt::StringLiterals;

class UndoTest : public QObject, testing::MainWindowFixture {
  Q_OBJECT

 private:
  static TAreaRoom& add_room(TArea& area, int32_t vnum) {
    TAreaRoom& room = area.Rooms->Add();
    room.Vnum = vnum;
    room.Name = "Room " + std::to_string(vnum);
    return room;
  }

  static void add_reset(TArea& area, char command, int32_t arg1, int32_t arg3) {
    TAreaReset& reset = area.Resets->Add();
    reset.Command = command;
    reset.Arg1 = arg1;
    reset.Arg3 = arg3;
  }

  static void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QWidget* target = QApplication::focusWidget();
    QVERIFY(target);
    QTest::keyClick(target, Qt::Key(key), modifiers);
  }

  // Home: 100 with 101 to the east and 102 to the south. Forest's 200 leads to 101, Forest's resets put
  // a mobile into 101, Home's reset closes 101's door. Both are saved before the test edits them.
  void build_home_and_forest() {
    load({{u"home.are"_s, testing::small_area("Home")}, {u"forest.are"_s, testing::small_area("Forest")}});
    TArea& home = *area_at(0);
    TArea& forest = *area_at(1);
    TAreaRoom& a = add_room(home, 100);
    for (auto [vnum, dir] : {std::pair{101, DIR_EAST}, std::pair{102, DIR_SOUTH}}) {
      TAreaRoom& b = add_room(home, vnum);
      SetExit(a, dir, vnum);
      SetExit(b, RevDir[static_cast<size_t>(dir)], 100);
    }
    SetExit(add_room(forest, 200), DIR_UP, 101);
    add_reset(forest, 'M', 7, 101);
    add_reset(forest, 'E', 8, 1);
    add_reset(home, 'D', 101, 1);
    QVERIFY(form->SaveArea(&home) && form->SaveArea(&forest));
    QVERIFY(QTest::qWaitForWindowActive(form.get()));
  }

  QByteArray file(const char* name) const {
    return testing::read_file(folder->area(QString::fromLatin1(name)));
  }

  TAreaManageForm* open_home() {
    auto* window = qobject_cast<TAreaManageForm*>(form->open_area_window(area_at(0)));
    window->Map()->SelectRoom(0);
    window->Map()->paint_box()->setFocus();
    return window;
  }

 private slots:
  void init() { TAreaManageForm::Install(); }

  void cleanup() {
    const int unexpected = close_without_questions();
    TAreaManageForm::set_editor_factory(TMDIChild::HelpsPage, nullptr);
    QCOMPARE(unexpected, 0);
  }

  void undoingARemovalBringsBackEveryAreaAsItWasSaved() {
    build_home_and_forest();
    const QByteArray home = file("home.are"), forest = file("forest.are");
    TAreaManageForm* window = open_home();
    TMapWidget* map = window->Map();
    map->SelectRoom(1);
    const QPoint place(area_at(0)->Rooms->Items[1]->X, area_at(0)->Rooms->Items[1]->Y);
    script->replies = {DialogAnswer::Yes};
    press(Qt::Key_Delete);
    QCOMPARE(area_at(0)->Rooms->Items.size(), size_t(2));
    QCOMPARE(form->Document().ModifiedAreas(), (std::vector<TArea*>{area_at(0), area_at(1)}));
    QCOMPARE(form->EditUndo1->text(), u"&Undo Remove Room 101"_s);

    window->activateWindow();
    map->paint_box()->setFocus();
    press(Qt::Key_Z, Qt::ControlModifier);
    QVERIFY(form->Document().ModifiedAreas().empty());
    const TAreaRoom& back = *area_at(0)->Rooms->Items[1];
    QCOMPARE(back.Vnum, 101);
    QCOMPARE(QPoint(back.X, back.Y), place);
    QVERIFY(form->SaveArea(area_at(0)) && form->SaveArea(area_at(1)));
    QCOMPARE(file("home.are"), home);
    QCOMPARE(file("forest.are"), forest);

    press(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(area_at(0)->Rooms->FindByVnum(101), nullptr);
    QCOMPARE(area_at(1)->Rooms->Items[0]->Doors[DIR_UP]->ToVnum, 0);
    QCOMPARE(form->Document().ModifiedAreas().size(), size_t(2));
  }

  void roomsMadeAndUndoneSaveOnlyWhatIsLeft() {
    build_home_and_forest();
    TAreaManageForm* window = open_home();
    const QString saved_caption = window->windowTitle();
    press(Qt::Key_Up, Qt::ControlModifier);
    QCOMPARE(window->windowTitle(), saved_caption + u" *"_s);
    QCOMPARE(form->EditUndo1->text(), u"&Undo Create Room 103"_s);
    press(Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(window->windowTitle(), saved_caption);
    press(Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(window->windowTitle(), saved_caption + u" *"_s);
    window->Map()->SelectRoom(3);
    press(Qt::Key_Up, Qt::ControlModifier);
    press(Qt::Key_Up, Qt::ControlModifier);
    press(Qt::Key_Z, Qt::ControlModifier);
    press(Qt::Key_Z, Qt::ControlModifier);
    press(Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(window->windowTitle(), saved_caption);

    TArea reread(nullptr);
    reread.load_area(folder->area(u"home.are"_s).toStdString());
    QCOMPARE(reread.Rooms->Items.size(), size_t(4));
    QCOMPARE(reread.Rooms->Items[3]->Vnum, 103);
    // The save is the new clean point: undoing past it marks the area again.
    press(Qt::Key_Z, Qt::ControlModifier);
    QVERIFY(form->Document().IsModified(area_at(0)));
  }

  void anEditStillOpenIsStoredBeforeASaveAndARefusedOneStopsTheClose() {
    load({{u"home.are"_s, "#AREA Home~\n\n#HELPS\n0 OLD~\nText.\n~\n0 $~\n\n#$\n"}});
    QVERIFY(QTest::qWaitForWindowActive(form.get()));
    auto* window = qobject_cast<TAreaManageForm*>(form->open_area_window(area_at(0)));
    window->ShowPage(TMDIChild::HelpsPage);
    auto* editor = static_cast<THelpEditForm*>(window->Editor(TMDIChild::HelpsPage));
    editor->NameEdit->setFocus();
    editor->NameEdit->selectAll();
    QTest::keyClicks(editor->NameEdit, u"NEW"_s);
    press(Qt::Key_S, Qt::ControlModifier);
    QVERIFY(file("home.are").contains("\n0 NEW~\n"));
    QCOMPARE(form->EditUndo1->text(), u"&Undo Edit Help NEW"_s);

    editor->NameEdit->selectAll();
    QTest::keyClick(editor->NameEdit, Qt::Key_Delete);
    form->FileClose1->trigger();
    QTest::qWait(20);
    QCOMPARE(window_count(), 1);
    QCOMPARE(dialog(-1), (QStringList{u"message"_s, u"Help Edit"_s, u"Empty Name not allowed!"_s}));
    QCOMPARE(area_at(0)->Helps->Items[0]->Keywords, std::string("NEW"));
    QVERIFY(!form->Document().IsModified(area_at(0)));
  }
};

QTEST_MAIN(UndoTest)
#include "undo_test.moc"

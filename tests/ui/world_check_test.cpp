// The World Check and Find in World windows of the real main window, driven offscreen: a planted problem
// listed and followed to its room, the list following a change and its undo, a Cyrillic word found in
// another area in either case.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QTreeWidget>
#include <QUndoStack>
#include <QtTest>

#include "MainFixture.h"
#include "area/Area.h"
#include "area/Changes.h"
#include "area/Header.h"
#include "area/Rooms.h"
#include "ui/common/TextConversion.h"
#include "ui/common/WorldDocument.h"
#include "ui/main/AreaManageForm.h"
#include "ui/main/FindInWorldDock.h"
#include "ui/main/WorldCheckDock.h"

using namespace tavro;
using namespace tavro::ui;
using namespace Qt::StringLiterals;

class WorldCheckTest : public QObject, testing::MainWindowFixture {
  Q_OBJECT

 private:
  TArea& add_area(const char* file) {
    world().Areas->Items.push_back(std::make_unique<TArea>(world().Areas.get()));
    TArea& area = *world().Areas->Items.back();
    area.Header->FileName = file;
    return area;
  }

  static TAreaRoom& add_room(TArea& area, int32_t vnum, const QString& description) {
    TAreaRoom& room = area.Rooms->Add();
    room.Vnum = vnum;
    room.Name = "Room";
    room.Description = to_cp1251(description);
    return room;
  }

  // The texts of a list's rows, columns joined by '|'.
  static QStringList rows(QTreeWidget* list) {
    QStringList texts;
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
      QStringList columns;
      for (int c = 0; c < list->columnCount(); ++c)
        columns << list->topLevelItem(i)->text(c);
      texts << columns.join(u'|');
    }
    return texts;
  }

  // As the window system delivers a double click: a click, then the second press as a double click.
  static void double_click(QTreeWidget* list, int row) {
    const QPoint at = list->visualItemRect(list->topLevelItem(row)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
  }

  // Typed letter by letter, Cyrillic ones too (the key codes of the test library are Latin only).
  static void type(QWidget* widget, const QString& text) {
    for (const QChar letter : text)
      QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(letter), Qt::NoModifier);
  }

  TAreaManageForm* active_window() const { return qobject_cast<TAreaManageForm*>(form->ActiveAreaWindow()); }

 private slots:
  void init() {
    TAreaManageForm::Install();
    load({}, QSize(1000, 700));
    QVERIFY(QTest::qWaitForWindowActive(form.get()));
  }

  void cleanup() {
    for (TArea* area : form->Document().ModifiedAreas())
      form->Document().MarkSaved(area);
    tear_down();
    TMainForm::set_area_window_factory(nullptr);
  }

  // Town's room 101, one level up, leads east to a room no area has.
  void listsADanglingExitGoesToItsRoomAndFollowsChanges() {
    TArea& town = add_area("town.are");
    TAreaRoom& square = add_room(town, 100, u"Square."_s);
    TAreaRoom& tower = add_room(town, 101, u"Tower."_s);
    square.EnsureDoor(DIR_UP).ToVnum = 101;
    tower.EnsureDoor(DIR_DOWN).ToVnum = 100;
    tower.EnsureDoor(DIR_EAST).ToVnum = 999;
    TWorldCheckDock* dock = form->WorldCheck;
    form->acWorldCheck->trigger();
    QVERIFY(dock->isVisible());
    const QString problem =
        u"error|town.are|room 101|exit east leads to room 999, which no loaded area has"_s;
    QCOMPARE(rows(dock->List), QStringList{problem});
    QCOMPARE(dock->Summary->text(), u"1 error, 0 warnings, 0 notes"_s);

    double_click(dock->List, 0);
    TAreaManageForm* window = active_window();
    QVERIFY(window && window->Area == &town);
    QCOMPARE(window->AreaPages->currentIndex(), int(TMDIChild::MapPage));
    QCOMPARE(window->Map()->SelectedRoom, 1);
    QCOMPARE(window->Map()->MapLevel, tower.Level);
    QCOMPARE(tower.Level, 1);

    // A change (and its undo) is checked again once the edits pause.
    form->Document().Push(ChangeExit(tower, DIR_EAST, 100), u"Link"_s);
    QTRY_COMPARE(rows(dock->List), QStringList{});
    form->Document().UndoStack()->undo();
    QTRY_COMPARE(rows(dock->List), QStringList{problem});
    dock->SeverityShown[0]->click();
    QCOMPARE(rows(dock->List), QStringList{});
  }

  void findsACyrillicWordInAnotherAreaInEitherCase() {
    add_room(add_area("town.are"), 100, u"Площадь."_s);
    add_room(add_area("forest.are"), 200, u"Старая ель.\r\nУ корней журчит Родник.\r\n"_s);
    form->open_area_window(world().Areas->Items[0].get());
    QTest::keyClick(form.get(), Qt::Key_F, Qt::ControlModifier | Qt::ShiftModifier);
    TFindInWorldDock* dock = form->FindInWorld;
    QVERIFY(dock->isVisible());
    QCOMPARE(QApplication::focusWidget(), dock->FindEdit);
    type(dock->FindEdit, u"РОДНИК"_s);
    QTest::keyClick(dock->FindEdit, Qt::Key_Return);
    QCOMPARE(rows(dock->Results), QStringList{u"forest.are|room 200|description|У корней журчит Родник."_s});

    double_click(dock->Results, 0);
    TAreaManageForm* window = active_window();
    QVERIFY(window && window->Area == world().Areas->Items[1].get());
    QCOMPARE(window->Map()->SelectedRoom, 0);
  }
};

QTEST_MAIN(WorldCheckTest)
#include "world_check_test.moc"

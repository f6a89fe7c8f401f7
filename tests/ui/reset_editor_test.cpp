// The room editor's Resets page driven through its widgets in the real main window: the tree of a sample
// room, a mobile given equipment and inventory and an object put into a container through the pickers,
// rows of the grid stored, inserted, moved and edited, the list restructured, and every step undone.
#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>
#include <QTreeWidget>
#include <QUndoStack>
#include <QtTest>
#include <functional>

#include "MainFixture.h"
#include "area/Area.h"
#include "area/Header.h"
#include "area/ResetTree.h"
#include "area/Resets.h"
#include "area/Rooms.h"
#include "ui/common/TextConversion.h"
#include "ui/common/WorldDocument.h"
#include "ui/editors/AffectLocationSelectForm.h"
#include "ui/editors/MobileEditResetForm.h"
#include "ui/editors/ResetItemEditForm.h"
#include "ui/editors/RoomEditForm.h"
#include "ui/editors/RoomResetsPage.h"
#include "ui/editors/SelectResetItemForm.h"
#include "ui/main/AreaManageForm.h"
#include "ui/main/MapWidget.h"

using namespace tavro;
using namespace tavro::ui;
using namespace Qt::StringLiterals;

namespace {

constexpr size_t kDungeon = 3;  // in the sample's areas list

const QByteArray kHome =
    "#AREA Home~\n\n#VERSION 11\n\n#ROOMS\n"
    "#100\nSquare~\n~\n0 0 1\nS\n#101\nLane~\n~\n0 0 1\nS\n#0\n\n"
    "#RESETS\nO 0 1 0 100\nM 0 5 1 999\nP 0 3 0 0\nO 0 4 0 101\nP 0 2 0 1\nM 0 5 1 100\nE 0 77 0 "
    "5\nS\n\n#$\n";

}  // namespace

class ResetEditorTest : public QObject, testing::MainWindowFixture {
  Q_OBJECT

 private:
  TRoomEditForm* rooms = nullptr;
  TRoomResetsPage* page = nullptr;
  TArea* area = nullptr;

  void open_sample(size_t index) {
    testing::AreaFiles files;
    for (const char* name : {"town.are", "market.are", "forest.are", "dungeon.are", "mill.are"})
      files.push_back(
          {QString::fromLatin1(name),
           testing::read_file(QStringLiteral(TAVRO_SAMPLE_DIR "/mud/area/") + QLatin1String(name))});
    open(files, index);
  }
  void open(const testing::AreaFiles& files, size_t index) {
    TAreaManageForm::Install();
    show_main_window(files, QSize(1200, 800));
    QVERIFY(testing::copy_tree(QStringLiteral(TAVRO_SAMPLE_DIR "/mud/mudprogs"),
                               folder->path(u"mud/mudprogs"_s)));
    QVERIFY(form->LoadWorld(folder->mud()));
    area = area_at(index);
    auto* window = qobject_cast<TAreaManageForm*>(form->open_area_window(area));
    window->ShowPage(TMDIChild::RoomsPage);
    rooms = static_cast<TRoomEditForm*>(window->RoomEditor());
    rooms->RoomInfoPageControl->setCurrentIndex(TRoomEditForm::ResetsPage);
    page = rooms->Resets;
    QVERIFY(form->SaveArea(area));  // the file as the editor writes it, to compare with
  }
  void show_room(int32_t vnum) {
    for (int i = 0; i < rooms->entry_count(); ++i)
      if (rooms->RecordAt(i)->Vnum == vnum) {
        rooms->LBSearch->setFocus();
        rooms->LBSearch->setCurrentIndex(rooms->Entries->index(i));
      }
    QCOMPARE(page->Room(), vnum);
  }
  QString path() const { return folder->area(QString::fromStdString(area->Header->FileName)); }
  QByteArray saved() {
    if (!form->SaveArea(area)) return "not saved";
    return testing::read_file(path());
  }
  // The tree as shown, two blanks a level.
  QStringList tree() const {
    QStringList lines;
    for (QTreeWidgetItemIterator it(page->tvResets); *it; ++it) {
      int depth = 0;
      for (auto* parent = (*it)->parent(); parent; parent = parent->parent())
        ++depth;
      lines << QString(depth * 2, u' ') + (*it)->text(0);
    }
    return lines;
  }
  QStringList row(int r) const {
    QStringList cells;
    for (int c = 0; c < 5; ++c)
      cells << page->Model->index(r, c).data().toString();
    return cells;
  }
  void select_node(const QString& text) {
    const auto found = page->tvResets->findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
    QVERIFY(!found.isEmpty());
    page->tvResets->setFocus();
    page->tvResets->setCurrentItem(found.front());
  }
  void tree_key(int key, Qt::KeyboardModifiers modifiers = Qt::ControlModifier) {
    page->tvResets->setFocus();
    QTest::keyClick(page->tvResets, Qt::Key(key), modifiers);
  }
  void grid_key(int row, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    page->sgResets->setFocus();
    page->SetCurrentRow(row);
    QTest::keyClick(page->sgResets, Qt::Key(key), modifiers);
  }
  // Answers the modal dialog of this kind that the next step opens, as soon as it shows.
  template <class Dialog>
  void answer(std::function<void(Dialog&)> fill) {
    auto* poll = new QTimer(this);
    connect(poll, &QTimer::timeout, this, [poll, fill] {
      auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
      if (!dialog) return;
      poll->deleteLater();
      poll->stop();
      fill(*dialog);
    });
    poll->start(5);
  }
  // The picker finds the item by its vnum after the typing pause, and OK takes it.
  void pick(int32_t vnum, std::function<void()> next = {}) {
    answer<TSelectResetItemForm>([vnum, next](TSelectResetItemForm& picker) {
      picker.edVNum->setFocus();
      picker.edVNum->selectAll();
      QTest::keyClicks(picker.edVNum, QString::number(vnum));
      QCOMPARE(picker.cbNamesList->count(), 0);  // not before the pause
      QTRY_COMPARE(picker.cbNamesList->count(), 1);
      if (next) next();
      QTest::keyClick(&picker, Qt::Key_Return);
    });
  }
  void wear_location(const QString& text) {
    answer<TAffectLocationSelectForm>([text](TAffectLocationSelectForm& picker) {
      const auto found = picker.lbAffectLocation->findItems(text, Qt::MatchExactly);
      QCOMPARE(found.size(), 1);
      picker.lbAffectLocation->setCurrentItem(found.front());
      QTest::keyClick(picker.lbAffectLocation, Qt::Key_Return);
    });
  }
  void undo_all() {
    while (form->Document().UndoStack()->canUndo())
      form->Document().UndoStack()->undo();
  }

 private slots:
  void cleanup() {
    const int unexpected = close_without_questions();
    QCOMPARE(unexpected, 0);
  }

  // A sample room's tree written by hand; the grid shows the whole list, and the tree's selection moves
  // the grid to the node's reset. The menus hold their commands in order, with their shortcuts.
  void sampleRoomTreeAndGrid() {
    open_sample(kDungeon);
    show_room(5001);
    QCOMPARE(tree(), (QStringList{u"призрак рыцаря [5004]"_s, u"каменный саркофаг [5002]"_s,
                                  u"  меч \"Рассвет\" [5010]"_s, u"  кольцо мертвеца [5006]"_s,
                                  u"Setup exit to восток"_s}));
    QCOMPARE(page->Model->rowCount(), 45);
    QCOMPARE(row(0), (QStringList{u"M"_s, u"0"_s, u"5000"_s, u"4"_s, u"5006"_s}));
    QCOMPARE(row(44), (QStringList{{}, {}, {}, {}, {}}));
    QCOMPARE(page->Model->headerData(4, Qt::Horizontal, Qt::DisplayRole).toString(), u"3"_s);
    select_node(u"  кольцо мертвеца [5006]"_s.trimmed());
    QCOMPARE(page->CurrentRow(), 21);
    const auto menu = [](QMenu* menu) {
      QStringList items;
      for (QAction* action : menu->actions())
        items << (action->isSeparator() ? u"-"_s : action->text() + u' ' + action->shortcut().toString());
      return items.join(u'|');
    };
    QCOMPARE(
        menu(page->pmResets),
        u"Edit Info |-|Add Mobile to Room Ctrl+M|Add Object to Equipment Ctrl+E|Add Object to Inventory "
        "Ctrl+G|-|Add Object to Room Ctrl+O|Add Object to Object Ctrl+P|Hide Object Ctrl+H|-|Remove Row Del"_s);
    QCOMPARE(menu(page->pmResetList),
             u"Edit Info |-|Insert New Row Ins|Insert Stored Row Shift+Ins|Store Row Ctrl+Ins|Remove Row "
             "Shift+Del|-|Move Row Up Ctrl+Up|Move Row Down Ctrl+Down|-|Restructure Reset List "_s);
    QVERIFY(!page->acAddObjectToEq->isEnabled());
    QVERIFY(page->acHideObject->isEnabled());
    select_node(u"Setup exit to восток"_s);
    QVERIFY(!page->acHideObject->isEnabled());
  }

  // Through the pickers from the keyboard: the file differs only in the new resets, reads back to the
  // same tree, and every step undone gives the file back byte for byte.
  void mobileEquippedAndObjectFilledSavedAndReloaded() {
    open_sample(kDungeon);
    const QByteArray before = saved();
    show_room(5041);
    pick(5003);
    answer<TMobileEditResetForm>([](TMobileEditResetForm& dialog) {
      QCOMPARE(dialog.lblCount->text(), u"2"_s);
      QCOMPARE(dialog.edCount->value(), 2);
      QTest::keyClicks(dialog.edCount, u"1"_s);
      QTest::keyClick(&dialog, Qt::Key_Return);
    });
    tree_key(Qt::Key_M);
    pick(5010);
    wear_location(u"оружие в правой руке"_s);
    tree_key(Qt::Key_E);
    tree_key(Qt::Key_Up, Qt::NoModifier);  // back to the mobile
    pick(5006);
    tree_key(Qt::Key_G);
    pick(5002);
    tree_key(Qt::Key_O);
    pick(5013);
    tree_key(Qt::Key_P);
    const QStringList shown = tree();
    QCOMPARE(shown,
             (QStringList{u"летучая мышь [5003]"_s, u"  меч \"Рассвет\" [5010]  -->  оружие в правой руке"_s,
                          u"  кольцо мертвеца [5006]"_s, u"каменный саркофаг [5002]"_s,
                          u"  груда золота [5013]"_s}));
    QByteArray expected = before;
    expected.replace(
        "B 0 5046 2 1\nS\n",
        "B 0 5046 2 1\nM 0 5003 1 5041\nE 0 5010 0 16\nG 0 5006 0\nO 0 5002 0 5041\nP 0 5013 0 5002\nS\n");
    QCOMPARE(saved(), expected);
    TArea reloaded(world().Areas.get());
    reloaded.load_area(path().toStdString());
    const TResetTree again = BuildResetTree(reloaded, 5041);
    QStringList texts;
    for (int32_t n : again.InTreeOrder())
      texts << QString(again.Nodes[size_t(n)].Parent >= 0 ? 2 : 0, u' ') +
                   from_cp1251(again.Nodes[size_t(n)].Text);
    QCOMPARE(texts, shown);
    undo_all();
    QCOMPARE(saved(), before);
  }

  // Shift+Delete stores the removed row and Shift+Insert puts it back elsewhere; rows move with Ctrl and
  // the arrows; Insert and Enter edit through the reset dialog, which keeps and offers B; a cell typed
  // with no number is refused. Undone, the file is as before.
  void gridRowsStoredInsertedMovedAndEdited() {
    open_sample(kDungeon);
    const QByteArray before = saved();
    const QStringList third = row(2);
    grid_key(2, Qt::Key_Delete, Qt::ShiftModifier);
    QCOMPARE(page->Model->rowCount(), 44);
    QCOMPARE(page->StoredRow(), third.join(u"\r\n"_s));
    grid_key(0, Qt::Key_Insert, Qt::ShiftModifier);
    QCOMPARE(row(0), third);
    QCOMPARE(page->CurrentRow(), 0);
    grid_key(0, Qt::Key_Down, Qt::ControlModifier);
    QCOMPARE(row(1), third);
    QCOMPARE(page->CurrentRow(), 1);
    grid_key(1, Qt::Key_Up, Qt::ControlModifier);
    QCOMPARE(row(0), third);
    grid_key(5, Qt::Key_Insert, Qt::ControlModifier);
    QCOMPARE(page->StoredRow(), row(5).join(u"\r\n"_s));
    answer<TResetItemEditForm>([](TResetItemEditForm& dialog) {
      dialog.cbLetter->setCurrentText(u"B"_s);
      dialog.edArg1->setValue(5046);
      dialog.edArg2->setValue(3);
      QTest::keyClick(&dialog, Qt::Key_Return);
    });
    grid_key(3, Qt::Key_Insert);
    QCOMPARE(row(3), (QStringList{u"B"_s, u"0"_s, u"5046"_s, u"3"_s, u"0"_s}));
    answer<TResetItemEditForm>([](TResetItemEditForm& dialog) {
      QCOMPARE(dialog.cbLetter->currentText(), u"B"_s);
      dialog.edArg3->setValue(7);
      QTest::keyClick(&dialog, Qt::Key_Return);
    });
    grid_key(3, Qt::Key_Return);
    QCOMPARE(row(3), (QStringList{u"B"_s, u"0"_s, u"5046"_s, u"3"_s, u"7"_s}));
    answer<TResetItemEditForm>([](TResetItemEditForm& dialog) {
      dialog.cbLetter->setCurrentText(u"O"_s);
      QTest::keyClick(&dialog, Qt::Key_Return);
    });
    grid_key(45, Qt::Key_Return);  // the empty last row
    QCOMPARE(row(45).first(), u"O"_s);
    page->sgResets->setCurrentIndex(page->Model->index(0, 2));
    QTest::keyClicks(page->sgResets, u"x"_s);
    auto* cell = page->sgResets->findChild<QLineEdit*>();
    QVERIFY(cell);
    QTest::keyClick(cell, Qt::Key_Return);
    QTRY_COMPARE(dialog(-1), (QStringList{u"message"_s, u"Edit Reset"_s,
                                          u"dungeon.are, #RESETS: row 1: 'x' is not a whole number"_s}));
    QCOMPARE(row(0), third);
    undo_all();
    QCOMPARE(saved(), before);
  }

  // The question names the resets no room's tree shows; they are kept at the end in their order.
  void restructuringKeepsWhatNoRoomShows() {
    open({{u"home.are"_s, kHome}}, 0);
    const QByteArray before = saved();
    script->replies.push_back(DialogAnswer::No);
    page->acRestructure->trigger();
    QCOMPARE(saved(), before);
    script->replies.push_back(DialogAnswer::Yes);
    page->acRestructure->trigger();
    QCOMPARE(dialog(-1),
             (QStringList{u"question"_s, u"Restructure resets list"_s,
                          u"Attention!\r\nThis operation may cause damage, if resets list\r\nhave hidden "
                          "behavior.\r\n\r\n2 reset(s) belong to no room's tree; they are kept at the end "
                          "of the list.\r\n\r\nAre you sure to continue?"_s}));
    QByteArray expected = before;
    expected.replace(
        "O 0 1 0 100\nM 0 5 1 999\nP 0 3 0 0\nO 0 4 0 101\nP 0 2 0 1\nM 0 5 1 100\nE 0 77 0 5\n",
        "O 0 1 0 100\nP 0 2 0 0\nM 0 5 1 100\nE 0 77 0 5\nO 0 4 0 101\nM 0 5 1 999\nP 0 3 0 0\n");
    QCOMPARE(saved(), expected);
    undo_all();
    QCOMPARE(saved(), before);
  }

  // Edit Info on equipment whose object exists nowhere says so and offers the locations of an object
  // without wear flags; on a mobile it sets the count.
  void editInfoOnEquipmentAndMobile() {
    open({{u"home.are"_s, kHome}}, 0);
    show_room(100);
    select_node(u"Object [77]  -->  на теле"_s);
    wear_location(u"светит"_s);
    tree_key(Qt::Key_Return, Qt::NoModifier);
    QCOMPARE(dialog(-1),
             (QStringList{u"message"_s, u"Edit Info"_s,
                          u"home.are, #RESETS: row 7 (E): object 77 exists in no area; it is taken as "
                          "wearable nowhere."_s}));
    QCOMPARE(row(6), (QStringList{u"E"_s, u"0"_s, u"77"_s, u"0"_s, u"0"_s}));
    select_node(u"Mobile [5]"_s);
    answer<TMobileEditResetForm>([](TMobileEditResetForm& dialog) {
      QCOMPARE(dialog.lblCount->text(), u"2"_s);
      dialog.edCount->setValue(3);
      QTest::keyClick(&dialog, Qt::Key_Return);
    });
    tree_key(Qt::Key_Return, Qt::NoModifier);
    QVERIFY(tree().contains(u"(3) Mobile [5]"_s));
  }

  // A room removed through the map takes its resets along: the grid is read afresh row by row and the
  // tree rebuilt, and again when the removal is undone.
  void followsARemovalElsewhere() {
    open_sample(kDungeon);
    show_room(5001);
    page->SetCurrentRow(44);
    const auto rows_match = [this] {
      const auto& resets = area->Resets->Items;
      QCOMPARE(page->Model->rowCount(), int(resets.size()) + 1);
      for (size_t i = 0; i < resets.size(); ++i)
        QCOMPARE(row(int(i)).join(u"\r\n"_s), from_cp1251(ResetRowText(*resets[i])));
      QVERIFY(page->CurrentRow() <= int(resets.size()));
    };
    script->replies.push_back(DialogAnswer::Yes);
    auto* window = qobject_cast<TAreaManageForm*>(form->ActiveAreaWindow());
    window->Map()->SelectRoom(0);  // the first room, 5000, holds an object
    window->Map()->DeleteSelectedRoom();
    QVERIFY(page->Model->rowCount() < 45);
    rows_match();
    undo_all();
    rows_match();
    QCOMPARE(tree().size(), 5);
  }
};

QTEST_MAIN(ResetEditorTest)
#include "reset_editor_test.moc"

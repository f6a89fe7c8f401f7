// The object editor on the Objects page, driven through its widgets and dialogs: each family of value
// rows edited, saved and read back with only that object changed; affects through the three value
// dialogs; Cancel anywhere leaving the object as it was; what the world's lists say about values.
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest>
#include <functional>

#include "MainFixture.h"
#include "area/Area.h"
#include "area/Objects.h"
#include "area/Resets.h"
#include "reading/AreaFile.h"
#include "ui/common/WorldDocument.h"
#include "ui/editors/AffectLocationSelectForm.h"
#include "ui/editors/ChoiceBox.h"
#include "ui/editors/EditBitAffectForm.h"
#include "ui/editors/EditListAffectForm.h"
#include "ui/editors/EditNumericAffectForm.h"
#include "ui/editors/FlagCheckList.h"
#include "ui/editors/ObjectEditForm.h"
#include "ui/editors/SelectWeaponTypeForm.h"
#include "ui/main/AreaManageForm.h"
#include "world/DamagesWeapons.h"

using namespace tavro;
using namespace tavro::ui;
using namespace Qt::StringLiterals;

namespace {

QByteArray object(const QByteArray& vnum, const QByteArray& type_line, const QByteArray& values,
                  const QByteArray& rest = {}) {
  return "#" + vnum + "\nthing" + vnum + "~\na thing " + vnum + "~\nA thing lies here.~\n~\n" + type_line +
         "\n" + values + "\n1 10 0 1 150 100 0\n" + rest;
}

const QByteArray kHome =
    "#AREA Home~\n\n#VERSION 11\n\n#OBJECTS\n" + object("300", "weapon~ sword~ 0 AN 0", "12 2 6 1") +
    object("301", "container~ 0 A 0", "50 1 0 0") + object("302", "wand~ 0 A 0", "10 5 5 -1", "'armor'\n") +
    object("303", "furniture~ 0 0 0", "2 100 0 0", "F\nB 0 4 0 0\n") +
    object("304", "plant~ 0 A 0", "1 2 3 0", "S\nberry~\n|\n") + "#0\n\n#RESETS\nO 0 300 0 100\nS\n\n#$\n";

// Acts on the next modal dialog of type Dialog as soon as it is shown.
template <class Dialog>
void when_shown(std::function<void(Dialog*)> act) {
  auto* timer = new QTimer(qApp);
  timer->setInterval(5);
  QObject::connect(timer, &QTimer::timeout, [timer, act] {
    auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
    if (!dialog) return;
    timer->stop();
    timer->deleteLater();
    act(dialog);
  });
  timer->start();
}

}  // namespace

class ObjectEditorTest : public QObject, testing::MainWindowFixture {
  Q_OBJECT

 private:
  TObjectEditForm* objects = nullptr;

  TArea* home() const { return area_at(0); }
  const TAreaObject& record(int i) const { return *home()->Objects->Items.at(size_t(i)); }
  void select(int row) {
    objects->LBSearch->setFocus();
    objects->LBSearch->setCurrentIndex(objects->Entries->index(row));
  }
  void ok() { objects->OKButton->click(); }
  void undo() { form->EditUndo1->trigger(); }

 private slots:
  void init() {
    TAreaManageForm::Install();
    load({{u"home.are"_s, kHome}});
    QVERIFY(QTest::qWaitForWindowActive(form.get()));
    auto* window = qobject_cast<TAreaManageForm*>(form->open_area_window(home()));
    window->ShowPage(TMDIChild::ObjectsPage);
    objects = static_cast<TObjectEditForm*>(window->Editor(TMDIChild::ObjectsPage));
    QVERIFY(objects);
  }

  void cleanup() {
    const int unexpected = close_without_questions();
    QCOMPARE(unexpected, 0);
  }

  // The list shows the vnum in five columns and the nominative; six digits are not cut.
  void listTextAndVnumChange() {
    QCOMPARE(objects->entry_text(0), u"300   a thing 300"_s);
    select(1);
    type(objects->VNumEdit, u"123456"_s);
    ok();
    QCOMPARE(objects->entry_text(1), u"123456 a thing 301"_s);
    QCOMPARE(form->EditUndo1->text(), u"&Undo Edit Object 123456"_s);
  }

  // A weapon type picked, then one typed into value 3: the file keeps the weapon type by name, so
  // both must reach it.
  void weaponTypePickedAndTyped() {
    const QByteArray before = saved(home());
    QCOMPARE(objects->ValueLabel[3]->text(), u"Тип оружия"_s);
    QVERIFY(objects->btnV[3]->isEnabled() && !objects->btnV[0]->isEnabled());
    when_shown<TSelectWeaponTypeForm>([](TSelectWeaponTypeForm* picker) {
      QCOMPARE(picker->lbWeapons->currentRow(), 1);
      QTest::keyClick(picker->lbWeapons, Qt::Key_Down);
      QCOMPARE(picker->sgDamages->rowCount(), 2);
      QCOMPARE(picker->sgDamages->item(1, 0)->text(), u"slash"_s);
      QCOMPARE(picker->edSkillName->text(), u"short blades"_s);
      picker->Button1->click();
    });
    objects->btnV[3]->click();
    QCOMPARE(objects->edV[3]->text(), u"2"_s);
    ok();
    expect_saved(home(), before, {{"weapon~ sword~", "weapon~ dagger~"}, {"\n12 2 6 1\n", "\n12 2 6 2\n"}});
    type(objects->edV[3], u"4"_s);
    ok();
    expect_saved(home(), before, {{"weapon~ sword~", "weapon~ mace~"}, {"\n12 2 6 1\n", "\n12 2 6 4\n"}});
  }

  void containerValuesAndKeptCondition() {
    select(1);
    const QByteArray before = saved(home());
    QCOMPARE(objects->edCondition->value(), 100);  // the field's range; the file says 150
    type(objects->edV[1], u"5"_s);
    type(objects->edWeight, u"3"_s);
    ok();
    expect_saved(home(), before,
                 {{"\n50 1 0 0\n1 10 0 1 150 100 0 \n", "\n50 5 0 0\n3 10 0 1 150 100 0 \n"}});
  }

  void spellPickedForWand() {
    select(2);
    const QByteArray before = saved(home());
    when_shown<TAffectLocationSelectForm>([](TAffectLocationSelectForm* picker) {
      QCOMPARE(picker->lbAffectLocation->currentItem()->text(), u"armor"_s);
      picker->lbAffectLocation->setCurrentRow(8);
      QTest::keyClick(picker->lbAffectLocation, Qt::Key_Return);
    });
    objects->btnV[3]->click();
    QCOMPARE(objects->edV[3]->text(), u"8"_s);
    ok();
    expect_saved(home(), before, {{"'armor'", "'fireball'"}});
  }

  // Typing writes the slot shown; a text that is no number is refused at OK, not stored as 0.
  void furnitureCapacities() {
    select(3);
    const QByteArray before = saved(home());
    objects->chFurniture->setCurrentRow(5);
    QCOMPARE(objects->edCapacity->text(), u"4"_s);
    type(objects->edCapacity, u"7"_s);
    objects->chFurniture->setCurrentRow(2);
    QCOMPARE(objects->edCapacity->text(), u"0"_s);
    type(objects->edCapacity, u"x"_s);
    ok();
    QCOMPARE(dialog(-1).last(), u"Obj: Bad information:\r\nCapacity: 'x' is not a whole number"_s);
    type(objects->edCapacity, u"3"_s);
    ok();
    expect_saved(home(), before, {{"\nF\nB 0 4 0 0\n", "\nF\nB 0 7 3 0\n"}});
    select(0);
    select(3);
    QCOMPARE(objects->chFurniture->currentRow(), -1);
    type(objects->edCapacity, u"9"_s);
    QCOMPARE(objects->WorkObject().Capacity, (std::array<int32_t, 4>{9, 7, 3, 0}));
  }

  void plantVegetables() {
    const int page = objects->ObjInfoPage->count() - 1;
    QVERIFY(!objects->ObjInfoPage->isTabVisible(page));
    select(4);
    QVERIFY(objects->ObjInfoPage->isTabVisible(page));
    const QByteArray before = saved(home());
    objects->VegetableEdit->setFocus();
    objects->VegetableEdit->selectAll();
    for (const QString& line : {u"berry"_s, u"leaf  "_s, QString()}) {
      QTest::keyClicks(objects->VegetableEdit, line);
      QTest::keyClick(objects->VegetableEdit, Qt::Key_Return);
    }
    ok();
    expect_saved(home(), before, {{"S\nberry~\n|", "S\nberry~\nleaf~\n|"}});
    objects->VegetableEdit->setPlainText(QStringList(21, u"x"_s).join(u'\n'));
    ok();
    QCOMPARE(dialog(-1).last(),
             u"Obj: Bad information:\r\nVegetables: 21 lines, but an object holds at most 20"_s);
    QCOMPARE(record(4).VegetableCount, 2);
  }

  // One affect through each value dialog, each then edited; "Bad value!" keeps the numeric one open.
  void affectsThroughEachDialog() {
    const auto add = [&](int location) {
      when_shown<TAffectLocationSelectForm>([location](TAffectLocationSelectForm* picker) {
        picker->lbAffectLocation->setCurrentRow(location);
        QTest::keyClick(picker->lbAffectLocation, Qt::Key_Return);
      });
      objects->btnAddAffect->click();
    };
    when_shown<TEditNumericAffectForm>([this](TEditNumericAffectForm* numeric) {
      QCOMPARE(numeric->LocationLabel->text(), u"HITROLL"_s);
      type(numeric->EditValue, u"12a"_s);
      numeric->Button1->click();
      QVERIFY(numeric->isVisible());
      QCOMPARE(dialog(-1), (QStringList{u"message"_s, u"Edit Numeric Affect"_s, u"Bad value!"_s}));
      type(numeric->EditValue, u" 12 "_s);
      numeric->Button1->click();
    });
    add(18);
    when_shown<TEditBitAffectForm>([](TEditBitAffectForm* bits) {
      bits->chBits->item(0)->setCheckState(Qt::Checked);
      bits->chBits->item(3)->setCheckState(Qt::Checked);
      bits->Button1->click();
    });
    add(27);
    when_shown<TEditListAffectForm>([](TEditListAffectForm* list) {
      QCOMPARE(list->lbList->currentRow(), 0);
      list->lbList->setCurrentRow(2);
      list->Button1->click();
    });
    add(56);
    const auto texts = [&] {
      QStringList rows;
      for (int i = 0; i < objects->lvAffects->topLevelItemCount(); ++i)
        rows << objects->lvAffects->topLevelItem(i)->text(0) + u'=' +
                    objects->lvAffects->topLevelItem(i)->text(1);
      return rows;
    };
    QCOMPARE(texts(), (QStringList{u"HITROLL=12"_s, u"RESISTANT=FIRE ENERGY"_s, u"WEARSPELL=bless"_s}));
    const auto edit = [&](int row) {
      objects->lvAffects->setCurrentItem(objects->lvAffects->topLevelItem(row));
      objects->btnEditAffect->click();
    };
    when_shown<TEditNumericAffectForm>([](TEditNumericAffectForm* numeric) {
      QCOMPARE(numeric->EditValue->text(), u"12"_s);
      type(numeric->EditValue, u"-3"_s);
      numeric->Button1->click();
    });
    edit(0);
    when_shown<TEditBitAffectForm>([](TEditBitAffectForm* bits) {
      QCOMPARE(bits->Bits(), 9u);
      bits->chBits->item(0)->setCheckState(Qt::Unchecked);
      bits->Button1->click();
    });
    edit(1);
    when_shown<TEditListAffectForm>([](TEditListAffectForm* list) {
      QCOMPARE(list->lbList->currentItem()->text(), u"bless"_s);
      list->lbList->setCurrentRow(8);
      list->Button1->click();
    });
    edit(2);
    QCOMPARE(texts(), (QStringList{u"HITROLL=-3"_s, u"RESISTANT=ENERGY"_s, u"WEARSPELL=fireball"_s}));
    ok();
    QCOMPARE(record(0).Affects.Items.size(), size_t(3));
    QCOMPARE(record(0).Affects.Items[2]->Modifier, 8);
    objects->lvAffects->topLevelItem(0)->setSelected(true);
    objects->lvAffects->topLevelItem(2)->setSelected(true);
    objects->btnRemoveAffect->click();
    QCOMPARE(texts(), QStringList{u"RESISTANT=ENERGY"_s});
  }

  // Layers are offered only while a wear flag outside the non-wear ones (A, N, O, P) is ticked.
  void layersFollowWearFlags() {
    QVERIFY(objects->lbLayers->isHidden());
    objects->chWear->item(1)->setCheckState(Qt::Checked);
    QVERIFY(!objects->lbLayers->isHidden());
    objects->chWear->item(1)->setCheckState(Qt::Unchecked);
    QVERIFY(objects->lbLayers->isHidden());
  }

  // Cancel (or Escape) in any dialog of a flow changes nothing: the area stays unmodified.
  void cancelAnywhereChangesNothing() {
    const auto cancel = [](QDialog* dialog) { QTest::keyClick(dialog, Qt::Key_Escape); };
    when_shown<TAffectLocationSelectForm>(cancel);
    objects->btnAddAffect->click();
    for (int location : {18, 27, 56}) {
      when_shown<TAffectLocationSelectForm>([location](TAffectLocationSelectForm* picker) {
        picker->lbAffectLocation->setCurrentRow(location);
        QTest::keyClick(picker->lbAffectLocation, Qt::Key_Return);
      });
      if (location == 18)
        when_shown<TEditNumericAffectForm>([](TEditNumericAffectForm* d) { d->Button2->click(); });
      if (location == 27) when_shown<TEditBitAffectForm>([](TEditBitAffectForm* d) { d->Button2->click(); });
      if (location == 56)
        when_shown<TEditListAffectForm>([](TEditListAffectForm* d) { d->Button2->click(); });
      objects->btnAddAffect->click();
    }
    when_shown<TSelectWeaponTypeForm>(cancel);
    objects->btnV[3]->click();
    select(2);
    when_shown<TAffectLocationSelectForm>([](TAffectLocationSelectForm* picker) {
      picker->lbAffectLocation->clearSelection();
      QTest::keyClick(picker->lbAffectLocation, Qt::Key_Return);  // nothing to accept: stays open
      QVERIFY(picker->isVisible());
      QTest::keyClick(picker, Qt::Key_Escape);
    });
    objects->btnV[3]->click();
    QCOMPARE(objects->lvAffects->topLevelItemCount(), 0);
    QCOMPARE(objects->edV[3]->text(), u"1"_s);
    select(0);
    QVERIFY(!form->Document().IsModified(home()));
  }

  // A row outside 0..6 in the world's value descriptions: the seven plain rows, and the line named.
  void malformedValueDescriptionFallsBack() {
    world().ItemTypesValues.at(15) = "ITEM_CONTAINER=(0|Capacity)(7|Broken)";
    select(1);
    for (int n = 0; n < 7; ++n) {
      QCOMPARE(objects->ValueLabel[size_t(n)]->text(), u"Value %1"_s.arg(n));
      QVERIFY(!objects->ValueLabel[size_t(n)]->isHidden());
    }
    QCOMPARE(dialog(-1).last(),
             u"The value list ItemTypesValues, line 16 (ITEM_CONTAINER): the group (7|Broken) "
             "names row 7, outside 0..6; the values are shown as Value 0 to Value 6."_s);
  }

  // The reset loading the object follows its new vnum in the same step when the builder agrees.
  void newVnumTakesTheResetAlong() {
    script->replies.push_back(DialogAnswer::Yes);
    type(objects->VNumEdit, u"310"_s);
    ok();
    QCOMPARE(dialog(-1).first(), u"question"_s);
    QCOMPARE(home()->Resets->Items[0]->Arg1, 310);
    undo();
    QCOMPARE(home()->Resets->Items[0]->Arg1, 300);
    QCOMPARE(record(0).Vnum, 300);
    QVERIFY(!form->Document().IsModified(home()));
  }
};

QTEST_MAIN(ObjectEditorTest)
#include "object_editor_test.moc"

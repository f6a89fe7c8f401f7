// The mobile editor on the Mobiles page, driven through its widgets: a simple and a complex mobile
// edited and saved with only that mobile changed, shops given, taken and undone, the randomiser, the
// language in use, the special function, values the lists do not name, and a vnum change that takes
// the world's references along.
#include <QCheckBox>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QtTest>

#include "MainFixture.h"
#include "area/Area.h"
#include "area/Mobiles.h"
#include "area/Resets.h"
#include "area/Shops.h"
#include "reading/AreaFile.h"
#include "ui/common/WorldDocument.h"
#include "ui/editors/ChoiceBox.h"
#include "ui/editors/FlagCheckList.h"
#include "ui/editors/MobileEditForm.h"
#include "ui/editors/MobileShopPages.h"
#include "ui/main/AreaManageForm.h"

using namespace tavro;
using namespace tavro::ui;
using namespace Qt::StringLiterals;

namespace {

// "человек" and "Маг" in KOI8-R: the first race and class of the sample lists.
const QByteArray kHome =
    "#AREA Home~\n\n#VERSION 11\n\n#MOBILES\n"
    "#100\nguard~\na guard~\nA guard stands here.~\nHe watches.\n~\nB 0 0 S\n5 20 4 2d8+10 1d6+2\n10 100\n"
    "112 130 NEUTRAL\n\n"
    "#101\nmage~\na mage~\nA mage floats here.~\n~\n0 0 -350 C\n9 18 2 3d8+30 2d4+1\n50 900\n112 112 FEMALE\n"
    "13 14 15 16 17 18 19\n1 2 3 4 5\n\xDE\xC5\xCC\xCF\xD7\xC5\xCB~ \xED\xC1\xC7~ 170 60 3 2 2\n"
    "4 5 A B 0 0 A D\n> greet_prog 100~\nmpmload 100\n~\n|\n\n"
    "#0\n\n#ROOMS\n#500\nHall~\n~\n0 0 0\nS\n#0\n\n#RESETS\nM 0 100 1 500\nS\n\n#$\n";

}  // namespace

class MobileEditorTest : public QObject, testing::MainWindowFixture {
  Q_OBJECT

 private:
  TMobileEditForm* mobiles = nullptr;

  TArea* home() const { return area_at(0); }
  const TAreaMobile& record(int i) const { return *home()->Mobiles->Items.at(size_t(i)); }
  void select(int row) {
    mobiles->LBSearch->setFocus();
    mobiles->LBSearch->setCurrentIndex(mobiles->Entries->index(row));
  }
  void ok() { mobiles->OKButton->click(); }
  void undo() { form->EditUndo1->trigger(); }
  // A click on the page's tab, as the builder does: it must not store the fields being typed.
  void page(const QString& caption) {
    QTabBar* tabs = mobiles->MobInfoPage->tabBar();
    for (int i = 0; i < tabs->count(); ++i)
      if (tabs->tabText(i) == caption) QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(i).center());
  }

 private slots:
  void init() {
    TAreaManageForm::Install();
    load({{u"home.are"_s, kHome}});
    QVERIFY(QTest::qWaitForWindowActive(form.get()));
    auto* window = qobject_cast<TAreaManageForm*>(form->open_area_window(home()));
    window->ShowPage(TMDIChild::MobilesPage);
    mobiles = static_cast<TMobileEditForm*>(window->Editor(TMDIChild::MobilesPage));
    QVERIFY(mobiles);
  }

  void cleanup() {
    const int unexpected = close_without_questions();
    QCOMPARE(unexpected, 0);
  }

  // Sex 3 and a default position beyond the list show as numbers and survive the edit.
  void simpleMobileEditedKeepsWhatTheListsDoNotName() {
    QCOMPARE(mobiles->entry_text(0), u"100   a guard"_s);
    QCOMPARE(mobiles->cbSex->currentText(), u"3"_s);
    QCOMPARE(mobiles->cbDefPosition->currentText(), u"30"_s);
    QVERIFY(!mobiles->edStats[0]->isEnabled() && !mobiles->chLang->isEnabled());
    QCOMPARE(mobiles->MobInfoPage->tabText(7), u"Extra Descs"_s);
    QVERIFY(!mobiles->MobInfoPage->isTabEnabled(7));  // mobiles have none
    const QByteArray before = saved(home());
    type(mobiles->edLevel, u"6"_s);
    type(mobiles->edGold, u"15"_s);
    mobiles->chAct->item(0)->setCheckState(Qt::Checked);
    type(mobiles->edDamDice[2], u"3"_s);
    ok();
    expect_saved(home(), before,
                 {{"B 0 0 S\n5 20 4 2d8+10 1d6+2\n10 100\n", "AB 0 0 S\n6 20 4 2d8+10 1d6+3\n15 100\n"}});
    QCOMPARE(form->EditUndo1->text(), u"&Undo Edit Mobile 100"_s);
  }

  // Every complex field edited reaches the file; unticking "Complex" disables the fields, keeps their
  // values and writes the simple form, and ticking it again brings them back.
  void complexMobileEditedThenMadeSimple() {
    select(1);
    QVERIFY(mobiles->edStats[0]->isEnabled());
    const QByteArray before = saved(home());
    type(mobiles->edStats[6], u"20"_s);
    type(mobiles->edSaves[0], u"-1"_s);
    mobiles->cbRace->setCurrentIndex(1);
    mobiles->cbClass->setCurrentIndex(1);
    type(mobiles->edHeight, u"180"_s);
    type(mobiles->edHitroll, u"6"_s);
    type(mobiles->edNumAttacks, u"3"_s);
    mobiles->chSus->item(1)->setCheckState(Qt::Checked);
    mobiles->chDefenses->item(0)->setCheckState(Qt::Checked);
    ok();
    expect_saved(home(), before,
                 {{"13 14 15 16 17 18 19\n1 2", "13 14 15 16 17 18 20\n-1 2"},
                  {"\xDE\xC5\xCC\xCF\xD7\xC5\xCB~ \xED\xC1\xC7~ 170 60 3 2 2",
                   "\xDC\xCC\xD8\xC6~ \xF6\xD2\xC5\xC3~ 180 60 3 2 3"},
                  {"4 5 A B 0 0 A D", "6 5 A B 0 B A AD"}});
  }

  void complexSwitchOnlyEnablesFields() {
    select(1);
    const QByteArray before = saved(home());
    mobiles->chComplex->click();
    for (QWidget* field : std::initializer_list<QWidget*>{
             mobiles->edStats[3], mobiles->edSaves[4], mobiles->cbRace, mobiles->chLang, mobiles->chImm,
             mobiles->chAttacks, mobiles->edHitroll, mobiles->edNumAttacks})
      QVERIFY2(!field->isEnabled(), qPrintable(field->objectName()));
    QVERIFY(mobiles->edAC->isEnabled() && mobiles->btnRandomizeStats->isEnabled());
    ok();
    QCOMPARE(record(1).Complex, false);
    QCOMPARE(record(1).Stats, (std::array<int32_t, 7>{13, 14, 15, 16, 17, 18, 19}));
    QCOMPARE(record(1).Speaks, 3);
    QVERIFY(!saved(home()).contains("13 14 15 16 17 18 19"));
    mobiles->chComplex->click();
    ok();
    QCOMPARE(saved(home()), before);
  }

  // A new mobile with a shop, a repair shop given and a shop taken: the area's lists follow every step
  // and every undo.
  void shopsGivenTakenAndUndone() {
    mobiles->AddAction->trigger();
    QCOMPARE(mobiles->VNumEdit->text(), u"102"_s);
    type(mobiles->SNameEdit, u"a trader"_s);
    page(u"Shop"_s);
    QVERIFY(!mobiles->Shop->TypeBoxes[0]->isEnabled());
    mobiles->Shop->OpenAlready->click();
    QVERIFY(!mobiles->Shop->Have->isChecked());
    mobiles->Shop->Have->click();
    QVERIFY(mobiles->Shop->TypeBoxes[0]->isEnabled());
    const auto field = [](TShopPage* page, int i) {
      return static_cast<QLineEdit*>(page->NumberFields[size_t(i)]);
    };
    QCOMPARE(field(mobiles->Shop, 0)->text(), u"90"_s);
    QCOMPARE(field(mobiles->Shop, 3)->text(), u"19"_s);
    mobiles->Shop->OpenAlready->click();
    mobiles->Shop->TypeBoxes[1]->setCurrentIndex(3);
    ok();
    QCOMPARE(mobiles->entry_text(2), u"102   a trader"_s);
    QCOMPARE(home()->Shops->Items, std::vector<TAreaShop*>{record(2).Shop.get()});
    QVERIFY(saved(home()).contains("#SHOPS\n102   0 3 0 0 0   90 120 0 24 ; a trader\n0\n"));
    page(u"Repair"_s);
    mobiles->Repair->Have->click();
    static_cast<TChoiceBox*>(mobiles->Repair->NumberFields[1])->setCurrentIndex(2);
    ok();
    QVERIFY(saved(home()).contains("#REPAIRS\n102   0 0 0   60 2 8 19 ; a trader\n0\n"));
    page(u"Shop"_s);
    mobiles->Shop->Have->click();
    ok();
    QVERIFY(!record(2).Shop && home()->Shops->Items.empty());
    mobiles->RemoveAction->trigger();
    QVERIFY(home()->RepairShops->Items.empty());
    undo();
    QCOMPARE(home()->RepairShops->Items, std::vector<TAreaRepairShop*>{record(2).RepairShop.get()});
    undo();
    QCOMPARE(home()->Shops->Items, std::vector<TAreaShop*>{record(2).Shop.get()});
    undo();
    undo();
    QVERIFY(home()->Shops->Items.empty() && home()->RepairShops->Items.empty());
    QCOMPARE(home()->Mobiles->Items.size(), size_t(2));
  }

  void randomiserFillsTheSevenAttributes() {
    mobiles->Random.seed(5);
    page(u"Stats"_s);
    std::array<int32_t, 7> shown{};
    for (int round = 0; round < 5; ++round) {
      QTest::mouseClick(mobiles->btnRandomizeStats, Qt::LeftButton);
      for (size_t i = 0; i < shown.size(); ++i) {
        shown[i] = mobiles->edStats[i]->text().toInt();
        QVERIFY2(shown[i] >= 13 && shown[i] <= 25, qPrintable(mobiles->edStats[i]->text()));
      }
    }
    ok();
    QCOMPARE(record(0).Stats, shown);
  }

  // Ticked: spoken; selected: in use. A mobile whose language in use no row stands for shows none.
  void languagesSurviveSwitchingMobiles() {
    select(1);
    QCOMPARE(mobiles->chLang->currentRow(), 1);
    select(0);
    QVERIFY(mobiles->chLang->selectedItems().isEmpty());
    type(mobiles->edLevel, u"7"_s);
    ok();
    QCOMPARE(std::make_pair(record(0).Speaks, record(0).Speaking), std::make_pair(0, 0));
    mobiles->chComplex->click();
    mobiles->chLang->item(2)->setCheckState(Qt::Checked);
    mobiles->chLang->item(4)->setCheckState(Qt::Checked);
    mobiles->chLang->setCurrentRow(4);
    select(1);
    QCOMPARE(std::make_pair(record(0).Speaks, record(0).Speaking), std::make_pair(0x14, 0x10));
    QCOMPARE(mobiles->chLang->selectedItems().first()->text(), mobiles->chLang->item(1)->text());
    select(0);
    QCOMPARE(mobiles->chLang->currentRow(), 4);
  }

  void specialFunctionChosenAndCleared() {
    page(u"Stats"_s);
    QCOMPARE(mobiles->cbSpecFunction->currentText(), u"[None]"_s);
    mobiles->cbSpecFunction->setCurrentIndex(1);
    ok();
    QCOMPARE(record(0).Special, 1);
    QVERIFY(saved(home()).contains("#SPECIALS\nM 100 spec_breath_any\nS\n"));
    mobiles->cbSpecFunction->setCurrentIndex(0);
    ok();
    QCOMPARE(record(0).Special, -1);
    QVERIFY(!saved(home()).contains("#SPECIALS"));
  }

  // A vnum another mobile has is refused; a new one asks whether the reset and the program line that
  // load the mobile follow (Cancel keeps the typed vnum, Yes stores all in one step).
  void vnumChangeTakesTheWorldAlong() {
    type(mobiles->VNumEdit, u"101"_s);
    ok();
    QVERIFY(dialog(-1).last().startsWith(u"Mob: Bad information:\r\n"_s));
    type(mobiles->VNumEdit, u"150"_s);
    script->replies.push_back(DialogAnswer::Cancel);
    ok();
    QCOMPARE(dialog(-1).mid(0, 2), (QStringList{u"question"_s, u"Renumber Mobile"_s}));
    QCOMPARE(record(0).Vnum, 100);
    QCOMPARE(mobiles->VNumEdit->text(), u"150"_s);
    script->replies.push_back(DialogAnswer::Yes);
    ok();
    QCOMPARE(record(0).Vnum, 150);
    QCOMPARE(home()->Resets->Items[0]->Arg1, 150);
    QCOMPARE(record(1).Progs->Items[0]->Body, std::string("mpmload 150\r\n"));
    undo();
    QCOMPARE(std::make_pair(record(0).Vnum, home()->Resets->Items[0]->Arg1), std::make_pair(100, 100));
    QVERIFY(!form->Document().IsModified(home()));
  }
};

QTEST_MAIN(MobileEditorTest)
#include "mobile_editor_test.moc"

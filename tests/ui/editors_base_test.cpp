// The editor base: search, select, add, OK, restore, cancel and delete on a small editor of named
// numbers, the embedding into a page, and the flag routines for check lists.
#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <memory>
#include <vector>

#include "ui/common/DialogService.h"
#include "ui/editors/ParentForm.h"
#include "ui/editors/SingleVisualForm.h"

using namespace tavro;
using namespace tavro::ui;
using namespace Qt::StringLiterals;

namespace {

struct TestEntity {
  int Vnum = 0;
  QString Name;
};
using TestEntities = std::vector<std::unique_ptr<TestEntity>>;

// The smallest concrete editor: a vnum and a name, listed by vnum like the room editor lists rooms.
class TestEditor : public TParentForm {
 public:
  TestEditor() {
    edVnum = new QLineEdit(FieldsPanel);
    edVnum->setObjectName(u"edVnum"_s);
    edName = new QLineEdit(FieldsPanel);
    edName->setObjectName(u"edName"_s);
    edName->move(0, 30);
    WatchEdits();
    RouteDataPanelExitToApply();
  }

  // This editor is bound to its list directly (SetEntities); an area is not needed here.
  void BindArea(TArea&) override {}

  void SetEntities(TestEntities* entities) {
    clear_entries();
    entities_ = entities;
    for (const auto& entity : *entities)
      append_entry(QString::number(entity->Vnum), entity.get());
    SetList();
  }

  void ShowItem(int index) override {
    if (index < 0 || index >= entry_count()) {
      CurrentIndex = -1;
      ClearItem();
      return;
    }
    CurrentIndex = index;
    const auto* entity = entry_entity<TestEntity>(index);
    edVnum->setText(QString::number(entity->Vnum));
    edName->setText(entity->Name);
  }

  void ClearItem() override {
    edVnum->clear();
    edName->clear();
    TParentForm::ClearItem();
  }

  void ApplyItem() override {
    if (Closed) return;
    bool ok = false;
    const int vnum = edVnum->text().toInt(&ok);
    if (!ok) {
      DialogService::instance().message(CommonPanel, u"Error"_s,
                                        u"TEST: Bad information:\r\n"_s + edVnum->text(), DialogIcon::Error);
      return;
    }
    TestEntity* entity = nullptr;
    if (CurrentIndex < 0) {
      entities_->push_back(std::make_unique<TestEntity>());
      entity = entities_->back().get();
    } else {
      entity = entry_entity<TestEntity>(CurrentIndex);
    }
    entity->Vnum = vnum;
    entity->Name = edName->text();
    StoreItem(QString::number(vnum), entity);
    TParentForm::ApplyItem();
  }

  void ViewItem() override {
    ViewText = edName->text();
    TParentForm::ViewItem();
  }

  void RemoveItem(int index) override {
    entities_->erase(entities_->begin() + index);
    TParentForm::RemoveItem(index);
  }

  QLineEdit* edVnum;
  QLineEdit* edName;

 private:
  TestEntities* entities_ = nullptr;
};

TestEntities make_entities(std::initializer_list<std::pair<int, const char16_t*>> items) {
  TestEntities entities;
  for (const auto& [vnum, name] : items)
    entities.push_back(std::make_unique<TestEntity>(TestEntity{vnum, QString::fromUtf16(name)}));
  return entities;
}

QStringList entry_texts(const TParentForm& editor) {
  QStringList texts;
  for (int i = 0; i < editor.entry_count(); ++i)
    texts << editor.entry_text(i);
  return texts;
}

QListWidget* check_list(QWidget* parent, int count) {
  auto* list = new QListWidget(parent);
  for (int i = 0; i < count; ++i) {
    auto* item = new QListWidgetItem(QString::number(i), list);
    item->setCheckState(Qt::Unchecked);
  }
  return list;
}

QList<bool> ticks(QListWidget* list) {
  QList<bool> result;
  for (int i = 0; i < list->count(); ++i)
    result << (list->item(i)->checkState() == Qt::Checked);
  return result;
}

}  // namespace

class EditorBaseTest : public QObject {
  Q_OBJECT

 private:
  TestEntities entities_;
  std::unique_ptr<TestEditor> editor_;
  std::unique_ptr<QWidget> page_;
  std::unique_ptr<ScriptedDialogService> dialogs_;
  std::unique_ptr<DialogServiceGuard> guard_;

  void bind(TestEntities entities) {
    entities_ = std::move(entities);
    editor_->SetEntities(&entities_);
  }

 private slots:
  void init() {
    dialogs_ = std::make_unique<ScriptedDialogService>();
    guard_ = std::make_unique<DialogServiceGuard>(dialogs_.get());
    page_ = std::make_unique<QWidget>();
    page_->resize(640, 400);
    editor_ = std::make_unique<TestEditor>();
    editor_->EmbedInto(page_.get());
    page_->show();
    QVERIFY(QTest::qWaitForWindowExposed(page_.get()));
  }

  void cleanup() {
    editor_.reset();
    page_.reset();
    guard_.reset();
    QCOMPARE(dialogs_->unexpected, 0);
    dialogs_.reset();
  }

  void embeddingMovesThePanelOntoThePage() {
    QCOMPARE(editor_->CommonPanel->parentWidget(), page_.get());
    QCOMPARE(editor_->CommonPanel->size(), page_->contentsRect().size());
    QVERIFY(editor_->CommonPanel->isVisible());
    QVERIFY(!editor_->isVisible());
    page_->resize(700, 500);
    QApplication::processEvents();
    QCOMPARE(editor_->CommonPanel->size(), QSize(700, 500));
  }

  void buttonsSitCancelRestoreOkFromTheRightAndViewOnTheLeft() {
    const QList<int> left = {editor_->ViewButton->x(), editor_->OKButton->x(), editor_->RestoreButton->x(),
                             editor_->CancelButton->x()};
    QVERIFY(std::is_sorted(left.begin(), left.end()));
  }

  void setListShowsTheFirstEntryAClickShowsAnotherAndAnEmptyListIsDisabled() {
    bind(make_entities({{3012, u"Площадь"}, {1200, u"Лес"}}));
    QCOMPARE(entry_texts(*editor_), (QStringList{u"3012"_s, u"1200"_s}));
    QVERIFY(editor_->LBSearch->isEnabled());
    QCOMPARE(editor_->CurrentIndex, 0);
    QCOMPARE(editor_->selected_entry(), 0);
    QCOMPARE(editor_->edName->text(), u"Площадь"_s);
    QListView* list = editor_->LBSearch;
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualRect(list->model()->index(1, 0)).center());
    QCOMPARE(editor_->CurrentIndex, 1);
    QCOMPARE(editor_->edName->text(), u"Лес"_s);
    bind({});
    QVERIFY(!editor_->LBSearch->isEnabled());
    QCOMPARE(editor_->CurrentIndex, -1);
    QCOMPARE(editor_->edName->text(), QString());
  }

  void searchSelectsTheEarliestEntryContainingTheTrimmedText() {
    bind(make_entities({{1200, u"a"}, {3012, u"b"}, {5012, u"c"}}));
    QTest::keyClicks(editor_->SearchEdit, u"30"_s);
    QCOMPARE(editor_->selected_entry(), 1);
    QCOMPARE(editor_->CurrentIndex, 1);
    QCOMPARE(editor_->edName->text(), u"b"_s);
    // "301" still finds 3012; "3019" finds nothing and leaves the selection.
    QTest::keyClicks(editor_->SearchEdit, u"1"_s);
    QCOMPARE(editor_->selected_entry(), 1);
    QTest::keyClicks(editor_->SearchEdit, u"9"_s);
    QCOMPARE(editor_->selected_entry(), 1);
    QCOMPARE(editor_->CurrentIndex, 1);
    // Blanks alone search for nothing; blanks around the text do not count.
    editor_->SearchEdit->setText(u"   "_s);
    QCOMPARE(editor_->selected_entry(), 1);
    editor_->SearchEdit->setText(u"  12 "_s);
    QCOMPARE(editor_->selected_entry(), 0);
    QCOMPARE(editor_->edName->text(), u"a"_s);
  }

  void addThenOkAppendsAndASecondOkUpdates() {
    bind({});
    editor_->AddAction->trigger();
    editor_->edVnum->setText(u"1"_s);
    editor_->ApplyAction->trigger();
    QVERIFY(editor_->LBSearch->isEnabled());  // an empty list is enabled by its first entry
    editor_->LBSearch->setFocus();
    QTest::keyClick(editor_->LBSearch, Qt::Key_I, Qt::ControlModifier);
    QCOMPARE(editor_->CurrentIndex, -1);
    QCOMPARE(editor_->edVnum->text(), QString());
    editor_->edVnum->setText(u"7"_s);
    editor_->edName->setText(u"seven"_s);
    QTest::mouseClick(editor_->OKButton, Qt::LeftButton);
    QCOMPARE(entry_texts(*editor_), (QStringList{u"1"_s, u"7"_s}));
    QCOMPARE(editor_->CurrentIndex, 1);
    QCOMPARE(editor_->selected_entry(), 1);
    QCOMPARE(entities_.size(), size_t(2));
    QCOMPARE(entities_[1]->Name, u"seven"_s);

    editor_->edVnum->setText(u"8"_s);
    QTest::mouseClick(editor_->OKButton, Qt::LeftButton);
    QCOMPARE(entities_.size(), size_t(2));
    QCOMPARE(entities_[1]->Vnum, 8);
    QCOMPARE(entry_texts(*editor_), (QStringList{u"1"_s, u"8"_s}));
  }

  void restoreCancelRefusedOrClosedStoresNothing() {
    bind(make_entities({{1, u"one"}, {2, u"two"}}));
    editor_->SelectItem(1);
    editor_->edName->setText(u"edited"_s);
    QTest::mouseClick(editor_->RestoreButton, Qt::LeftButton);
    QCOMPARE(editor_->edName->text(), u"two"_s);
    QCOMPARE(editor_->CurrentIndex, 1);

    editor_->edVnum->setText(u"x1"_s);
    editor_->edName->setText(u"changed"_s);
    editor_->ApplyAction->trigger();
    QCOMPARE(dialogs_->shown.size(), size_t(1));
    QCOMPARE(dialogs_->shown[0].text, u"TEST: Bad information:\r\nx1"_s);
    QCOMPARE(editor_->CurrentIndex, 1);

    QTest::mouseClick(editor_->CancelButton, Qt::LeftButton);
    QCOMPARE(editor_->CurrentIndex, -1);
    QCOMPARE(editor_->edName->text(), QString());

    editor_->SelectItem(0);
    editor_->edName->setText(u"edited"_s);
    editor_->FormClose();
    QVERIFY(editor_->Closed);
    editor_->ApplyAction->trigger();
    QCOMPARE(entities_.size(), size_t(2));
    QCOMPARE(entities_[0]->Name, u"one"_s);
    QCOMPARE(entities_[1]->Name, u"two"_s);
  }

  void deleteRemovesTheSelectedEntityOnly() {
    bind(make_entities({{1, u"one"}, {2, u"two"}}));
    editor_->select_entry(-1);
    editor_->RemoveAction->trigger();
    QCOMPARE(entities_.size(), size_t(2));

    editor_->select_entry(1);
    editor_->SelectItem(1);
    editor_->LBSearch->setFocus();
    QTest::keyClick(editor_->LBSearch, Qt::Key_D, Qt::ControlModifier);
    QCOMPARE(entry_texts(*editor_), QStringList{u"1"_s});
    QCOMPARE(entities_.size(), size_t(1));
    QCOMPARE(entities_[0]->Vnum, 1);
    QCOMPARE(editor_->CurrentIndex, -1);
    QCOMPARE(editor_->selected_entry(), -1);
    QCOMPARE(editor_->edName->text(), QString());
    QVERIFY(editor_->LBSearch->isEnabled());

    // Deleting the last entry disables the list.
    editor_->select_entry(0);
    editor_->RemoveAction->trigger();
    QCOMPARE(editor_->entry_count(), 0);
    QVERIFY(entities_.empty());
    QVERIFY(!editor_->LBSearch->isEnabled());
  }

  // Only what the user typed is stored: leaving an untouched panel keeps a record changed elsewhere.
  void focusLeavingTheDataPanelAppliesAnEdit() {
    bind(make_entities({{1, u"one"}}));
    page_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(page_.get()));
    editor_->edName->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(editor_->edName));
    entities_[0]->Name = u"elsewhere"_s;
    editor_->SearchEdit->setFocus();
    QCOMPARE(entities_[0]->Name, u"elsewhere"_s);
    editor_->edName->setFocus();
    editor_->edName->selectAll();
    QTest::keyClicks(editor_->edName, u"edited"_s);
    QCOMPARE(entities_[0]->Name, u"elsewhere"_s);
    editor_->edVnum->setFocus();  // still inside the panel
    QCOMPARE(entities_[0]->Name, u"elsewhere"_s);
    editor_->SearchEdit->setFocus();
    QTRY_COMPARE(entities_[0]->Name, u"edited"_s);
  }

  void viewShowsThePreviewModallyWithTheViewText() {
    bind(make_entities({{1, u"&RКрасный"}}));
    QString shown_text;
    QString caption;
    QTimer::singleShot(0, this, [&] {
      auto* preview = qobject_cast<TSingleVisualForm*>(QApplication::activeModalWidget());
      if (!preview) return;
      shown_text = preview->text();
      caption = preview->windowTitle();
      preview->reject();
    });
    QTest::mouseClick(editor_->ViewButton, Qt::LeftButton);
    QCOMPARE(caption, u"SingleVisualForm"_s);
    QCOMPARE(shown_text, u"&RКрасный"_s);
    QCOMPARE(QApplication::activeModalWidget(), nullptr);
  }

  void flagsToTextNamesTheSetBitsInListOrder() {
    const TConstantList list = {"0=A", "1=B", "2=C"};
    std::string text = "stale";
    TParentForm::FlagsToText(0, list, text);
    QCOMPARE(text, std::string());
    TParentForm::FlagsToText(0b101, list, text);
    QCOMPARE(text, std::string("A C"));
    // Bit numbers are taken modulo 32.
    TParentForm::FlagsToText(0b10, TConstantList{"33=X"}, text);
    QCOMPARE(text, std::string("X"));
  }

  void flagsAndCheckListsRoundTrip() {
    const TConstantList list = {"0=A", "3=B", "31=C", "34=D"};
    QListWidget* checks = check_list(page_.get(), 4);
    TParentForm::FlagsToCheckList(checks, 0x80000009u, list, TParentForm::kNoChoice);
    QCOMPARE(ticks(checks), (QList<bool>{true, true, true, false}));
    QCOMPARE(checks->currentRow(), -1);
    checks->item(3)->setCheckState(Qt::Checked);  // bit 34 is bit 2 of the word
    checks->item(0)->setCheckState(Qt::Unchecked);
    uint32_t flags = 0xFFFF;
    TParentForm::CheckListToFlags(checks, flags, list);
    QCOMPARE(flags, 0x8000000Cu);
  }

  void theChoiceIsTheCurrentEntryOfTheCheckList() {
    const TConstantList list = {"0=A", "4=B", "5=C"};
    QListWidget* checks = check_list(page_.get(), 3);
    checks->setCurrentRow(2);
    TParentForm::FlagsToCheckList(checks, 0b110001, list, TParentForm::kNoChoice);
    QCOMPARE(checks->currentRow(), 2);
    QCOMPARE(ticks(checks), (QList<bool>{true, true, true}));
    // The last chosen entry becomes the current one.
    TParentForm::FlagsToCheckList(checks, 0b110001, list, 0b010001);
    QCOMPARE(checks->currentRow(), 1);
    TParentForm::FlagsToCheckList(checks, 0, list, 0b000001);
    QCOMPARE(checks->currentRow(), 0);
    QCOMPARE(ticks(checks), (QList<bool>{false, false, false}));

    checks->item(2)->setCheckState(Qt::Checked);
    checks->setCurrentRow(-1);
    uint32_t flags = 0;
    uint32_t choice = 99;
    TParentForm::CheckListToFlagsAndChoice(checks, flags, choice, list);
    QCOMPARE(flags, 0b100000u);
    QCOMPARE(choice, 0u);
    checks->setCurrentRow(1);
    TParentForm::CheckListToFlagsAndChoice(checks, flags, choice, list);
    QCOMPARE(choice, 0b10000u);
  }

  void bitVectorsAndCheckListsRoundTrip() {
    const TConstantList list = {"0=A", "40=B", "127=C", "200=Out"};
    QListWidget* checks = check_list(page_.get(), 4);
    TBitVector bits;
    bits.Words = {1u, 1u << 8, 0u, 1u << 31};
    TParentForm::BitVectorToCheckList(checks, bits, list);
    QCOMPARE(ticks(checks), (QList<bool>{true, true, true, false}));
    checks->item(1)->setCheckState(Qt::Unchecked);
    checks->item(3)->setCheckState(Qt::Checked);  // a bit beyond the vector is left out
    TBitVector result;
    result.Words = {7u, 7u, 7u, 7u};
    TParentForm::CheckListToBitVector(checks, result, list);
    QCOMPARE(result.Words, (std::array<uint32_t, 4>{1u, 0u, 0u, 1u << 31}));
  }
};

QTEST_MAIN(EditorBaseTest)
#include "editors_base_test.moc"

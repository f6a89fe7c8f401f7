#include "ui/editors/ParentForm.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QSplitter>
#include <QTabBar>
#include <QVBoxLayout>
#include <algorithm>

#include "area/Changes.h"
#include "ui/common/WorldDocument.h"
#include "ui/editors/EntryList.h"
#include "ui/editors/SingleVisualForm.h"

namespace tavro::ui {

namespace {

constexpr int kSearchPanelWidth = 160;
constexpr int kButtonSpacing = 8;

QAction* make_action(QObject* owner, const char* name, const QString& caption, const QString& category) {
  auto* action = new QAction(caption, owner);
  action->setObjectName(QString::fromLatin1(name));
  action->setProperty("category", category);
  return action;
}

QPushButton* make_button(QWidget* parent, const char* name, QAction* action) {
  auto* button = new QPushButton(action->text(), parent);
  button->setObjectName(QString::fromLatin1(name));
  QObject::connect(button, &QPushButton::clicked, action, &QAction::trigger);
  return button;
}

// The bit an entry "bit=Name" of a constant list names, within a 32-bit flag word.
uint32_t entry_mask(const std::string& entry) {
  return 1u << (static_cast<unsigned>(flag_entry_bit(entry)) % 32u);
}

// The bit of a 128-bit vector an entry names; -1 when it lies outside the vector.
int vector_bit(const std::string& entry) {
  const int bit = flag_entry_bit(entry);
  return bit >= 0 && bit < 128 ? bit : -1;
}

int checked_count(QListWidget* check_list, const TConstantList& list) {
  return std::min(check_list->count(), static_cast<int>(list.size()));
}

void set_ticked(QListWidget* check_list, int row, bool ticked) {
  check_list->item(row)->setCheckState(ticked ? Qt::Checked : Qt::Unchecked);
}

bool is_ticked(QListWidget* check_list, int row) {
  return check_list->item(row)->checkState() == Qt::Checked;
}

}  // namespace

TParentForm::TParentForm(QWidget* parent) : QWidget(parent) {
  FormCreate();
}

TParentForm::~TParentForm() {
  delete owned_panel_.data();
}

void TParentForm::FormCreate() {
  Closed = false;
  CommonPanel = new QWidget(this);
  CommonPanel->setObjectName(QStringLiteral("CommonPanel"));
  owned_panel_ = CommonPanel;
  auto* form_layout = new QVBoxLayout(this);
  form_layout->setContentsMargins(0, 0, 0, 0);
  form_layout->addWidget(CommonPanel);

  create_actions();
  create_search_panel();
  create_data_panel();
  Splitter1 = new QSplitter(Qt::Horizontal, CommonPanel);
  Splitter1->setObjectName(QStringLiteral("Splitter1"));
  Splitter1->addWidget(SearchPanel);
  Splitter1->addWidget(DataPanel);
  Splitter1->setStretchFactor(0, 0);
  Splitter1->setStretchFactor(1, 1);
  Splitter1->setSizes({kSearchPanelWidth, 4 * kSearchPanelWidth});
  auto* panel_layout = new QHBoxLayout(CommonPanel);
  panel_layout->setContentsMargins(0, 0, 0, 0);
  panel_layout->addWidget(Splitter1);
}

void TParentForm::create_actions() {
  AddAction = make_action(this, "AddAction", QStringLiteral("Add"), QStringLiteral("Search"));
  AddAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_I));
  RemoveAction = make_action(this, "RemoveAction", QStringLiteral("Delete"), QStringLiteral("Search"));
  RemoveAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_D));
  ViewAction = make_action(this, "ViewAction", QStringLiteral("View"), QStringLiteral("Data"));
  ApplyAction = make_action(this, "ApplyAction", QStringLiteral("OK"), QStringLiteral("Data"));
  CancelAction = make_action(this, "CancelAction", QStringLiteral("Cancel"), QStringLiteral("Data"));
  ResetAction = make_action(this, "ResetAction", QStringLiteral("Restore"), QStringLiteral("Data"));
  // The shortcuts live with the panel, which travels to the area window's page.
  for (QAction* action : {AddAction, RemoveAction, ViewAction, ApplyAction, CancelAction, ResetAction}) {
    action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    CommonPanel->addAction(action);
  }
  connect(AddAction, &QAction::triggered, this, [this] { ClearItem(); });
  connect(RemoveAction, &QAction::triggered, this, [this] { RemoveActionExecute(); });
  connect(ViewAction, &QAction::triggered, this, [this] { ViewItem(); });
  connect(ApplyAction, &QAction::triggered, this, [this] { ApplyItem(); });
  connect(CancelAction, &QAction::triggered, this, [this] { ClearItem(); });
  connect(ResetAction, &QAction::triggered, this, [this] { ShowEntry(CurrentIndex); });
}

void TParentForm::create_search_panel() {
  SearchPanel = new QWidget(CommonPanel);
  SearchPanel->setObjectName(QStringLiteral("SearchPanel"));
  SearchEdit = new QLineEdit(SearchPanel);
  SearchEdit->setObjectName(QStringLiteral("SearchEdit"));
  SearchEdit->setAccessibleName(QStringLiteral("Search"));
  Entries = new TEntryList(this);
  LBSearch = new QListView(SearchPanel);
  LBSearch->setObjectName(QStringLiteral("LBSearch"));
  LBSearch->setAccessibleName(QStringLiteral("Records"));
  LBSearch->setUniformItemSizes(true);
  LBSearch->setEditTriggers(QAbstractItemView::NoEditTriggers);
  LBSearch->setModel(Entries);
  auto* layout = new QVBoxLayout(SearchPanel);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->addWidget(SearchEdit);
  layout->addWidget(LBSearch, 1);

  PMSearch = new QMenu(CommonPanel);
  PMSearch->setObjectName(QStringLiteral("PMSearch"));
  PMSearch->addAction(AddAction);
  PMSearch->addAction(RemoveAction);
  for (QWidget* widget : {static_cast<QWidget*>(SearchEdit), static_cast<QWidget*>(LBSearch)}) {
    widget->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(widget, &QWidget::customContextMenuRequested, this,
            [this, widget](const QPoint& at) { PMSearch->popup(widget->mapToGlobal(at)); });
  }
  connect(SearchEdit, &QLineEdit::textChanged, this, &TParentForm::SearchEditChange);
  connect(LBSearch->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          [this](const QModelIndex& current) { LBSearchClick(current.isValid() ? current.row() : -1); });
}

void TParentForm::create_data_panel() {
  DataPanel = new QWidget(CommonPanel);
  DataPanel->setObjectName(QStringLiteral("DataPanel"));
  FieldsPanel = new QWidget(DataPanel);
  FieldsPanel->setObjectName(QStringLiteral("FieldsPanel"));
  ViewButton = make_button(DataPanel, "ViewButton", ViewAction);
  OKButton = make_button(DataPanel, "OKButton", ApplyAction);
  RestoreButton = make_button(DataPanel, "RestoreButton", ResetAction);
  CancelButton = make_button(DataPanel, "CancelButton", CancelAction);
  auto* buttons = new QHBoxLayout;
  buttons->setSpacing(kButtonSpacing);
  buttons->addWidget(ViewButton);
  buttons->addStretch(1);
  buttons->addWidget(OKButton);
  buttons->addWidget(RestoreButton);
  buttons->addWidget(CancelButton);
  auto* layout = new QVBoxLayout(DataPanel);
  layout->setContentsMargins(4, 4, kButtonSpacing, 4);
  layout->addWidget(FieldsPanel, 1);
  layout->addLayout(buttons);
}

void TParentForm::update_list_enabled() {
  LBSearch->setEnabled(Entries->size() > 0);
}

void TParentForm::SearchItem(const QString& text) {
  const QString wanted = text.trimmed();
  if (wanted.isEmpty()) return;
  for (int i = 0; i < Entries->size(); ++i) {
    if (!Entries->at(i).text.contains(wanted, Qt::CaseSensitive)) continue;
    select_entry(i);
    LBSearch->scrollTo(Entries->index(i), QAbstractItemView::PositionAtTop);
    SelectItem(i);
    return;
  }
}

void TParentForm::ShowItem(int) {}

void TParentForm::ClearItem() {
  CurrentIndex = -1;
  Dirty = false;
}

void TParentForm::ApplyItem() {
  if (Closed) return;
  Dirty = false;
  update_list_enabled();
}

void TParentForm::AreaChanged(uint32_t) {}

bool TParentForm::ApplyPending() {
  if (Closed || !Dirty) return true;
  ApplyItem();
  return !Dirty;
}

void TParentForm::Commit(std::unique_ptr<TChange> change, const QString& text) {
  if (Document) Document->Push(std::move(change), text);
}

void TParentForm::WatchEdits() {
  const auto edited = [this] {
    if (!ShowingItem) Dirty = true;
  };
  // A click on a page tab keeps the focus in the panel: otherwise the field being typed is hidden, the
  // focus passes out of the panel for a moment, and the half-typed record is stored or refused.
  for (auto* bar : FieldsPanel->findChildren<QTabBar*>())
    bar->setFocusPolicy(Qt::StrongFocus);
  for (auto* edit : FieldsPanel->findChildren<QLineEdit*>())
    connect(edit, &QLineEdit::textEdited, this, edited);
  for (auto* edit : FieldsPanel->findChildren<QPlainTextEdit*>())
    connect(edit, &QPlainTextEdit::textChanged, this, edited);
  for (auto* box : FieldsPanel->findChildren<QComboBox*>())
    connect(box, &QComboBox::activated, this, edited);
  for (auto* box : FieldsPanel->findChildren<QSpinBox*>())
    connect(box, &QSpinBox::valueChanged, this, edited);
  for (auto* button : FieldsPanel->findChildren<QAbstractButton*>())
    connect(button, &QAbstractButton::clicked, this, edited);
  for (auto* list : FieldsPanel->findChildren<QListWidget*>())
    connect(list, &QListWidget::itemChanged, this, edited);
}

void TParentForm::ViewItem() {
  TSingleVisualForm preview(CommonPanel->window());
  preview.SetText(ViewText);
  preview.exec();
}

void TParentForm::StoreItem(const QString& name, void* entity) {
  LBSearch->setEnabled(true);
  if (CurrentIndex >= 0 && CurrentIndex < Entries->size()) {
    Entries->set_text(CurrentIndex, name);
    return;
  }
  append_entry(name.trimmed(), entity);
  CurrentIndex = Entries->size() - 1;
  select_entry(CurrentIndex);
}

// The entity itself belongs to the area's list: the concrete editor takes it out of that list (which
// releases it) before calling this, so the base only drops the entry.
void TParentForm::RemoveItem(int index) {
  Dirty = false;
  delete_entry(index);
  select_entry(-1);
  update_list_enabled();
  ClearItem();
}

void TParentForm::SetList() {
  update_list_enabled();
  if (LBSearch->isEnabled()) {
    select_entry(0);
    SelectItem(0);
  } else {
    SelectItem(-1);
  }
}

void TParentForm::SelectItem(int index) {
  CurrentIndex = index;
  if (index >= 0)
    ShowEntry(index);
  else
    ClearItem();
}

void TParentForm::ShowEntry(int index) {
  ShowingItem = true;
  ShowItem(index);
  ShowingItem = false;
  Dirty = false;
}

void TParentForm::EmbedInto(QWidget* container) {
  QLayout* layout = container->layout();
  if (!layout) {
    layout = new QVBoxLayout(container);
    layout->setContentsMargins(0, 0, 0, 0);
  }
  CommonPanel->setParent(container);
  CommonPanel->resize(container->contentsRect().size());
  layout->addWidget(CommonPanel);
  CommonPanel->show();
}

void TParentForm::FormClose() {
  Closed = true;
}

void TParentForm::closeEvent(QCloseEvent* event) {
  FormClose();
  QWidget::closeEvent(event);
}

int TParentForm::entry_count() const {
  return Entries->size();
}

QString TParentForm::entry_text(int index) const {
  return Entries->at(index).text;
}

void* TParentForm::entry_object(int index) const {
  return Entries->at(index).object;
}

void TParentForm::append_entry(const QString& text, void* entity) {
  Entries->append(text, entity);
  update_list_enabled();
}

void TParentForm::delete_entry(int index) {
  if (index < 0 || index >= Entries->size()) return;
  const QSignalBlocker blocker(LBSearch->selectionModel());
  Entries->remove(index);
  update_list_enabled();
}

void TParentForm::clear_entries() {
  const QSignalBlocker blocker(LBSearch->selectionModel());
  Entries->reset({});
  update_list_enabled();
}

void TParentForm::select_entry(int index) {
  const QSignalBlocker blocker(LBSearch->selectionModel());
  const QModelIndex row = Entries->index(index);
  LBSearch->selectionModel()->setCurrentIndex(row, QItemSelectionModel::ClearAndSelect);
}

int TParentForm::selected_entry() const {
  const QModelIndex current = LBSearch->selectionModel()->currentIndex();
  return current.isValid() ? current.row() : -1;
}

void TParentForm::SearchEditChange(const QString& text) {
  SearchItem(text);
}

void TParentForm::LBSearchClick(int row) {
  SelectItem(row);
}

void TParentForm::RemoveActionExecute() {
  const int index = selected_entry();
  if (index >= 0) RemoveItem(index);
}

void TParentForm::RouteDataPanelExitToApply() {
  connect(qApp, &QApplication::focusChanged, this, &TParentForm::DataPanelFocusChanged);
}

void TParentForm::DataPanelFocusChanged(QWidget* old_focus, QWidget* new_focus) {
  const bool was_inside = old_focus && DataPanel->isAncestorOf(old_focus);
  const bool is_inside = new_focus && DataPanel->isAncestorOf(new_focus);
  // Only an edit is stored: leaving an untouched panel changes nothing.
  if (was_inside && !is_inside) ApplyPending();
}

void TParentForm::BitVectorToCheckList(QListWidget* check_list, const TBitVector& bits,
                                       const TConstantList& list) {
  for (int i = 0; i < checked_count(check_list, list); ++i) {
    const int bit = vector_bit(list[i]);
    set_ticked(check_list, i, bit >= 0 && bits.test(bit));
  }
}

void TParentForm::FlagsToCheckList(QListWidget* check_list, uint32_t flags, const TConstantList& list,
                                   uint32_t choice) {
  for (int i = 0; i < checked_count(check_list, list); ++i) {
    const uint32_t mask = entry_mask(list[i]);
    set_ticked(check_list, i, (flags & mask) != 0);
    if (choice != kNoChoice && (choice & mask) != 0) check_list->setCurrentRow(i);
  }
}

void TParentForm::CheckListToFlags(QListWidget* check_list, uint32_t& flags, const TConstantList& list) {
  flags = 0;
  for (int i = 0; i < checked_count(check_list, list); ++i)
    if (is_ticked(check_list, i)) flags |= entry_mask(list[i]);
}

void TParentForm::CheckListToFlagsAndChoice(QListWidget* check_list, uint32_t& flags, uint32_t& choice,
                                            const TConstantList& list) {
  CheckListToFlags(check_list, flags, list);
  const int selected = check_list->currentRow();
  choice = selected >= 0 && selected < static_cast<int>(list.size()) ? entry_mask(list[selected]) : 0;
}

void TParentForm::CheckListToBitVector(QListWidget* check_list, TBitVector& bits, const TConstantList& list) {
  bits.bitvector_clear();
  for (int i = 0; i < checked_count(check_list, list); ++i) {
    const int bit = vector_bit(list[i]);
    if (bit >= 0 && is_ticked(check_list, i)) bits.set(bit);
  }
}

void TParentForm::FlagsToText(uint32_t flags, const TConstantList& list, std::string& text) {
  text.clear();
  for (const std::string& entry : list) {
    if ((flags & entry_mask(entry)) == 0) continue;
    if (!text.empty()) text += ' ';
    text += flag_entry_name(entry);
  }
}

}  // namespace tavro::ui

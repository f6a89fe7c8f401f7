#include "ui/editors/RoomResetsPage.h"

#include <QAction>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QSignalBlocker>
#include <QSplitter>
#include <QTableView>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <algorithm>
#include <array>

#include "area/Area.h"
#include "area/Changes.h"
#include "area/Header.h"
#include "area/Mobiles.h"
#include "area/Objects.h"
#include "area/ResetTree.h"
#include "area/Resets.h"
#include "reading/Cases.h"
#include "ui/common/DialogService.h"
#include "ui/common/TextConversion.h"
#include "ui/common/WorldDocument.h"
#include "ui/editors/MobileEditResetForm.h"
#include "ui/editors/ResetItemEditForm.h"
#include "ui/editors/SelectResetItemForm.h"
#include "ui/editors/WearLocationPicker.h"
#include "world/World.h"

namespace tavro::ui {

namespace {

constexpr int kColumns = 5;
constexpr std::array<int, kColumns> kColumnWidths = {19, 45, 45, 45, 45};
constexpr int kRowHeight = 18;
constexpr int kTreeWidth = 417;
constexpr int kTreeIndent = 19;
constexpr int kResetRole = Qt::UserRole;
// What the tree shows depends on the list itself, on the room and on the names of mobiles and objects.
constexpr uint32_t kTreeScope = kResetsChanged | kRoomsChanged | kObjectsChanged | kMobilesChanged;

QAction* make_action(QObject* owner, const char* name, const QString& caption, const QString& category,
                     const QKeySequence& shortcut = {}) {
  auto* action = new QAction(caption, owner);
  action->setObjectName(QString::fromLatin1(name));
  action->setProperty("category", category);
  // Shown in the menus; the page takes the keys itself, before any window-wide shortcut sees them.
  action->setShortcut(shortcut);
  return action;
}

Qt::KeyboardModifiers plain(Qt::KeyboardModifiers modifiers) {
  return modifiers & ~Qt::KeypadModifier;
}

bool is_enter(int key) {
  return key == Qt::Key_Return || key == Qt::Key_Enter;
}

QStringList cells_of(const TAreaReset& reset) {
  return from_cp1251(ResetRowText(reset)).split(QStringLiteral("\r\n"));
}

}  // namespace

// ---- The grid's model ----

void TResetListModel::SetArea(TArea* area) {
  beginResetModel();
  area_ = area;
  endResetModel();
}

void TResetListModel::Refill() {
  beginResetModel();
  endResetModel();
}

int TResetListModel::ResetCount() const {
  return area_ && area_->Resets ? static_cast<int>(area_->Resets->Items.size()) : 0;
}

const TAreaReset* TResetListModel::ResetAt(int row) const {
  return row >= 0 && row < ResetCount() ? area_->Resets->Items[static_cast<size_t>(row)].get() : nullptr;
}

int TResetListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() || !area_ ? 0 : ResetCount() + 1;
}

int TResetListModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kColumns;
}

QVariant TResetListModel::data(const QModelIndex& index, int role) const {
  const TAreaReset* reset = ResetAt(index.row());
  if (!reset || (role != Qt::DisplayRole && role != Qt::EditRole)) return {};
  return cells_of(*reset).value(index.column());
}

QVariant TResetListModel::headerData(int section, Qt::Orientation orientation, int role) const {
  static const std::array<const char*, kColumns> captions = {"L", "E", "1", "2", "3"};
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= kColumns)
    return {};
  return QString::fromLatin1(captions[static_cast<size_t>(section)]);
}

Qt::ItemFlags TResetListModel::flags(const QModelIndex& index) const {
  const Qt::ItemFlags flags = QAbstractTableModel::flags(index);
  return ResetAt(index.row()) ? flags | Qt::ItemIsEditable : flags;
}

bool TResetListModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  const TAreaReset* reset = ResetAt(index.row());
  if (!reset || role != Qt::EditRole) return false;
  QStringList cells = cells_of(*reset);
  cells[index.column()] = value.toString();
  if (cells == cells_of(*reset)) return false;
  emit rowEdited(index.row(), cells.join(QStringLiteral("\r\n")));
  return true;
}

// ---- The page ----

TRoomResetsPage::TRoomResetsPage(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("TSRoomResets"));
  Splitter3 = new QSplitter(Qt::Horizontal, this);
  Splitter3->setObjectName(QStringLiteral("Splitter3"));
  CreateTree();
  CreateGrid();
  CreateTreeActions();
  CreateGridActions();
  auto* layout = new QHBoxLayout(this);
  layout->addWidget(Splitter3);
  Splitter3->setStretchFactor(1, 1);
  Splitter3->setSizes({kTreeWidth, 260});
  setTabOrder(tvResets, sgResets);
}

TRoomResetsPage::~TRoomResetsPage() = default;

void TRoomResetsPage::CreateTree() {
  tvResets = new QTreeWidget(Splitter3);
  tvResets->setObjectName(QStringLiteral("tvResets"));
  tvResets->setAccessibleName(QStringLiteral("Room Resets"));
  tvResets->setHeaderHidden(true);
  tvResets->setIndentation(kTreeIndent);
  tvResets->setEditTriggers(QAbstractItemView::NoEditTriggers);
  tvResets->setContextMenuPolicy(Qt::CustomContextMenu);
  tvResets->installEventFilter(this);
  connect(tvResets, &QTreeWidget::currentItemChanged, this, &TRoomResetsPage::TreeSelectionChanged);
  connect(tvResets, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
    UpdateTreeActions();
    pmResets->popup(tvResets->viewport()->mapToGlobal(at));
  });
}

void TRoomResetsPage::CreateGrid() {
  Model = new TResetListModel(this);
  sgResets = new QTableView(Splitter3);
  sgResets->setObjectName(QStringLiteral("sgResets"));
  sgResets->setAccessibleName(QStringLiteral("Reset List"));
  sgResets->setModel(Model);
  sgResets->verticalHeader()->hide();
  sgResets->verticalHeader()->setDefaultSectionSize(kRowHeight);
  sgResets->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  for (int column = 0; column < kColumns; ++column)
    sgResets->setColumnWidth(column, kColumnWidths[static_cast<size_t>(column)]);
  sgResets->setSelectionBehavior(QAbstractItemView::SelectRows);
  sgResets->setSelectionMode(QAbstractItemView::SingleSelection);
  sgResets->setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
  sgResets->setContextMenuPolicy(Qt::CustomContextMenu);
  sgResets->installEventFilter(this);
  connect(Model, &TResetListModel::rowEdited, this, &TRoomResetsPage::StoreCells);
  connect(sgResets, &QTableView::doubleClicked, this, &TRoomResetsPage::EditRow);
  connect(sgResets, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& at) { pmResetList->popup(sgResets->viewport()->mapToGlobal(at)); });
}

void TRoomResetsPage::CreateTreeActions() {
  const QString tree = QStringLiteral("Tree");
  acEditInfo = make_action(this, "acEditInfo", QStringLiteral("Edit Info"), tree);
  acAddMobile = make_action(this, "acAddMobile", QStringLiteral("Add Mobile to Room"), tree,
                            QKeySequence(Qt::CTRL | Qt::Key_M));
  acAddObjectToEq = make_action(this, "acAddObjectToEq", QStringLiteral("Add Object to Equipment"), tree,
                                QKeySequence(Qt::CTRL | Qt::Key_E));
  acAddObjectToInv = make_action(this, "acAddObjectToInv", QStringLiteral("Add Object to Inventory"), tree,
                                 QKeySequence(Qt::CTRL | Qt::Key_G));
  acAddObject = make_action(this, "acAddObject", QStringLiteral("Add Object to Room"), tree,
                            QKeySequence(Qt::CTRL | Qt::Key_O));
  acAddObjectToObject = make_action(this, "acAddObjectToObject", QStringLiteral("Add Object to Object"), tree,
                                    QKeySequence(Qt::CTRL | Qt::Key_P));
  acHideObject = make_action(this, "acHideObject", QStringLiteral("Hide Object"), tree,
                             QKeySequence(Qt::CTRL | Qt::Key_H));
  acRemove = make_action(this, "acRemove", QStringLiteral("Remove Row"), tree, QKeySequence(Qt::Key_Delete));
  const std::array<std::pair<QAction*, void (TRoomResetsPage::*)()>, 8> commands = {{
      {acEditInfo, &TRoomResetsPage::EditInfo},
      {acAddMobile, &TRoomResetsPage::AddMobile},
      {acAddObjectToEq, &TRoomResetsPage::AddObjectToEquipment},
      {acAddObjectToInv, &TRoomResetsPage::AddObjectToInventory},
      {acAddObject, &TRoomResetsPage::AddObject},
      {acAddObjectToObject, &TRoomResetsPage::AddObjectToObject},
      {acHideObject, &TRoomResetsPage::HideObject},
      {acRemove, &TRoomResetsPage::RemoveNode},
  }};
  for (const auto& [action, command] : commands)
    connect(action, &QAction::triggered, this, command);
  pmResets = new QMenu(this);
  pmResets->setObjectName(QStringLiteral("pmResets"));
  pmResets->addAction(acEditInfo);
  pmResets->addSeparator();
  pmResets->addActions({acAddMobile, acAddObjectToEq, acAddObjectToInv});
  pmResets->addSeparator();
  pmResets->addActions({acAddObject, acAddObjectToObject, acHideObject});
  pmResets->addSeparator();
  pmResets->addAction(acRemove);
}

void TRoomResetsPage::CreateGridActions() {
  const QString list = QStringLiteral("List");
  acEditDirectInfo = make_action(this, "acEditDirectInfo", QStringLiteral("Edit Info"), list);
  acInsertNewRow = make_action(this, "acInsertNewRow", QStringLiteral("Insert New Row"), list,
                               QKeySequence(Qt::Key_Insert));
  acInsertExistingRow = make_action(this, "acInsertExistingRow", QStringLiteral("Insert Stored Row"), list,
                                    QKeySequence(Qt::SHIFT | Qt::Key_Insert));
  acStoreRow = make_action(this, "acStoreRow", QStringLiteral("Store Row"), list,
                           QKeySequence(Qt::CTRL | Qt::Key_Insert));
  acRemoveRow = make_action(this, "acRemoveRow", QStringLiteral("Remove Row"), list,
                            QKeySequence(Qt::SHIFT | Qt::Key_Delete));
  acMoveRowUp = make_action(this, "acMoveRowUp", QStringLiteral("Move Row Up"), list,
                            QKeySequence(Qt::CTRL | Qt::Key_Up));
  acMoveRowDown = make_action(this, "acMoveRowDown", QStringLiteral("Move Row Down"), list,
                              QKeySequence(Qt::CTRL | Qt::Key_Down));
  acRestructure = make_action(this, "RestructureResetList1", QStringLiteral("Restructure Reset List"), list);
  const std::array<std::pair<QAction*, void (TRoomResetsPage::*)()>, 8> commands = {{
      {acEditDirectInfo, &TRoomResetsPage::EditRow},
      {acInsertNewRow, &TRoomResetsPage::InsertNewRow},
      {acInsertExistingRow, &TRoomResetsPage::InsertStoredRow},
      {acStoreRow, &TRoomResetsPage::StoreRow},
      {acRemoveRow, &TRoomResetsPage::RemoveRow},
      {acMoveRowUp, &TRoomResetsPage::MoveRowUp},
      {acMoveRowDown, &TRoomResetsPage::MoveRowDown},
      {acRestructure, &TRoomResetsPage::RestructureResets},
  }};
  for (const auto& [action, command] : commands)
    connect(action, &QAction::triggered, this, command);
  pmResetList = new QMenu(this);
  pmResetList->setObjectName(QStringLiteral("pmResetList"));
  pmResetList->addAction(acEditDirectInfo);
  pmResetList->addSeparator();
  pmResetList->addActions({acInsertNewRow, acInsertExistingRow, acStoreRow, acRemoveRow});
  pmResetList->addSeparator();
  pmResetList->addActions({acMoveRowUp, acMoveRowDown});
  pmResetList->addSeparator();
  pmResetList->addAction(acRestructure);
}

void TRoomResetsPage::Bind(TArea* area, TWorldDocument* document) {
  area_ = area;
  if (document_ != document) {
    if (document_) disconnect(document_, nullptr, this, nullptr);
    document_ = document;
    if (document_) connect(document_, &TWorldDocument::AreaChanged, this, &TRoomResetsPage::FollowChange);
  }
  Model->SetArea(area);
  FillResetGrid();
}

void TRoomResetsPage::SetRoom(int32_t vnum) {
  room_ = vnum;
  BuildResetTree();
}

void TRoomResetsPage::FollowChange(TArea* area, uint32_t scope) {
  if (area_ == nullptr) return;
  if (area == area_ && (scope & kResetsChanged)) {
    const int row = CurrentRow();
    Model->Refill();
    SetCurrentRow(row);
  }
  // Names of mobiles and objects come from every area.
  if ((area == area_ && (scope & kTreeScope)) || (scope & (kObjectsChanged | kMobilesChanged)))
    BuildResetTree();
}

void TRoomResetsPage::BuildResetTree() {
  const QSignalBlocker quiet(tvResets);
  building_tree_ = true;
  tvResets->clear();
  tree_ = std::make_unique<TResetTree>(area_ ? tavro::BuildResetTree(*area_, room_) : TResetTree());
  std::vector<QTreeWidgetItem*> items;
  items.reserve(tree_->Nodes.size());
  QList<QTreeWidgetItem*> roots;
  // Nodes come parents first, siblings in order.
  for (const TResetNode& node : tree_->Nodes) {
    auto* item = node.Parent < 0 ? new QTreeWidgetItem : new QTreeWidgetItem(items[size_t(node.Parent)]);
    item->setText(0, from_cp1251(node.Text));
    item->setData(0, kResetRole, static_cast<qulonglong>(node.Index));
    items.push_back(item);
    if (node.Parent < 0) roots.push_back(item);
  }
  tvResets->addTopLevelItems(roots);
  tvResets->expandAll();
  if (!roots.isEmpty()) tvResets->setCurrentItem(roots.front());
  building_tree_ = false;
  UpdateTreeActions();
}

void TRoomResetsPage::FillResetGrid() {
  Model->Refill();
  SetCurrentRow(0);
}

int TRoomResetsPage::CurrentRow() const {
  const QModelIndex current = sgResets->currentIndex();
  return current.isValid() ? current.row() : 0;
}

void TRoomResetsPage::SetCurrentRow(int row) {
  row = std::clamp(row, 0, Model->ResetCount());
  const int column = std::max(sgResets->currentIndex().column(), 0);
  sgResets->setCurrentIndex(Model->index(row, column));
  sgResets->selectRow(row);
}

int TRoomResetsPage::SelectedReset() const {
  const QTreeWidgetItem* item = tvResets->currentItem();
  if (!item || !Model->ResetAt(item->data(0, kResetRole).toInt())) return -1;
  return item->data(0, kResetRole).toInt();
}

void TRoomResetsPage::TreeSelectionChanged() {
  UpdateTreeActions();
  if (!building_tree_ && SelectedReset() >= 0) SetCurrentRow(SelectedReset());
}

const TAreaReset* TRoomResetsPage::SelectedWithLetter(const char* letters) const {
  const TAreaReset* reset = Model->ResetAt(SelectedReset());
  return reset && std::string_view(letters).find(reset->Command) != std::string_view::npos ? reset : nullptr;
}

void TRoomResetsPage::UpdateTreeActions() {
  const TAreaReset* selected = Model->ResetAt(SelectedReset());
  acEditInfo->setEnabled(selected && selected->Command != 'P');
  acAddObjectToEq->setEnabled(SelectedWithLetter("M"));
  acAddObjectToInv->setEnabled(SelectedWithLetter("M"));
  acAddObjectToObject->setEnabled(SelectedWithLetter("EGOP"));
  acHideObject->setEnabled(SelectedWithLetter("EGOP"));
  acRemove->setEnabled(selected);
}

// ---- Keys ----

bool TRoomResetsPage::eventFilter(QObject* watched, QEvent* event) {
  const bool override = event->type() == QEvent::ShortcutOverride;
  if (!override && event->type() != QEvent::KeyPress) return QWidget::eventFilter(watched, event);
  const auto* key = static_cast<QKeyEvent*>(event);
  Command command = nullptr;
  if (watched == tvResets) command = TreeCommand(key->key(), key->modifiers());
  // Enter that finishes typing in a cell reaches the grid too: it is the cell's, not Edit Info's.
  if (watched == sgResets && window()->focusWidget() == sgResets)
    command = GridCommand(key->key(), key->modifiers());
  if (!command) return false;
  // Keys the page takes are claimed before a shortcut elsewhere in the window (Ctrl+G) takes them.
  if (override) {
    event->accept();
    return false;
  }
  (this->*command)();
  // Ctrl+Insert goes on to the grid after storing the row, which copies the cell.
  return command != &TRoomResetsPage::StoreRow;
}

TRoomResetsPage::Command TRoomResetsPage::TreeCommand(int key, Qt::KeyboardModifiers modifiers) {
  if (plain(modifiers) == Qt::NoModifier) {
    if (is_enter(key)) return &TRoomResetsPage::EditInfo;
    if (key == Qt::Key_Delete) return &TRoomResetsPage::RemoveNode;
    return nullptr;
  }
  if (modifiers != Qt::ControlModifier) return nullptr;
  static const std::array<std::pair<int, Command>, 6> keys = {{
      {Qt::Key_M, &TRoomResetsPage::AddMobile},
      {Qt::Key_E, &TRoomResetsPage::AddObjectToEquipment},
      {Qt::Key_G, &TRoomResetsPage::AddObjectToInventory},
      {Qt::Key_O, &TRoomResetsPage::AddObject},
      {Qt::Key_P, &TRoomResetsPage::AddObjectToObject},
      {Qt::Key_H, &TRoomResetsPage::HideObject},
  }};
  for (const auto& [code, command] : keys)
    if (key == code) return command;
  return nullptr;
}

// The shift state must match exactly.
TRoomResetsPage::Command TRoomResetsPage::GridCommand(int key, Qt::KeyboardModifiers modifiers) {
  struct Binding {
    int key;
    Qt::KeyboardModifiers modifiers;
    Command command;
  };
  static const std::array<Binding, 9> keys = {{
      {Qt::Key_Return, Qt::NoModifier, &TRoomResetsPage::EditRow},
      {Qt::Key_Enter, Qt::NoModifier, &TRoomResetsPage::EditRow},
      {Qt::Key_Insert, Qt::NoModifier, &TRoomResetsPage::InsertNewRow},
      {Qt::Key_Delete, Qt::NoModifier, &TRoomResetsPage::RemoveRow},
      {Qt::Key_Insert, Qt::ShiftModifier, &TRoomResetsPage::InsertStoredRow},
      {Qt::Key_Delete, Qt::ShiftModifier, &TRoomResetsPage::RemoveRow},
      {Qt::Key_Up, Qt::ControlModifier, &TRoomResetsPage::MoveRowUp},
      {Qt::Key_Down, Qt::ControlModifier, &TRoomResetsPage::MoveRowDown},
      {Qt::Key_Insert, Qt::ControlModifier, &TRoomResetsPage::StoreRow},
  }};
  for (const Binding& binding : keys)
    if (binding.key == key && binding.modifiers == plain(modifiers)) return binding.command;
  return nullptr;
}

// ---- Changes ----

void TRoomResetsPage::Commit(std::unique_ptr<TChange> change, const QString& text, int row,
                             int select_reset) {
  if (!change || !document_) return;
  document_->Push(std::move(change), text);
  // The grid follows the node selected in the tree; a reset the tree does not show is found in the grid.
  for (QTreeWidgetItemIterator item(tvResets); select_reset >= 0 && *item; ++item) {
    if ((*item)->data(0, kResetRole).toInt() != select_reset) continue;
    tvResets->setCurrentItem(*item);
    return;
  }
  SetCurrentRow(row);
}

void TRoomResetsPage::Insert(size_t index, const TAreaReset& reset, const QString& text) {
  Commit(InsertReset(*area_, index, reset), text, int(index),
         int(std::min(index, area_->Resets->Items.size())));
}

void TRoomResetsPage::Refuse(const QString& caption, const QString& text) {
  const QString file = area_ ? from_cp1251(area_->Header->FileName) : QString();
  DialogService::instance().message(this, caption, file + QStringLiteral(", #RESETS: ") + text,
                                    DialogIcon::Warning);
}

std::optional<int32_t> TRoomResetsPage::PickItem(ResetItemKind kind) {
  if (!area_) return std::nullopt;
  return TSelectResetItemForm::Pick(this, *area_, kind);
}

// ---- Tree commands ----

void TRoomResetsPage::EditInfo() {
  const TAreaReset* reset = Model->ResetAt(SelectedReset());
  if (!reset) return;
  if (reset->Command == 'M') EditMobileCount(SelectedReset());
  if (reset->Command == 'E') EditWearLocation(SelectedReset());
}

void TRoomResetsPage::EditMobileCount(int index) {
  TAreaReset values(area_->Resets.get());
  values.Assign(*Model->ResetAt(index));
  const TAreaMobile* mobile = FindWorldMobile(*area_, values.Arg1);
  const QString name =
      mobile ? from_cp1251(decode_case(mobile->ShortDescription, 1)) : QStringLiteral("Mobile");
  const int32_t count = CountMobileResets(*area_, values.Arg1);
  const std::optional<int32_t> number = TMobileEditResetForm::EditCount(this, name, count, count);
  if (!number || *number == values.Arg2) return;
  values.Arg2 = *number;
  Commit(ChangeReset(*area_, size_t(index), values), acEditInfo->text(), index, index);
}

void TRoomResetsPage::EditWearLocation(int index) {
  TAreaReset values(area_->Resets.get());
  values.Assign(*Model->ResetAt(index));
  const TAreaObject* object = FindWorldObject(*area_, values.Arg1);
  if (!object)
    Refuse(acEditInfo->text(),
           QStringLiteral("row %1 (E): object %2 exists in no area; it is taken as wearable nowhere.")
               .arg(index + 1)
               .arg(values.Arg1));
  const TWorld* world = area_->world();
  if (!world) return;
  const std::optional<int32_t> location =
      PickWearLocation(this, *world, object ? object->WearFlags : 0, values.Arg3);
  if (!location || *location == values.Arg3) return;
  values.Arg3 = *location;
  Commit(ChangeReset(*area_, size_t(index), values), acEditInfo->text(), index, index);
}

void TRoomResetsPage::AddMobile() {
  const std::optional<int32_t> vnum = PickItem(ResetItemKind::Mobile);
  if (!vnum) return;
  const TAreaMobile* mobile = FindWorldMobile(*area_, *vnum);
  const QString name =
      mobile ? from_cp1251(decode_case(mobile->ShortDescription, 1)) : QStringLiteral("Mobile");
  const int32_t count = CountMobileResets(*area_, *vnum);
  const std::optional<int32_t> number = TMobileEditResetForm::EditCount(this, name, count, count);
  if (!number) return;
  TAreaReset reset(area_->Resets.get());
  reset.SetMobile(room_, *vnum, *number);
  Insert(area_->Resets->Items.size(), reset, acAddMobile->text());
}

void TRoomResetsPage::AddObject() {
  const std::optional<int32_t> vnum = PickItem(ResetItemKind::Object);
  if (!vnum) return;
  TAreaReset reset(area_->Resets.get());
  reset.SetObject(room_, *vnum);
  Insert(area_->Resets->Items.size(), reset, acAddObject->text());
}

void TRoomResetsPage::AddObjectToInventory() {
  const int mobile = SelectedReset();
  if (!SelectedWithLetter("M")) return;
  const std::optional<int32_t> vnum = PickItem(ResetItemKind::Object);
  if (!vnum) return;
  TAreaReset reset(area_->Resets.get());
  reset.SetGive(*vnum);
  Insert(CarriedResetPosition(*area_->Resets, size_t(mobile)), reset, acAddObjectToInv->text());
}

void TRoomResetsPage::AddObjectToEquipment() {
  const int mobile = SelectedReset();
  if (!SelectedWithLetter("M") || !area_->world()) return;
  const std::optional<int32_t> vnum = PickItem(ResetItemKind::Object);
  if (!vnum) return;
  const TAreaObject* object = FindWorldObject(*area_, *vnum);
  const std::optional<int32_t> location =
      PickWearLocation(this, *area_->world(), object ? object->WearFlags : 0, -1);
  if (!location) return;
  TAreaReset reset(area_->Resets.get());
  reset.SetEquip(*vnum, *location);
  Insert(CarriedResetPosition(*area_->Resets, size_t(mobile)), reset, acAddObjectToEq->text());
}

void TRoomResetsPage::AddObjectToObject() {
  const int container = SelectedReset();
  const TAreaReset* selected = SelectedWithLetter("EGOP");
  if (!selected) return;
  const int32_t container_vnum = selected->Arg1;
  const std::optional<int32_t> vnum = PickItem(ResetItemKind::Object);
  if (!vnum) return;
  TAreaReset reset(area_->Resets.get());
  reset.SetPut(*vnum, container_vnum);
  Insert(size_t(container) + 1, reset, acAddObjectToObject->text());
}

void TRoomResetsPage::HideObject() {
  const int hidden = SelectedReset();
  if (!SelectedWithLetter("EGOP")) return;
  TAreaReset reset(area_->Resets.get());
  reset.Command = 'H';
  Insert(size_t(hidden) + 1, reset, acHideObject->text());
}

// The node's reset goes with everything shown under it: a mobile with what it carries, a container
// with its contents.
void TRoomResetsPage::RemoveNode() {
  const int selected = SelectedReset();
  if (selected < 0 || !tree_) return;
  std::vector<size_t> indexes;
  std::vector<int32_t> pending = {tree_->NodeOfReset(size_t(selected))};
  while (!pending.empty()) {
    const TResetNode& node = tree_->Nodes[size_t(pending.back())];
    pending.pop_back();
    indexes.push_back(node.Index);
    pending.insert(pending.end(), node.Children.begin(), node.Children.end());
  }
  std::sort(indexes.rbegin(), indexes.rend());
  auto group = std::make_unique<TChangeGroup>();
  for (size_t index : indexes)
    group->Add(RemoveReset(*area_, index));
  Commit(std::move(group), acRemove->text(), selected);
}

// ---- Grid commands ----

void TRoomResetsPage::StoreRow() {
  if (const TAreaReset* reset = Model->ResetAt(CurrentRow())) stored_row_ = from_cp1251(ResetRowText(*reset));
}

// The row is read whole before anything changes: a row that does not convert is refused.
void TRoomResetsPage::InsertStoredRow() {
  if (stored_row_.isEmpty() || !area_) return;
  TAreaReset reset(area_->Resets.get());
  const std::string refusal = ParseResetRow(to_cp1251(stored_row_), reset);
  if (!refusal.empty()) {
    Refuse(acInsertExistingRow->text(),
           QStringLiteral("row %1: ").arg(CurrentRow() + 1) + from_cp1251(refusal));
    return;
  }
  const int row = CurrentRow();
  Commit(InsertReset(*area_, size_t(row), reset), acInsertExistingRow->text(), row);
}

void TRoomResetsPage::InsertNewRow() {
  if (!area_) return;
  TAreaReset reset(area_->Resets.get());
  if (!TResetItemEditForm::Edit(this, reset)) return;
  const int row = CurrentRow();
  Commit(InsertReset(*area_, size_t(row), reset), acInsertNewRow->text(), row);
}

void TRoomResetsPage::EditRow() {
  const int row = CurrentRow();
  const TAreaReset* reset = Model->ResetAt(row);
  if (!reset) {
    InsertNewRow();
    return;
  }
  TAreaReset values(area_->Resets.get());
  values.Assign(*reset);
  if (!TResetItemEditForm::Edit(this, values) || ResetRowText(values) == ResetRowText(*reset)) return;
  Commit(ChangeReset(*area_, size_t(row), values), QStringLiteral("Edit Reset"), row);
}

void TRoomResetsPage::StoreCells(int row, const QString& cells) {
  TAreaReset values(area_->Resets.get());
  const std::string refusal = ParseResetRow(to_cp1251(cells), values);
  if (!refusal.empty()) {
    Refuse(QStringLiteral("Edit Reset"), QStringLiteral("row %1: ").arg(row + 1) + from_cp1251(refusal));
    return;
  }
  Commit(ChangeReset(*area_, size_t(row), values), QStringLiteral("Edit Reset"), row);
}

void TRoomResetsPage::RemoveRow() {
  const int row = CurrentRow();
  if (!Model->ResetAt(row)) return;
  StoreRow();
  Commit(RemoveReset(*area_, size_t(row)), acRemoveRow->text(), row);
}

void TRoomResetsPage::MoveRowUp() {
  const int row = CurrentRow();
  if (row < 1 || !Model->ResetAt(row)) return;
  Commit(SwapResets(*area_, size_t(row) - 1, size_t(row)), acMoveRowUp->text(), row - 1);
}

void TRoomResetsPage::MoveRowDown() {
  const int row = CurrentRow();
  if (!Model->ResetAt(row + 1)) return;
  Commit(SwapResets(*area_, size_t(row), size_t(row) + 1), acMoveRowDown->text(), row + 1);
}

void TRoomResetsPage::RestructureResets() {
  if (!area_) return;
  TRestructuredResets restructured = RestructuredResets(*area_);
  const DialogAnswer answer =
      DialogService::instance().question(this, QStringLiteral("Restructure resets list"),
                                         from_cp1251(RestructureQuestion(restructured.Unplaced)),
                                         DialogButtons::YesNoDefaultNo, DialogIcon::Warning);
  if (answer != DialogAnswer::Yes) return;
  Commit(ReplaceResets(*area_, std::move(restructured.Resets)), acRestructure->text(), 0);
}

}  // namespace tavro::ui

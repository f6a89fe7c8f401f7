#include "ui/editors/RoomEditForm.h"

#include <QApplication>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QTabWidget>
#include <QVBoxLayout>

#include "area/Area.h"
#include "area/MapEditing.h"
#include "area/RecordChecks.h"
#include "area/Renumbering.h"
#include "area/RoomView.h"
#include "ui/common/DialogService.h"
#include "ui/common/TextConversion.h"
#include "ui/editors/ChoiceBox.h"
#include "ui/editors/ExtraDescsPage.h"
#include "ui/editors/FlagCheckList.h"
#include "ui/editors/FormFields.h"
#include "ui/editors/ProgsPage.h"
#include "ui/editors/RoomDoorsPage.h"
#include "ui/editors/RoomResetsPage.h"
#include "ui/editors/TextField.h"
#include "ui/main/AreaManageForm.h"
#include "world/World.h"

namespace tavro::ui {

namespace {

QLineEdit* number_edit(QWidget* parent, const char* name) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(QString::fromLatin1(name));
  edit->setMaximumWidth(120);
  return edit;
}

bool inside(const QWidget* container, const QWidget* widget) {
  return widget && (widget == container || container->isAncestorOf(widget));
}

// The map lays the rooms out afresh when an edit may move them: exits that lead elsewhere, a new vnum.
bool moves_on_map(const TAreaRoom& live, const TAreaRoom& edited) {
  if (live.Vnum != edited.Vnum) return true;
  for (size_t d = 0; d < live.Doors.size(); ++d) {
    const TAreaDoor* before = live.Doors[d].get();
    const TAreaDoor* after = edited.Doors[d].get();
    if ((before ? before->ToVnum : 0) != (after ? after->ToVnum : 0)) return true;
  }
  return false;
}

}  // namespace

TRoomEditForm::TRoomEditForm(QWidget* parent) : TRecordEditor<TAreaRoom>(parent) {
  FormCreate();
}

TRoomEditForm::~TRoomEditForm() = default;

void TRoomEditForm::FormCreate() {
  setWindowTitle(QStringLiteral("Room Edit"));
  LBSearch->setAccessibleName(QStringLiteral("Rooms"));
  RoomVNumEdit = number_edit(FieldsPanel, "RoomVNumEdit");
  RoomNameEdit = new QLineEdit(FieldsPanel);
  RoomNameEdit->setObjectName(QStringLiteral("RoomNameEdit"));
  RoomInfoPageControl = new QTabWidget(FieldsPanel);
  RoomInfoPageControl->setObjectName(QStringLiteral("RoomInfoPageControl"));
  auto* top = new QGridLayout;
  top->addWidget(caption_label(QStringLiteral("&VNum"), RoomVNumEdit), 0, 0);
  top->addWidget(RoomVNumEdit, 0, 1);
  top->addWidget(caption_label(QStringLiteral("&Name"), RoomNameEdit), 0, 2);
  top->addWidget(RoomNameEdit, 0, 3);
  top->setColumnStretch(3, 1);
  auto* layout = new QVBoxLayout(FieldsPanel);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addLayout(top);
  layout->addWidget(RoomInfoPageControl, 1);
  AddPage(CreateDescriptionPage(), QStringLiteral("Description"));
  AddPage(CreateStatsPage(), QStringLiteral("Stats"));
  // The fields so far mark the panel edited through the base; the list pages below say so themselves,
  // so that showing another entry or direction there is no edit.
  WatchEdits();
  CreateListPages();
  setTabOrder(RoomVNumEdit, RoomNameEdit);
  setTabOrder(RoomNameEdit, RoomInfoPageControl);

  connect(RoomInfoPageControl, &QTabWidget::currentChanged, this, [this](int page) {
    PageLeft(shown_page_);
    shown_page_ = page;
  });
  connect(qApp, &QApplication::focusChanged, this, &TRoomEditForm::FocusMoved);
  connect(LBSearch, &QListView::doubleClicked, this,
          [this](const QModelIndex& row) { ShowOnMap(row.row()); });
  LBSearch->installEventFilter(this);
  RouteDataPanelExitToApply();
}

void TRoomEditForm::AddPage(QWidget* page, const QString& caption) {
  page->setAccessibleName(caption);
  RoomInfoPageControl->addTab(page, caption);
}

QWidget* TRoomEditForm::CreateDescriptionPage() {
  auto* page = new QWidget;
  page->setObjectName(QStringLiteral("TSRoomDescription"));
  DescriptionEdit = new TTextField(page);
  DescriptionEdit->setObjectName(QStringLiteral("DescriptionEdit"));
  DescriptionEdit->setAccessibleName(QStringLiteral("Description"));
  auto* layout = new QVBoxLayout(page);
  layout->addWidget(DescriptionEdit);
  return page;
}

QWidget* TRoomEditForm::CreateStatsPage() {
  auto* page = new QWidget;
  page->setObjectName(QStringLiteral("TSRoomStats"));
  RoomCBSector = new TChoiceBox(page);
  RoomCBSector->setObjectName(QStringLiteral("RoomCBSector"));
  RoomTeleDelayEdit = number_edit(page, "RoomTeleDelayEdit");
  RoomTeleVNumEdit = number_edit(page, "RoomTeleVNumEdit");
  RoomTunnelEdit = number_edit(page, "RoomTunnelEdit");
  RoomCLBFlags = new TFlagCheckList(page);
  RoomCLBFlags->setObjectName(QStringLiteral("RoomCLBFlags"));
  auto* grid = new QGridLayout;
  const std::array<std::pair<const char*, QWidget*>, 4> fields = {{{"&Sector", RoomCBSector},
                                                                   {"Tele &Delay", RoomTeleDelayEdit},
                                                                   {"Tele VN&um", RoomTeleVNumEdit},
                                                                   {"&Tunnel", RoomTunnelEdit}}};
  for (size_t i = 0; i < fields.size(); ++i) {
    grid->addWidget(caption_label(QString::fromLatin1(fields[i].first), fields[i].second),
                    static_cast<int>(i), 0);
    grid->addWidget(fields[i].second, static_cast<int>(i), 1);
  }
  grid->setColumnStretch(2, 1);
  auto* layout = new QVBoxLayout(page);
  layout->addLayout(grid);
  layout->addWidget(caption_label(QStringLiteral("&Flags"), RoomCLBFlags));
  layout->addWidget(RoomCLBFlags, 1);
  return page;
}

void TRoomEditForm::CreateListPages() {
  ExtraDescs = new TExtraDescsPage;
  Doors = new TRoomDoorsPage;
  Doors->Caption = windowTitle();
  Progs = new TProgsPage;
  Resets = new TRoomResetsPage;
  AddPage(ExtraDescs, QStringLiteral("Extra Descs"));
  AddPage(Doors, QStringLiteral("Doors"));
  AddPage(Progs, QStringLiteral("Progs"));
  AddPage(Resets, QStringLiteral("Resets"));
  const auto edited = [this] {
    if (!ShowingItem) Dirty = true;
  };
  connect(ExtraDescs, &TExtraDescsPage::edited, this, edited);
  connect(Doors, &TRoomDoorsPage::edited, this, edited);
  connect(Progs, &TProgsPage::edited, this, edited);
}

void TRoomEditForm::BindArea(TArea& area) {
  if (const TWorld* world = area.world()) {
    RoomCBSector->setPlainList(world->SectorTypes);
    RoomCLBFlags->setFlagList(world->RoomFlags);
    Doors->SetLists(*world);
    Progs->SetProgTypes(world->ProgTypes);
  }
  Resets->Bind(&area, Document);
  TRecordEditor<TAreaRoom>::BindArea(area);
}

TRecordEditor<TAreaRoom>::List& TRoomEditForm::Records(TArea& area) const {
  return area.Rooms->Items;
}

// A room added appears on the map at once, laid out with the others.
uint32_t TRoomEditForm::Scope() const {
  return kRoomsChanged | kRoomsLaidOut;
}

QString TRoomEditForm::EntryText(const TAreaRoom& room) const {
  return QString::asprintf("%-5d ", room.Vnum) + from_cp1251(room.Name);
}

QString TRoomEditForm::RecordLabel(const TAreaRoom& room) const {
  return QStringLiteral("Room %1").arg(room.Vnum);
}

QString TRoomEditForm::ErrorPrefix() const {
  return QStringLiteral("ROOM: Bad information:");
}

void TRoomEditForm::ShowRecord(const TAreaRoom& room) {
  // The same room shown again (after its OK, or a change elsewhere) keeps the entries the pages show.
  const bool again = shown_ == &room;
  shown_ = &room;
  work_room_ = std::make_unique<TAreaRoom>(room.Owner);
  work_room_->Assign(room);
  FillFields(again);
}

void TRoomEditForm::ClearFields() {
  shown_ = nullptr;
  work_room_ = std::make_unique<TAreaRoom>(area() ? area()->Rooms.get() : nullptr);
  if (area()) work_room_->Vnum = NewRoomVnum(*area()->Rooms);
  FillFields(false);
}

void TRoomEditForm::FillFields(bool keep_places) {
  const TAreaRoom& room = *work_room_;
  RoomVNumEdit->setText(QString::number(room.Vnum));
  RoomNameEdit->setText(from_cp1251(room.Name));
  DescriptionEdit->setText(room.Description);
  RoomCBSector->setValue(room.Sector);
  RoomTeleDelayEdit->setText(QString::number(room.TeleDelay));
  RoomTeleVNumEdit->setText(QString::number(room.TeleVnum));
  RoomTunnelEdit->setText(QString::number(room.Tunnel));
  RoomCLBFlags->setFlags(room.Flags);
  Doors->SetRoom(work_room_.get());
  ExtraDescs->SetDescs(&work_room_->ExtraDescs, keep_places ? ExtraDescs->current() : 0);
  Progs->SetProgs(work_room_->Progs.get(), keep_places ? Progs->current() : 0);
  Resets->SetRoom(room.Vnum);
}

void TRoomEditForm::ReadFields(TAreaRoom& room) {
  ExtraDescs->CheckTexts();
  Progs->CheckTexts();
  room.Assign(*work_room_);
  room.Vnum = field_number(RoomVNumEdit, QStringLiteral("VNum"));
  room.Name = field_text(RoomNameEdit->text().trimmed(), QStringLiteral("Name"), RoomNameEdit);
  room.Description = text_block(DescriptionEdit->text());
  check_field_text(room.Description, QStringLiteral("Description"), DescriptionEdit);
  room.Sector = RoomCBSector->value();
  room.TeleDelay = field_number(RoomTeleDelayEdit, QStringLiteral("Tele Delay"));
  room.TeleVnum = field_number(RoomTeleVNumEdit, QStringLiteral("Tele VNum"));
  room.Tunnel = field_number(RoomTunnelEdit, QStringLiteral("Tunnel"));
  room.Flags = RoomCLBFlags->flags();
}

void TRoomEditForm::Validate(const TAreaRoom& room, const TAreaRoom* live) {
  const std::string refusal = VnumRefusal(*area(), RecordKind::Room, room.Vnum, live);
  if (!refusal.empty()) throw TFieldError(from_cp1251(refusal), RoomVNumEdit);
}

std::unique_ptr<TAreaRoom> TRoomEditForm::NewRecord(TArea& area) const {
  return std::make_unique<TAreaRoom>(area.Rooms.get());
}

std::unique_ptr<TAreaRoom> TRoomEditForm::CopyOf(const TAreaRoom& room) const {
  auto copy = std::make_unique<TAreaRoom>(room.Owner);
  copy->Assign(room);
  return copy;
}

std::unique_ptr<TChange> TRoomEditForm::StoreChange(TAreaRoom& live, std::unique_ptr<TAreaRoom> edited) {
  const int32_t from = live.Vnum;
  const uint32_t scope = kRoomsChanged | (moves_on_map(live, *edited) ? uint32_t{kRoomsLaidOut} : 0u);
  std::unique_ptr<TChange> change = ChangeRecord(live, std::move(edited), area(), scope);
  if (live.Vnum == from) return change;
  change = WithRenumbering(std::move(change), from, live.Vnum);
  store_called_off_ = change == nullptr;
  return change;
}

// Asked once the room has its new vnum, so that its own exits to itself are counted too.
std::unique_ptr<TChange> TRoomEditForm::WithRenumbering(std::unique_ptr<TChange> change, int32_t from,
                                                        int32_t to) {
  const std::string question = RenumberQuestion(CountRoomReferences(*area(), from), from, to);
  if (question.empty()) return change;
  const DialogAnswer answer = DialogService::instance().question(
      CommonPanel, QString::fromLatin1(kRenumberRoomCaption), from_cp1251(question),
      DialogButtons::YesNoCancel, DialogIcon::Question);
  if (answer == DialogAnswer::No) return change;
  if (answer != DialogAnswer::Yes) {
    change->Revert();
    RoomVNumEdit->setFocus();
    return nullptr;
  }
  auto group = std::make_unique<TChangeGroup>();
  group->Add(std::move(change));
  group->Add(RetargetRoomReferences(*area(), from, to));
  return group;
}

void TRoomEditForm::ApplyItem() {
  if (Closed || area() == nullptr) return;
  // The door shown may hold edits not yet in the working copy: they go with the room or not at all.
  if (!Doors->StorePending()) {
    Dirty = true;
    return;
  }
  Dirty = true;
  store_called_off_ = false;
  TRecordEditor<TAreaRoom>::ApplyItem();
  if (store_called_off_) Dirty = true;
  // Stored: the working copy becomes the room as stored (its new vnum, its exits without placeholders).
  if (!Dirty && CurrentIndex >= 0) ShowEntry(CurrentIndex);
}

QString TRoomEditForm::ViewTextOfRoom() const {
  const TRoomViewFields fields{to_cp1251(RoomNameEdit->text()), to_cp1251(RoomVNumEdit->text()),
                               DescriptionEdit->text()};
  if (!area()) return {};
  return from_cp1251(RoomViewText(fields, *work_room_, *area()));
}

void TRoomEditForm::ViewItem() {
  if (!Doors->StorePending()) return;
  ViewText = ViewTextOfRoom();
  TParentForm::ViewItem();
}

TAreaManageForm* TRoomEditForm::AreaWindow() const {
  for (QWidget* widget = CommonPanel->parentWidget(); widget; widget = widget->parentWidget())
    if (auto* window = qobject_cast<TAreaManageForm*>(widget)) return window;
  return nullptr;
}

int32_t TRoomEditForm::RoomIndex(const TAreaRoom* room) const {
  const auto& rooms = area()->Rooms->Items;
  for (size_t i = 0; i < rooms.size(); ++i)
    if (rooms[i].get() == room) return static_cast<int32_t>(i);
  return -1;
}

void TRoomEditForm::RemoveItem(int index) {
  TAreaManageForm* window = AreaWindow();
  const int32_t room = RoomIndex(RecordAt(index));
  if (!window || room < 0) return;
  window->Map()->SelectRoom(room);
  window->Map()->DeleteSelectedRoom();
}

void TRoomEditForm::ShowOnMap(int index) {
  TAreaManageForm* window = AreaWindow();
  const int32_t room = RoomIndex(RecordAt(index));
  if (!window || room < 0) return;
  window->ShowPage(TMDIChild::MapPage);
  window->Map()->SelectRoom(room);
  window->Map()->RefreshView();
  window->Map()->paint_box()->setFocus();
}

bool TRoomEditForm::eventFilter(QObject* watched, QEvent* event) {
  if (watched == LBSearch && event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && key->modifiers() == Qt::NoModifier) {
      ShowOnMap(selected_entry());
      return true;
    }
  }
  return TRecordEditor<TAreaRoom>::eventFilter(watched, event);
}

// What a page keeps only while it is shown goes into the working copy when it is left.
void TRoomEditForm::PageLeft(int page) {
  if (page == DoorsPage) Doors->StorePending();
  if (page == ExtraDescsPage) ExtraDescs->LeavePage();
}

void TRoomEditForm::FocusMoved(QWidget* old_focus, QWidget* new_focus) {
  // Leaving the whole panel applies the room, which stores the door itself.
  if (!inside(DataPanel, new_focus)) return;
  if (inside(Doors, old_focus) && !inside(Doors, new_focus)) Doors->StorePending();
  if (inside(ExtraDescs, old_focus) && !inside(ExtraDescs, new_focus)) ExtraDescs->LeavePage();
}

}  // namespace tavro::ui

#include "ui/editors/RoomDoorsPage.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QTabWidget>
#include <QVBoxLayout>

#include "ui/common/TextConversion.h"
#include "ui/editors/ActionsFixForm.h"
#include "ui/editors/CasesFixForm.h"
#include "ui/editors/ChoiceBox.h"
#include "ui/editors/FlagCheckList.h"
#include "ui/editors/FormFields.h"
#include "ui/editors/RecordEditor.h"
#include "ui/editors/TextField.h"
#include "world/World.h"

namespace tavro::ui {

namespace {

// The compass of direction buttons: where each direction's button stands on the panel.
struct ButtonPlace {
  int32_t dir;
  int left;
  int top;
  const char* name;  // for a screen reader
};
constexpr std::array<ButtonPlace, DirectionCount> kCompass = {{{7, 8, 38, "North-west"},
                                                               {0, 32, 38, "North"},
                                                               {6, 56, 38, "North-east"},
                                                               {3, 8, 62, "West"},
                                                               {10, 32, 62, "Somewhere"},
                                                               {1, 56, 62, "East"},
                                                               {9, 8, 86, "South-west"},
                                                               {2, 32, 86, "South"},
                                                               {8, 56, 86, "South-east"},
                                                               {4, 48, 12, "Up"},
                                                               {5, 16, 112, "Down"}}};

// The one-line texts of a door: the page (0 "Extended Info", 1 "Lock/Bolted Info", 2 "Bash/Pick Lock
// Info") and group they stand in, and the "..." button of the action messages.
struct TextSpec {
  const char* name;
  const char* caption;
  std::string TDoorTexts::*text;
  const char* button;
  int page;
  const char* group;
};
const std::array<TextSpec, 23> kTexts = {{
    {"SNameEdit", "Short", &TDoorTexts::ShortName, "btnShortName", 0, nullptr},
    {"EditOpenState", "Opened state", &TDoorTexts::OpenState, nullptr, 0, nullptr},
    {"EditCloseState", "Closed state", &TDoorTexts::CloseState, nullptr, 0, nullptr},
    {"EditOpenAction", "Open action", &TDoorTexts::OpenAction, "btnOpenAction", 0, nullptr},
    {"EditCloseAction", "Close action", &TDoorTexts::CloseAction, "btnCloseAction", 0, nullptr},
    {"edLockOpenState", "Open state", &TDoorTexts::LockOpenState, nullptr, 1, " Lock Info "},
    {"edLockOpenAction", "Open action", &TDoorTexts::LockOpenAction, "btnLockOpenAction", 1, " Lock Info "},
    {"edLockCloseState", "Close state", &TDoorTexts::LockCloseState, nullptr, 1, " Lock Info "},
    {"edLockCloseAction", "Close action", &TDoorTexts::LockCloseAction, "btnLockCloseAction", 1,
     " Lock Info "},
    {"edLockAction", "Action", &TDoorTexts::LockAction, "btnLockAction", 1, " Lock Info "},
    {"edBoltOpenState", "Open state", &TDoorTexts::BoltOpenState, nullptr, 1, " Bolted Info "},
    {"edBoltOpenAction", "Open action", &TDoorTexts::BoltOpenAction, "btnBoltOpenAction", 1, " Bolted Info "},
    {"edBoltCloseState", "Close state", &TDoorTexts::BoltCloseState, nullptr, 1, " Bolted Info "},
    {"edBoltCloseAction", "Close action", &TDoorTexts::BoltCloseAction, "btnBoltCloseAction", 1,
     " Bolted Info "},
    {"edBoltAction", "Action", &TDoorTexts::BoltAction, "btnBoltAction", 1, " Bolted Info "},
    {"edPickState", "State", &TDoorTexts::PickState, nullptr, 2, " Pick Lock Info "},
    {"edPickSuccess", "Success", &TDoorTexts::PickSuccess, "btnPickSuccess", 2, " Pick Lock Info "},
    {"EdPickUnsuccess", "Not Success", &TDoorTexts::PickUnsuccess, "btnPickUnsuccess", 2, " Pick Lock Info "},
    {"edPickFatalUnsuccess", "Fatal N/Succ.", &TDoorTexts::PickFatalUnsuccess, "btnPickFatalUnsuccess", 2,
     " Pick Lock Info "},
    {"edPickAction", "Action", &TDoorTexts::PickAction, "btnPickAction", 2, " Pick Lock Info "},
    {"edBashState", "State", &TDoorTexts::BashState, nullptr, 2, " Bash Info "},
    {"edBashSuccess", "Success", &TDoorTexts::BashSuccess, "btnBashSuccess", 2, " Bash Info "},
    {"edBashNotSuccess", "Not Success", &TDoorTexts::BashNotSuccess, "btnBashNotSuccess", 2, " Bash Info "},
}};
constexpr std::array<const char*, 3> kTextPages = {"Extended Info", "Lock/Bolted Info",
                                                   "Bash/Pick Lock Info"};
constexpr std::array<const char*, 3> kTextPageNames = {"TSDoorInfo", "TSLock", "TSBashPick"};

QLineEdit* line_edit(QWidget* parent, const char* name) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(QString::fromLatin1(name));
  return edit;
}

QString number_text(int32_t n) {
  return QString::number(n);
}

}  // namespace

TRoomDoorsPage::TRoomDoorsPage(QWidget* parent) : QWidget(parent) {
  FormCreate();
}

TRoomDoorsPage::~TRoomDoorsPage() = default;

void TRoomDoorsPage::FormCreate() {
  setObjectName(QStringLiteral("TSRoomDoors"));
  Caption = QStringLiteral("Room Edit");
  CreateDirectionButtons();
  PageControl1 = new QTabWidget(this);
  PageControl1->setObjectName(QStringLiteral("PageControl1"));
  PageControl1->addTab(CreateMainPage(), QStringLiteral("Main Info"));
  for (int page = 0; page < 3; ++page)
    PageControl1->addTab(CreateTextPage(page), QString::fromLatin1(kTextPages[static_cast<size_t>(page)]));
  UsageHint = new QLabel(this);
  UsageHint->setObjectName(QStringLiteral("UsageHint"));
  UsageHint->setWordWrap(true);
  auto* right = new QVBoxLayout;
  right->setContentsMargins(0, 0, 0, 0);
  right->addWidget(UsageHint);
  right->addWidget(PageControl1, 1);
  auto* layout = new QHBoxLayout(this);
  layout->addWidget(pnlDoorsDir, 0, Qt::AlignTop);
  layout->addLayout(right, 1);
}

void TRoomDoorsPage::CreateDirectionButtons() {
  pnlDoorsDir = new QWidget(this);
  pnlDoorsDir->setObjectName(QStringLiteral("pnlDoorsDir"));
  pnlDoorsDir->setFixedSize(89, 140);
  buttons_ = new QButtonGroup(this);
  buttons_->setExclusive(true);
  for (const ButtonPlace& place : kCompass) {
    const QString caption = QString::fromLatin1(DirectionCaptions[static_cast<size_t>(place.dir)]);
    auto* button = new QPushButton(caption, pnlDoorsDir);
    button->setObjectName(QStringLiteral("Door%1").arg(place.dir));
    button->setCheckable(true);
    button->setGeometry(place.left, place.top, 23, 22);
    button->setAccessibleName(caption);
    button->setAccessibleDescription(QString::fromLatin1(place.name) + QStringLiteral(" exit"));
    buttons_->addButton(button, place.dir);
    DoorButtons[static_cast<size_t>(place.dir)] = button;
  }
  // The tab order runs round the compass as the buttons stand.
  for (size_t i = 1; i < kCompass.size(); ++i)
    setTabOrder(DoorButtons[static_cast<size_t>(kCompass[i - 1].dir)],
                DoorButtons[static_cast<size_t>(kCompass[i].dir)]);
  DoorButtons[DIR_NORTH]->setChecked(true);
  connect(buttons_, &QButtonGroup::idClicked, this, [this](int dir) { SelectDoor(dir); });
}

QWidget* TRoomDoorsPage::CreateMainPage() {
  auto* page = new QWidget;
  page->setObjectName(QStringLiteral("TSExitMain"));
  ExitVNumEdit = line_edit(page, "ExitVNumEdit");
  ExitKeyEdit = line_edit(page, "ExitKeyEdit");
  ExitKeywordEdit = line_edit(page, "ExitKeywordEdit");
  ExitDistanceEdit = line_edit(page, "ExitDistanceEdit");
  ExitPullEdit = line_edit(page, "ExitPullEdit");
  ExitCBPullType = new TChoiceBox(page);
  ExitCBPullType->setObjectName(QStringLiteral("ExitCBPullType"));
  ExitCLBFlags = new TFlagCheckList(page);
  ExitCLBFlags->setObjectName(QStringLiteral("ExitCLBFlags"));
  ExitDescription = new TTextField(page);
  ExitDescription->setObjectName(QStringLiteral("ExitDescription"));
  auto* grid = new QGridLayout;
  const std::array<std::pair<const char*, QWidget*>, 6> fields = {{{"&VNum", ExitVNumEdit},
                                                                   {"&Key", ExitKeyEdit},
                                                                   {"&Name", ExitKeywordEdit},
                                                                   {"Dis&tance", ExitDistanceEdit},
                                                                   {"P&ull", ExitPullEdit},
                                                                   {"Pull T&ype", ExitCBPullType}}};
  for (size_t i = 0; i < fields.size(); ++i) {
    const int row = static_cast<int>(i % 3);
    const int column = static_cast<int>(i / 3) * 2;
    grid->addWidget(caption_label(QString::fromLatin1(fields[i].first), fields[i].second), row, column);
    grid->addWidget(fields[i].second, row, column + 1);
    WatchField(fields[i].second);
  }
  auto* layout = new QVBoxLayout(page);
  layout->addLayout(grid);
  layout->addWidget(caption_label(QStringLiteral("&Flags"), ExitCLBFlags));
  layout->addWidget(ExitCLBFlags, 1);
  layout->addWidget(caption_label(QStringLiteral("&Description"), ExitDescription));
  layout->addWidget(ExitDescription, 1);
  WatchField(ExitCLBFlags);
  WatchField(ExitDescription);
  door_fields_ = {ExitKeyEdit, ExitKeywordEdit, ExitDistanceEdit, ExitPullEdit, ExitCBPullType, ExitCLBFlags};
  connect(ExitVNumEdit, &QLineEdit::textChanged, this, &TRoomDoorsPage::UpdateUsage);
  connect(ExitDescription, &QPlainTextEdit::textChanged, this, &TRoomDoorsPage::UpdateUsage);
  connect(ExitCLBFlags, &QListWidget::itemChanged, this, &TRoomDoorsPage::UpdateUsage);
  return page;
}

QWidget* TRoomDoorsPage::CreateTextPage(int page_number) {
  auto* page = new QWidget;
  page->setObjectName(QString::fromLatin1(kTextPageNames[static_cast<size_t>(page_number)]));
  auto* layout = new QVBoxLayout(page);
  auto* plain = new QGridLayout;
  layout->addLayout(plain);
  QGroupBox* group = nullptr;
  QGridLayout* grid = plain;
  for (const TextSpec& spec : kTexts) {
    if (spec.page != page_number) continue;
    if (spec.group && (!group || group->title() != QString::fromLatin1(spec.group))) {
      group = new QGroupBox(QString::fromLatin1(spec.group), page);
      grid = new QGridLayout(group);
      layout->addWidget(group);
    }
    QWidget* parent = group ? static_cast<QWidget*>(group) : page;
    QLineEdit* edit = line_edit(parent, spec.name);
    const int row = grid->rowCount();
    grid->addWidget(caption_label(QString::fromLatin1(spec.caption), edit), row, 0);
    grid->addWidget(edit, row, 1);
    if (group) edit->setAccessibleDescription(group->title().trimmed());
    QPushButton* button = nullptr;
    if (spec.button) {
      button = new QPushButton(QStringLiteral("..."), parent);
      button->setObjectName(QString::fromLatin1(spec.button));
      button->setAccessibleName(QStringLiteral("..."));
      button->setAccessibleDescription(QStringLiteral("Edit the forms of ") +
                                       QString::fromLatin1(spec.caption));
      button->setFixedWidth(button->fontMetrics().horizontalAdvance(QStringLiteral("....")) + 12);
      grid->addWidget(button, row, 2);
      if (spec.text == &TDoorTexts::ShortName)
        connect(button, &QPushButton::clicked, this, &TRoomDoorsPage::EditShortName);
      else
        connect(button, &QPushButton::clicked, this, [this, edit] { EditActions(edit); });
    }
    TextFields.push_back({spec.text, edit, button});
    WatchField(edit);
  }
  if (page_number == 0) {
    cbDoorSex = new TChoiceBox(page);
    cbDoorSex->setObjectName(QStringLiteral("cbDoorSex"));
    cbDoorSex->setEntries({QStringLiteral("Male"), QStringLiteral("Female"), QStringLiteral("Neutral")});
    chMultiple = new QCheckBox(QStringLiteral(" Multiple item"), page);
    chMultiple->setObjectName(QStringLiteral("chMultiple"));
    chMultiple->setAccessibleName(chMultiple->text());
    const int row = plain->rowCount();
    plain->addWidget(caption_label(QStringLiteral("Se&x"), cbDoorSex), row, 0);
    plain->addWidget(cbDoorSex, row, 1);
    plain->addWidget(chMultiple, row + 1, 1);
    WatchField(cbDoorSex);
    WatchField(chMultiple);
  }
  if (page_number == 2) {
    BashedDescription = new TTextField(group);
    BashedDescription->setObjectName(QStringLiteral("BashedDescription"));
    const int row = grid->rowCount();
    grid->addWidget(caption_label(QStringLiteral("Bashed description"), BashedDescription), row, 0,
                    Qt::AlignTop);
    grid->addWidget(BashedDescription, row, 1, 1, 2);
    WatchField(BashedDescription);
  }
  layout->addStretch();
  text_pages_[static_cast<size_t>(page_number)] = page;
  return page;
}

void TRoomDoorsPage::WatchField(QWidget* field) {
  if (auto* edit = qobject_cast<QLineEdit*>(field))
    connect(edit, &QLineEdit::textEdited, this, &TRoomDoorsPage::MarkModified);
  else if (auto* text = qobject_cast<QPlainTextEdit*>(field))
    connect(text, &QPlainTextEdit::textChanged, this, &TRoomDoorsPage::MarkModified);
  else if (auto* box = qobject_cast<QComboBox*>(field))
    connect(box, &QComboBox::activated, this, &TRoomDoorsPage::MarkModified);
  else if (auto* list = qobject_cast<QListWidget*>(field))
    connect(list, &QListWidget::itemChanged, this, &TRoomDoorsPage::MarkModified);
  else if (auto* check = qobject_cast<QCheckBox*>(field))
    connect(check, &QCheckBox::clicked, this, &TRoomDoorsPage::MarkModified);
}

void TRoomDoorsPage::MarkModified() {
  if (filling_ || !door_) return;
  door_->Modified = true;
  emit edited();
}

QLineEdit* TRoomDoorsPage::TextEdit(std::string TDoorTexts::*text) const {
  for (const TextField& field : TextFields)
    if (field.text == text) return field.edit;
  return nullptr;
}

QPushButton* TRoomDoorsPage::TextButton(std::string TDoorTexts::*text) const {
  for (const TextField& field : TextFields)
    if (field.text == text) return field.button;
  return nullptr;
}

void TRoomDoorsPage::SetLists(const TWorld& world) {
  filling_ = true;
  ExitCLBFlags->setFlagList(world.ExitFlags);
  ExitCBPullType->setFlagList(world.PullTypes);
  filling_ = false;
}

void TRoomDoorsPage::SetRoom(TAreaRoom* room) {
  room_ = room;
  door_.reset();
  UpdateDoorButtons();
}

void TRoomDoorsPage::UpdateDoorButtons() {
  PaintButtons();
  SelectDoor(direction_);
}

void TRoomDoorsPage::PaintButtons() {
  if (!room_) return;
  for (int32_t d = 0; d < DirectionCount; ++d) {
    const TAreaDoor* door = room_->Doors[static_cast<size_t>(d)].get();
    const bool used = door != nullptr && door->ToVnum != 0;
    DoorButtons[static_cast<size_t>(d)]->setStyleSheet(
        used ? QStringLiteral("QPushButton { font-weight: bold; color: rgb(0, 255, 0); }") : QString());
  }
}

void TRoomDoorsPage::CheckButton(int32_t dir) {
  DoorButtons[static_cast<size_t>(dir)]->setChecked(true);
}

void TRoomDoorsPage::SelectDoor(int32_t dir) {
  if (!room_ || !is_valid_direction(dir) || selecting_) return;
  // Storing may refresh the buttons, and the buttons select the exit shown: never both at once.
  const QScopedValueRollback guard(selecting_, true);
  if (door_ && door_->Modified) {
    if (!StoreShownDoor()) {
      CheckButton(direction_);
      return;
    }
    PaintButtons();
  }
  auto& slot = room_->Doors[static_cast<size_t>(dir)];
  if (slot == nullptr) {
    // Shown only: the room's copy drops it unless it is edited.
    room_->EnsureDoor(dir).IsPlaceholder = true;
  }
  door_ = std::make_unique<TAreaDoor>(room_, dir);
  door_->Assign(*slot);
  direction_ = dir;
  CheckButton(dir);
  ShowDoor(*door_);
  door_->Modified = false;
}

bool TRoomDoorsPage::StorePending() {
  if (!door_ || !door_->Modified) return true;
  if (!StoreShownDoor()) return false;
  PaintButtons();
  return true;
}

bool TRoomDoorsPage::StoreShownDoor() {
  try {
    StoreDoor(*door_);
  } catch (const TFieldError& error) {
    refuse_field(this, Caption, QStringLiteral("DOOR: Bad information:"), error);
    return false;
  }
  room_->EnsureDoor(door_->Direction).Assign(*door_);
  return true;
}

void TRoomDoorsPage::ShowDoor(const TAreaDoor& door) {
  const QScopedValueRollback guard(filling_, true);
  ExitVNumEdit->setText(number_text(door.ToVnum));
  ExitKeyEdit->setText(number_text(door.Key));
  ExitKeywordEdit->setText(from_cp1251(door.Keyword).trimmed());
  ExitDistanceEdit->setText(number_text(door.Distance));
  ExitPullEdit->setText(number_text(door.Pull));
  ExitCBPullType->setValue(door.PullType);
  ExitCLBFlags->setFlags(door.Flags);
  ExitDescription->setText(door.Description);
  for (const TextField& field : TextFields)
    field.edit->setText(from_cp1251(door.texts().*field.text));
  BashedDescription->setText(door.BashedDescription());
  cbDoorSex->setValue(door.Sex);
  chMultiple->setChecked(door.Multiple == 1);
  UpdateUsage();
}

void TRoomDoorsPage::StoreDoor(TAreaDoor& door) const {
  TAreaDoor read(door.Owner, door.Direction);
  read.Assign(door);
  read.ToVnum = field_number(ExitVNumEdit, QStringLiteral("VNum"));
  read.Key = field_number(ExitKeyEdit, QStringLiteral("Key"));
  read.Keyword = field_text(ExitKeywordEdit->text().trimmed(), QStringLiteral("Name"), ExitKeywordEdit);
  read.Distance = field_number(ExitDistanceEdit, QStringLiteral("Distance"));
  read.Pull = field_number(ExitPullEdit, QStringLiteral("Pull"));
  read.PullType = ExitCBPullType->value();
  read.Flags = ExitCLBFlags->flags();
  read.Description = text_block(ExitDescription->text());
  check_field_text(read.Description, QStringLiteral("Description"), ExitDescription);
  for (const TextField& field : TextFields) {
    const std::string text = field_text(field.edit->text(), field.edit->accessibleName(), field.edit);
    if (!text.empty() || read.Texts) read.edit_texts().*field.text = text;
  }
  const std::string bashed = text_block(BashedDescription->text());
  check_field_text(bashed, QStringLiteral("Bashed description"), BashedDescription);
  if (!bashed.empty() || read.Texts) read.BashedDescription() = bashed;
  read.Sex = cbDoorSex->value();
  // A count the file gave other than 0 or 1 stays unless the box is ticked.
  read.Multiple = chMultiple->isChecked() ? 1 : (door.Multiple == 1 ? 0 : door.Multiple);
  door.Assign(read);
}

void TRoomDoorsPage::UpdateUsage() {
  bool leads = false;
  const int32_t target = ExitVNumEdit->text().trimmed().toInt(&leads);
  const bool used = (leads && target != 0) || !ExitDescription->toPlainText().trimmed().isEmpty();
  const bool is_door = used && (ExitCLBFlags->flags() & EX_ISDOOR) != 0;
  for (QWidget* field : door_fields_)
    field->setEnabled(used);
  for (QWidget* page : text_pages_)
    page->setEnabled(is_door);
  if (!used)
    UsageHint->setText(
        QStringLiteral("This exit leads nowhere and has no description, so it is not saved: give "
                       "it a VNum or a description first."));
  else if (!is_door)
    UsageHint->setText(QStringLiteral("Tick ISDOOR to give this exit the names and messages of a door."));
  UsageHint->setVisible(!used || !is_door);
}

void TRoomDoorsPage::EditActions(QLineEdit* edit) {
  if (const std::optional<QString> text = TActionsFixForm::EditActions(window(), edit->text())) {
    edit->setText(*text);
    MarkModified();
  }
}

void TRoomDoorsPage::EditShortName() {
  QLineEdit* edit = TextEdit(&TDoorTexts::ShortName);
  if (const std::optional<QString> set = TCasesFixForm::EditCaseSet(window(), edit->text())) {
    edit->setText(*set);
    MarkModified();
  }
}

}  // namespace tavro::ui

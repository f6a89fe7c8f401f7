#include "ui/editors/ObjectEditForm.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <limits>

#include "area/Area.h"
#include "area/ObjectRenumbering.h"
#include "area/Programs.h"
#include "area/RecordChecks.h"
#include "reading/Cases.h"
#include "ui/common/DialogService.h"
#include "ui/common/TextConversion.h"
#include "ui/editors/AffectDialogs.h"
#include "ui/editors/AffectLocationSelectForm.h"
#include "ui/editors/CasesFixForm.h"
#include "ui/editors/ChoiceBox.h"
#include "ui/editors/ExtraDescsPage.h"
#include "ui/editors/FlagCheckList.h"
#include "ui/editors/FormFields.h"
#include "ui/editors/ProgsPage.h"
#include "ui/editors/SelectWeaponTypeForm.h"
#include "ui/editors/TextField.h"
#include "world/World.h"

namespace tavro::ui {

namespace {

template <class Widget>
Widget* make(QWidget* parent, const QString& name) {
  auto* widget = new Widget(parent);
  widget->setObjectName(name);
  return widget;
}

QPushButton* make_button(QWidget* parent, const QString& name, const QString& caption) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(name);
  return button;
}

// A caption for a field; the field takes it as its accessible name.
QSpinBox* make_spin(QWidget* parent, const QString& name, int low, int high) {
  auto* spin = make<QSpinBox>(parent, name);
  spin->setRange(low, high);
  return spin;
}

QVBoxLayout* column(QWidget* page) {
  auto* layout = new QVBoxLayout(page);
  layout->setContentsMargins(4, 4, 4, 4);
  return layout;
}

QString trimmed_text(const std::string& text) {
  return from_cp1251(text).trimmed();
}

}  // namespace

// Marks the fields as filled by the editor itself: what changes meanwhile is no edit of the user's.
class TObjectEditForm::TFilling {
 public:
  explicit TFilling(TObjectEditForm& form) : form_(form), was_(form.ShowingItem) { form.ShowingItem = true; }
  ~TFilling() { form_.ShowingItem = was_; }

 private:
  TObjectEditForm& form_;
  bool was_;
};

TObjectEditForm::TObjectEditForm(QWidget* parent) : TRecordEditor<TAreaObject>(parent) {
  FormCreate();
}

TObjectEditForm::~TObjectEditForm() = default;

void TObjectEditForm::FormCreate() {
  setWindowTitle(QStringLiteral("Object Edit"));
  LBSearch->setAccessibleName(QStringLiteral("Objects"));
  // The bottom-left button adds an object here; the preview sits on the descriptions page.
  ViewButton->disconnect();
  ViewButton->setText(AddAction->text());
  connect(ViewButton, &QPushButton::clicked, AddAction, &QAction::trigger);

  VNumEdit = make<QLineEdit>(FieldsPanel, QStringLiteral("VNumEdit"));
  VNumEdit->setMaximumWidth(100);
  cbItemType = make<TChoiceBox>(FieldsPanel, QStringLiteral("cbItemType"));
  NameEdit = make<QLineEdit>(FieldsPanel, QStringLiteral("NameEdit"));
  auto* top = new QHBoxLayout;
  for (auto [field, caption] : {std::pair<QWidget*, QString>{VNumEdit, QStringLiteral("&VNum")},
                                {cbItemType, QStringLiteral("T&ype")},
                                {NameEdit, QStringLiteral("&Name")}}) {
    top->addWidget(caption_label(caption, field));
    top->addWidget(field, field == NameEdit ? 1 : 0);
  }
  ObjInfoPage = make<QTabWidget>(FieldsPanel, QStringLiteral("ObjInfoPage"));
  ObjInfoPage->addTab(CreateDescriptionsPage(), QStringLiteral("Descriptions"));
  ObjInfoPage->addTab(CreateFlagsPage(), QStringLiteral("Flags"));
  ObjInfoPage->addTab(CreateValuesPage(), QStringLiteral("Values"));
  ExtraDescs = new TExtraDescsPage(FieldsPanel);
  ExtraDescs->setObjectName(QStringLiteral("TSExtraDescs"));
  ObjInfoPage->addTab(ExtraDescs, QStringLiteral("Extra Descs"));
  ObjInfoPage->addTab(CreateAffectsPage(), QStringLiteral("Affects"));
  Progs = new TProgsPage(FieldsPanel);
  Progs->setObjectName(QStringLiteral("TabSheet6"));
  ObjInfoPage->addTab(Progs, QStringLiteral("Progs"));
  vegetables_page_ = new QWidget(ObjInfoPage);
  vegetables_page_->setObjectName(QStringLiteral("TSVegetable"));
  VegetableEdit = make<QPlainTextEdit>(vegetables_page_, QStringLiteral("VegetableEdit"));
  VegetableEdit->setTabChangesFocus(true);
  VegetableEdit->setAccessibleName(QStringLiteral("Vegetables"));
  column(vegetables_page_)->addWidget(VegetableEdit);
  ObjInfoPage->addTab(vegetables_page_, QStringLiteral("Vegetables"));
  auto* layout = new QVBoxLayout(FieldsPanel);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addLayout(top);
  layout->addWidget(ObjInfoPage, 1);

  WatchEdits();
  // These only look or pick; what they change marks the panel edited when it is accepted.
  for (QObject* quiet : std::initializer_list<QObject*>{btnViewObject, ExtraDescs->EDViewButton, Button1,
                                                        btnAddAffect, btnEditAffect, ExtraDescs->EDCBList})
    quiet->disconnect(this);
  for (QPushButton* button : btnV)
    button->disconnect(this);

  connect(cbItemType, &QComboBox::activated, this, &TObjectEditForm::cbItemTypeChange);
  connect(chWear, &QListWidget::itemChanged, this, &TObjectEditForm::UpdateLayersVisible);
  connect(lbLayers, &QListWidget::currentRowChanged, this, [this](int row) {
    edLayer->setText(row >= 0 ? QString::number(row) : QString());
    if (ShowingItem) return;
    layers_edited_ = true;
    Dirty = true;
  });
  connect(edCondition, &QSpinBox::valueChanged, this, [this] { condition_edited_ |= !ShowingItem; });
  connect(edMaxCondition, &QSpinBox::valueChanged, this, [this] { max_condition_edited_ |= !ShowingItem; });
  connect(chFurniture, &QListWidget::currentRowChanged, this, [this](int row) {
    if (row >= 0) ShowCapacity(row % FurniturePositionCount);
  });
  connect(edCapacity, &QLineEdit::textEdited, this, &TObjectEditForm::edCapacityChange);
  for (int n = 0; n < ObjectValueCount; ++n)
    connect(btnV[static_cast<size_t>(n)], &QPushButton::clicked, this, [this, n] { btnVClick(n); });
  connect(Button1, &QPushButton::clicked, this, &TObjectEditForm::Button1Click);
  connect(btnViewObject, &QPushButton::clicked, this, &TObjectEditForm::ViewItem);
  ConnectPages();
  RouteDataPanelExitToApply();
}

void TObjectEditForm::ConnectPages() {
  const auto edited = [this] {
    if (!ShowingItem) Dirty = true;
  };
  connect(ExtraDescs, &TExtraDescsPage::edited, this, edited);
  connect(Progs, &TProgsPage::edited, this, edited);
  connect(btnAddAffect, &QPushButton::clicked, this, &TObjectEditForm::btnAddAffectClick);
  connect(btnEditAffect, &QPushButton::clicked, this, &TObjectEditForm::btnEditAffectClick);
  connect(lvAffects, &QTreeWidget::itemActivated, this, &TObjectEditForm::btnEditAffectClick);
  connect(btnRemoveAffect, &QPushButton::clicked, this, &TObjectEditForm::btnRemoveAffectClick);
}

QWidget* TObjectEditForm::CreateDescriptionsPage() {
  auto* page = new QWidget(FieldsPanel);
  page->setObjectName(QStringLiteral("TSDescription"));
  SNameEdit = make<QLineEdit>(page, QStringLiteral("SNameEdit"));
  Button1 = make_button(page, QStringLiteral("Button1"), QStringLiteral("..."));
  Button1->setAccessibleDescription(QStringLiteral("The six cases of the short description"));
  Button1->setToolTip(QStringLiteral("The six cases of the short description"));
  Button1->setMaximumWidth(30);
  LNameEdit = make<QLineEdit>(page, QStringLiteral("LNameEdit"));
  DescriptionEdit = make<TTextField>(page, QStringLiteral("DescriptionEdit"));
  btnViewObject = make_button(page, QStringLiteral("btnViewObject"), QStringLiteral("View"));
  auto* short_row = new QHBoxLayout;
  short_row->addWidget(SNameEdit, 1);
  short_row->addWidget(Button1);
  auto* form = new QFormLayout;
  form->addRow(caption_label(QStringLiteral("&Short"), SNameEdit), short_row);
  form->addRow(caption_label(QStringLiteral("&Long"), LNameEdit), LNameEdit);
  auto* layout = column(page);
  layout->addLayout(form);
  layout->addWidget(caption_label(QStringLiteral("&Description"), DescriptionEdit));
  layout->addWidget(DescriptionEdit, 1);
  layout->addWidget(btnViewObject, 0, Qt::AlignLeft);
  return page;
}

QWidget* TObjectEditForm::CreateFlagsPage() {
  auto* page = new QWidget(FieldsPanel);
  page->setObjectName(QStringLiteral("TSFlags"));
  chExtra = make<TFlagCheckList>(page, QStringLiteral("chExtra"));
  chWear = make<TFlagCheckList>(page, QStringLiteral("chWear"));
  lbLayers = make<QListWidget>(page, QStringLiteral("lbLayers"));
  edLayer = make<QLineEdit>(page, QStringLiteral("edLayer"));
  edLayer->setReadOnly(true);
  edLayer->setAccessibleName(QStringLiteral("Layer"));
  edLayer->setMaximumWidth(60);
  Label10 = caption_label(QStringLiteral("La&yers"), lbLayers);
  Label10->setObjectName(QStringLiteral("Label10"));
  auto* grid = new QGridLayout(page);
  grid->addWidget(caption_label(QStringLiteral("&Extra Flags"), chExtra), 0, 0);
  grid->addWidget(chExtra, 1, 0, 3, 1);
  grid->addWidget(caption_label(QStringLiteral("&Wear Flags"), chWear), 0, 1);
  grid->addWidget(chWear, 1, 1, 3, 1);
  grid->addWidget(Label10, 0, 2);
  grid->addWidget(lbLayers, 1, 2);
  grid->addWidget(edLayer, 2, 2);
  grid->setColumnStretch(0, 2);
  grid->setColumnStretch(1, 1);
  grid->setColumnStretch(2, 1);
  return page;
}

QWidget* TObjectEditForm::CreateValueRows() {
  auto* rows = new QWidget(FieldsPanel);
  auto* grid = new QGridLayout(rows);
  grid->setContentsMargins(0, 0, 0, 0);
  for (int n = 0; n < ObjectValueCount; ++n) {
    const size_t i = static_cast<size_t>(n);
    edV[i] = make<QLineEdit>(rows, QStringLiteral("edV%1").arg(n));
    ValueLabel[i] = caption_label(QStringLiteral("Value %1").arg(n), edV[i]);
    ValueLabel[i]->setObjectName(QStringLiteral("ValueLabel%1").arg(n));
    btnV[i] = make_button(rows, QStringLiteral("btnV%1").arg(n), QStringLiteral("..."));
    btnV[i]->setMaximumWidth(30);
    grid->addWidget(ValueLabel[i], n, 0);
    grid->addWidget(edV[i], n, 1);
    grid->addWidget(btnV[i], n, 2);
  }
  grid->setRowStretch(ObjectValueCount, 1);
  return rows;
}

QWidget* TObjectEditForm::CreateValuesPage() {
  auto* page = new QWidget(FieldsPanel);
  page->setObjectName(QStringLiteral("TSValues"));
  QWidget* rows = CreateValueRows();
  rows->setParent(page);
  edLevel = make<QLineEdit>(page, QStringLiteral("edLevel"));
  edWeight = make<QLineEdit>(page, QStringLiteral("edWeight"));
  edCost = make<QLineEdit>(page, QStringLiteral("edCost"));
  edCondition = make_spin(page, QStringLiteral("edCondition"), 0, 100);
  edMaxCondition = make_spin(page, QStringLiteral("edMaxCondition"), 0, 100);
  edRepairsCount = make_spin(page, QStringLiteral("edRepairsCount"), std::numeric_limits<int>::min(),
                             std::numeric_limits<int>::max());
  auto* numbers = new QFormLayout;
  numbers->addRow(caption_label(QStringLiteral("Le&vel"), edLevel), edLevel);
  numbers->addRow(caption_label(QStringLiteral("Wei&ght"), edWeight), edWeight);
  numbers->addRow(caption_label(QStringLiteral("C&ost"), edCost), edCost);
  numbers->addRow(caption_label(QStringLiteral("Con&dition"), edCondition), edCondition);
  numbers->addRow(caption_label(QStringLiteral("&Repair Condition"), edMaxCondition), edMaxCondition);
  numbers->addRow(caption_label(QStringLiteral("Repairs Co&unt"), edRepairsCount), edRepairsCount);
  chFurniture = make<TFlagCheckList>(page, QStringLiteral("chFurniture"));
  edCapacity = make<QLineEdit>(page, QStringLiteral("edCapacity"));
  edCapacity->setMaximumWidth(100);
  auto* furniture = new QVBoxLayout;
  furniture->addWidget(caption_label(QStringLiteral("&Furniture"), chFurniture));
  furniture->addWidget(chFurniture, 1);
  auto* capacity = new QHBoxLayout;
  capacity->addWidget(caption_label(QStringLiteral("Ca&pacity"), edCapacity));
  capacity->addWidget(edCapacity);
  capacity->addStretch(1);
  furniture->addLayout(capacity);
  auto* layout = new QHBoxLayout(page);
  layout->addWidget(rows, 2);
  layout->addLayout(numbers, 1);
  layout->addLayout(furniture, 2);
  return page;
}

QWidget* TObjectEditForm::CreateAffectsPage() {
  auto* page = new QWidget(FieldsPanel);
  page->setObjectName(QStringLiteral("TSAffects"));
  lvAffects = make<QTreeWidget>(page, QStringLiteral("lvAffects"));
  lvAffects->setAccessibleName(QStringLiteral("Affects"));
  lvAffects->setHeaderLabels({QStringLiteral("Apply"), QStringLiteral("Modifier")});
  lvAffects->setRootIsDecorated(false);
  lvAffects->setAllColumnsShowFocus(true);
  lvAffects->setSelectionMode(QAbstractItemView::ExtendedSelection);
  lvAffects->setUniformRowHeights(true);
  lvAffects->header()->setStretchLastSection(true);
  lvAffects->setColumnWidth(0, 200);
  btnAddAffect = make_button(page, QStringLiteral("btnAddAffect"), QStringLiteral("Add Affect"));
  btnEditAffect = make_button(page, QStringLiteral("btnEditAffect"), QStringLiteral("Edit Affect"));
  btnRemoveAffect = make_button(page, QStringLiteral("btnRemoveAffect"), QStringLiteral("Remove Affect"));
  auto* buttons = new QHBoxLayout;
  for (QPushButton* button : {btnAddAffect, btnEditAffect, btnRemoveAffect})
    buttons->addWidget(button);
  buttons->addStretch(1);
  auto* layout = column(page);
  layout->addWidget(lvAffects, 1);
  layout->addLayout(buttons);
  return page;
}

// ---- Binding and the record mapping

TWorld& TObjectEditForm::world() const {
  return *area_world(area());
}

void TObjectEditForm::BindArea(TArea& area) {
  work_ = std::make_unique<TAreaObject>(area.Objects.get());
  reported_item_type_ = -1;
  TRecordEditor<TAreaObject>::BindArea(area);
}

// The choice controls are filled before the base binds (which shows the first object).
void TObjectEditForm::FillChoices() {
  const TWorld& w = world();
  cbItemType->setPlainList(w.ItemTypes);
  chWear->setFlagList(w.WearFlags);
  chExtra->setFlagList(w.ExtraFlags);
  chFurniture->setFlagList(w.FurnitureFlags);
  lbLayers->clear();
  for (const std::string& layer : w.LayerFlags)
    lbLayers->addItem(from_cp1251(layer));
  Progs->SetProgTypes(w.ProgTypes);
}

TRecordEditor<TAreaObject>::List& TObjectEditForm::Records(TArea& area) const {
  return area.Objects->Items;
}

uint32_t TObjectEditForm::Scope() const {
  return kObjectsChanged;
}

QString TObjectEditForm::EntryText(const TAreaObject& object) const {
  return QStringLiteral("%1 ").arg(object.Vnum, -5) + from_cp1251(decode_case(object.ShortDescription, 1));
}

QString TObjectEditForm::RecordLabel(const TAreaObject& object) const {
  return QStringLiteral("Object %1").arg(object.Vnum);
}

QString TObjectEditForm::ErrorPrefix() const {
  return QStringLiteral("Obj: Bad information:");
}

std::unique_ptr<TAreaObject> TObjectEditForm::NewRecord(TArea& area) const {
  return std::make_unique<TAreaObject>(area.Objects.get());
}

std::unique_ptr<TAreaObject> TObjectEditForm::CopyOf(const TAreaObject& object) const {
  auto copy = std::make_unique<TAreaObject>(object.Owner);
  copy->Assign(object);
  return copy;
}

void TObjectEditForm::ShowRecord(const TAreaObject& object) {
  if (cbItemType->count() == 0) FillChoices();
  work_->Assign(object);
  FillFields();
}

void TObjectEditForm::ClearFields() {
  if (area() == nullptr) return;
  if (cbItemType->count() == 0) FillChoices();
  work_ = NewRecord(*area());
  work_->Vnum = area()->Objects->NextFreeVnum();
  const TFilling filling(*this);
  FillFields();
}

void TObjectEditForm::FillFields() {
  const TFilling filling(*this);
  const TAreaObject& o = *work_;
  VNumEdit->setText(QString::number(o.Vnum));
  cbItemType->setValue(o.ItemType);
  SetValueLabels(o.ItemType);
  NameEdit->setText(trimmed_text(o.Name));
  SNameEdit->setText(from_cp1251(o.ShortDescription));
  LNameEdit->setText(from_cp1251(o.LongDescription));
  DescriptionEdit->setText(o.Description);
  chExtra->setBitVector(o.ExtraFlags);
  chWear->setFlags(o.WearFlags);
  lbLayers->setCurrentRow(o.Layers >= 0 && o.Layers < lbLayers->count() ? o.Layers : -1);
  edLayer->setText(QString::number(o.Layers));
  UpdateLayersVisible();
  for (int n = 0; n < ObjectValueCount; ++n)
    edV[static_cast<size_t>(n)]->setText(QString::number(o.Values[static_cast<size_t>(n)]));
  edLevel->setText(QString::number(o.Level));
  edWeight->setText(QString::number(o.Weight));
  edCost->setText(QString::number(o.Cost));
  edCondition->setValue(o.Condition);
  edMaxCondition->setValue(o.MaxCondition);
  edRepairsCount->setValue(o.RepairsCount);
  chFurniture->setFlags(o.FurnitureFlags);
  chFurniture->setCurrentRow(-1);
  ShowCapacity(0);
  RefreshAffects();
  QStringList vegetables;
  for (int32_t i = 0; i < o.VegetableCount && i < MaxVegetables; ++i)
    vegetables << from_cp1251(o.Vegetables[static_cast<size_t>(i)]);
  VegetableEdit->setPlainText(vegetables.join(u'\n'));
  ExtraDescs->SetDescs(&work_->ExtraDescs);
  Progs->SetProgs(work_->Progs.get());
  UpdateVegetablesVisible();
  layers_edited_ = condition_edited_ = max_condition_edited_ = false;
}

void TObjectEditForm::ReadFields(TAreaObject& object) {
  ReadTexts(object);
  object.ItemType = cbItemType->value();
  object.ExtraFlags = chExtra->bitVector();
  object.WearFlags = chWear->flags();
  if (layers_edited_ && lbLayers->currentRow() >= 0) object.Layers = lbLayers->currentRow();
  ReadNumbers(object);
  object.FurnitureFlags = chFurniture->flags();
  ReadVegetables(object);
  ReadWorkParts(object);
  object.WeaponType = WeaponTypeFromValues(world(), object);
}

void TObjectEditForm::ReadTexts(TAreaObject& object) {
  object.Name = field_text(NameEdit->text().trimmed(), QStringLiteral("Name"), NameEdit);
  object.ShortDescription = field_text(SNameEdit->text().trimmed(), QStringLiteral("Short"), SNameEdit);
  object.LongDescription = field_text(LNameEdit->text().trimmed(), QStringLiteral("Long"), LNameEdit);
  object.Description = DescriptionEdit->text();
  check_field_text(object.Description, QStringLiteral("Description"), DescriptionEdit);
}

void TObjectEditForm::ReadNumbers(TAreaObject& object) {
  object.Vnum = field_number(VNumEdit, QStringLiteral("VNum"));
  for (int n = 0; n < ObjectValueCount; ++n) {
    const size_t i = static_cast<size_t>(n);
    object.Values[i] = field_number(edV[i], ValueLabel[i]->text().remove(u'&'));
  }
  object.Level = field_number(edLevel, QStringLiteral("Level"));
  object.Weight = field_number(edWeight, QStringLiteral("Weight"));
  object.Cost = field_number(edCost, QStringLiteral("Cost"));
  if (condition_edited_) object.Condition = edCondition->value();
  if (max_condition_edited_) object.MaxCondition = edMaxCondition->value();
  object.RepairsCount = edRepairsCount->value();
  object.Capacity = work_->Capacity;
  object.Capacity[static_cast<size_t>(capacity_slot_)] = field_number(edCapacity, QStringLiteral("Capacity"));
}

// Blank lines at the end are no vegetables; more lines than an object holds are refused, not dropped.
void TObjectEditForm::ReadVegetables(TAreaObject& object) {
  QStringList lines = VegetableEdit->toPlainText().split(u'\n');
  while (!lines.isEmpty() && lines.last().trimmed().isEmpty())
    lines.removeLast();
  if (lines.size() > MaxVegetables)
    throw TFieldError(QStringLiteral("Vegetables: %1 lines, but an object holds at most %2")
                          .arg(lines.size())
                          .arg(MaxVegetables),
                      VegetableEdit);
  object.Vegetables = TVegetableLines();
  for (qsizetype i = 0; i < lines.size(); ++i)
    object.Vegetables[static_cast<size_t>(i)] =
        field_text(lines[i].trimmed(), QStringLiteral("Vegetables"), VegetableEdit);
  object.VegetableCount = static_cast<int32_t>(lines.size());
}

// The parts edited on the pages themselves come from the working copy; their texts are checked too.
void TObjectEditForm::ReadWorkParts(TAreaObject& object) {
  ExtraDescs->CheckTexts();
  Progs->CheckTexts();
  object.ExtraDescs.Assign(work_->ExtraDescs);
  object.Progs->Assign(*work_->Progs);
  object.Affects.Assign(work_->Affects);
  object.WeaponType = work_->WeaponType;
}

void TObjectEditForm::Validate(const TAreaObject& object, const TAreaObject* live) {
  const std::string refusal = VnumRefusal(*area(), RecordKind::Object, object.Vnum, live);
  if (!refusal.empty()) throw TFieldError(from_cp1251(refusal), VNumEdit);
}

// A new vnum: the world's references to the old one follow in the same step when the user wants them to.
std::unique_ptr<TChange> TObjectEditForm::StoreChange(TAreaObject& live,
                                                      std::unique_ptr<TAreaObject> edited) {
  const int32_t from = live.Vnum, to = edited->Vnum;
  auto stored = TRecordEditor<TAreaObject>::StoreChange(live, std::move(edited));
  if (from == to) return stored;
  const TObjectReferences found = FindObjectReferences(world(), from);
  if (found.total() == 0) return stored;
  const QString question = QStringLiteral(
                               "Object %1 becomes %2. The world names %1 in %3 reset(s), %4 door key(s) and "
                               "%5 program line(s).\r\n"
                               "Make them name %2?")
                               .arg(from)
                               .arg(to)
                               .arg(found.Resets)
                               .arg(found.DoorKeys)
                               .arg(found.ProgramLines);
  if (DialogService::instance().question(CommonPanel, windowTitle(), question, DialogButtons::YesNo,
                                         DialogIcon::Question) != DialogAnswer::Yes)
    return stored;
  auto group = std::make_unique<TChangeGroup>();
  group->Add(std::move(stored));
  group->Add(RenumberObjectReferences(world(), from, to));
  return group;
}

void TObjectEditForm::ViewItem() {
  QString text = QStringLiteral("&WИмена предмета:&w\n");
  const std::string cases = to_cp1251(SNameEdit->text().trimmed());
  for (int n = 1; n <= 6; ++n)
    text += from_cp1251(decode_case(cases, n)) + u'\n';
  text += QStringLiteral("\n&WОписание в комнате:&G\n") + LNameEdit->text() + QStringLiteral("\n\n") +
          QStringLiteral("&WОписание предмета:&w\n") + DescriptionEdit->toPlainText();
  ViewText = text;
  TParentForm::ViewItem();
}

// ---- Values, flags, capacity

void TObjectEditForm::SetValueLabels(int32_t item_type) {
  const TValueRows rows = ValueRowsOf(world(), item_type);
  for (int n = 0; n < ObjectValueCount; ++n) {
    const size_t i = static_cast<size_t>(n);
    const TValueRow& row = rows.Rows[i];
    const QString hint = from_cp1251(row.Hint);
    ValueLabel[i]->setText(from_cp1251(row.Label));
    edV[i]->setAccessibleName(from_cp1251(row.Label));
    for (QWidget* control : {static_cast<QWidget*>(ValueLabel[i]), static_cast<QWidget*>(edV[i]),
                             static_cast<QWidget*>(btnV[i])}) {
      control->setToolTip(hint);
      control->setVisible(!row.Label.empty());
    }
    btnV[i]->setEnabled(!row.Kind.empty());
    btnV[i]->setProperty("kind", static_cast<int>(row.Picker));
    btnV[i]->setAccessibleDescription(QStringLiteral("Pick ") + from_cp1251(row.Label));
  }
  if (!rows.Error.empty() && item_type != reported_item_type_) {
    reported_item_type_ = item_type;
    DialogService::instance().message(CommonPanel, windowTitle(), from_cp1251(rows.Error),
                                      DialogIcon::Warning);
  }
}

void TObjectEditForm::cbItemTypeChange() {
  SetValueLabels(cbItemType->value());
  UpdateVegetablesVisible();
}

void TObjectEditForm::UpdateVegetablesVisible() {
  const bool plant = world().item_type_is(cbItemType->value(), {"ITEM_PLANT"});
  ObjInfoPage->setTabVisible(ObjInfoPage->indexOf(vegetables_page_), plant);
}

void TObjectEditForm::UpdateLayersVisible() {
  const bool wearable = (chWear->flags() & ~world().NonWearFlags) != 0;
  for (QWidget* control :
       {static_cast<QWidget*>(lbLayers), static_cast<QWidget*>(Label10), static_cast<QWidget*>(edLayer)})
    control->setVisible(wearable);
}

// The slot shown is the one typing writes to; a furniture entry of another slot no longer stays selected.
void TObjectEditForm::ShowCapacity(int slot) {
  capacity_slot_ = slot;
  const int row = chFurniture->currentRow();
  if (row >= 0 && row % FurniturePositionCount != slot) {
    const QSignalBlocker blocker(chFurniture);
    chFurniture->setCurrentRow(-1);
  }
  edCapacity->setText(QString::number(work_->Capacity[static_cast<size_t>(slot)]));
  edCapacity->setToolTip(QStringLiteral("Capacity of slot %1").arg(slot));
}

// A text that is no number is refused at OK; until then the slot keeps its number.
void TObjectEditForm::edCapacityChange(const QString& text) {
  bool ok = false;
  const int32_t value = text.trimmed().toInt(&ok);
  if (ok) work_->Capacity[static_cast<size_t>(capacity_slot_)] = value;
}

void TObjectEditForm::btnVClick(int row) {
  QLineEdit* field = edV[static_cast<size_t>(row)];
  bool ok = false;
  int32_t current = field->text().trimmed().toInt(&ok);
  if (!ok) current = 0;
  const auto picker = static_cast<ValuePicker>(btnV[static_cast<size_t>(row)]->property("kind").toInt());
  std::optional<int32_t> picked;
  if (picker == ValuePicker::Spell)
    picked = TAffectLocationSelectForm::PickSpell(CommonPanel->window(), world(), current);
  else if (picker == ValuePicker::WeaponType)
    picked = TSelectWeaponTypeForm::PickWeaponType(CommonPanel->window(), world(), current);
  if (!picked) return;
  field->setText(QString::number(*picked));
  Dirty = true;
}

void TObjectEditForm::Button1Click() {
  const std::optional<QString> set =
      TCasesFixForm::EditCaseSet(CommonPanel->window(), SNameEdit->text().trimmed());
  if (!set) return;
  SNameEdit->setText(*set);
  Dirty = true;
}

// ---- Affects

void TObjectEditForm::RefreshAffects() {
  lvAffects->clear();
  const TWorld& w = world();
  QList<QTreeWidgetItem*> items;
  for (const auto& affect : work_->Affects.Items)
    items << new QTreeWidgetItem(
        {from_cp1251(AffectLocationName(w, affect->Location)), from_cp1251(AffectValueText(w, *affect))});
  lvAffects->addTopLevelItems(items);
}

void TObjectEditForm::btnAddAffectClick() {
  const std::optional<TAreaAffectData> added = AddAffect(CommonPanel->window(), world());
  if (!added) return;
  static_cast<TAreaAffectData&>(work_->Affects.Add()) = *added;
  RefreshAffects();
  lvAffects->setCurrentItem(lvAffects->topLevelItem(lvAffects->topLevelItemCount() - 1));
  Dirty = true;
}

void TObjectEditForm::btnEditAffectClick() {
  const int row = lvAffects->indexOfTopLevelItem(lvAffects->currentItem());
  if (row < 0 || row >= static_cast<int>(work_->Affects.Items.size())) return;
  TAreaAffect& affect = *work_->Affects.Items[static_cast<size_t>(row)];
  const std::optional<int32_t> modifier =
      EditAffectValue(CommonPanel->window(), world(), affect.Location, affect.Modifier);
  if (!modifier) return;
  affect.Modifier = *modifier;
  RefreshAffects();
  lvAffects->setCurrentItem(lvAffects->topLevelItem(row));
  Dirty = true;
}

// Last first, so that the rows still to look at keep their positions.
void TObjectEditForm::btnRemoveAffectClick() {
  auto& items = work_->Affects.Items;
  for (int row = lvAffects->topLevelItemCount() - 1; row >= 0; --row)
    if (lvAffects->topLevelItem(row)->isSelected() && row < static_cast<int>(items.size()))
      items.erase(items.begin() + row);
  RefreshAffects();
}

}  // namespace tavro::ui

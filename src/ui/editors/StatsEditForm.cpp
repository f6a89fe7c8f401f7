#include "ui/editors/StatsEditForm.h"

#include <QAction>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>
#include <limits>

#include "area/Area.h"
#include "area/Changes.h"
#include "area/Header.h"
#include "ui/common/TextConversion.h"
#include "ui/editors/FlagCheckList.h"
#include "ui/editors/FormFields.h"
#include "ui/editors/RecordEditor.h"
#include "world/World.h"

namespace tavro::ui {

namespace {

// The spin fields take any whole number the header can hold.
QSpinBox* make_spin(QWidget* parent, const char* name) {
  auto* spin = new QSpinBox(parent);
  spin->setObjectName(QString::fromLatin1(name));
  spin->setRange(std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
  spin->setMaximumWidth(140);
  return spin;
}

// A caption and its field side by side in a grid row; the caption names the field for a screen reader.
void add_field(QGridLayout* grid, int row, int column, const QString& caption, QWidget* field) {
  grid->addWidget(caption_label(caption, field), row, column);
  grid->addWidget(field, row, column + 1);
}

QGroupBox* group(QWidget* parent, const char* name, const QString& title) {
  auto* box = new QGroupBox(title, parent);
  box->setObjectName(QString::fromLatin1(name));
  return box;
}

struct NewAreaDefaults {
  const char* name = "New Area";
  const char* author = "New Author";
  int low = 0;
  int high = 65;
  int frequency = 25;
};

}  // namespace

TStatsEditForm::TStatsEditForm(QWidget* parent) : TParentForm(parent) {
  FormCreate();
}

void TStatsEditForm::FormCreate() {
  setWindowTitle(QStringLiteral("Stats Edit"));
  SearchPanel->hide();
  ViewButton->hide();
  edAreaName = new QLineEdit(FieldsPanel);
  edAreaName->setObjectName(QStringLiteral("edAreaName"));
  edAreaAuthor = new QLineEdit(FieldsPanel);
  edAreaAuthor->setObjectName(QStringLiteral("edAreaAuthor"));
  auto* top = new QGridLayout;
  add_field(top, 0, 0, QStringLiteral("&Name"), edAreaName);
  add_field(top, 1, 0, QStringLiteral("A&uthor"), edAreaAuthor);

  Pages = new QTabWidget(FieldsPanel);
  Pages->setObjectName(QStringLiteral("Pages"));
  Pages->addTab(CreateOptionsPage(), QStringLiteral(" Options "));
  chAreaFlags = new TFlagCheckList(Pages);
  chAreaFlags->setObjectName(QStringLiteral("chAreaFlags"));
  chAreaFlags->setAccessibleName(QStringLiteral("Flags"));
  Pages->addTab(chAreaFlags, QStringLiteral("  Flags  "));
  Pages->addTab(CreateNeighborPage(), QStringLiteral("Neighbor"));
  Pages->setCurrentIndex(0);

  auto* layout = new QVBoxLayout(FieldsPanel);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addLayout(top);
  layout->addWidget(Pages, 1);
  WatchEdits();
  RouteDataPanelExitToApply();
}

QWidget* TStatsEditForm::CreateOptionsPage() {
  auto* page = new QWidget;
  page->setObjectName(QStringLiteral("TSOptions"));
  page->setAccessibleName(QStringLiteral("Options"));
  QGroupBox* ranges = group(page, "GBRanges", QStringLiteral(" Ranges "));
  edSoftLow = make_spin(ranges, "edSoftLow");
  edSoftHi = make_spin(ranges, "edSoftHi");
  edHardLow = make_spin(ranges, "edHardLow");
  edHardHi = make_spin(ranges, "edHardHi");
  edSpellLimit = make_spin(ranges, "edSpellLimit");
  auto* range_grid = new QGridLayout(ranges);
  add_field(range_grid, 0, 0, QStringLiteral("&Soft"), edSoftLow);
  add_field(range_grid, 0, 2, QStringLiteral("to"), edSoftHi);
  add_field(range_grid, 1, 0, QStringLiteral("&Hard"), edHardLow);
  add_field(range_grid, 1, 2, QStringLiteral("to"), edHardHi);
  add_field(range_grid, 2, 0, QStringLiteral("S&pell Limit"), edSpellLimit);
  edSoftHi->setAccessibleDescription(QStringLiteral("Soft range, high end"));
  edHardHi->setAccessibleDescription(QStringLiteral("Hard range, high end"));

  QGroupBox* resets = group(page, "GBResets", QStringLiteral(" Reset options "));
  edFrequency = make_spin(resets, "edFrequency");
  edResetMessage = new QLineEdit(resets);
  edResetMessage->setObjectName(QStringLiteral("edResetMessage"));
  auto* reset_grid = new QGridLayout(resets);
  add_field(reset_grid, 0, 0, QStringLiteral("&Frequency"), edFrequency);
  add_field(reset_grid, 1, 0, QStringLiteral("&Message"), edResetMessage);

  QGroupBox* economy = group(page, "GBEconomy", QStringLiteral(" Economy "));
  edEconomyLow = make_spin(economy, "edEconomyLow");
  edEconomyHi = make_spin(economy, "edEconomyHi");
  auto* economy_grid = new QGridLayout(economy);
  add_field(economy_grid, 0, 0, QStringLiteral("&Low"), edEconomyLow);
  add_field(economy_grid, 1, 0, QStringLiteral("Hi&gh"), edEconomyHi);

  QGroupBox* weather = group(page, "GBWeather", QStringLiteral(" Weather "));
  edTemp = make_spin(weather, "edTemp");
  edPrecip = make_spin(weather, "edPrecip");
  edWind = make_spin(weather, "edWind");
  auto* weather_grid = new QGridLayout(weather);
  add_field(weather_grid, 0, 0, QStringLiteral("&Temp"), edTemp);
  add_field(weather_grid, 1, 0, QStringLiteral("Pre&cip"), edPrecip);
  add_field(weather_grid, 2, 0, QStringLiteral("&Wind"), edWind);

  auto* grid = new QGridLayout(page);
  grid->addWidget(ranges, 0, 0);
  grid->addWidget(resets, 0, 1);
  grid->addWidget(economy, 1, 0);
  grid->addWidget(weather, 1, 1);
  grid->setRowStretch(2, 1);
  return page;
}

// The neighbours are a list of area names: Insert adds one and opens it for typing, Delete removes the
// current one, F2 or a double click edits it.
QWidget* TStatsEditForm::CreateNeighborPage() {
  auto* page = new QWidget;
  page->setObjectName(QStringLiteral("TSNeighbor"));
  page->setAccessibleName(QStringLiteral("Neighbor"));
  lbNeighbor = new QListWidget(page);
  lbNeighbor->setObjectName(QStringLiteral("lbNeighbor"));
  lbNeighbor->setAccessibleName(QStringLiteral("Neighbor"));
  lbNeighbor->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed);
  auto* add = new QPushButton(QStringLiteral("&Add Neighbor"), page);
  add->setObjectName(QStringLiteral("AddNeighborButton"));
  auto* remove = new QPushButton(QStringLiteral("&Remove Neighbor"), page);
  remove->setObjectName(QStringLiteral("RemoveNeighborButton"));
  AddNeighborAction = new QAction(add->text(), lbNeighbor);
  AddNeighborAction->setShortcut(QKeySequence(Qt::Key_Insert));
  AddNeighborAction->setShortcutContext(Qt::WidgetShortcut);
  RemoveNeighborAction = new QAction(remove->text(), lbNeighbor);
  RemoveNeighborAction->setShortcut(QKeySequence(Qt::Key_Delete));
  RemoveNeighborAction->setShortcutContext(Qt::WidgetShortcut);
  lbNeighbor->addActions({AddNeighborAction, RemoveNeighborAction});
  connect(AddNeighborAction, &QAction::triggered, this, &TStatsEditForm::AddNeighbor);
  connect(RemoveNeighborAction, &QAction::triggered, this, &TStatsEditForm::RemoveNeighbor);
  connect(add, &QPushButton::clicked, this, &TStatsEditForm::AddNeighbor);
  connect(remove, &QPushButton::clicked, this, &TStatsEditForm::RemoveNeighbor);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(add);
  buttons->addWidget(remove);
  buttons->addStretch(1);
  auto* layout = new QVBoxLayout(page);
  layout->addWidget(lbNeighbor, 1);
  layout->addLayout(buttons);
  return page;
}

void TStatsEditForm::AddNeighbor() {
  auto* item = new QListWidgetItem(QString(), lbNeighbor);
  item->setFlags(item->flags() | Qt::ItemIsEditable);
  lbNeighbor->setCurrentItem(item);
  lbNeighbor->setFocus();
  lbNeighbor->editItem(item);
  Dirty = true;
}

void TStatsEditForm::RemoveNeighbor() {
  delete lbNeighbor->takeItem(lbNeighbor->currentRow());
  Dirty = true;
}

void TStatsEditForm::BindArea(TArea& area) {
  area_ = &area;
  if (const TWorld* world = area.world()) chAreaFlags->setFlagList(world->AreaFlags);
  SetList();
  ShowHeader();
}

void TStatsEditForm::ShowItem(int) {
  ShowHeader();
}

void TStatsEditForm::ShowHeader() {
  if (!area_) return;
  const TAreaHeader& header = *area_->Header;
  ShowingItem = true;
  edAreaName->setText(from_cp1251(header.Name));
  edAreaAuthor->setText(from_cp1251(header.Author));
  for (auto [spin, value] :
       {std::pair{edSoftLow, header.Ranges[0]}, std::pair{edSoftHi, header.Ranges[1]},
        std::pair{edHardLow, header.Ranges[2]}, std::pair{edHardHi, header.Ranges[3]},
        std::pair{edSpellLimit, header.SpellLimit}, std::pair{edFrequency, header.FlagsNumber},
        std::pair{edEconomyLow, header.Economy[0]}, std::pair{edEconomyHi, header.Economy[1]},
        std::pair{edTemp, header.Climate[0]}, std::pair{edPrecip, header.Climate[1]},
        std::pair{edWind, header.Climate[2]}})
    spin->setValue(value);
  edResetMessage->setText(from_cp1251(header.ResetMessage));
  lbNeighbor->clear();
  for (const std::string& neighbor : header.Neighbors) {
    auto* item = new QListWidgetItem(from_cp1251(neighbor), lbNeighbor);
    item->setFlags(item->flags() | Qt::ItemIsEditable);
  }
  chAreaFlags->setFlags(header.Flags);
  ShowingItem = false;
  Dirty = false;
}

// "Cancel" shows the defaults of a new area; nothing is stored unless the builder edits or presses OK.
void TStatsEditForm::ClearItem() {
  const NewAreaDefaults defaults;
  ShowingItem = true;
  edAreaName->setText(QString::fromLatin1(defaults.name));
  edAreaAuthor->setText(QString::fromLatin1(defaults.author));
  for (QSpinBox* low : {edSoftLow, edHardLow})
    low->setValue(defaults.low);
  for (QSpinBox* high : {edSoftHi, edHardHi})
    high->setValue(defaults.high);
  edFrequency->setValue(defaults.frequency);
  for (QSpinBox* zero : {edSpellLimit, edTemp, edPrecip, edWind, edEconomyLow, edEconomyHi})
    zero->setValue(0);
  edResetMessage->clear();
  lbNeighbor->clear();
  // Nothing ticked; a bit no entry names stays as the header has it.
  chAreaFlags->setFlags(area_ ? area_->Header->Flags : 0);
  for (int row = 0; row < chAreaFlags->count(); ++row)
    chAreaFlags->item(row)->setCheckState(Qt::Unchecked);
  ShowingItem = false;
  TParentForm::ClearItem();
}

void TStatsEditForm::ApplyItem() {
  StoreHeader();
}

void TStatsEditForm::ReadControls(TAreaHeader& header) const {
  header.Name = field_text(edAreaName, QStringLiteral("Name"));
  header.Author = field_text(edAreaAuthor, QStringLiteral("Author"));
  header.Ranges = {edSoftLow->value(), edSoftHi->value(), edHardLow->value(), edHardHi->value()};
  header.SpellLimit = edSpellLimit->value();
  header.FlagsNumber = edFrequency->value();
  header.ResetMessage = field_text(edResetMessage, QStringLiteral("Message"));
  header.Climate = {edTemp->value(), edPrecip->value(), edWind->value()};
  header.Economy = {edEconomyLow->value(), edEconomyHi->value()};
  header.Neighbors.clear();
  for (int i = 0; i < lbNeighbor->count(); ++i) {
    const QString neighbor = lbNeighbor->item(i)->text();
    // A blank line is no neighbour: it would be written as an empty #NEIGHBOR section.
    if (!neighbor.trimmed().isEmpty())
      header.Neighbors.push_back(field_text(neighbor, QStringLiteral("Neighbor"), lbNeighbor));
  }
  header.Flags = chAreaFlags->flags();
}

void TStatsEditForm::StoreHeader() {
  if (Closed || !area_) return;
  auto header = std::make_unique<TAreaHeader>(*area_->Header);
  try {
    ReadControls(*header);
  } catch (const TFieldError& error) {
    refuse_field(CommonPanel, windowTitle(), QString(),
                 TFieldError(QStringLiteral("Bad information: ") + error.message, error.field));
    return;
  }
  Commit(ChangeRecord(*area_->Header, std::move(header), area_, kHeaderChanged),
         QStringLiteral("Edit Header"));
  TParentForm::ApplyItem();
}

// The header changed elsewhere (undo, Save As): shown afresh unless the builder is editing it.
void TStatsEditForm::AreaChanged(uint32_t scope) {
  if ((scope & kHeaderChanged) != 0 && !Dirty) ShowHeader();
}

}  // namespace tavro::ui

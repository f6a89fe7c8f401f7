#include "ui/editors/SelectWeaponTypeForm.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSplitter>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "ui/common/TextConversion.h"
#include "world/DamagesWeapons.h"
#include "world/Skills.h"
#include "world/World.h"

namespace tavro::ui {

namespace {

QCheckBox* read_only_box(QWidget* parent, const char* name, const QString& caption) {
  auto* box = new QCheckBox(caption, parent);
  box->setObjectName(QString::fromLatin1(name));
  box->setEnabled(false);
  return box;
}

QLabel* buddy(QWidget* parent, const char* name, const QString& caption, QWidget* field) {
  auto* label = new QLabel(caption, parent);
  label->setObjectName(QString::fromLatin1(name));
  label->setBuddy(field);
  field->setAccessibleName(caption);
  return label;
}

QTableWidgetItem* cell(const QString& text) {
  auto* item = new QTableWidgetItem(text);
  item->setFlags(Qt::ItemIsEnabled);
  return item;
}

}  // namespace

TSelectWeaponTypeForm::TSelectWeaponTypeForm(const TWorld& world, QWidget* parent)
    : QDialog(parent), world_(world) {
  setWindowTitle(QStringLiteral("Select Weapon Type"));
  setSizeGripEnabled(true);
  lbWeapons = new QListWidget(this);
  lbWeapons->setObjectName(QStringLiteral("lbWeapons"));
  lbWeapons->setAccessibleName(QStringLiteral("Weapon Types"));
  for (const auto& weapon : world.Weapons->Items)
    lbWeapons->addItem(from_cp1251(weapon->Name));
  Splitter1 = new QSplitter(Qt::Horizontal, this);
  Splitter1->setObjectName(QStringLiteral("Splitter1"));
  Splitter1->addWidget(lbWeapons);
  Splitter1->addWidget(CreateDetails());
  Splitter1->setStretchFactor(1, 1);
  Button1 = new QPushButton(QStringLiteral("OK"), this);
  Button1->setObjectName(QStringLiteral("Button1"));
  Button1->setDefault(true);
  Button2 = new QPushButton(QStringLiteral("Cancel"), this);
  Button2->setObjectName(QStringLiteral("Button2"));
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(Button1);
  buttons->addWidget(Button2);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Splitter1, 1);
  layout->addLayout(buttons);
  resize(560, 340);
  connect(Button1, &QPushButton::clicked, this, &TSelectWeaponTypeForm::accept);
  connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
  connect(lbWeapons, &QListWidget::itemSelectionChanged, this, &TSelectWeaponTypeForm::lbWeaponsClick);
  connect(lbWeapons, &QListWidget::activated, this, &TSelectWeaponTypeForm::accept);
}

QWidget* TSelectWeaponTypeForm::CreateDetails() {
  auto* details = new QWidget(this);
  details->setObjectName(QStringLiteral("DetailsPanel"));
  chTwoHanded = read_only_box(details, "chTwoHanded", QStringLiteral("Two handed"));
  chPrimaryWeapon = read_only_box(details, "chPrimaryWeapon", QStringLiteral("Primary Weapon"));
  chSecondaryWeapon = read_only_box(details, "chSecondaryWeapon", QStringLiteral("Secondary Weapon"));
  edSkillName = new QLineEdit(details);
  edSkillName->setObjectName(QStringLiteral("edSkillName"));
  edSkillName->setEnabled(false);
  sgDamages = new QTableWidget(1, 2, details);
  sgDamages->setObjectName(QStringLiteral("sgDamages"));
  sgDamages->setHorizontalHeaderLabels({QStringLiteral("Damage"), QStringLiteral("%")});
  sgDamages->verticalHeader()->hide();
  sgDamages->verticalHeader()->setDefaultSectionSize(20);
  sgDamages->setColumnWidth(0, 216);
  sgDamages->setColumnWidth(1, 44);
  sgDamages->setEditTriggers(QAbstractItemView::NoEditTriggers);
  Label1 = buddy(details, "Label1", QStringLiteral("Use Skill"), edSkillName);
  Label2 = buddy(details, "Label2", QStringLiteral("Damages"), sgDamages);
  auto* layout = new QGridLayout(details);
  layout->addWidget(chTwoHanded, 0, 0, 1, 2);
  layout->addWidget(chPrimaryWeapon, 1, 0, 1, 2);
  layout->addWidget(chSecondaryWeapon, 2, 0, 1, 2);
  layout->addWidget(Label1, 3, 0);
  layout->addWidget(edSkillName, 3, 1);
  layout->addWidget(Label2, 4, 0, 1, 2);
  layout->addWidget(sgDamages, 5, 0, 1, 2);
  layout->setRowStretch(5, 1);
  return details;
}

void TSelectWeaponTypeForm::SelectWeapon(int32_t position) {
  const bool exists = position >= 0 && position < lbWeapons->count();
  lbWeapons->setCurrentRow(exists ? position : -1);
  if (!exists) lbWeapons->clearSelection();
  lbWeaponsClick();
}

std::optional<int32_t> TSelectWeaponTypeForm::Value() const {
  const int row = lbWeapons->currentRow();
  if (row < 0 || lbWeapons->selectedItems().isEmpty()) return std::nullopt;
  return row;
}

void TSelectWeaponTypeForm::lbWeaponsClick() {
  const std::optional<int32_t> row = Value();
  Button1->setEnabled(row.has_value());
  ShowWeapon(row ? world_.Weapons->Items[static_cast<size_t>(*row)].get() : nullptr);
}

// The damage rows keep at least one row, empty when the weapon type has no damages.
void TSelectWeaponTypeForm::ShowWeapon(const TWorldWeapon* weapon) {
  chTwoHanded->setChecked(weapon && weapon->TwoHanded);
  chPrimaryWeapon->setChecked(weapon && weapon->PrimaryWeapon);
  chSecondaryWeapon->setChecked(weapon && weapon->SecondaryWeapon);
  edSkillName->setText(weapon && weapon->Skill ? from_cp1251(weapon->Skill->NameEng) : QString());
  const size_t count = weapon ? weapon->Damages.Items.size() : 0;
  sgDamages->clearContents();
  sgDamages->setRowCount(std::max<int>(1, static_cast<int>(count)));
  for (size_t i = 0; i < count; ++i) {
    const TWeaponDamage& damage = *weapon->Damages.Items[i];
    sgDamages->setItem(static_cast<int>(i), 0,
                       cell(damage.DamageType ? from_cp1251(damage.DamageType->Name) : QString()));
    sgDamages->setItem(static_cast<int>(i), 1, cell(QString::number(damage.Percent)));
  }
}

void TSelectWeaponTypeForm::accept() {
  if (Value()) QDialog::accept();
}

std::optional<int32_t> TSelectWeaponTypeForm::PickWeaponType(QWidget* parent, const TWorld& world,
                                                             int32_t current) {
  TSelectWeaponTypeForm form(world, parent);
  form.SelectWeapon(current);
  if (form.exec() != QDialog::Accepted) return std::nullopt;
  return form.Value();
}

}  // namespace tavro::ui

#include "ui/editors/AffectDialogs.h"

#include <QFont>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/common/TextConversion.h"
#include "ui/editors/AffectLocationSelectForm.h"
#include "ui/editors/EditBitAffectForm.h"
#include "ui/editors/EditListAffectForm.h"
#include "ui/editors/EditNumericAffectForm.h"
#include "world/World.h"

namespace tavro::ui {

TAffectValueForm::TAffectValueForm(QWidget* parent, const QString& caption) : QDialog(parent) {
  setWindowTitle(caption);
  Label1 = new QLabel(QStringLiteral("Location"), this);
  Label1->setObjectName(QStringLiteral("Label1"));
  LocationLabel = new QLabel(this);
  LocationLabel->setObjectName(QStringLiteral("LocationLabel"));
  QFont bold = LocationLabel->font();
  bold.setBold(true);
  LocationLabel->setFont(bold);
  Button1 = new QPushButton(QStringLiteral("Ok"), this);
  Button1->setObjectName(QStringLiteral("Button1"));
  Button1->setDefault(true);
  Button2 = new QPushButton(QStringLiteral("Cancel"), this);
  Button2->setObjectName(QStringLiteral("Button2"));
  auto* location = new QHBoxLayout;
  location->addWidget(Label1);
  location->addWidget(LocationLabel, 1);
  Body = new QVBoxLayout;
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(Button1);
  buttons->addWidget(Button2);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(location);
  layout->addLayout(Body, 1);
  layout->addLayout(buttons);
  connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
  connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
}

void TAffectValueForm::SetLocation(const QString& name) {
  LocationLabel->setText(name);
  LocationLabel->setAccessibleName(name);
}

void fill_pick_list(QListWidget* list, const std::vector<TPickEntry>& entries, int selected) {
  list->clear();
  for (const TPickEntry& entry : entries)
    list->addItem(from_cp1251(entry.Text));
  list->setCurrentRow(selected);
  if (selected < 0) list->clearSelection();
}

std::optional<int32_t> picked_value(const QListWidget* list, const std::vector<TPickEntry>& entries) {
  const int row = list->currentRow();
  if (row < 0 || row >= static_cast<int>(entries.size()) || list->selectedItems().isEmpty())
    return std::nullopt;
  return entries[static_cast<size_t>(row)].Value;
}

namespace {

// Shows the dialog with the location filled in; the value it gives when accepted.
template <class Form, class Value>
std::optional<int32_t> run(Form& form, const TWorld& world, int32_t location, Value&& value) {
  form.SetLocation(from_cp1251(AffectLocationName(world, location)));
  if (form.exec() != QDialog::Accepted) return std::nullopt;
  return value();
}

}  // namespace

std::optional<int32_t> EditAffectValue(QWidget* parent, const TWorld& world, int32_t location,
                                       std::optional<int32_t> current) {
  const AffectKind kind = LocationKind(world, location);
  if (const auto* bits = AffectBitList(world, kind)) {
    TEditBitAffectForm form(parent);
    form.SetBits(*bits, static_cast<uint32_t>(current.value_or(0)));
    return run(form, world, location, [&] { return static_cast<int32_t>(form.Bits()); });
  }
  if (kind == AffectKind::Spell) {
    TEditListAffectForm form(parent);
    const std::vector<TPickEntry> spells = SpellEntries(world);
    form.SetEntries(spells, current ? PickIndexOf(spells, *current) : (spells.empty() ? -1 : 0));
    return run(form, world, location, [&] { return form.Value(); });
  }
  TEditNumericAffectForm form(parent);
  form.SetValue(current.value_or(0));
  return run(form, world, location, [&] { return form.Value(); });
}

std::optional<TAreaAffectData> AddAffect(QWidget* parent, const TWorld& world) {
  const std::optional<int32_t> location = TAffectLocationSelectForm::PickLocation(parent, world);
  if (!location) return std::nullopt;
  const std::optional<int32_t> modifier = EditAffectValue(parent, world, *location, std::nullopt);
  if (!modifier) return std::nullopt;
  return TAreaAffectData{*location, *modifier};
}

}  // namespace tavro::ui

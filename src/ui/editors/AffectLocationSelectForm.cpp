#include "ui/editors/AffectLocationSelectForm.h"

#include <QListWidget>
#include <QVBoxLayout>

#include "ui/editors/AffectDialogs.h"
#include "world/World.h"

namespace tavro::ui {

TAffectLocationSelectForm::TAffectLocationSelectForm(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("AffectLocationSelectForm"));
  auto* panel = new QWidget(this);
  panel->setObjectName(QStringLiteral("Panel1"));
  lbAffectLocation = new QListWidget(panel);
  lbAffectLocation->setObjectName(QStringLiteral("lbAffectLocation"));
  lbAffectLocation->setAccessibleName(windowTitle());
  auto* inner = new QVBoxLayout(panel);
  inner->setContentsMargins(0, 0, 0, 0);
  inner->addWidget(lbAffectLocation);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(panel);
  resize(240, 360);
  // Enter and a double-click both activate the current entry.
  connect(lbAffectLocation, &QListWidget::activated, this, &TAffectLocationSelectForm::accept);
}

void TAffectLocationSelectForm::SetEntries(const std::vector<TPickEntry>& entries, int selected) {
  entries_ = entries;
  fill_pick_list(lbAffectLocation, entries, selected);
}

std::optional<int32_t> TAffectLocationSelectForm::Value() const {
  return picked_value(lbAffectLocation, entries_);
}

void TAffectLocationSelectForm::accept() {
  if (Value()) QDialog::accept();
}

std::optional<int32_t> TAffectLocationSelectForm::Pick(QWidget* parent,
                                                       const std::vector<TPickEntry>& entries, int selected) {
  TAffectLocationSelectForm form(parent);
  form.SetEntries(entries, selected);
  if (form.exec() != QDialog::Accepted) return std::nullopt;
  return form.Value();
}

std::optional<int32_t> TAffectLocationSelectForm::PickLocation(QWidget* parent, const TWorld& world) {
  std::vector<TPickEntry> locations;
  for (size_t i = 0; i < world.ApplyTypes.size(); ++i)
    locations.push_back({world.ApplyTypes[i], static_cast<int32_t>(i)});
  return Pick(parent, locations, locations.empty() ? -1 : 0);
}

std::optional<int32_t> TAffectLocationSelectForm::PickSpell(QWidget* parent, const TWorld& world,
                                                            int32_t current) {
  const std::vector<TPickEntry> spells = SpellEntries(world);
  return Pick(parent, spells, PickIndexOf(spells, current));
}

}  // namespace tavro::ui

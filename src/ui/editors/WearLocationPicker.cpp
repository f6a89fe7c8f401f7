#include "ui/editors/WearLocationPicker.h"

#include <QListWidget>

#include "area/ResetEditing.h"
#include "ui/editors/AffectLocationSelectForm.h"

namespace tavro::ui {

std::optional<int32_t> PickWearLocation(QWidget* parent, const TWorld& world, uint32_t wear_flags,
                                        int32_t current) {
  const std::vector<TPickEntry> locations = WearLocationEntries(world, wear_flags);
  if (locations.empty()) return std::nullopt;
  TAffectLocationSelectForm form(parent);
  form.setWindowTitle(QStringLiteral("Wear Location"));
  form.lbAffectLocation->setAccessibleName(form.windowTitle());
  form.SetEntries(locations, PickIndexOf(locations, current));
  if (form.exec() != QDialog::Accepted) return std::nullopt;
  return form.Value();
}

}  // namespace tavro::ui

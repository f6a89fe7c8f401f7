#pragma once
// The value of an affect that names a spell, chosen from a list in columns. A double-click or "Ok"
// takes the selected entry; with none selected "Ok" is not offered.
#include <cstdint>
#include <optional>
#include <vector>

#include "area/ObjectValues.h"
#include "ui/editors/AffectDialogs.h"

class QListWidget;

namespace tavro::ui {

class TEditListAffectForm : public TAffectValueForm {
  Q_OBJECT

 public:
  explicit TEditListAffectForm(QWidget* parent = nullptr);

  // The entries, with the one at selected chosen (none when -1).
  void SetEntries(const std::vector<TPickEntry>& entries, int selected);
  // The number the selected entry stands for; nothing when none is selected.
  std::optional<int32_t> Value() const;

  QListWidget* lbList = nullptr;

 public slots:
  void accept() override;

 private:
  std::vector<TPickEntry> entries_;
};

}  // namespace tavro::ui

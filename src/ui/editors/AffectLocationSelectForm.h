#pragma once
// A plain list to pick one entry from: the affect locations of a new affect, or a spell for a value
// row. Enter or a double-click accepts the selected entry, Escape cancels; with no entry selected
// there is nothing to accept and the list stays open.
#include <QDialog>
#include <cstdint>
#include <optional>
#include <vector>

#include "area/ObjectValues.h"

class QListWidget;
class QWidget;

namespace tavro {
class TWorld;
}

namespace tavro::ui {

class TAffectLocationSelectForm : public QDialog {
  Q_OBJECT

 public:
  explicit TAffectLocationSelectForm(QWidget* parent = nullptr);

  // The entries, with the one standing for selected chosen (none when -1).
  void SetEntries(const std::vector<TPickEntry>& entries, int selected);
  // The number the selected entry stands for; nothing when none is selected.
  std::optional<int32_t> Value() const;

  // The location of a new affect: a position in ApplyTypes.
  static std::optional<int32_t> PickLocation(QWidget* parent, const TWorld& world);
  // A spell for a value row: its position in the skills list; current is selected when it is a spell.
  static std::optional<int32_t> PickSpell(QWidget* parent, const TWorld& world, int32_t current);

  QListWidget* lbAffectLocation = nullptr;

 public slots:
  void accept() override;

 private:
  static std::optional<int32_t> Pick(QWidget* parent, const std::vector<TPickEntry>& entries, int selected);

  std::vector<TPickEntry> entries_;
};

}  // namespace tavro::ui

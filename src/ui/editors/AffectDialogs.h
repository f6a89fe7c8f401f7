#pragma once
// Adding and editing an object's affects: the location picker, then the value dialog the location's
// kind calls for (bit flags, a spell from a list, or a number). Nothing is changed unless the user
// accepts every step. The mobile and reset editors use the same dialogs.
#include <QDialog>
#include <QString>
#include <cstdint>
#include <optional>

#include <vector>

#include "area/ObjectValues.h"

class QLabel;
class QListWidget;
class QPushButton;
class QVBoxLayout;

namespace tavro {
class TWorld;
}

namespace tavro::ui {

// What the three value dialogs share: the location shown in bold above the value, "Ok" (the default
// button) and "Cancel" below it.
class TAffectValueForm : public QDialog {
  Q_OBJECT

 public:
  TAffectValueForm(QWidget* parent, const QString& caption);
  void SetLocation(const QString& name);

  QLabel* Label1 = nullptr;
  QLabel* LocationLabel = nullptr;
  QPushButton* Button1 = nullptr;
  QPushButton* Button2 = nullptr;

 protected:
  // The value's own controls go here, between the location and the buttons.
  QVBoxLayout* Body = nullptr;
};

// A picker's list: the entries' texts, with the one at selected chosen (none when -1).
void fill_pick_list(QListWidget* list, const std::vector<TPickEntry>& entries, int selected);
// The number the list's selected entry stands for; nothing when no entry is selected.
std::optional<int32_t> picked_value(const QListWidget* list, const std::vector<TPickEntry>& entries);

// A new affect: the location picked, then its value. Nothing when any step is cancelled.
std::optional<TAreaAffectData> AddAffect(QWidget* parent, const TWorld& world);
// The value of an affect at location: current is the value being edited, nothing for a new affect.
std::optional<int32_t> EditAffectValue(QWidget* parent, const TWorld& world, int32_t location,
                                       std::optional<int32_t> current);

}  // namespace tavro::ui

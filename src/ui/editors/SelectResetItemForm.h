#pragma once
// Picks the object or mobile of a new reset: typing a vnum or keywords lists the items that contain
// them, a moment after the last keystroke; the chosen item's descriptions are shown below.
#include <QDialog>
#include <cstdint>
#include <optional>
#include <vector>

#include "area/ResetEditing.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;
class QTimer;

namespace tavro {
class TArea;
}

namespace tavro::ui {

class TSelectResetItemForm : public QDialog {
  Q_OBJECT

 public:
  TSelectResetItemForm(QWidget* parent, const TArea& area, ResetItemKind kind);

  // The vnum of the item chosen on OK; nothing when cancelled or when no item is listed and selected.
  std::optional<int32_t> Chosen() const;
  static std::optional<int32_t> Pick(QWidget* parent, const TArea& area, ResetItemKind kind);

  // The names list filled afresh from the fields and tick boxes.
  void Refill();

  QSpinBox* edVNum = nullptr;
  QLineEdit* edName = nullptr;
  QComboBox* cbNamesList = nullptr;
  QLineEdit* edShort = nullptr;
  QLineEdit* edLong = nullptr;
  QPlainTextEdit* edDesc = nullptr;
  QCheckBox* chLocal = nullptr;
  QCheckBox* chStrong = nullptr;
  QPushButton* btnOk = nullptr;
  QPushButton* btnCancel = nullptr;
  QTimer* Timer1 = nullptr;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void CreateFields();
  void Typed(TypedField field);
  void ShowEntry(int index);

  const TArea& area_;
  ResetItemKind kind_;
  TypedField typed_ = TypedField::None;
  std::vector<TPickEntry> entries_;
  std::optional<int32_t> chosen_;
};

}  // namespace tavro::ui

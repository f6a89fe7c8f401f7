#pragma once
// One reset's letter and four numbers, as the reset grid edits a row.
#include <QDialog>

class QComboBox;
class QSpinBox;

namespace tavro {
class TAreaReset;
}

namespace tavro::ui {

class TResetItemEditForm : public QDialog {
  Q_OBJECT

 public:
  explicit TResetItemEditForm(QWidget* parent = nullptr);

  void SetReset(const TAreaReset& reset);
  // The letter chosen (the reset's own when its letter has no entry) and the four numbers.
  void GetReset(TAreaReset& reset) const;

  // Edits reset; true on OK.
  static bool Edit(QWidget* parent, TAreaReset& reset);

  QComboBox* cbLetter = nullptr;
  QSpinBox* edExtra = nullptr;
  QSpinBox* edArg1 = nullptr;
  QSpinBox* edArg2 = nullptr;
  QSpinBox* edArg3 = nullptr;
};

}  // namespace tavro::ui

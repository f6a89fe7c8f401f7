#pragma once
// The value of an affect that is a plain number. "Ok" takes only a whole number: anything else is
// answered "Bad value!" and the dialog stays open.
#include <optional>

#include "ui/editors/AffectDialogs.h"

class QLineEdit;

namespace tavro::ui {

class TEditNumericAffectForm : public TAffectValueForm {
  Q_OBJECT

 public:
  explicit TEditNumericAffectForm(QWidget* parent = nullptr);

  void SetValue(int32_t value);
  // The trimmed text as a number; nothing when it is not one.
  std::optional<int32_t> Value() const;

  QLabel* Label2 = nullptr;
  QLineEdit* EditValue = nullptr;

 public slots:
  void accept() override;
};

}  // namespace tavro::ui

#include "ui/editors/EditNumericAffectForm.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/common/DialogService.h"

namespace tavro::ui {

TEditNumericAffectForm::TEditNumericAffectForm(QWidget* parent)
    : TAffectValueForm(parent, QStringLiteral("Edit Numeric Affect")) {
  setWindowFlags(windowFlags() & ~(Qt::WindowContextHelpButtonHint | Qt::WindowMinMaxButtonsHint));
  EditValue = new QLineEdit(this);
  EditValue->setObjectName(QStringLiteral("EditValue"));
  EditValue->setAccessibleName(QStringLiteral("Value"));
  Label2 = new QLabel(QStringLiteral("&Value"), this);
  Label2->setObjectName(QStringLiteral("Label2"));
  Label2->setBuddy(EditValue);
  Body->addWidget(Label2);
  Body->addWidget(EditValue);
  setTabOrder(EditValue, Button1);
  setTabOrder(Button1, Button2);
}

void TEditNumericAffectForm::SetValue(int32_t value) {
  EditValue->setText(QString::number(value));
  EditValue->selectAll();
  EditValue->setFocus();
}

std::optional<int32_t> TEditNumericAffectForm::Value() const {
  bool ok = false;
  const int32_t value = EditValue->text().trimmed().toInt(&ok);
  return ok ? std::optional<int32_t>(value) : std::nullopt;
}

void TEditNumericAffectForm::accept() {
  if (Value()) {
    QDialog::accept();
    return;
  }
  DialogService::instance().message(this, windowTitle(), QStringLiteral("Bad value!"), DialogIcon::Error);
  EditValue->setFocus();
}

}  // namespace tavro::ui

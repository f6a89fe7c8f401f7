#include "ui/editors/MobileEditResetForm.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <limits>

#include "ui/editors/FormFields.h"

namespace tavro::ui {

TMobileEditResetForm::TMobileEditResetForm(QWidget* parent, const QString& mobile, int32_t current)
    : QDialog(parent) {
  setWindowTitle(QStringLiteral("Mobile's Reset"));
  lblName = new QLabel(mobile, this);
  lblName->setObjectName(QStringLiteral("lblName"));
  lblCount = new QLabel(QString::number(current), this);
  lblCount->setObjectName(QStringLiteral("lblCount"));
  edCount = new QSpinBox(this);
  edCount->setObjectName(QStringLiteral("edCount"));
  edCount->setRange(std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max());
  QDialogButtonBox* buttons = ok_cancel_buttons(this, QStringLiteral("Ok"), btnOk, btnCancel);
  auto* form = new QFormLayout(this);
  form->addRow(caption_label(QStringLiteral("Mobile"), lblName), lblName);
  form->addRow(caption_label(QStringLiteral("Current number"), lblCount), lblCount);
  form->addRow(caption_label(QStringLiteral("&Number"), edCount), edCount);
  form->addRow(buttons);
  edCount->setFocus();
}

std::optional<int32_t> TMobileEditResetForm::EditCount(QWidget* parent, const QString& mobile,
                                                       int32_t current, int32_t number) {
  TMobileEditResetForm form(parent, mobile, current);
  form.edCount->setValue(number);
  form.edCount->selectAll();
  if (form.exec() != QDialog::Accepted) return std::nullopt;
  return form.edCount->value();
}

}  // namespace tavro::ui

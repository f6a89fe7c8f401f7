#include "ui/editors/ResetItemEditForm.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <array>
#include <limits>

#include "area/Resets.h"
#include "ui/editors/FormFields.h"

namespace tavro::ui {

namespace {

// Every letter the server reads, B included: a B reset edited here keeps its letter.
constexpr std::array<char, 10> kLetters = {'M', 'E', 'G', 'O', 'P', 'H', 'T', 'R', 'D', 'B'};

QSpinBox* number_field(QWidget* parent, const char* name) {
  auto* field = new QSpinBox(parent);
  field->setObjectName(QString::fromLatin1(name));
  field->setRange(std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max());
  return field;
}

}  // namespace

TResetItemEditForm::TResetItemEditForm(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("Edit Reset Item"));
  cbLetter = new QComboBox(this);
  cbLetter->setObjectName(QStringLiteral("cbLetter"));
  for (char letter : kLetters)
    cbLetter->addItem(QString(QLatin1Char(letter)));
  edExtra = number_field(this, "edExtra");
  edArg1 = number_field(this, "edArg1");
  edArg2 = number_field(this, "edArg2");
  edArg3 = number_field(this, "edArg3");
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
  buttons->button(QDialogButtonBox::Ok)->setDefault(true);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* form = new QFormLayout(this);
  form->addRow(caption_label(QStringLiteral("&Letter"), cbLetter), cbLetter);
  form->addRow(caption_label(QStringLiteral("&Extra"), edExtra), edExtra);
  form->addRow(caption_label(QStringLiteral("Arg&1"), edArg1), edArg1);
  form->addRow(caption_label(QStringLiteral("Arg&2"), edArg2), edArg2);
  form->addRow(caption_label(QStringLiteral("Arg&3"), edArg3), edArg3);
  form->addRow(buttons);
}

void TResetItemEditForm::SetReset(const TAreaReset& reset) {
  cbLetter->setCurrentIndex(cbLetter->findText(QString(QLatin1Char(reset.Command))));
  edExtra->setValue(reset.Extra);
  edArg1->setValue(reset.Arg1);
  edArg2->setValue(reset.Arg2);
  edArg3->setValue(reset.Arg3);
}

void TResetItemEditForm::GetReset(TAreaReset& reset) const {
  if (cbLetter->currentIndex() >= 0) reset.Command = cbLetter->currentText().at(0).toLatin1();
  reset.Extra = edExtra->value();
  reset.Arg1 = edArg1->value();
  reset.Arg2 = edArg2->value();
  reset.Arg3 = edArg3->value();
}

bool TResetItemEditForm::Edit(QWidget* parent, TAreaReset& reset) {
  TResetItemEditForm form(parent);
  form.SetReset(reset);
  if (form.exec() != QDialog::Accepted) return false;
  form.GetReset(reset);
  return true;
}

}  // namespace tavro::ui

#include "ui/editors/EditBitAffectForm.h"

#include <QPushButton>
#include <QVBoxLayout>

#include "ui/editors/FlagCheckList.h"

namespace tavro::ui {

TEditBitAffectForm::TEditBitAffectForm(QWidget* parent)
    : TAffectValueForm(parent, QStringLiteral("Edit Bit Affect")) {
  chBits = new TFlagCheckList(this);
  chBits->setObjectName(QStringLiteral("chBits"));
  chBits->setAccessibleName(QStringLiteral("Bits"));
  Body->addWidget(chBits, 1);
  setTabOrder(chBits, Button1);
  setTabOrder(Button1, Button2);
  resize(520, 360);
}

void TEditBitAffectForm::SetBits(const std::vector<std::string>& list, uint32_t bits) {
  chBits->setFlagList(list);
  chBits->setFlags(bits);
  chBits->setCurrentRow(0);
  chBits->setFocus();
}

uint32_t TEditBitAffectForm::Bits() const {
  return chBits->flags();
}

}  // namespace tavro::ui

#include "ui/main/SelectSectorForm.h"

#include <QFrame>
#include <QListWidget>
#include <QPushButton>

namespace tavro::ui {

TSelectSectorForm::TSelectSectorForm(QWidget* parent)
    : TSectorListForm(parent, Qt::Dialog | Qt::FramelessWindowHint),
      Panel1(new QFrame(this)),
      Button1(new QPushButton(QStringLiteral("Assign"), this)),
      Button2(new QPushButton(QStringLiteral("Cancel"), this)) {
  setWindowTitle(QStringLiteral("Select Sector"));
  Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
  Panel1->setLineWidth(2);
  Panel1->setGeometry(0, 0, width(), height());
  Panel1->lower();
  Button1->setGeometry(24, 344, 75, 25);
  Button2->setGeometry(110, 344, 75, 25);
  Button1->setDefault(true);
  connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
  connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
  connect(LBColors, &QListWidget::itemClicked, this, [this] { LBColorsClick(); });
  connect(LBColors, &QListWidget::currentRowChanged, this, [this] { LBColorsClick(); });
}

void TSelectSectorForm::SetSelected(int index) {
  LBColors->setCurrentRow(index);
  Selected = index;
}

void TSelectSectorForm::LBColorsClick() {
  if (LBColors->currentRow() >= 0) Selected = LBColors->currentRow();
}

}  // namespace tavro::ui

#include "ui/main/SectorColorsForm.h"

#include <QListWidget>
#include <QPushButton>

#include "ui/common/DialogService.h"

namespace tavro::ui {

TSectorColorsForm::TSectorColorsForm(QWidget* parent)
    : TSectorListForm(
          parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      Button1(new QPushButton(QStringLiteral("OK"), this)),
      Button2(new QPushButton(QStringLiteral("Cancel"), this)) {
  setWindowTitle(QStringLiteral("Colors"));
  Button1->setGeometry(24, 344, 75, 25);
  Button2->setGeometry(110, 344, 75, 25);
  connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
  connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
  connect(LBColors, &QListWidget::itemDoubleClicked, this,
          [this](QListWidgetItem* item) { LBColorsDblClick(LBColors->row(item)); });
}

void TSectorColorsForm::LBColorsDblClick(int index) {
  if (index < 0 || index >= LBColors->count()) return;
  const QColor initial = color_from_value(sector_color(Colors, index).value_or(0));
  const auto chosen = DialogService::instance().choose_color(this, initial);
  if (!chosen) return;
  set_sector_color(Colors, index, value_from_color(*chosen));
  LBColors->viewport()->update();
}

}  // namespace tavro::ui

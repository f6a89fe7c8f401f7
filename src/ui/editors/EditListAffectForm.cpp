#include "ui/editors/EditListAffectForm.h"

#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace tavro::ui {

TEditListAffectForm::TEditListAffectForm(QWidget* parent)
    : TAffectValueForm(parent, QStringLiteral("Edit List Affect")) {
  lbList = new QListWidget(this);
  lbList->setObjectName(QStringLiteral("lbList"));
  lbList->setAccessibleName(QStringLiteral("Spells"));
  // Entries run down and wrap into columns across the list's width.
  lbList->setFlow(QListView::TopToBottom);
  lbList->setWrapping(true);
  lbList->setResizeMode(QListView::Adjust);
  Body->addWidget(lbList, 1);
  setTabOrder(lbList, Button1);
  setTabOrder(Button1, Button2);
  resize(560, 360);
  connect(lbList, &QListWidget::activated, this, &TEditListAffectForm::accept);
  connect(lbList, &QListWidget::itemSelectionChanged, this,
          [this] { Button1->setEnabled(Value().has_value()); });
}

void TEditListAffectForm::SetEntries(const std::vector<TPickEntry>& entries, int selected) {
  entries_ = entries;
  fill_pick_list(lbList, entries, selected);
  Button1->setEnabled(Value().has_value());
  lbList->setFocus();
}

std::optional<int32_t> TEditListAffectForm::Value() const {
  return picked_value(lbList, entries_);
}

void TEditListAffectForm::accept() {
  if (Value()) QDialog::accept();
}

}  // namespace tavro::ui

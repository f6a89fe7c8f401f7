#include "ui/editors/FormFields.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>

#include <QLabel>

namespace tavro::ui {

QLabel* caption_label(const QString& caption, QWidget* field) {
  auto* label = new QLabel(caption, field->parentWidget());
  label->setBuddy(field);
  field->setAccessibleName(QString(caption).remove(u'&'));
  return label;
}

QDialogButtonBox* ok_cancel_buttons(QDialog* dialog, const QString& ok_caption, QPushButton*& ok,
                                    QPushButton*& cancel) {
  auto* buttons = new QDialogButtonBox(dialog);
  ok = buttons->addButton(ok_caption, QDialogButtonBox::AcceptRole);
  ok->setObjectName(QStringLiteral("btnOk"));
  ok->setDefault(true);
  cancel = buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
  cancel->setObjectName(QStringLiteral("btnCancel"));
  QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
  return buttons;
}

std::string text_block(std::string_view typed) {
  const size_t end = typed.find_last_not_of(" \t\r\n");
  if (end == std::string_view::npos) return {};
  return std::string(typed.substr(0, end + 1)) + "\r\n";
}

}  // namespace tavro::ui

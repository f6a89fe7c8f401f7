#include "ui/editors/ActionsFixForm.h"

#include <array>

#include "reading/Cases.h"

namespace tavro::ui {

TActionsFixForm::TActionsFixForm(QWidget* parent)
    : TFormsFixForm(
          parent, QStringLiteral("Actions Fix"),
          {QStringLiteral("Для игрока"), QStringLiteral("Для наблюдателя"), QStringLiteral("Автоматическое")},
          true, QStringLiteral("three")),
      Label1(labels_[0]),
      Label2(labels_[1]),
      Label3(labels_[2]),
      Edit1(edits_[0]),
      Edit2(edits_[1]),
      Edit3(edits_[2]) {}

std::string TActionsFixForm::Fold(const std::vector<std::string>& forms) const {
  return encode_cases3({forms[0], forms[1], forms[2]});
}

std::optional<QString> TActionsFixForm::EditActions(QWidget* parent, const QString& text) {
  TActionsFixForm form(parent);
  form.SetActions(text);
  if (form.exec() != QDialog::Accepted) return std::nullopt;
  return form.Actions();
}

}  // namespace tavro::ui

#include "ui/editors/CasesFixForm.h"

#include <algorithm>

#include "reading/Cases.h"

namespace tavro::ui {

TCasesFixForm::TCasesFixForm(QWidget* parent)
    : TFormsFixForm(parent, QStringLiteral("Cases Fix"),
                    {QStringLiteral("Именительный (кто, что)"), QStringLiteral("Родительный (кого, чего)"),
                     QStringLiteral("Дательный (кому, чему)"), QStringLiteral("Винительный (кого, что)"),
                     QStringLiteral("Творительный (кем, чем)"), QStringLiteral("Предложный (о ком, о чем)")},
                    false, QStringLiteral("six")),
      Label1(labels_[0]),
      Label2(labels_[1]),
      Label3(labels_[2]),
      Label4(labels_[3]),
      Label5(labels_[4]),
      Label6(labels_[5]),
      Edit1(edits_[0]),
      Edit2(edits_[1]),
      Edit3(edits_[2]),
      Edit4(edits_[3]),
      Edit5(edits_[4]),
      Edit6(edits_[5]) {}

std::array<std::string, 6> TCasesFixForm::Forms() const {
  std::array<std::string, 6> forms;
  const std::vector<std::string> fields = FieldForms();
  std::copy(fields.begin(), fields.end(), forms.begin());
  return forms;
}

std::string TCasesFixForm::Fold(const std::vector<std::string>& forms) const {
  std::array<std::string, 6> cases;
  std::copy(forms.begin(), forms.end(), cases.begin());
  return encode_cases(cases);
}

std::optional<QString> TCasesFixForm::EditCaseSet(QWidget* parent, const QString& set) {
  TCasesFixForm form(parent);
  form.SetCaseSet(set);
  if (form.exec() != QDialog::Accepted) return std::nullopt;
  return form.CaseSet();
}

}  // namespace tavro::ui

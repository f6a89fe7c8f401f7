#pragma once
// The six forms of a name, one field per grammatical case, for the "..." buttons beside the short
// names of objects, mobiles and doors. OK refuses forms that the folded case set would not give back
// as typed, naming the case, and keeps the dialog open.
#include <array>
#include <optional>

#include "ui/editors/FormsFixForm.h"

namespace tavro::ui {

class TCasesFixForm : public TFormsFixForm {
  Q_OBJECT

 public:
  explicit TCasesFixForm(QWidget* parent = nullptr);

  // Field n shows case n of the trimmed case set.
  void SetCaseSet(const QString& set) { ShowForms(set); }
  // The trimmed fields folded into one case set.
  QString CaseSet() const { return Folded(); }
  // The trimmed fields, case 1 first.
  std::array<std::string, 6> Forms() const;

  // The whole round of the calling editor: the case set's forms are shown, and the folded forms come
  // back when the user accepts them; nothing when cancelled.
  static std::optional<QString> EditCaseSet(QWidget* parent, const QString& set);

  QLabel *Label1, *Label2, *Label3, *Label4, *Label5, *Label6;
  QLineEdit *Edit1, *Edit2, *Edit3, *Edit4, *Edit5, *Edit6;

 protected:
  std::string Fold(const std::vector<std::string>& forms) const override;
};

}  // namespace tavro::ui

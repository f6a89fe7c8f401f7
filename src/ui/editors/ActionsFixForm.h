#pragma once
// The three forms of a door's action message (what the player doing it reads, what the onlookers read,
// and what is shown when it happens by itself), for the "..." buttons of the doors page. OK refuses forms
// that the folded text would not give back as typed, naming the form, and keeps the dialog open.
#include <optional>

#include "ui/editors/FormsFixForm.h"

namespace tavro::ui {

class TActionsFixForm : public TFormsFixForm {
  Q_OBJECT

 public:
  explicit TActionsFixForm(QWidget* parent = nullptr);

  // Field n shows form n of the trimmed text.
  void SetActions(const QString& text) { ShowForms(text); }
  // The trimmed fields folded into one text.
  QString Actions() const { return Folded(); }

  // The whole round of the doors page: the text's forms are shown, and the folded forms come back when
  // the user accepts them; nothing when cancelled.
  static std::optional<QString> EditActions(QWidget* parent, const QString& text);

  QLabel *Label1, *Label2, *Label3;
  QLineEdit *Edit1, *Edit2, *Edit3;

 protected:
  std::string Fold(const std::vector<std::string>& forms) const override;
};

}  // namespace tavro::ui

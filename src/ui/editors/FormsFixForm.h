#pragma once
// The dialog behind the "..." buttons: several forms of one text, a field each, folded into one text on
// OK. OK refuses forms that the folded text would not give back as typed, naming the form, and keeps
// the dialog open. The cases and the action messages differ only in their forms and their folding.
#include <QDialog>
#include <QString>
#include <QStringList>
#include <string>
#include <vector>

class QLabel;
class QLineEdit;
class QPushButton;

namespace tavro::ui {

class TFormsFixForm : public QDialog {
  Q_OBJECT

 public:
  QPushButton* Button1;
  QPushButton* Button2;

 public slots:
  void accept() override;

 protected:
  // One field per caption, the caption beside it or above it; count_word names the forms in the refusal
  // ("six").
  TFormsFixForm(QWidget* parent, const QString& title, const QStringList& captions, bool captions_above,
                const QString& count_word);

  // Field n shows form n of the trimmed text.
  void ShowForms(const QString& text);
  // The trimmed fields, the first form first.
  std::vector<std::string> FieldForms() const;
  // The folded text of the trimmed fields.
  QString Folded() const;
  virtual std::string Fold(const std::vector<std::string>& forms) const = 0;

  std::vector<QLabel*> labels_;
  std::vector<QLineEdit*> edits_;

 private:
  QString count_word_;
};

}  // namespace tavro::ui

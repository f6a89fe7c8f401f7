#pragma once
// The six forms of a name, one field per grammatical case, for the "..." buttons beside the short
// names of objects, mobiles and doors. OK refuses forms that the folded case set would not give back
// as typed, naming the case, and keeps the dialog open.
#include <QDialog>
#include <QString>
#include <array>
#include <optional>
#include <string>

class QLabel;
class QLineEdit;
class QPushButton;

namespace tavro::ui {

class TCasesFixForm : public QDialog {
  Q_OBJECT

 public:
  explicit TCasesFixForm(QWidget* parent = nullptr);

  // Field n shows case n of the trimmed case set.
  void SetCaseSet(const QString& set);
  // The trimmed fields folded into one case set.
  QString CaseSet() const;
  // The trimmed fields, case 1 first.
  std::array<std::string, 6> Forms() const;

  // The whole round of the calling editor: the case set's forms are shown, and the folded forms come
  // back when the user accepts them; nothing when cancelled.
  static std::optional<QString> EditCaseSet(QWidget* parent, const QString& set);

  QLabel* Label1;
  QLabel* Label2;
  QLabel* Label3;
  QLabel* Label4;
  QLabel* Label5;
  QLabel* Label6;
  QLineEdit* Edit1;
  QLineEdit* Edit2;
  QLineEdit* Edit3;
  QLineEdit* Edit4;
  QLineEdit* Edit5;
  QLineEdit* Edit6;
  QPushButton* Button1;
  QPushButton* Button2;

 public slots:
  void accept() override;

 private:
  void FormCreate();

  std::array<QLabel*, 6> labels_{};
  std::array<QLineEdit*, 6> edits_{};
};

}  // namespace tavro::ui

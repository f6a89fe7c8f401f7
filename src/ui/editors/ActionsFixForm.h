#pragma once
// The three forms of a door's action message (what the player doing it reads, what the onlookers read,
// and what is shown when it happens by itself), for the "..." buttons of the doors page. OK refuses forms
// that the folded text would not give back as typed, naming the form, and keeps the dialog open.
#include <QDialog>
#include <QString>
#include <array>
#include <optional>
#include <string>

class QLabel;
class QLineEdit;
class QPushButton;

namespace tavro::ui {

class TActionsFixForm : public QDialog {
  Q_OBJECT

 public:
  explicit TActionsFixForm(QWidget* parent = nullptr);

  // Field n shows form n of the trimmed text.
  void SetActions(const QString& text);
  // The trimmed fields folded into one text.
  QString Actions() const;

  // The whole round of the doors page: the text's forms are shown, and the folded forms come back when
  // the user accepts them; nothing when cancelled.
  static std::optional<QString> EditActions(QWidget* parent, const QString& text);

  QLabel* Label1;
  QLabel* Label2;
  QLabel* Label3;
  QLineEdit* Edit1;
  QLineEdit* Edit2;
  QLineEdit* Edit3;
  QPushButton* Button1;
  QPushButton* Button2;

 public slots:
  void accept() override;

 private:
  void FormCreate();
  std::array<std::string, 3> Forms() const;

  std::array<QLabel*, 3> labels_{};
  std::array<QLineEdit*, 3> edits_{};
};

}  // namespace tavro::ui

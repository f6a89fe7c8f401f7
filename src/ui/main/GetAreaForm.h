#pragma once
// The area picker: the world's area names in alphabetical order; opens the picked area's window or
// starts a new area.
#include <QDialog>
#include <string>

class QListWidget;
class QPushButton;

namespace tavro {
class TArea;
class TWorld;
}  // namespace tavro

namespace tavro::ui {

class TMainForm;

class TGetAreaForm : public QDialog {
  Q_OBJECT

 public:
  explicit TGetAreaForm(TMainForm* main_form);

  // The loaded area that the name of the areas list stands for: the area whose header carries that file
  // name (the two lists fall out of step once new areas are saved in another order than made), else the
  // area at the name's position. Null when there is none.
  static TArea* FindArea(const TWorld& world, const std::string& name);

  void OkClick();
  void NewClick();

  QListWidget* LBAreas;
  QPushButton* OkButton;
  QPushButton* NewButton;
  QPushButton* CancelButton;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  TMainForm* main_form_;
};

}  // namespace tavro::ui

#pragma once
// The Find in World window (Ctrl+Shift+F): a text or a vnum searched in every loaded area; a result's
// record is a double click (or Enter) away.
#include <QDockWidget>
#include <vector>

#include "world/WorldFind.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace tavro::ui {

class TMainForm;

class TFindInWorldDock : public QDockWidget {
  Q_OBJECT

 public:
  explicit TFindInWorldDock(TMainForm* main_form);

  // Shows the window with the text to find selected for typing.
  void Start();
  // Finds the text typed (trimmed) and lists the results.
  void Find();

  QLineEdit* FindEdit = nullptr;
  QPushButton* FindButton = nullptr;
  QLabel* Summary = nullptr;
  QTreeWidget* Results = nullptr;

  // More results than a builder reads; a longer list only slows the window.
  static constexpr size_t kMaxResults = 2000;

 private:
  void GoToItem(QTreeWidgetItem* item);

  TMainForm* main_form_;
  std::vector<TFindHit> hits_;
};

}  // namespace tavro::ui

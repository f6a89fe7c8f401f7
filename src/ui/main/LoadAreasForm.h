#pragma once
// The small window shown while the world's areas are read at start: the name of the area being read and
// a bar of how far the loading has come.
#include <QWidget>

class QLabel;
class QProgressBar;

namespace tavro::ui {

class TLoadAreasForm : public QWidget {
  Q_OBJECT

 public:
  explicit TLoadAreasForm(QWidget* parent = nullptr);

  // The bar runs from 0 to count, at 0, with no area name.
  void Start(int count);
  // Shows the area being read; position is counted from 1.
  void ShowArea(int position, const QString& name);

  QLabel* Label1;
  QLabel* AreaNameLabel;
  QProgressBar* ProgressBar;
};

}  // namespace tavro::ui

#pragma once
// The sector picker: the coloured sector list; "Assign" returns the chosen sector.
#include "ui/main/SectorList.h"

class QFrame;
class QPushButton;

namespace tavro::ui {

class TSelectSectorForm : public TSectorListForm {
  Q_OBJECT

 public:
  explicit TSelectSectorForm(QWidget* parent = nullptr);

  void SetSelected(int index);
  void LBColorsClick();

  QFrame* Panel1;
  QPushButton* Button1;
  QPushButton* Button2;
  int Selected = 0;
};

}  // namespace tavro::ui

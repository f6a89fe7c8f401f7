#pragma once
// Assigns a colour to each sector type: a double click opens the colour dialog for that sector.
#include "ui/main/SectorList.h"

class QPushButton;

namespace tavro::ui {

class TSectorColorsForm : public TSectorListForm {
  Q_OBJECT

 public:
  explicit TSectorColorsForm(QWidget* parent = nullptr);

  const std::vector<std::string>& GetColors() const { return Colors; }
  // Edits the colour of entry index through the colour dialog; Cancel there changes nothing.
  void LBColorsDblClick(int index);

  QPushButton* Button1;
  QPushButton* Button2;
};

}  // namespace tavro::ui

#pragma once
// The area header editor of the Stats page: name and author, level ranges, spell limit, resets, economy,
// weather, area flags and neighbouring areas of one area. It edits a single record, so the base's search
// list and View button are hidden.
#include <array>

#include "ui/editors/ParentForm.h"

class QGroupBox;
class QLineEdit;
class QListWidget;
class QSpinBox;
class QTabWidget;

namespace tavro {
class TAreaHeader;
}

namespace tavro::ui {

class TFlagCheckList;

class TStatsEditForm : public TParentForm {
  Q_OBJECT

 public:
  explicit TStatsEditForm(QWidget* parent = nullptr);

  void BindArea(TArea& area) override;
  void ShowItem(int index) override;
  void ClearItem() override;
  void ApplyItem() override;
  void AreaChanged(uint32_t scope) override;

  // Every header field into its control ("Restore").
  void ShowHeader();
  // Every control into the header, checked first and stored whole as one undoable step ("OK").
  void StoreHeader();

  QLineEdit* edAreaName = nullptr;
  QLineEdit* edAreaAuthor = nullptr;
  QTabWidget* Pages = nullptr;
  QSpinBox *edSoftLow, *edSoftHi, *edHardLow, *edHardHi, *edSpellLimit, *edFrequency;
  QLineEdit* edResetMessage = nullptr;
  QSpinBox *edEconomyLow, *edEconomyHi, *edTemp, *edPrecip, *edWind;
  TFlagCheckList* chAreaFlags = nullptr;
  QListWidget* lbNeighbor = nullptr;
  QAction* AddNeighborAction = nullptr;
  QAction* RemoveNeighborAction = nullptr;

 private:
  void FormCreate();
  QWidget* CreateOptionsPage();
  QWidget* CreateNeighborPage();
  void ReadControls(TAreaHeader& header) const;
  void AddNeighbor();
  void RemoveNeighbor();

  TArea* area_ = nullptr;
};

}  // namespace tavro::ui

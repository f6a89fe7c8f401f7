#pragma once
// The object editor of the Objects page: an area's object prototypes, one at a time on seven pages
// (descriptions, flags, values, extra descriptions, affects, programs, vegetables). What the values
// mean, which flags exist and which item type grows vegetables all come from the world's lists.
//
// The extra descriptions, programs, affects, capacities and weapon type are edited in a working copy
// of the object; OK stores the fields and the working copy as one step, and a new vnum may take the
// world's references to the old one along in the same step.
#include <QString>
#include <array>
#include <memory>

#include "area/ObjectValues.h"
#include "area/Objects.h"
#include "ui/editors/RecordEditor.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;
class QTabWidget;
class QTreeWidget;

namespace tavro::ui {

class TExtraDescsPage;
class TProgsPage;

class TChoiceBox;
class TFlagCheckList;
class TTextField;

class TObjectEditForm : public TRecordEditor<TAreaObject> {
  Q_OBJECT

 public:
  explicit TObjectEditForm(QWidget* parent = nullptr);
  ~TObjectEditForm() override;

  void BindArea(TArea& area) override;
  void ViewItem() override;

  // Labels, pickers and hints of the value rows for an item type. A malformed description in the
  // world's list is reported once per item type and shown as the seven plain rows.
  void SetValueLabels(int32_t item_type);
  // The object being edited with the changes made on the pages (extra descriptions, programs, affects).
  const TAreaObject& WorkObject() const { return *work_; }

  QLineEdit* VNumEdit = nullptr;
  TChoiceBox* cbItemType = nullptr;
  QLineEdit* NameEdit = nullptr;
  QTabWidget* ObjInfoPage = nullptr;
  // Descriptions
  QLineEdit* SNameEdit = nullptr;
  QPushButton* Button1 = nullptr;  // the cases editor
  QLineEdit* LNameEdit = nullptr;
  TTextField* DescriptionEdit = nullptr;
  QPushButton* btnViewObject = nullptr;
  // Flags
  TFlagCheckList* chExtra = nullptr;
  TFlagCheckList* chWear = nullptr;
  QLabel* Label10 = nullptr;
  QListWidget* lbLayers = nullptr;
  QLineEdit* edLayer = nullptr;
  // Values
  std::array<QLabel*, ObjectValueCount> ValueLabel{};
  std::array<QLineEdit*, ObjectValueCount> edV{};
  std::array<QPushButton*, ObjectValueCount> btnV{};
  QLineEdit *edLevel = nullptr, *edWeight = nullptr, *edCost = nullptr;
  TFlagCheckList* chFurniture = nullptr;
  QLineEdit* edCapacity = nullptr;
  QSpinBox *edCondition = nullptr, *edMaxCondition = nullptr, *edRepairsCount = nullptr;
  // Extra descriptions
  TExtraDescsPage* ExtraDescs = nullptr;
  // Affects
  QTreeWidget* lvAffects = nullptr;
  QPushButton *btnAddAffect = nullptr, *btnEditAffect = nullptr, *btnRemoveAffect = nullptr;
  // Programs
  TProgsPage* Progs = nullptr;
  // Vegetables
  QPlainTextEdit* VegetableEdit = nullptr;

 protected:
  List& Records(TArea& area) const override;
  uint32_t Scope() const override;
  QString EntryText(const TAreaObject& object) const override;
  QString RecordLabel(const TAreaObject& object) const override;
  QString ErrorPrefix() const override;
  void ShowRecord(const TAreaObject& object) override;
  void ClearFields() override;
  void ReadFields(TAreaObject& object) override;
  void Validate(const TAreaObject& object, const TAreaObject* live) override;
  std::unique_ptr<TAreaObject> NewRecord(TArea& area) const override;
  std::unique_ptr<TAreaObject> CopyOf(const TAreaObject& object) const override;
  std::unique_ptr<TChange> StoreChange(TAreaObject& live, std::unique_ptr<TAreaObject> edited) override;

 private:
  class TFilling;

  void FormCreate();
  QWidget* CreateDescriptionsPage();
  QWidget* CreateFlagsPage();
  QWidget* CreateValuesPage();
  QWidget* CreateValueRows();
  QWidget* CreateAffectsPage();
  // After the edit watch: what the pages' own controls do.
  void ConnectPages();
  void FillChoices();
  void FillFields();
  void ReadTexts(TAreaObject& object);
  void ReadNumbers(TAreaObject& object);
  void ReadVegetables(TAreaObject& object);
  void ReadWorkParts(TAreaObject& object);
  TWorld& world() const;

  void cbItemTypeChange();
  void UpdateLayersVisible();
  void UpdateVegetablesVisible();
  void ShowCapacity(int slot);
  void edCapacityChange(const QString& text);
  void btnVClick(int row);
  void Button1Click();

  void RefreshAffects();
  void btnAddAffectClick();
  void btnEditAffectClick();
  void btnRemoveAffectClick();

  std::unique_ptr<TAreaObject> work_;
  int capacity_slot_ = 0;
  // Stored values a control cannot show are kept unless the user changes the control.
  bool layers_edited_ = false, condition_edited_ = false, max_condition_edited_ = false;
  int32_t reported_item_type_ = -1;
  QWidget* vegetables_page_ = nullptr;
};

}  // namespace tavro::ui
